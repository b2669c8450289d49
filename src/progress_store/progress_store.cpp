// The progress store on SQLite (see progress_store.h).
#include "progress_store.h"

#include <sqlite3.h>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <unordered_set>

#include "engine/move_letters.h"
#include "level_key.h"
#include "sql_statement.h"

namespace ruk {
namespace {

namespace fs = std::filesystem;

constexpr std::int64_t SCHEMA_VERSION = 1;

// One row per level. A best solution's four columns are written together in one statement,
// so a row never holds one solution's counts with another's letters.
constexpr const char* CREATE_SCHEMA =
    "CREATE TABLE IF NOT EXISTS level ("
    " key TEXT PRIMARY KEY NOT NULL,"
    " solved INTEGER NOT NULL DEFAULT 0,"
    " solved_changed INTEGER NOT NULL DEFAULT 0,"
    " by_moves_moves INTEGER, by_moves_pushes INTEGER, by_moves_letters TEXT,"
    " by_moves_changed INTEGER NOT NULL DEFAULT 0,"
    " by_pushes_moves INTEGER, by_pushes_pushes INTEGER, by_pushes_letters TEXT,"
    " by_pushes_changed INTEGER NOT NULL DEFAULT 0,"
    " game_letters TEXT, game_cursor INTEGER,"
    " game_changed INTEGER NOT NULL DEFAULT 0"
    ") WITHOUT ROWID;"
    // The file level shown when the player last closed: one row at most.
    "CREATE TABLE IF NOT EXISTS last_place ("
    " id INTEGER PRIMARY KEY CHECK (id = 1),"
    " file TEXT NOT NULL, level INTEGER NOT NULL)";

constexpr const char* LOAD_RECORD =
    "SELECT solved, solved_changed,"
    " by_moves_moves, by_moves_pushes, by_moves_letters, by_moves_changed,"
    " by_pushes_moves, by_pushes_pushes, by_pushes_letters, by_pushes_changed,"
    " game_letters, game_cursor, game_changed FROM level WHERE key = ?";

// Whether each letters column holds letters, from the row's header (typeof() does not load a
// value), so that no long move string is copied out.
#define RUK_SUMMARY_COLUMNS                                                                    \
    "solved, solved_changed, by_moves_moves, by_moves_pushes,"                                 \
    " typeof(by_moves_letters) = 'text', by_moves_changed, by_pushes_moves, by_pushes_pushes," \
    " typeof(by_pushes_letters) = 'text', by_pushes_changed, typeof(game_letters) = 'text'"
constexpr const char* LOAD_SUMMARY = "SELECT " RUK_SUMMARY_COLUMNS " FROM level WHERE key = ?";
// The summaries of many keys: the key follows the summary's columns.
constexpr const char* LOAD_SUMMARIES =
    "SELECT " RUK_SUMMARY_COLUMNS ", key FROM level WHERE key IN (";
constexpr int SUMMARY_KEY_COLUMN = 11;
#undef RUK_SUMMARY_COLUMNS

// Keys bound to one query at most; far under SQLite's own limit on parameters.
constexpr std::size_t KEYS_PER_QUERY = 500;

// A record without letters from a row of the summary columns.
LevelRecord SummaryOfRow(const SqlStatement& row) {
    LevelRecord record;
    record.solved = row.Int(0) != 0;
    record.solvedChanged = row.Int(1);
    for (StoredSolution* best : {&record.byMoves, &record.byPushes}) {
        const int first = best == &record.byMoves ? 2 : 6;
        best->present = row.Int(first + 2) != 0;
        if (!best->present) continue;
        best->moves = static_cast<std::uint32_t>(row.Int(first));
        best->pushes = static_cast<std::uint32_t>(row.Int(first + 1));
        best->changed = row.Int(first + 3);
    }
    record.hasGame = row.Int(10) != 0;
    return record;
}

ChangeTime Now() {
    return static_cast<ChangeTime>(std::time(nullptr));
}

// The cause of a failed call, for a line after the caption.
std::string Cause(int code) {
    switch (code & 0xff) {
        case SQLITE_FULL:
            return "the disk is full";
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return "another program holds the progress file";
        case SQLITE_READONLY:
            return "the progress file is read-only";
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            return "the progress file is damaged";
        case SQLITE_IOERR:
            return "the progress file cannot be written";
        case SQLITE_CANTOPEN:
            return "the progress file cannot be opened";
        case SQLITE_PERM:
            return "the progress file may not be used";
        default:
            return sqlite3_errstr(code);
    }
}

// The cause of a failed call on db: a step that found no room on the disk says so, whatever code
// SQLite gave it (a log index that cannot grow is an I/O error, a file that cannot be made is
// one that cannot be opened).
std::string CauseOf(sqlite3* db, int code) {
    const int kind = code & 0xff;
    const bool osCall = kind == SQLITE_FULL || kind == SQLITE_IOERR || kind == SQLITE_CANTOPEN;
    const int error = db && osCall ? sqlite3_system_errno(db) : 0;
    return error == ENOSPC || error == EDQUOT ? Cause(SQLITE_FULL) : Cause(code);
}

bool IsDamage(int code) {
    return (code & 0xff) == SQLITE_CORRUPT || (code & 0xff) == SQLITE_NOTADB;
}

int Exec(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

StoredSolution ReadSolution(const SqlStatement& row, int first) {
    StoredSolution solution;
    solution.present = !row.IsNull(first + 2);
    if (!solution.present) return solution;
    solution.moves = static_cast<std::uint32_t>(row.Int(first));
    solution.pushes = static_cast<std::uint32_t>(row.Int(first + 1));
    solution.letters = row.Text(first + 2);
    solution.changed = row.Int(first + 3);
    return solution;
}

// A cursor past the letters (a row written by hand) is put at their end.
std::uint32_t ClampedCursor(std::int64_t cursor, std::size_t length) {
    if (cursor < 0) return 0;
    return static_cast<std::uint32_t>(
        std::min<std::uint64_t>(static_cast<std::uint64_t>(cursor), length));
}

// Renames path (and its write-ahead log and shared-memory index, which belong to it) out of
// the way; the new name, or "" when the file itself could not be moved.
std::string SetFileAside(const std::string& path) {
    const std::string suffix = ".damaged-" + std::to_string(Now());
    std::string target = path + suffix;
    std::error_code ec;
    for (int n = 2; fs::exists(target, ec) && n < 100; ++n) {
        target = path + suffix + "-" + std::to_string(n);
    }
    fs::rename(path, target, ec);
    if (ec) return "";
    for (const char* part : {"-wal", "-shm"}) {
        const std::string from = path + part;
        if (fs::exists(from, ec)) fs::rename(from, target + part, ec);
    }
    return target;
}

// SQLITE_ROW when the whole file reads as sound, SQLITE_CORRUPT when it does not, or the code
// of the failed read.
int QuickCheck(sqlite3* db) {
    SqlStatement check(db, "PRAGMA quick_check");
    const int rc = check.prepared() == SQLITE_OK ? check.Step() : check.prepared();
    return rc == SQLITE_ROW && check.Text(0) != "ok" ? SQLITE_CORRUPT : rc;
}

// What a file holds, read before anything is written to it.
enum class FileKind {
    FRESH,   // no tables and no version: RUK's to set up
    RUKS,    // RUK's level table, of this version or an older one
    NEWER,   // RUK's level table, of a newer version: read, never written
    OTHERS,  // anything else: some other program's, left alone
};

// The kind of the file open on db; rc is SQLITE_OK or the failed read's code.
FileKind KindOf(sqlite3* db, int& rc) {
    std::int64_t objects = 0;
    std::int64_t version = 0;
    {
        SqlStatement count(db, "SELECT count(*) FROM sqlite_master");
        rc = count.Step();
        if (rc == SQLITE_ROW) objects = count.Int(0);
    }
    if (rc == SQLITE_ROW) {
        SqlStatement read(db, "PRAGMA user_version");
        rc = read.Step();
        if (rc == SQLITE_ROW) version = read.Int(0);
    }
    if (rc != SQLITE_ROW) return FileKind::OTHERS;
    rc = SQLITE_OK;
    if (objects == 0) return version == 0 ? FileKind::FRESH : FileKind::OTHERS;
    // The level table must have every column read later; a table of another shape is not ours.
    bool hasLevel = false;
    {
        SqlStatement table(
            db, "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'level'");
        hasLevel = table.Step() == SQLITE_ROW && table.Int(0) > 0;
    }
    if (!hasLevel || version < 0 || SqlStatement(db, LOAD_RECORD).prepared() != SQLITE_OK)
        return FileKind::OTHERS;
    return version > SCHEMA_VERSION ? FileKind::NEWER : FileKind::RUKS;
}

// A log-mode file whose folder cannot be written: SQLite cannot make the log's index beside it,
// so even reading fails.
bool IndexCannotBeMade(sqlite3* db, int code, const std::string& path) {
    const int extended = sqlite3_extended_errcode(db);
    const bool indexFault = extended == SQLITE_READONLY_DIRECTORY ||
                            extended == SQLITE_READONLY_CANTINIT ||
                            extended == SQLITE_IOERR_SHMOPEN || (code & 0xff) == SQLITE_CANTOPEN;
    std::string folder = fs::path(path).parent_path().string();
    if (folder.empty()) folder = ".";
    return indexFault && access(folder.c_str(), W_OK) != 0;
}

// path as a URI that opens it as a file nobody changes while it is open: read without the log's
// index, and without locks.
std::string ImmutableUri(const std::string& path) {
    std::error_code ec;
    const std::string whole = fs::absolute(path, ec).string();
    std::string uri = "file:";
    for (const char c : whole.empty() ? path : whole) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
            (byte >= '0' && byte <= '9') || c == '/' || c == '.' || c == '_' || c == '-') {
            uri += c;
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", byte);
            uri += hex;
        }
    }
    return uri + "?immutable=1";
}

}  // namespace

