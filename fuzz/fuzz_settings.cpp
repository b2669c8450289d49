// A settings file of any bytes: keys read at several widths, the options and solver settings
// loaded (first-start defaults written back), new values saved and a key of the input's own
// choosing written; then every written key reads back as written, and every other line of the
// input is still in the file, in order. The values and the extra key are taken from the input's
// last bytes (which are part of the file too).
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "settings/profile_file.h"
#include "settings/settings.h"

namespace ruk::fuzz {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// A stored value as it reads back: blanks around it dropped, then one pair of enclosing quotes.
std::string ReadBack(const std::string& value, std::size_t width) {
    std::string_view v = Trim(value);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return std::string(v.substr(0, width - 1));
}

// Lines without their breaks; CR LF, LF and CR each end one.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t stop = text.find_first_of("\r\n", pos);
        if (stop == std::string::npos) stop = text.size();
        lines.push_back(text.substr(pos, stop - pos));
        pos = stop + (text.compare(stop, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

bool IsKeyLine(std::string_view line, const std::vector<std::string>& keys) {
    line = Trim(line);
    const std::size_t equals = line.find('=');
    if (line.empty() || line.front() == ';' || equals == std::string_view::npos) return false;
    for (const std::string& key : keys)
        if (SameName(Trim(line.substr(0, equals)), Trim(key))) return true;
    return false;
}

// Every line of before, except lines of the written keys, is in after, in the same order.
void CheckLinesKept(const std::string& before, const std::string& after,
                    const std::vector<std::string>& writtenKeys) {
    const std::vector<std::string> old = Lines(before);
    const std::vector<std::string> now = Lines(after);
    std::size_t at = 0;
    for (const std::string& line : old) {
        if (IsKeyLine(line, writtenKeys)) continue;
        while (at < now.size() && now[at] != line) ++at;
        FUZZ_CHECK(at < now.size());
        ++at;
    }
}

std::string ReadAll(const std::string& path) {
    std::string text;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            text.append(buffer, n);
        std::fclose(file);
    }
    return text;
}

// The input's last bytes, one at a time from the end; zero once they run out.
struct Tail {
    const std::uint8_t* data;
    std::size_t left;
    std::uint8_t Next() { return left > 0 ? data[--left] : 0; }
    // Up to length printable characters.
    std::string Text(std::size_t length) {
        std::string text;
        for (std::size_t i = 0; i < length; ++i) text += static_cast<char>(' ' + Next() % 95);
        return text;
    }
};

bool StorableName(std::string_view name, bool key) {
    const std::string_view trimmed = Trim(name);
    if (trimmed.empty() || name.find_first_of(key ? "\r\n=" : "\r\n]") != std::string_view::npos)
        return false;
    return !key || (trimmed.front() != ';' && trimmed.front() != '[');
}

void CheckReads(const std::string& path, const char* section, const char* key) {
    std::string wider;
    for (int width : {1000, 100, 10, 3, 2, 1, 0}) {
        const std::string value = GetProfileString(path, section, key, "default", width);
        FUZZ_CHECK(value.find('\0') == std::string::npos);
        FUZZ_CHECK(value.size() <= static_cast<std::size_t>(width > 1 ? width - 1 : 0));
        // A narrower buffer holds the start of what a wider one holds.
        FUZZ_CHECK(wider.compare(0, value.size(), value) == 0 || width == 1000);
        wider = value;
    }
}

}  // namespace
}  // namespace ruk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ruk;
    static const WorkingPaths paths = BuildWorkingPaths(fuzz::TempFolder::Path());
    const std::string input(reinterpret_cast<const char*>(data), size);
    fuzz::WriteFile(paths.settings, data, size);
    fuzz::Tail tail{data, size};

    const std::string section = tail.Text(1 + tail.Next() % 8);
    const std::string key = tail.Text(1 + tail.Next() % 8);
    for (const auto& [s, k] : {std::pair<const char*, const char*>{"OPTION", "IMOVE"},
                               {"OPTION", "GUARD"},
                               {"SOLVER", "SELECT"},
                               {"SOLVER", "SOLVER"},
                               {"SOLVER", "TIME"},
                               {"SOLVER", "PLAY"},
                               {section.c_str(), key.c_str()}})
        fuzz::CheckReads(paths.settings, s, k);

    // Loading twice reads the same: whatever a first start writes back reads as it was taken.
    const Options firstOptions = LoadOptions(paths);
    const SolverSettings firstSolver = LoadSolverSettings(paths, SolverKind::OtherProgram);
    const Options againOptions = LoadOptions(paths);
    const SolverSettings againSolver = LoadSolverSettings(paths, SolverKind::Festival);
    FUZZ_CHECK(firstOptions.instantMove == againOptions.instantMove);
    FUZZ_CHECK(firstOptions.guardEnabled == againOptions.guardEnabled);
    FUZZ_CHECK(firstSolver.solverChoice == againSolver.solverChoice);
    FUZZ_CHECK(firstSolver.solverFileName == againSolver.solverFileName);
    FUZZ_CHECK(firstSolver.solverTimeLimit == againSolver.solverTimeLimit);
    FUZZ_CHECK(firstSolver.autoPlayWhenSolved == againSolver.autoPlayWhenSolved);

    // A key of the input's choosing: stored whenever its names can be, and read back.
    const std::string value = tail.Text(tail.Next() % 24);
    const bool storable = fuzz::StorableName(section, false) && fuzz::StorableName(key, true);
    FUZZ_CHECK(WriteProfileString(paths.settings, section.c_str(), key.c_str(), value.c_str()) ==
               storable);
    if (storable)
        FUZZ_CHECK(GetProfileString(paths.settings, section.c_str(), key.c_str(), "", 4096) ==
                   fuzz::ReadBack(value, 4096));

    // New settings, saved and loaded again as they were saved (in the widths they are read in).
    const Options options{(tail.Next() & 1) != 0, (tail.Next() & 1) != 0};
    SolverSettings solver;
    solver.solverChoice = static_cast<SolverKind>(tail.Next() % 9);  // 9 means "never chosen"
    solver.solverFileName = tail.Text(tail.Next() % 110);
    solver.solverTimeLimit = static_cast<int>(tail.Next() * 3'900'000) - 99'999'999;
    solver.autoPlayWhenSolved = static_cast<AutoPlay>(tail.Next() % 10);
    SaveOptions(paths, options);
    SaveSolverSettings(paths, solver);
    const Options loaded = LoadOptions(paths);
    FUZZ_CHECK(loaded.instantMove == options.instantMove);
    FUZZ_CHECK(loaded.guardEnabled == options.guardEnabled);
    const SolverSettings read = LoadSolverSettings(paths, SolverKind::Festival);
    FUZZ_CHECK(read.solverChoice == solver.solverChoice);
    FUZZ_CHECK(read.solverFileName == fuzz::ReadBack(solver.solverFileName, 100));
    FUZZ_CHECK(read.solverTimeLimit == solver.solverTimeLimit);
    FUZZ_CHECK(read.autoPlayWhenSolved == solver.autoPlayWhenSolved);

    std::vector<std::string> written{"IMOVE", "GUARD", "SELECT", "SOLVER", "TIME", "PLAY"};
    if (storable) written.push_back(key);
    fuzz::CheckLinesKept(input, fuzz::ReadAll(paths.settings), written);
    return 0;
}
