// A file level's solutions through the sliding window (see file_solutions.h).
#include "textio/file_solutions.h"

#include "board/level_window.h"
#include "textio/solution_text.h"

namespace ruk {

namespace {

struct FileBytes {
    LevelSet& set;
    int operator()(std::int64_t offset) const { return WindowByteAt(set, offset); }
};

}  // namespace

bool NextFileSolution(LevelSet& set, SolutionCursor& cursor, LetterSink& sink, MoveTextRead& read) {
    read = MoveTextRead{};
    const LevelWindow& w = set.window;
    if (w.readFailed || w.levelEnd < w.levelStart || cursor.taken >= MAX_LEVEL_SOLUTIONS)
        return false;
    FileBytes bytes{set};
    if (cursor.next < 0) {
        // The level's last row ends at its line break (or the file's end).
        cursor.next = solution_text_detail::NextLine(bytes, w.levelEnd + 1);
        if (cursor.next == w.levelEnd + 1) return false;
    }
    const SolutionPlace place =
        FindSolution(bytes, cursor.next, cursor.next + SOLUTION_SCAN_LIMIT, true);
    if (!place.found) return false;
    cursor.next = place.next;
    ++cursor.taken;
    read =
        ExpandMoveRuns(bytes, place.from, place.end, RunMode::SOLUTION, MAX_EXPANDED_MOVES, sink);
    return true;
}

}  // namespace ruk
