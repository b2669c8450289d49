// The clipboard's text read for Ctrl+V (see pasted_text.h).
#include "clipboard/pasted_text.h"

#include <algorithm>
#include <cctype>

#include "board/cell_code.h"
#include "core_door.h"

namespace ruk {

namespace {

constexpr std::string_view SOLUTION = "solution:";

bool IsBlank(char ch) {
    return ch == ' ' || ch == '\t' || IsLineBreak(ch);
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool IsLevelRow(std::string_view line) {
    return line.find('#') != std::string_view::npos &&
           std::all_of(line.begin(), line.end(),
                       [](char ch) { return CellCodeOf(static_cast<unsigned char>(ch)) >= 0; });
}

bool IsMovesLine(std::string_view line) {
    return !line.empty() && std::all_of(line.begin(), line.end(), door::IsMoveLetter);
}

// The text after a leading "Solution:" (in any case) and the blanks after it; the text itself
// when it does not start so.
std::string_view AfterSolutionWord(std::string_view text) {
    if (text.size() < SOLUTION.size() ||
        !std::equal(SOLUTION.begin(), SOLUTION.end(), text.begin(), [](char a, char b) {
            return a == std::tolower(static_cast<unsigned char>(b));
        }))
        return text;
    return Trimmed(text.substr(SOLUTION.size()));
}

// Cuts the first line (up to CR, LF or CR LF) off text.
std::string_view NextLine(std::string_view& text) {
    std::size_t end = 0;
    while (end < text.size() && !IsLineBreak(text[end])) ++end;
    const std::string_view line = text.substr(0, end);
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
        ++end;
    text.remove_prefix(std::min(end + 1, text.size()));
    return line;
}

// Lines of move letters after the level whose first row has just been read from text, up to a
// blank line after them or the next level: moves written without a "Solution" header.
std::string BareMovesAfterLevel(std::string_view text) {
    std::string moves;
    bool pastRows = false;
    while (!text.empty()) {
        const std::string_view line = Trimmed(NextLine(text));
        if (IsLevelRow(line)) {
            if (pastRows) break;  // the next level
            continue;
        }
        if (line.empty()) {
            if (!moves.empty()) break;
            continue;
        }
        pastRows = true;
        if (IsMovesLine(line))
            moves.append(line);
        else if (!moves.empty())
            break;
    }
    return moves;
}

}  // namespace

PastedText ReadPastedText(std::string_view text) {
    for (std::string_view rest = text; !rest.empty();) {
        if (!IsLevelRow(NextLine(rest))) continue;
        // A "Solution" line is read by the level files' own rules; its moves go on as written,
        // run lengths and all, for URDL Input's reading.
        const SolutionPlace place = FindSolutionInText(text);
        if (!place.found) return {true, BareMovesAfterLevel(rest)};
        const auto from = static_cast<std::size_t>(place.from);
        return {true, std::string(
                          Trimmed(text.substr(from, static_cast<std::size_t>(place.end) - from)))};
    }
    return {false, std::string(AfterSolutionWord(Trimmed(text)))};
}

}  // namespace ruk
