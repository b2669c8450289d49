// The progress store: per level (known by its key, see level_key.h) whether it is solved, its
// best solutions and the last unfinished game, in one SQLite file shared by every running
// player. Nothing here throws; a store that cannot be used says why in one line, and stored
// progress is never deleted: a damaged file is set aside under another name. One store is used
// from one thread at a time; every player process opens its own.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "board/board.h"
#include "level_record.h"
#include "solution_replay.h"

struct sqlite3;

namespace ruk {

class SqlStatement;

enum class ProgressState {
    NONE,       // no progress memory: Reason() says why
    READ_ONLY,  // records are read, nothing is written: Reason() says why
    READY,
};

enum class SolutionVerdict {
    IMPROVED,     // a new best by moves or by pushes (or the first solution)
    NOT_BETTER,   // solved, but both stored bests are at least as good
    NOT_SOLVED,   // the letters do not solve the level from its start: nothing written
    NOT_WRITTEN,  // the store is not writable or the write failed: Reason() says why
};

// A solution's counts, as its replay from the level's start gives them.
struct SolutionCounts {
    std::uint32_t moves = 0;
    std::uint32_t pushes = 0;
};

// A level's unfinished game as kept: the whole move string and the cursor.
struct KeptGame {
    std::string letters;
    std::uint32_t cursor = 0;
};

// The file level shown when the player last closed.
struct LastPlace {
    std::string file;
    int level = 0;
};

class ProgressStore {
  public:
    struct Options {
        // How long a write waits for another player's write to end.
        int busyTimeoutMs = 2000;
        // When above 0, the file may not grow past this many pages (a full disk, for tests).
        std::int64_t maxPageCount = 0;
        // Opens for reading only, as a file without write permission is opened.
        bool readOnly = false;
    };

    ProgressStore();
    ~ProgressStore();
    ProgressStore(const ProgressStore&) = delete;
    ProgressStore& operator=(const ProgressStore&) = delete;

    // Opens path, creating its folder and the file when missing; a file that is not a sound
    // database is renamed to path + ".damaged-<seconds>" (see SetAside()) and a fresh one made.
    // Returns State(); a store already open is closed first.
    ProgressState Open(const std::string& path, const Options& options);
    ProgressState Open(const std::string& path) { return Open(path, Options{}); }
    void Close();

    ProgressState State() const { return state_; }
    // One line on why progress is not kept (NONE, READ_ONLY) or why the last write failed; "".
    const std::string& Reason() const { return reason_; }
    // Where a damaged file was set aside at Open; "" when none was.
    const std::string& SetAside() const { return setAside_; }

    // The record of a level; an empty record when it has none or the read failed (Reason()).
    LevelRecord Load(const std::string& key);
    // The record without any letters (the bests' counts and whether a game is kept), so that a
    // level with a long kept game is shown as fast as any other.
    LevelRecord LoadSummary(const std::string& key);
    // The kept game's letters and cursor, or a best solution's letters; empty when none.
    KeptGame LoadGame(const std::string& key);
    std::string LoadBestLetters(const std::string& key, bool byPushes);

    // Stores moves as a solution of board when it replays as solved from the level's start
    // and beats a stored best. Both bests are compared inside one write transaction, so two
    // players storing solutions of one level at once keep the better of each. counts, when
    // given, receives the replay's counts of a solution that solves.
    SolutionVerdict SaveSolution(const Board& board, std::string_view moves,
                                 SolutionCounts* counts = nullptr);

    // The unfinished game of a level: the whole move string and the cursor (cursor at most
    // its length, letters udlrUDLR only); empty letters clear it. False when not written.
    bool SaveGame(const std::string& key, std::string_view letters, std::uint32_t cursor);
    // Moves the cursor of the kept game, whose letters stay (the cursor must lie within them);
    // false when not written or no game is kept.
    bool SaveGameCursor(const std::string& key, std::uint32_t cursor);

    // How long a call waits for another player's write to end, from now on.
    void SetBusyTimeout(int ms);

    // The place the reopen key goes back to; written on closing. False when not written.
    bool SaveLastPlace(const std::string& file, int level);
    std::optional<LastPlace> LoadLastPlace();

    // Per key, whether that level is solved, in one query; nothing when the read failed.
    std::optional<std::vector<bool>> SolvedOf(const std::vector<std::string>& keys);
    // Per key, its summary as LoadSummary reads it (an empty record for a key the store does not
    // hold), in a few queries; nothing when the read failed.
    std::optional<std::vector<LevelRecord>> SummariesOf(const std::vector<std::string>& keys);
    // How many of the keys are solved; -1 when the read failed.
    int CountSolved(const std::vector<std::string>& keys);

  private:
    ProgressState OpenFile(const std::string& path, const Options& options, bool& damaged);
    // Opens name (a path or a URI) in place of any open connection, writing nothing yet.
    int Connect(const std::string& name, int flags, const Options& options);
    // Makes the open file RUK's to write: the log, and the tables and version it lacks. The code
    // of the failed step (the store then closed, Reason() saying why), SQLITE_READONLY when the
    // file turns out read-only, or SQLITE_OK.
    int SetUp(bool fresh, const Options& options);
    void FailOpen(int code);
    // Closes the connection, keeping the reason.
    void Drop();
    bool Fail(const char* what, int code);
    // Runs select (a query ending in "key IN (") over keys, a few hundred at a time, calling
    // onRow for every row found; false, with Reason() saying why, when a query failed.
    bool QueryKeys(const char* select, const std::vector<std::string>& keys,
                   const std::function<void(const SqlStatement&)>& onRow);

    sqlite3* db_ = nullptr;
    ProgressState state_ = ProgressState::NONE;
    std::string reason_ = "no progress memory: not opened";
    std::string setAside_;
    SolutionReplay replay_;
};

}  // namespace ruk