ProgressStore::ProgressStore() = default;

ProgressStore::~ProgressStore() {
    Close();
}

void ProgressStore::Close() {
    Drop();
    reason_ = "no progress memory: not opened";
}

void ProgressStore::Drop() {
    if (db_) sqlite3_close_v2(db_);
    db_ = nullptr;
    state_ = ProgressState::NONE;
}

bool ProgressStore::Fail(const char* what, int code) {
    reason_ = std::string(what) + ": " + CauseOf(db_, code);
    return false;
}

ProgressState ProgressStore::Open(const std::string& path, const Options& options) {
    Close();
    setAside_.clear();
    if (path.empty()) {
        reason_ = "no progress memory: no home folder";
        return state_;
    }
    const fs::path folder = fs::path(path).parent_path();
    std::error_code ec;
    if (!folder.empty() && !fs::is_directory(folder, ec)) {
        fs::create_directories(folder, ec);
        if (ec == std::errc::no_space_on_device) {
            reason_ = "no progress memory: the disk is full";
            return state_;
        }
        if (!fs::is_directory(folder, ec)) {
            reason_ = "no progress memory: cannot create " + folder.string();
            return state_;
        }
        // The user's own data: a folder made here is private to them.
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace, ec);
    }
    bool damaged = false;
    OpenFile(path, options, damaged);
    if (!damaged) return state_;

    // Kept under another name rather than overwritten: it may still hold solutions that a
    // repair tool can read.
    Close();
    if (options.readOnly) {
        reason_ = "no progress memory: the progress file is damaged";
        return state_;
    }
    setAside_ = SetFileAside(path);
    if (setAside_.empty()) {
        reason_ = "no progress memory: the progress file is damaged and cannot be moved";
        return state_;
    }
    OpenFile(path, options, damaged);
    if (damaged) {
        Close();
        reason_ = "no progress memory: the progress file is damaged";
    }
    return state_;
}

