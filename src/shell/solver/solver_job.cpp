// Solver jobs (see solver_job.h).
#include "solver/solver_job.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <new>
#include <vector>

#include "core_door.h"
#include "textio/grid_text.h"

namespace ruk {

namespace {

#ifdef _WIN32
constexpr const char* EXECUTABLE_SUFFIX = ".exe";
#else
constexpr const char* EXECUTABLE_SUFFIX = "";
#endif
constexpr const char* BUNDLED_SOLVER = "pushbot42";
constexpr const char* ERROR_FILE = "solver_err.txt";
// How much of the output file is searched for a comment line, and how much of the error file's
// end for its last line: enough for any line a person reads, and nothing a runaway solver
// could make slow.
constexpr std::size_t COMMENT_SEARCH_BYTES = 64 * 1024;
constexpr std::size_t ERROR_TAIL_BYTES = 4096;
constexpr std::size_t REASON_LIMIT = 200;
constexpr const char* RUN_WATCHDOG =
    "(while kill -0 $$ && kill -0 $PPID; do sleep 1; done; kill -0 $PPID || kill -KILL -$$)"
    " </dev/null >/dev/null 2>&1 &\n";

bool IsSolutionLetter(char ch) {
    switch (ch) {
        case 'u':
        case 'r':
        case 'd':
        case 'l':
        case 'U':
        case 'R':
        case 'D':
        case 'L':
            return true;
        default:
            return false;
    }
}

std::string FileName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

// Up to count bytes of a job file from its start, or from its end when fromEnd; nothing from
// a file that is not a regular one.
std::string ReadPart(const std::string& path, std::size_t count, bool fromEnd) {
    const JobFileReader file(path, NO_SIZE_LIMIT);
    if (file.State() != JobFileState::OPEN) return "";
    const std::uint64_t offset = fromEnd && file.Size() > count ? file.Size() - count : 0;
    std::string bytes(count, '\0');
    bytes.resize(file.ReadAt(offset, bytes.data(), count));
    return bytes;
}

// ReadAnswer's scan; the letters are kept only when line is given, so that asking whether
// there is a solution line costs no memory.
AnswerState ScanAnswer(const JobFileReader& file, std::string* line) {
    std::size_t length = 0;  // of the line read so far
    bool letters = true;     // the line read so far holds only solution letters
    char piece[1 << 16];
    for (std::uint64_t offset = 0; offset < file.Size();) {
        const std::size_t count = file.ReadAt(offset, piece, sizeof piece);
        if (count == 0) break;
        offset += count;
        for (std::size_t i = 0; i < count; ++i) {
            const char ch = piece[i];
            if (ch == '\r' || ch == '\n') {
                if (letters && length > 0) return AnswerState::FOUND;
                length = 0;
                letters = true;
                if (line) line->clear();
            } else if (letters && IsSolutionLetter(ch)) {
                // The whole run of letters at once: answers can be tens of megabytes.
                std::size_t run = i + 1;
                while (run < count && IsSolutionLetter(piece[run])) ++run;
                if (line) line->append(piece + i, run - i);
                length += run - i;
                i = run - 1;
            } else {
                letters = false;
                length = 0;
                if (line) line->clear();
            }
        }
    }
    return letters && length > 0 ? AnswerState::FOUND : AnswerState::NONE;
}

AnswerState FromFileState(JobFileState state) {
    switch (state) {
        case JobFileState::NOT_REGULAR:
            return AnswerState::NOT_REGULAR;
        case JobFileState::TOO_LARGE:
            return AnswerState::TOO_LARGE;
        default:
            return AnswerState::NONE;
    }
}

// The lines of a text, each without its line end and surrounding blanks.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        std::size_t first = start, last = end;
        while (first < last && (text[first] == ' ' || text[first] == '\t')) ++first;
        while (last > first && (text[last - 1] == ' ' || text[last - 1] == '\t')) --last;
        lines.push_back(text.substr(first, last - first));
        start = end + 1;
    }
    return lines;
}

