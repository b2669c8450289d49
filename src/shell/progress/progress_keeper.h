// What the window remembers of the shown level: its record in the progress store, the solution
// stored once the level is solved on screen, the game stored when it is left, and the line the
// caption shows about it. No Qt: the window calls it after the events that matter.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core_state.h"
#include "file_solved_count.h"
#include "level_record.h"
#include "progress_store.h"

namespace ruk {

class ProgressKeeper {
  public:
    // Opens the store at path; "" (no data folder) leaves the player with no progress memory.
    void Open(const std::string& path, const ProgressStore::Options& options = {});
    const std::string& Path() const { return path_; }
    ProgressState State() const { return store_.State(); }

    // A level has been shown (any load, or Play after an edit): its record is read.
    void LevelShown(const CoreState& core);

    // True when the shown position is a solved game's end that has not been offered to the
    // store yet: cheap enough for the animation's timer, which must not write.
    bool SolutionWaiting(const CoreState& core) const;
    // Offers the game to the store when SolutionWaiting; true when the record changed.
    bool StoreSolution(const CoreState& core);

    // The game as it stands, kept as the level's unfinished game: on leaving the level, on
    // closing and every few seconds. An empty game (a level only looked at) leaves a stored one
    // alone; a solved game clears it. Writes only what changed since the last write.
    void StoreGame(const CoreState& core);

    // The file level shown when the player last closed, and keeping the one shown now.
    std::optional<LastPlace> LastPlaceShown() { return store_.LoadLastPlace(); }
    void KeepPlace(const CoreState& core);

    // The shown level's record; empty when no level is shown or the store could not read it.
    const LevelRecord& Record() const { return record_; }
    bool HasLevel() const { return !key_.empty(); }

    // The solved count of the open file, counted elsewhere (see file_solved_count.h) for path.
    void SetFileCount(const std::string& path, const FileSolvedCount& count);
    // The open file's path when its solved count is needed and not known yet; "" otherwise.
    std::string FileToCount(const CoreState& core) const;

    // What the caption shows after its own text: "  [solved 97/230, 12 of 155 solved]", where a
    // damaged file was set aside at opening, the store's one-line reason while it keeps
    // nothing, or "" when there is nothing to say.
    std::string CaptionNote(const CoreState& core) const;

  private:
    ProgressStore store_;
    std::string path_;
    std::string key_;
    LevelRecord record_;
    // The last game and solution written, so that an unchanged game is not written again.
    std::string storedLetters_;
    std::uint32_t storedCursor_ = 0;
    bool gameStored_ = false;
    std::uint32_t offeredEnd_ = 0;
    std::uint32_t offeredMoves_ = 0;
    std::uint32_t offeredPushes_ = 0;
    std::string writeFault_;  // the reason of the last failed write, until one succeeds
    std::string countedFile_;
    FileSolvedCount fileCount_;
};

}  // namespace ruk
