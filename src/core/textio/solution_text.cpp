// A level's solution in a plain text (see solution_text.h).
#include "textio/solution_text.h"

namespace ruk {

namespace {

struct TextBytes {
    std::string_view text;
    int operator()(std::int64_t offset) const {
        if (offset < 0 || static_cast<std::uint64_t>(offset) >= text.size()) return -1;
        return static_cast<unsigned char>(text[static_cast<std::size_t>(offset)]);
    }
};

}  // namespace

SolutionPlace FindSolutionInText(std::string_view text) {
    using namespace solution_text_detail;
    TextBytes bytes{text};
    const auto size = static_cast<std::int64_t>(text.size());
    for (std::int64_t line = 0; line < size;) {
        const std::int64_t end = LineEnd(bytes, line);
        if (IsLevelRow(bytes, line, end))
            return FindSolution(bytes, NextLine(bytes, end), size, false);
        line = NextLine(bytes, end);
    }
    return {};
}

bool SolutionLettersInText(std::string_view text, std::string& letters, MoveTextRead& read) {
    letters.clear();
    read = MoveTextRead{};
    const SolutionPlace place = FindSolutionInText(text);
    if (!place.found) return false;
    StringLetterSink sink(letters);
    read = ExpandMoveRuns(TextBytes{text}, place.from, place.end, RunMode::SOLUTION,
                          MAX_EXPANDED_MOVES, sink);
    if (read.error != MoveTextError::NONE) letters.clear();
    return true;
}

}  // namespace ruk