int ProgressStore::Connect(const std::string& name, int flags, const Options& options) {
    Drop();
    const int rc = sqlite3_open_v2(name.c_str(), &db_, flags, nullptr);
    if (!db_) return rc;
    sqlite3_busy_timeout(db_, options.busyTimeoutMs);
    // Nothing is written, not even a checkpoint on closing, until the file is known to be RUK's
    // and writable (see SetUp).
    Exec(db_, "PRAGMA query_only=1");
    sqlite3_db_config(db_, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    return rc;
}

void ProgressStore::FailOpen(int code) {
    reason_ = "no progress memory: " + CauseOf(db_, code);
    Drop();
}

ProgressState ProgressStore::OpenFile(const std::string& path, const Options& options,
                                      bool& damaged) {
    damaged = false;
    bool readOnly = options.readOnly;
    int rc =
        Connect(path, readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                options);
    if (rc != SQLITE_OK && !readOnly) {
        // Said by the first try: the second's cause (most often a missing file) would hide it.
        const std::string cause = CauseOf(db_, rc);
        readOnly = true;
        rc = Connect(path, SQLITE_OPEN_READONLY, options);
        if (rc != SQLITE_OK) {
            Drop();
            reason_ = "no progress memory: " + cause;
            return state_;
        }
    }
    if (rc != SQLITE_OK) {
        FailOpen(rc);
        return state_;
    }
    readOnly = readOnly || sqlite3_db_readonly(db_, "main") == 1;

    rc = QuickCheck(db_);
    bool immutable = false;
    if (rc != SQLITE_ROW && !IsDamage(rc) && IndexCannotBeMade(db_, rc, path)) {
        // Nobody can write it beside its folder either, so it is read as a file that does not
        // change.
        immutable = readOnly = true;
        rc = Connect(ImmutableUri(path), SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, options);
        if (rc == SQLITE_OK) rc = QuickCheck(db_);
    }
    if (IsDamage(rc)) {
        // Read without locks, a file being written may look damaged: it is never set aside.
        if (!immutable) {
            damaged = true;
            return state_;
        }
        reason_ = "no progress memory: the progress file is damaged";
        Drop();
        return state_;
    }
    if (rc != SQLITE_ROW) {
        FailOpen(rc);
        return state_;
    }

    // Decided from what the file holds, before anything is written to it.
    const FileKind kind = KindOf(db_, rc);
    if (rc != SQLITE_OK) {
        FailOpen(rc);
        return state_;
    }
    if (kind == FileKind::OTHERS) {
        reason_ = "no progress memory: the progress file is not RUK's";
        Drop();
        return state_;
    }
    if (kind == FileKind::NEWER) {
        state_ = ProgressState::READ_ONLY;
        reason_ = "progress not saved: the progress file is from a newer version";
        return state_;
    }
    if (kind == FileKind::FRESH && readOnly) {
        reason_ = "no progress memory: the progress file is read-only";
        Drop();
        return state_;
    }
    if (!readOnly) {
        rc = SetUp(kind == FileKind::FRESH, options);
        if ((rc & 0xff) == SQLITE_READONLY) {
            readOnly = true;
        } else if (rc != SQLITE_OK) {
            return state_;
        }
    }
    state_ = readOnly ? ProgressState::READ_ONLY : ProgressState::READY;
    reason_ = readOnly ? "progress not saved: the progress file is read-only" : "";
    return state_;
}

int ProgressStore::SetUp(bool fresh, const Options& options) {
    Exec(db_, "PRAGMA query_only=0");
    sqlite3_db_config(db_, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 0, nullptr);
    if (options.maxPageCount > 0) {
        Exec(db_, ("PRAGMA max_page_count=" + std::to_string(options.maxPageCount)).c_str());
    }
    // The log lets one player read while another writes; NORMAL syncing keeps the file sound on
    // a crash and loses at most the last few writes on a power cut.
    Exec(db_, "PRAGMA journal_mode=WAL");
    Exec(db_, "PRAGMA synchronous=NORMAL");
    const std::string version = "PRAGMA user_version=" + std::to_string(SCHEMA_VERSION);
    int rc = SQLITE_OK;
    if (fresh) {
        // Tables and version in one transaction: a file that could not be set up stays fresh.
        rc = Exec(db_, "BEGIN IMMEDIATE");
        if (rc == SQLITE_OK) rc = Exec(db_, CREATE_SCHEMA);
        if (rc == SQLITE_OK) rc = Exec(db_, version.c_str());
        if (rc == SQLITE_OK) rc = Exec(db_, "COMMIT");
    } else {
        // A file of an older version gets the tables it lacks; one without a version, ours.
        rc = Exec(db_, CREATE_SCHEMA);
        std::int64_t stored = -1;
        if (rc == SQLITE_OK) {
            SqlStatement read(db_, "PRAGMA user_version");
            if (read.Step() == SQLITE_ROW) stored = read.Int(0);
        }
        if (stored == 0) Exec(db_, version.c_str());
    }
    if (rc == SQLITE_OK) return rc;
    // Said before the rollback, which may leave other causes behind.
    const std::string cause = CauseOf(db_, rc);
    Exec(db_, "ROLLBACK");
    if ((rc & 0xff) == SQLITE_READONLY) {
        Exec(db_, "PRAGMA query_only=1");
        return rc;
    }
    reason_ = "no progress memory: " + cause;
    Drop();
    return rc;
}

LevelRecord ProgressStore::Load(const std::string& key) {
    LevelRecord record;
    if (state_ == ProgressState::NONE) return record;
    SqlStatement row(db_, LOAD_RECORD);
    row.Bind(1, key);
    const int rc = row.Step();
    if (rc == SQLITE_DONE) return record;
    if (rc != SQLITE_ROW) {
        Fail("progress not read", rc);
        return record;
    }
    record.solved = row.Int(0) != 0;
    record.solvedChanged = row.Int(1);
    record.byMoves = ReadSolution(row, 2);
    record.byPushes = ReadSolution(row, 6);
    record.hasGame = !row.IsNull(10);
    if (record.hasGame) {
        record.gameLetters = row.Text(10);
        record.gameCursor = ClampedCursor(row.Int(11), record.gameLetters.size());
        record.gameChanged = row.Int(12);
    }
    return record;
}

LevelRecord ProgressStore::LoadSummary(const std::string& key) {
    LevelRecord record;
    if (state_ == ProgressState::NONE) return record;
    SqlStatement row(db_, LOAD_SUMMARY);
    row.Bind(1, key);
    const int rc = row.Step();
    if (rc != SQLITE_ROW) {
        if (rc != SQLITE_DONE) Fail("progress not read", rc);
        return record;
    }
    return SummaryOfRow(row);
}

KeptGame ProgressStore::LoadGame(const std::string& key) {
    KeptGame game;
    if (state_ == ProgressState::NONE) return game;
    SqlStatement row(db_, "SELECT game_letters, game_cursor FROM level WHERE key = ?");
    row.Bind(1, key);
    const int rc = row.Step();
    if (rc != SQLITE_ROW) {
        if (rc != SQLITE_DONE) Fail("progress not read", rc);
        return game;
    }
    game.letters = row.Text(0);
    game.cursor = ClampedCursor(row.Int(1), game.letters.size());
    return game;
}

std::string ProgressStore::LoadBestLetters(const std::string& key, bool byPushes) {
    if (state_ == ProgressState::NONE) return "";
    SqlStatement row(db_, byPushes ? "SELECT by_pushes_letters FROM level WHERE key = ?"
                                   : "SELECT by_moves_letters FROM level WHERE key = ?");
    row.Bind(1, key);
    const int rc = row.Step();
    if (rc == SQLITE_ROW) return row.IsNull(0) ? "" : row.Text(0);
    if (rc != SQLITE_DONE) Fail("progress not read", rc);
    return "";
}

SolutionVerdict ProgressStore::SaveSolution(const Board& board, std::string_view moves,
                                            SolutionCounts* counts) {
    const std::optional<ReplayedSolution> solution = replay_.Check(board, moves);
    if (!solution) return SolutionVerdict::NOT_SOLVED;
    if (counts) *counts = SolutionCounts{solution->moveCount, solution->pushCount};
    if (state_ != ProgressState::READY) return SolutionVerdict::NOT_WRITTEN;
    const std::string key = LevelKey(board);

    // IMMEDIATE takes the write lock before reading, so another player's solution lands either
    // wholly before this comparison or wholly after this write.
    int rc = Exec(db_, "BEGIN IMMEDIATE");
    if (rc != SQLITE_OK) {
        Fail("solution not saved", rc);
        return SolutionVerdict::NOT_WRITTEN;
    }
    bool solved = false;
    bool hasByMoves = false;
    bool hasByPushes = false;
    std::int64_t mMoves = 0, mPushes = 0, pMoves = 0, pPushes = 0;
    {
        SqlStatement row(db_,
                         "SELECT solved, by_moves_letters IS NOT NULL, by_moves_moves,"
                         " by_moves_pushes, by_pushes_letters IS NOT NULL, by_pushes_moves,"
                         " by_pushes_pushes FROM level WHERE key = ?");
        row.Bind(1, key);
        rc = row.Step();
        if (rc == SQLITE_ROW) {
            solved = row.Int(0) != 0;
            hasByMoves = row.Int(1) != 0;
            mMoves = row.Int(2);
            mPushes = row.Int(3);
            hasByPushes = row.Int(4) != 0;
            pMoves = row.Int(5);
            pPushes = row.Int(6);
        }
    }
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
        Exec(db_, "ROLLBACK");
        Fail("solution not saved", rc);
        return SolutionVerdict::NOT_WRITTEN;
    }
    const std::int64_t moveCount = solution->moveCount;
    const std::int64_t pushCount = solution->pushCount;
    const bool betterByMoves =
        !hasByMoves || moveCount < mMoves || (moveCount == mMoves && pushCount < mPushes);
    const bool betterByPushes =
        !hasByPushes || pushCount < pPushes || (pushCount == pPushes && moveCount < pMoves);
    if (solved && !betterByMoves && !betterByPushes) {
        Exec(db_, "ROLLBACK");
        return SolutionVerdict::NOT_BETTER;
    }

    const ChangeTime now = Now();
    SqlStatement insert(db_, "INSERT INTO level (key) VALUES (?) ON CONFLICT (key) DO NOTHING");
    insert.Bind(1, key);
    rc = insert.Step();
    if (rc == SQLITE_DONE && !solved) {
        SqlStatement mark(db_, "UPDATE level SET solved = 1, solved_changed = ? WHERE key = ?");
        mark.Bind(1, now);
        mark.Bind(2, key);
        rc = mark.Step();
    }
    for (const bool byMoves : {true, false}) {
        if (rc != SQLITE_DONE || !(byMoves ? betterByMoves : betterByPushes)) continue;
        SqlStatement write(db_, byMoves
                                    ? "UPDATE level SET by_moves_moves = ?, by_moves_pushes = ?,"
                                      " by_moves_letters = ?, by_moves_changed = ?"
                                      " WHERE key = ?"
                                    : "UPDATE level SET by_pushes_moves = ?,"
                                      " by_pushes_pushes = ?, by_pushes_letters = ?,"
                                      " by_pushes_changed = ? WHERE key = ?");
        write.Bind(1, moveCount);
        write.Bind(2, pushCount);
        write.Bind(3, solution->moves);
        write.Bind(4, now);
        write.Bind(5, key);
        rc = write.Step();
    }
    if (rc == SQLITE_DONE) rc = Exec(db_, "COMMIT");
    if (rc != SQLITE_OK) {
        Exec(db_, "ROLLBACK");
        Fail("solution not saved", rc);
        return SolutionVerdict::NOT_WRITTEN;
    }
    return SolutionVerdict::IMPROVED;
}

