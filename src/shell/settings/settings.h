// The player's options and solver settings, kept in ruk.ini beside the program (or in the
// user's config folder when the program folder is not writable).
#pragma once

#include <cstdint>
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

// [OPTION] SPEED: the replay slow-down, 1, 2, 4, 8 or 16 ticks per letter. Absent or any other
// value reads as 1. Written only when asked, so a file that never had it keeps its bytes.
int LoadReplaySlowdown(const WorkingPaths& paths);
void SaveReplaySlowdown(const WorkingPaths& paths, int slowdown);

// [OPTION] ZOOM: the board's tile size in pixels, 24, 48, 72 or 96, or FIT: every level at the
// largest size at which it fits. Absent, 0 or anything else reads as 24, never chosen.
struct ZoomSetting {
    int tilePixels = 24;
    bool fit = false;
    bool chosen = false;  // the file holds a size or FIT
};
ZoomSetting LoadZoom(const WorkingPaths& paths);
// Writes FIT, or the tile size.
void SaveZoom(const WorkingPaths& paths, const ZoomSetting& zoom);

// SELECT: the kind of solver a run starts. Any number but 0 runs the program named in the
// settings; the dialog stores 1. A number read from the file is kept as it was read.
enum class SolverKind : std::int32_t {
    Festival = 0,
    OtherProgram = 1,
};

// PLAY: only 1 auto-plays a solution the solver found; the dialog stores 0 or 1. A number read
// from the file is kept as it was read.
enum class AutoPlay : std::int32_t {
    Off = 0,
    On = 1,
};

struct SolverSettings {
    SolverKind solverChoice = SolverKind::Festival;
    std::string solverFileName;
    int solverTimeLimit = 0;  // seconds
    AutoPlay autoPlayWhenSolved = AutoPlay::Off;
};

// Reads [SOLVER]. Before the first choice was stored, the defaults (the kind firstChoice,
// "pushbot42", 120 s, play when solved) are taken and written back at once.
SolverSettings LoadSolverSettings(const WorkingPaths& paths,
                                  SolverKind firstChoice = SolverKind::Festival);
// Writes SELECT, SOLVER, TIME and PLAY in that order; silently gives up on a file it can't write.
void SaveSolverSettings(const WorkingPaths& paths, const SolverSettings& settings);

}  // namespace ruk
