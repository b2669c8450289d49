// The player's options and solver settings, kept in ruk.ini beside the program (or in the
// user's config folder when the program folder is not writable).
#pragma once

#include <string>

namespace ruk {

// The files the player keeps in its working folder.
struct WorkingPaths {
    std::string folder, settings, skin, solverInput, solverScript;
};
WorkingPaths BuildWorkingPaths(const std::string& folder);

struct Options {
    bool instantMove = false;
    bool guardEnabled = false;
};

// Reads [OPTION]. A file that never stored GUARD (first start) turns the guard on and writes
// both options back at once.
Options LoadOptions(const WorkingPaths& paths);
// Writes IMOVE then GUARD as 0 or 1. A file that cannot be written is left alone, silently.
void SaveOptions(const WorkingPaths& paths, const Options& options);

struct SolverSettings {
    int solverChoice = 0;  // 0 Festival, 1 another program
    std::string solverFileName;
    int solverTimeLimit = 0;  // seconds
    int autoPlayWhenSolved = 0;
};

// Reads [SOLVER]. Before the first choice was stored, the defaults (the kind firstChoice,
// "pushbot42", 120 s, play when solved) are taken and written back at once.
SolverSettings LoadSolverSettings(const WorkingPaths& paths, int firstChoice = 0);
// Writes SELECT, SOLVER, TIME and PLAY in that order; silently gives up on a file it can't write.
void SaveSolverSettings(const WorkingPaths& paths, const SolverSettings& settings);

}  // namespace ruk
