// What the window remembers of the shown level: its record in the progress store, the solution
// stored once the level is solved on screen, the game stored when it is left, and the line the
// caption shows about it. No Qt: the window calls it after the events that matter.
//
// Writes run on a writer thread (see progress_writer.h); their answers wait until the owner's
// thread takes them (TakeAnswers), after the wake callback has said that some are ready. Reads
// run at once on a connection of the caller's own, and read no long move string until one is
// asked for.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "file_solved_count.h"
#include "level_record.h"
#include "progress_keeping/progress_writer.h"
#include "progress_store.h"
#include "records/core_state.h"

namespace ruk {

class ProgressKeeper {
  public:
    ProgressKeeper() = default;
    // Every write posted is done before it goes.
    ~ProgressKeeper() { Close(); }
    ProgressKeeper(const ProgressKeeper&) = delete;
    ProgressKeeper& operator=(const ProgressKeeper&) = delete;

    // Opens the store at path; "" (no data folder) leaves the player with no progress memory.
    void Open(const std::string& path, const ProgressStore::Options& options = {});
    const std::string& Path() const { return path_; }
    ProgressState State() const { return store_.State(); }
    // Called on the writer's thread whenever an answer is ready for TakeAnswers.
    void SetWake(std::function<void()> wake);
    // Applies the writer's answers; true when the record or the caption's note may have changed.
    bool TakeAnswers();
    // Waits for every write posted so far, then takes the answers (tests, and closing).
    bool Flush();
    // Every write posted is done and the store closed (its log folded back into the file);
    // nothing is kept after this.
    void Close();

    // A level has been shown (any load, or Play after an edit): its record is read, on the
    // writer's thread behind the writes posted before; Record() is empty until it answers.
    void LevelShown(const CoreState& core);

    // True when the shown position is a solved game's end that has not been offered to the
    // store yet: cheap enough for the animation's timer, which must not write.
    bool SolutionWaiting(const CoreState& core) const;
    // Takes the shown solution when SolutionWaiting (true then), and offers every solution not
    // stored yet, of any level, to the store. A solution whose write fails is offered again at
    // each later call until it is stored.
    bool StoreSolution(const CoreState& core);
    // Solutions taken and not stored yet.
    std::size_t PendingSolutions() const { return pending_.size(); }

    // The game as it stands, kept as the level's unfinished game: on leaving the level, on
    // closing and every few seconds. An empty game (a level only looked at) leaves a stored one
    // alone; a solved game clears it. Writes only what changed since the last write.
    void StoreGame(const CoreState& core);

    // The file level shown when the player last closed, and keeping the one shown now.
    std::optional<LastPlace> LastPlaceShown() { return store_.LoadLastPlace(); }
    void KeepPlace(const CoreState& core);
    // Whether the level of key (any level, shown or not) has an unfinished game kept.
    bool GameKeptFor(const std::string& key);

    // The shown level's record without letters; empty when no level is shown or the store
    // could not read it.
    const LevelRecord& Record() const { return record_; }
    bool HasLevel() const { return !key_.empty(); }
    // The letters themselves, read when asked for: the kept game (the one just written when
    // its write has not run yet), and a best solution ("" when none).
    std::optional<KeptGame> GameToResume();
    std::string BestLetters(bool byPushes);

    // The shown level's record read once more, behind the writes posted before: solutions may
    // have reached the store from elsewhere (its file's, on the count's thread).
    void RereadRecord();

    // The solved count of the open file, counted elsewhere (see file_solved_count.h) for path.
    void SetFileCount(const std::string& path, const FileSolvedCount& count);
    // The open file's path when its solved count is needed and not known yet (or a solve has
    // landed while it was being counted); "" otherwise.
    std::string FileToCount(const CoreState& core) const;

    // "12 of 155 solved" for the shown level's file once counted; "" otherwise.
    std::string FileSolvedNote(const CoreState& core) const;

    // What the caption shows after its own text: "  [solved 97/230, 12 of 155 solved]", where a
    // damaged file was set aside at opening, the store's one-line reason while it keeps
    // nothing, or "" when there is nothing to say.
    std::string CaptionNote(const CoreState& core) const;

  private:
    // A solution taken from the screen, with what its write needs after its level is left.
    struct PendingSolution {
        int id = 0;
        std::string key;
        std::string file;  // the level file it was solved in; "" for a text level
        Board board;
        std::shared_ptr<const std::string> letters;
        bool posted = false;  // its write is queued and has not answered yet
    };
    // A game posted to the writer and not answered yet: read back from here meanwhile.
    struct PostedGame {
        int id = 0;
        std::shared_ptr<const std::string> letters;
        std::uint32_t cursor = 0;
    };

    void ReadRecord();
    void RecordRead(const LevelRecord& record);
    void OfferPending();
    void Answer(std::function<void()> apply);
    void SolutionAnswered(int id, SolutionVerdict verdict, const std::string& reason,
                          bool wasSolved, const LevelRecord& after);
    void GameAnswered(const std::string& key, int id, bool written, const std::string& reason);
    void Fault(const std::string& reason);
    void Written();

    ProgressStore store_;
    std::string path_;
    std::string key_;
    LevelRecord record_;
    bool recordKnown_ = false;  // the shown level's record has been read
    int shown_ = 0;             // counts the levels shown, so that a late record is dropped
    // The last game posted for the shown level, so that an unchanged game is not written again
    // and a cursor moved alone writes the cursor alone.
    std::shared_ptr<const std::string> storedLetters_;
    std::shared_ptr<bool> lettersWritten_;  // set on the writer's thread once they are written
    std::uint32_t storedCursor_ = 0;
    bool gameStored_ = false;
    std::uint32_t offeredEnd_ = 0;
    std::uint32_t offeredMoves_ = 0;
    std::uint32_t offeredPushes_ = 0;
    std::vector<PendingSolution> pending_;
    std::map<std::string, PostedGame> postedGames_;
    int nextId_ = 1;
    std::string writeFault_;  // the reason of the last failed write, until every one is stored
    std::string countedFile_;
    FileSolvedCount fileCount_;
    // A first solve landed in this file while its count may have been running; the count then
    // given is made once more (recount_).
    std::string solvedWhileCounting_;
    bool recount_ = false;

    std::mutex answersMutex_;
    std::vector<std::function<void()>> answers_;
    std::function<void()> wake_;
    // Last: its thread ends first, before anything an answer reaches.
    ProgressWriter writer_;
};

}  // namespace ruk