bool ProgressStore::SaveGame(const std::string& key, std::string_view letters,
                             std::uint32_t cursor) {
    if (cursor > letters.size()) return false;
    for (const char letter : letters) {
        if (!IsMoveLetter(letter)) return false;
    }
    if (state_ != ProgressState::READY) return false;
    SqlStatement write(db_,
                       "INSERT INTO level (key, game_letters, game_cursor, game_changed)"
                       " VALUES (?1, ?2, ?3, ?4) ON CONFLICT (key) DO UPDATE SET"
                       " game_letters = ?2, game_cursor = ?3, game_changed = ?4");
    write.Bind(1, key);
    if (letters.empty()) {
        write.BindNull(2);
        write.BindNull(3);
    } else {
        write.Bind(2, letters);
        write.Bind(3, static_cast<std::int64_t>(cursor));
    }
    write.Bind(4, Now());
    const int rc = write.Step();
    if (rc != SQLITE_DONE) return Fail("game not saved", rc);
    return true;
}

bool ProgressStore::SaveGameCursor(const std::string& key, std::uint32_t cursor) {
    if (state_ != ProgressState::READY) return false;
    // The letters are not sent again; the caller knows the cursor lies within them.
    SqlStatement write(db_,
                       "UPDATE level SET game_cursor = ?1, game_changed = ?2 WHERE key = ?3"
                       " AND game_letters IS NOT NULL");
    write.Bind(1, static_cast<std::int64_t>(cursor));
    write.Bind(2, Now());
    write.Bind(3, key);
    const int rc = write.Step();
    if (rc != SQLITE_DONE) return Fail("game not saved", rc);
    return sqlite3_changes(db_) == 1;
}

