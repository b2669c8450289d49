// A solver job without the window: where the solver program is, the checks before a run, the
// job files, and the solution line read back from the solver's output file.
#pragma once

#include <cstdint>
#include <string>

#include "records/core_state.h"
#include "settings/settings.h"
#include "solver/job_file.h"

namespace ruk {

constexpr int SOLVER_TITLE_CAPACITY = 29;

// The solver program's full path: the first kind's fixed name, or the chosen name, in the
// program folder (with the platform's executable suffix). Empty when the name cannot name a
// file there: empty, or holding a path separator or "..".
std::string SolverProgramPath(const SolverSettings& settings, const std::string& programFolder);

// The kind a first opening offers: the bundled solver when it lies in the program folder and
// the first kind's program does not, so that Start works at once; else the first kind.
SolverKind FirstSolverChoice(const std::string& programFolder);

// The check before a run: "" when all is well, else the message to show. A missing program is
// reported before a bad time limit.
std::string CheckSolver(const SolverSettings& settings, const std::string& programFolder);

struct SolverJob {
    std::string message;       // "" when the files were written
    std::string outputPath;    // the file the solver writes
    std::string errorPath;     // the solver's error output, kept beside the job files
    std::string commandLine;   // the script's line: every path in full and quoted
    std::string shownCommand;  // as shown over the board: as a person would type it there
    std::string title;         // the program's name without its extension: the result caption
    std::string levelText;     // the position handed over, to recognise it at the import
};

// Writes the position on screen to the input file, an emptied output file (one zero byte, so
// no earlier answer can be read), an emptied error file and the script that runs the solver
// from the working folder with its error output going to that file.
SolverJob WriteJobFiles(const CoreState& core, const SolverSettings& settings,
                        const WorkingPaths& paths, const std::string& programFolder);

// The level text of the position on screen, as the input file holds it.
std::string ShownLevelText(const CoreState& core);

enum class AnswerState { FOUND, NONE, NOT_REGULAR, TOO_LARGE, OUT_OF_MEMORY };

// The first line of the output file that is not empty and holds only the letters u r d l U R
// D L. Lines may end with CR LF, LF or CR, mixed. NONE when there is none or the file is
// missing; a file that is not a regular one (a link, a FIFO, a device) or is larger than
// sizeLimit is not read; OUT_OF_MEMORY when the line cannot be held. The file is read in
// pieces, so only the line's own length costs memory.
AnswerState ReadAnswer(const std::string& outputPath, std::string& line,
                       std::uint64_t sizeLimit = ANSWER_SIZE_LIMIT);
bool ReadSolutionLine(const std::string& outputPath, std::string& line);

// Why a run failed in one line ("" when nothing says): an answer file that is not read (not a
// regular file, too large), else as the solver said it: the first
// comment line (";" ...) of an output file that holds no solution line, else the last line the
// solver wrote to its error output. Only the start of the one and the end of the other are read;
// the line is cut to a length a message can show, control characters dropped.
std::string SolverFailureReason(const SolverJob& job);

enum class ImportResult { SOLVED, FAILED, OUT_OF_MEMORY };

// Appends the solver's answer at the cursor: only when the position on screen is still the one
// handed over, and reported solved only when the letters solve the level. OUT_OF_MEMORY when
// the answer or the grown move history cannot be held; it never throws.
ImportResult ImportSolution(CoreState& core, const SolverJob& job);

// A single-quoted shell word: the text as is, with every ' written as '\''.
std::string ShellQuote(const std::string& text);

// The text as a person would type it in a shell: as is when no character of it needs quoting,
// else quoted as ShellQuote does.
std::string ShellWord(const std::string& text);

}  // namespace ruk