// A line fit for a message: control characters dropped, cut to the limit.
std::string MessageLine(const std::string& line) {
    std::string clean;
    for (const char ch : line) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte >= 0x20 && byte != 0x7f) clean += ch;
        if (clean.size() == REASON_LIMIT) break;
    }
    return clean;
}

}  // namespace

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char ch : text) {
        if (ch == '\'')
            quoted += "'\\''";
        else
            quoted += ch;
    }
    return quoted + "'";
}

std::string ShellWord(const std::string& text) {
    if (text.empty()) return "''";
    for (const char ch : text) {
        const bool plain = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
                           (ch >= '0' && ch <= '9') || std::strchr("_-+.,/:@%=", ch) != nullptr;
        if (!plain) return ShellQuote(text);
    }
    return text;
}

std::string SolverProgramPath(const SolverSettings& settings, const std::string& programFolder) {
    std::string name = settings.solverChoice == SolverKind::Festival
                           ? std::string("festival") + EXECUTABLE_SUFFIX
                           : settings.solverFileName;
    if (name.empty() || name.find('/') != std::string::npos ||
        name.find('\\') != std::string::npos || name.find("..") != std::string::npos)
        return "";
#ifdef _WIN32
    if (name.size() < 4 || _stricmp(name.c_str() + name.size() - 4, ".exe") != 0) name += ".exe";
#endif
    return programFolder + "/" + name;
}

SolverKind FirstSolverChoice(const std::string& programFolder) {
    std::error_code error;
    const bool bundled = std::filesystem::is_regular_file(
        programFolder + "/" + BUNDLED_SOLVER + EXECUTABLE_SUFFIX, error);
    const bool festival =
        std::filesystem::is_regular_file(programFolder + "/festival" + EXECUTABLE_SUFFIX, error);
    return bundled && !festival ? SolverKind::OtherProgram : SolverKind::Festival;
}

std::string CheckSolver(const SolverSettings& settings, const std::string& programFolder) {
    const std::string program = SolverProgramPath(settings, programFolder);
    std::error_code error;
    if (program.empty() || !std::filesystem::is_regular_file(program, error))
        return "Solver program not found.";
    if (settings.solverTimeLimit <= 0) return "Time limit is invalid.";
    return "";
}

std::string ShownLevelText(const CoreState& core) {
    GridText text;
    const Grids& grids = core.level.grids;
    GridToText(text, grids.displayGrid, grids.maxWidth, grids.maxHeight, ' ');
    return text.data();
}

SolverJob WriteJobFiles(const CoreState& core, const SolverSettings& settings,
                        const WorkingPaths& paths, const std::string& programFolder) {
    SolverJob job;
    const bool festival = settings.solverChoice == SolverKind::Festival;
    const std::string outputName = festival ? "solutions.sok" : "ruk_out.txt";
    job.outputPath = paths.folder + "/" + outputName;
    job.levelText = ShownLevelText(core);
    if (!WriteJobFile(paths.solverInput, job.levelText)) {
        job.message = "Input file Error.";
        return job;
    }
    if (!WriteJobFile(job.outputPath, std::string(1, '\0'))) {
        job.message = "Output file Error.";
        return job;
    }
    // Emptied now, so that a script that never gets to run leaves no earlier run's words. Only
    // the failure message reads it: a file that cannot be written costs nothing else.
    job.errorPath = paths.folder + "/" + ERROR_FILE;
    WriteJobFile(job.errorPath, "");
    const std::string program = SolverProgramPath(settings, programFolder);
    const std::string fileName = FileName(program);
    job.title = fileName.substr(0, fileName.rfind('.')).substr(0, SOLVER_TITLE_CAPACITY);
    const std::string time = std::to_string(settings.solverTimeLimit);
    const std::string arguments = festival
                                      ? " ruk_in.txt -time " + time
                                      : " -in ruk_in.txt -out " + outputName + " -time " + time;
    // The program by its full name, so that it is found wherever the job files live.
    job.commandLine = ShellQuote(program) + arguments;
    // Shown after the working folder, as at a prompt there: the name alone when the program
    // lies in that folder.
    const bool besideJobFiles =
        program.compare(0, paths.folder.size() + 1, paths.folder + "/") == 0;
    job.shownCommand = ShellWord(besideJobFiles ? fileName : program) + arguments;
    // The solver replaces the shell (exec), so that it keeps the signal the player's death
    // sends it. A watchdog then ends the rest of the run's process group once the player is
    // gone; it has nothing to do and goes when the solver ends with the player alive, whose
    // own sweep ends what the run left. The error output is the player's to keep.
    const std::string script = "cd " + ShellQuote(paths.folder) + " || exit 127\n" + RUN_WATCHDOG +
                               "exec " + job.commandLine + "\n";
    if (!WriteJobFile(paths.solverScript, script)) job.message = "Batch file Error.";
    return job;
}

