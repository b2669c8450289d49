// The shown level's progress (see progress_keeper.h).
#include "progress_keeping/progress_keeper.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <utility>

#include "level_key.h"

namespace ruk {

namespace {

// How long a read on the caller's thread waits for another program's lock: reads rarely need
// one, and the window must not freeze when they do.
constexpr int READ_BUSY_TIMEOUT_MS = 20;

std::string_view Game(const CoreState& core) {
    const MoveHistory& history = core.game.history;
    return {history.text.get(), history.end};
}

bool IsFileLevel(const CoreState& core) {
    return core.level.levelSet.fromFile;
}

std::string Counts(const StoredSolution& solution) {
    return std::to_string(solution.moves) + "/" + std::to_string(solution.pushes);
}

bool SameLetters(const std::shared_ptr<const std::string>& stored, std::string_view letters) {
    return stored && stored->size() == letters.size() &&
           std::memcmp(stored->data(), letters.data(), letters.size()) == 0;
}

}  // namespace

void ProgressKeeper::Open(const std::string& path, const ProgressStore::Options& options) {
    Close();
    path_ = path;
    store_.Open(path, options);
    if (store_.State() == ProgressState::NONE) return;
    store_.SetBusyTimeout(READ_BUSY_TIMEOUT_MS);
    if (store_.State() == ProgressState::READY) writer_.Start(path, options);
}

void ProgressKeeper::SetWake(std::function<void()> wake) {
    const std::lock_guard<std::mutex> lock(answersMutex_);
    wake_ = std::move(wake);
}

void ProgressKeeper::Answer(std::function<void()> apply) {
    std::function<void()> wake;
    {
        const std::lock_guard<std::mutex> lock(answersMutex_);
        answers_.push_back(std::move(apply));
        wake = wake_;
    }
    if (wake) wake();
}

bool ProgressKeeper::TakeAnswers() {
    std::vector<std::function<void()>> answers;
    {
        const std::lock_guard<std::mutex> lock(answersMutex_);
        answers.swap(answers_);
    }
    for (const std::function<void()>& apply : answers) apply();
    return !answers.empty();
}

bool ProgressKeeper::Flush() {
    writer_.WaitIdle();
    return TakeAnswers();
}

void ProgressKeeper::Close() {
    // The last solutions get one more chance.
    OfferPending();
    writer_.Finish();
    TakeAnswers();
    store_.Close();
}

void ProgressKeeper::LevelShown(const CoreState& core) {
    key_.clear();
    record_ = LevelRecord{};
    recordKnown_ = false;
    ++shown_;
    storedLetters_.reset();
    storedCursor_ = 0;
    gameStored_ = false;
    offeredEnd_ = offeredMoves_ = offeredPushes_ = 0;
    if (core.level.board.status != LevelStatus::PLAYABLE) return;
    key_ = LevelKey(core.level.board);
    ReadRecord();
}

void ProgressKeeper::RereadRecord() {
    if (!key_.empty()) ReadRecord();
}

void ProgressKeeper::ReadRecord() {
    if (!writer_.Running()) {
        RecordRead(store_.LoadSummary(key_));
        return;
    }
    // Read behind the writes posted before, so that it sees them; a row holding a very long
    // game is read whole by SQLite to be found, which must not hold the window.
    writer_.Post([this, key = key_, shown = shown_](ProgressStore& store) {
        const LevelRecord record = store.LoadSummary(key);
        Answer([this, shown, record] {
            if (shown == shown_) RecordRead(record);
        });
    });
}

void ProgressKeeper::RecordRead(const LevelRecord& record) {
    // A game posted since the level was shown is newer than the row read.
    const bool hasGame = record_.hasGame;
    record_ = record;
    recordKnown_ = true;
    const auto posted = postedGames_.find(key_);
    if (gameStored_)
        record_.hasGame = hasGame;
    else if (posted != postedGames_.end())
        record_.hasGame = !posted->second.letters->empty();
}

bool ProgressKeeper::SolutionWaiting(const CoreState& core) const {
    const MoveHistory& history = core.game.history;
    const ResultTotals& totals = core.game.totals;
    if (key_.empty() || !totals.solved || history.end == 0 || history.cursor != history.end)
        return false;
    return history.end != offeredEnd_ || totals.totalMoves != offeredMoves_ ||
           totals.totalPushes != offeredPushes_;
}

bool ProgressKeeper::StoreSolution(const CoreState& core) {
    const bool taken = SolutionWaiting(core);
    if (taken) {
        offeredEnd_ = core.game.history.end;
        offeredMoves_ = core.game.totals.totalMoves;
        offeredPushes_ = core.game.totals.totalPushes;
    }
    if (taken && writer_.Running()) {
        PendingSolution solution;
        solution.id = nextId_++;
        solution.key = key_;
        if (IsFileLevel(core)) solution.file = core.level.levelSet.path.data();
        solution.board = core.level.board;
        solution.letters = std::make_shared<const std::string>(Game(core));
        pending_.push_back(std::move(solution));
    }
    OfferPending();
    return taken;
}

void ProgressKeeper::OfferPending() {
    for (PendingSolution& solution : pending_) {
        if (solution.posted || !writer_.Running()) continue;
        solution.posted = true;
        writer_.Post([this, id = solution.id, key = solution.key, board = solution.board,
                      letters = solution.letters](ProgressStore& store) {
            const bool wasSolved = store.LoadSummary(key).solved;
            const SolutionVerdict verdict = store.SaveSolution(board, *letters);
            const LevelRecord after =
                verdict == SolutionVerdict::IMPROVED ? store.LoadSummary(key) : LevelRecord{};
            Answer([this, id, verdict, reason = store.Reason(), wasSolved, after] {
                SolutionAnswered(id, verdict, reason, wasSolved, after);
            });
        });
    }
}

void ProgressKeeper::SolutionAnswered(int id, SolutionVerdict verdict, const std::string& reason,
                                      bool wasSolved, const LevelRecord& after) {
    const auto solution = std::find_if(pending_.begin(), pending_.end(),
                                       [id](const PendingSolution& one) { return one.id == id; });
    if (solution == pending_.end()) return;
    solution->posted = false;
    if (verdict == SolutionVerdict::NOT_WRITTEN) {
        // Kept for the next chance: a full disk may be freed, a lock let go.
        Fault(reason);
        return;
    }
    const PendingSolution done = std::move(*solution);
    pending_.erase(solution);
    Written();
    if (verdict != SolutionVerdict::IMPROVED) return;
    if (done.key == key_) {
        const bool hasGame = record_.hasGame;
        record_ = after;
        record_.hasGame = hasGame;
    }
    // The open file's count follows without another pass over the file; a pass that may have
    // run before this write is made once more.
    if (wasSolved || !after.solved || done.file.empty()) return;
    if (done.file == countedFile_ && fileCount_.known && !recount_)
        ++fileCount_.solved;
    else
        solvedWhileCounting_ = done.file;
}

void ProgressKeeper::StoreGame(const CoreState& core) {
    if (key_.empty() || !writer_.Running()) return;
    const MoveHistory& history = core.game.history;
    if (history.end == 0) return;
    // A solved game is finished: nothing is left to resume.
    const bool finished = core.game.totals.solved && history.cursor == history.end;
    const std::string_view letters = finished ? std::string_view() : Game(core);
    const std::uint32_t cursor = finished ? 0 : history.cursor;
    if (finished && recordKnown_ && !record_.hasGame && !gameStored_) return;
    const bool sameLetters = gameStored_ && SameLetters(storedLetters_, letters);
    if (sameLetters && cursor == storedCursor_) return;

    const int id = nextId_++;
    if (!sameLetters) {
        storedLetters_ = std::make_shared<const std::string>(letters);
        lettersWritten_ = std::make_shared<bool>(false);
    }
    storedCursor_ = cursor;
    gameStored_ = true;
    record_.hasGame = !finished;
    postedGames_[key_] = PostedGame{id, storedLetters_, cursor};
    // A cursor moved alone (Undo, Redo) does not send the letters again, unless their own write
    // failed. Both jobs run on the writer's thread, one after the other, and share the flag.
    const bool cursorOnly = sameLetters && !letters.empty();
    writer_.Post([this, key = key_, id, cursorOnly, letters = storedLetters_, cursor,
                  written = lettersWritten_](ProgressStore& store) {
        bool ok = cursorOnly && *written && store.SaveGameCursor(key, cursor);
        if (!ok) ok = *written = store.SaveGame(key, *letters, cursor);
        Answer([this, key, id, ok, reason = store.Reason()] { GameAnswered(key, id, ok, reason); });
    });
}

void ProgressKeeper::GameAnswered(const std::string& key, int id, bool written,
                                  const std::string& reason) {
    const auto posted = postedGames_.find(key);
    const bool latest = posted != postedGames_.end() && posted->second.id == id;
    if (latest) postedGames_.erase(posted);
    if (written) {
        Written();
        return;
    }
    Fault(reason);
    // Written again at the next chance while the level is shown.
    if (key == key_) gameStored_ = false;
}

void ProgressKeeper::Fault(const std::string& reason) {
    writeFault_ = reason.empty() ? "progress not saved" : reason;
}

void ProgressKeeper::Written() {
    if (pending_.empty()) writeFault_.clear();
}

void ProgressKeeper::KeepPlace(const CoreState& core) {
    // The welcome screen or a text level keeps the place stored before.
    const LevelSet& set = core.level.levelSet;
    if (!set.fromFile) return;
    writer_.Post([file = std::string(set.path.data()), level = set.current](ProgressStore& store) {
        store.SaveLastPlace(file, level);
    });
}

bool ProgressKeeper::GameKeptFor(const std::string& key) {
    if (key.empty() || store_.State() == ProgressState::NONE) return false;
    // A game posted and not written yet is the one kept.
    const auto posted = postedGames_.find(key);
    if (posted != postedGames_.end()) return !posted->second.letters->empty();
    return store_.LoadSummary(key).hasGame;
}

std::optional<KeptGame> ProgressKeeper::GameToResume() {
    if (key_.empty() || (recordKnown_ && !record_.hasGame)) return std::nullopt;
    const auto posted = postedGames_.find(key_);
    KeptGame game = posted != postedGames_.end()
                        ? KeptGame{*posted->second.letters, posted->second.cursor}
                        : store_.LoadGame(key_);
    if (game.letters.empty()) return std::nullopt;
    return game;
}

std::string ProgressKeeper::BestLetters(bool byPushes) {
    return key_.empty() ? "" : store_.LoadBestLetters(key_, byPushes);
}

void ProgressKeeper::SetFileCount(const std::string& path, const FileSolvedCount& count) {
    recount_ = solvedWhileCounting_ == path;
    if (recount_) solvedWhileCounting_.clear();
    countedFile_ = path;
    fileCount_ = count;
}

std::string ProgressKeeper::FileToCount(const CoreState& core) const {
    if (store_.State() == ProgressState::NONE || !IsFileLevel(core)) return "";
    const char* path = core.level.levelSet.path.data();
    return countedFile_ == path && !recount_ ? "" : path;
}

std::string ProgressKeeper::FileSolvedNote(const CoreState& core) const {
    if (!fileCount_.known || !IsFileLevel(core) || countedFile_ != core.level.levelSet.path.data())
        return "";
    return std::to_string(fileCount_.solved) + " of " + std::to_string(fileCount_.levels) +
           " solved";
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
    if (const std::string fileNote = FileSolvedNote(core); !fileNote.empty()) add(fileNote);
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
