// A file level's solutions offered to the store (see level_solutions_import.h).
#include "level_solutions_import.h"

#include "core_door.h"

namespace ruk {

namespace {

bool Fewer(const SolutionCounts& a, const SolutionCounts& b) {
    return a.moves < b.moves || (a.moves == b.moves && a.pushes < b.pushes);
}

}  // namespace

LevelImport LevelSolutionsImport::Import(CoreState& core, ProgressStore& store) {
    LevelImport result;
    SolutionCursor cursor;
    MoveTextRead read;
    for (;;) {
        letters_.clear();
        StringLetterSink sink(letters_);
        if (!door::NextLevelSolution(core, cursor, sink, read)) break;
        ++result.carried;
        if (read.error != MoveTextError::NONE) {
            ++result.invalid;
            continue;
        }
        // A level read without being shown may not have its status settled yet (a large one):
        // it is settled as showing it would, once a solution asks for it.
        if (door::Status(core) != LevelStatus::PLAYABLE) door::ShowCurrentLevel(core);
        SolutionCounts counts;
        switch (store.SaveSolution(door::ReadBoard(core), letters_, &counts)) {
            case SolutionVerdict::IMPROVED:
                if (result.improved++ == 0 || Fewer(counts, result.best)) result.best = counts;
                break;
            case SolutionVerdict::NOT_BETTER:
                ++result.kept;
                break;
            case SolutionVerdict::NOT_SOLVED:
                ++result.invalid;
                break;
            case SolutionVerdict::NOT_WRITTEN:
                ++result.notWritten;
                break;
        }
    }
    // A long solution's room is not kept for the levels after it.
    if (letters_.capacity() > 64 * 1024) std::string().swap(letters_);
    return result;
}

}  // namespace ruk