AnswerState ReadAnswer(const std::string& outputPath, std::string& line, std::uint64_t sizeLimit) {
    line.clear();
    const JobFileReader file(outputPath, sizeLimit);
    if (file.State() != JobFileState::OPEN) return FromFileState(file.State());
    try {
        const AnswerState state = ScanAnswer(file, &line);
        if (state != AnswerState::FOUND) line.clear();
        return state;
    } catch (const std::bad_alloc&) {
        // A line longer than the memory left: dropped whole, so that the memory comes back.
        std::string().swap(line);
        return AnswerState::OUT_OF_MEMORY;
    }
}

bool ReadSolutionLine(const std::string& outputPath, std::string& line) {
    return ReadAnswer(outputPath, line) == AnswerState::FOUND;
}

std::string SolverFailureReason(const SolverJob& job) {
    const JobFileReader output(job.outputPath, ANSWER_SIZE_LIMIT);
    if (output.State() == JobFileState::NOT_REGULAR)
        return "The answer file is not a regular file.";
    if (output.State() == JobFileState::TOO_LARGE)
        return "The answer file is larger than " + std::to_string(ANSWER_SIZE_LIMIT >> 20) + " MB.";
    if (output.State() != JobFileState::OPEN || ScanAnswer(output, nullptr) != AnswerState::FOUND) {
        for (const std::string& line :
             Lines(ReadPart(job.outputPath, COMMENT_SEARCH_BYTES, false))) {
            if (line.empty() || line[0] != ';') continue;
            std::size_t from = 1;
            while (from < line.size() && line[from] == ' ') ++from;
            const std::string reason = MessageLine(line.substr(from));
            if (!reason.empty()) return reason;
        }
    }
    if (job.errorPath.empty()) return "";
    const std::vector<std::string> lines = Lines(ReadPart(job.errorPath, ERROR_TAIL_BYTES, true));
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        const std::string reason = MessageLine(*line);
        if (!reason.empty()) return reason;
    }
    return "";
}

ImportResult ImportSolution(CoreState& core, const SolverJob& job) {
    try {
        std::string line;
        const AnswerState state = ReadAnswer(job.outputPath, line);
        if (state == AnswerState::OUT_OF_MEMORY) return ImportResult::OUT_OF_MEMORY;
        if (state != AnswerState::FOUND) return ImportResult::FAILED;
        // The keeper may have been moved while the solver ran: its answer is for another
        // position.
        if (ShownLevelText(core) != job.levelText) return ImportResult::FAILED;
        // The history grows without throwing; a growth that failed is flagged.
        const bool complete = door::ImportMoves(core, line.c_str());
        if (!complete && core.game.history.failed) return ImportResult::OUT_OF_MEMORY;
        return complete && core.game.totals.solved ? ImportResult::SOLVED : ImportResult::FAILED;
    } catch (const std::bad_alloc&) {
        return ImportResult::OUT_OF_MEMORY;
    }
}

}  // namespace ruk
