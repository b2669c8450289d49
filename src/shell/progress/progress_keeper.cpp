// The shown level's progress (see progress_keeper.h).
#include "progress/progress_keeper.h"

#include <filesystem>
#include <string_view>

#include "level_key.h"

namespace ruk {

namespace {

std::string_view Game(const CoreState& core) {
    const MoveHistory& history = core.play.history;
    return {history.text.get(), history.end};
}

bool IsFileLevel(const CoreState& core) {
    return core.level.levelSet.fromFile;
}

std::string Counts(const StoredSolution& solution) {
    return std::to_string(solution.moves) + "/" + std::to_string(solution.pushes);
}

}  // namespace

void ProgressKeeper::Open(const std::string& path, const ProgressStore::Options& options) {
    path_ = path;
    store_.Open(path, options);
}

void ProgressKeeper::LevelShown(const CoreState& core) {
    key_.clear();
    record_ = LevelRecord{};
    storedLetters_.clear();
    storedCursor_ = 0;
    gameStored_ = false;
    offeredEnd_ = offeredMoves_ = offeredPushes_ = 0;
    if (core.level.board.status != LevelStatus::PLAYABLE) return;
    key_ = LevelKey(core.level.board);
    record_ = store_.Load(key_);
}

bool ProgressKeeper::SolutionWaiting(const CoreState& core) const {
    const MoveHistory& history = core.play.history;
    const ResultTotals& totals = core.play.totals;
    if (key_.empty() || !totals.solved || history.end == 0 || history.cursor != history.end)
        return false;
    return history.end != offeredEnd_ || totals.totalMoves != offeredMoves_ ||
           totals.totalPushes != offeredPushes_;
}

bool ProgressKeeper::StoreSolution(const CoreState& core) {
    if (!SolutionWaiting(core)) return false;
    offeredEnd_ = core.play.history.end;
    offeredMoves_ = core.play.totals.totalMoves;
    offeredPushes_ = core.play.totals.totalPushes;
    const bool wasSolved = record_.solved;
    switch (store_.SaveSolution(core.level.board, Game(core))) {
        case SolutionVerdict::IMPROVED:
            writeFault_.clear();
            record_ = store_.Load(key_);
            // The open file's count follows without another pass over the file.
            if (!wasSolved && record_.solved && fileCount_.known && IsFileLevel(core) &&
                countedFile_ == core.level.levelSet.path.data())
                ++fileCount_.solved;
            return true;
        case SolutionVerdict::NOT_WRITTEN:
            writeFault_ = store_.Reason();
            return true;
        case SolutionVerdict::NOT_BETTER:
        case SolutionVerdict::NOT_SOLVED:
            return false;
    }
    return false;
}

void ProgressKeeper::StoreGame(const CoreState& core) {
    if (key_.empty() || store_.State() != ProgressState::READY) return;
    const MoveHistory& history = core.play.history;
    if (history.end == 0) return;
    // A solved game is finished: nothing is left to resume.
    const bool finished = core.play.totals.solved && history.cursor == history.end;
    const std::string_view letters = finished ? std::string_view() : Game(core);
    const std::uint32_t cursor = finished ? 0 : history.cursor;
    if (gameStored_ && cursor == storedCursor_ && letters == storedLetters_) return;
    if (finished && !record_.hasGame && !gameStored_) return;
    if (!store_.SaveGame(key_, letters, cursor)) {
        writeFault_ = store_.Reason();
        return;
    }
    writeFault_.clear();
    storedLetters_.assign(letters);
    storedCursor_ = cursor;
    gameStored_ = true;
    record_.hasGame = !finished;
    record_.gameLetters = storedLetters_;
    record_.gameCursor = cursor;
}

void ProgressKeeper::KeepPlace(const CoreState& core) {
    // The welcome screen or a text level keeps the place stored before.
    const LevelSet& set = core.level.levelSet;
    if (set.fromFile) store_.SaveLastPlace(set.path.data(), set.current);
}

void ProgressKeeper::SetFileCount(const std::string& path, const FileSolvedCount& count) {
    countedFile_ = path;
    fileCount_ = count;
}

std::string ProgressKeeper::FileToCount(const CoreState& core) const {
    if (store_.State() == ProgressState::NONE || !IsFileLevel(core)) return "";
    const char* path = core.level.levelSet.path.data();
    return countedFile_ == path ? "" : path;
}

std::string ProgressKeeper::CaptionNote(const CoreState& core) const {
    std::string note;
    const auto add = [&note](const std::string& part) {
        note += note.empty() ? "  [" : ", ";
        note += part;
    };
    if (!key_.empty() && record_.solved && record_.byMoves.present) {
        std::string solved = "solved " + Counts(record_.byMoves);
        // The best by pushes only when it is another solution.
        if (record_.byPushes.present && record_.byPushes.pushes < record_.byMoves.pushes)
            solved += ", " + Counts(record_.byPushes);
        add(solved);
    }
    if (fileCount_.known && IsFileLevel(core) && countedFile_ == core.level.levelSet.path.data())
        add(std::to_string(fileCount_.solved) + " of " + std::to_string(fileCount_.levels) +
            " solved");
    // Said for the whole session: the player learns where the old progress went.
    if (!store_.SetAside().empty()) {
        add("the damaged progress file was kept as " +
            std::filesystem::path(store_.SetAside()).filename().string() +
            (store_.State() == ProgressState::NONE ? "" : "; a new one was begun"));
    }
    if (store_.State() != ProgressState::READY)
        add(store_.Reason());
    else if (!writeFault_.empty())
        add(writeFault_);
    return note.empty() ? note : note + "]";
}

}  // namespace ruk