void ProgressStore::SetBusyTimeout(int ms) {
    if (db_) sqlite3_busy_timeout(db_, ms);
}

bool ProgressStore::SaveLastPlace(const std::string& file, int level) {
    if (state_ != ProgressState::READY || file.empty() || level < 1) return false;
    SqlStatement write(db_,
                       "INSERT INTO last_place (id, file, level) VALUES (1, ?1, ?2)"
                       " ON CONFLICT (id) DO UPDATE SET file = ?1, level = ?2");
    write.Bind(1, file);
    write.Bind(2, static_cast<std::int64_t>(level));
    const int rc = write.Step();
    if (rc != SQLITE_DONE) return Fail("place not saved", rc);
    return true;
}

std::optional<LastPlace> ProgressStore::LoadLastPlace() {
    if (state_ == ProgressState::NONE) return std::nullopt;
    // A read-only file from before the table existed simply has no place.
    SqlStatement row(db_, "SELECT file, level FROM last_place WHERE id = 1");
    if (row.prepared() != SQLITE_OK || row.Step() != SQLITE_ROW) return std::nullopt;
    LastPlace place{row.Text(0), 0};
    const std::int64_t level = row.Int(1);
    if (place.file.empty() || level < 1 || level > 0x7fffffff) return std::nullopt;
    place.level = static_cast<int>(level);
    return place;
}

bool ProgressStore::QueryKeys(const char* select, const std::vector<std::string>& keys,
                              const std::function<void(const SqlStatement&)>& onRow) {
    for (std::size_t first = 0; first < keys.size(); first += KEYS_PER_QUERY) {
        const std::size_t count = std::min(KEYS_PER_QUERY, keys.size() - first);
        std::string sql = select;
        for (std::size_t i = 0; i < count; ++i) sql += i == 0 ? "?" : ",?";
        sql += ")";
        SqlStatement query(db_, sql.c_str());
        for (std::size_t i = 0; i < count; ++i) {
            query.Bind(static_cast<int>(i + 1), keys[first + i]);
        }
        int rc;
        while ((rc = query.Step()) == SQLITE_ROW) onRow(query);
        if (rc != SQLITE_DONE) return Fail("progress not read", rc);
    }
    return true;
}

std::optional<std::vector<bool>> ProgressStore::SolvedOf(const std::vector<std::string>& keys) {
    if (state_ == ProgressState::NONE) return std::nullopt;
    std::unordered_set<std::string> solved;
    if (!QueryKeys("SELECT key FROM level WHERE solved = 1 AND key IN (", keys,
                   [&](const SqlStatement& row) { solved.insert(row.Text(0)); }))
        return std::nullopt;
    std::vector<bool> result(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) result[i] = solved.count(keys[i]) != 0;
    return result;
}

std::optional<std::vector<LevelRecord>> ProgressStore::SummariesOf(
    const std::vector<std::string>& keys) {
    if (state_ == ProgressState::NONE) return std::nullopt;
    std::unordered_map<std::string, LevelRecord> found;
    if (!QueryKeys(LOAD_SUMMARIES, keys, [&](const SqlStatement& row) {
            found.emplace(row.Text(SUMMARY_KEY_COLUMN), SummaryOfRow(row));
        }))
        return std::nullopt;
    std::vector<LevelRecord> result(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const auto at = found.find(keys[i]);
        if (at != found.end()) result[i] = at->second;
    }
    return result;
}

int ProgressStore::CountSolved(const std::vector<std::string>& keys) {
    const std::optional<std::vector<bool>> solved = SolvedOf(keys);
    if (!solved) return -1;
    int count = 0;
    for (const bool one : *solved) count += one ? 1 : 0;
    return count;
}

}  // namespace ruk
