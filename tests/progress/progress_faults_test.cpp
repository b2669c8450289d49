// Bad progress files and failing disks: the store says why it keeps no progress, or opens a
// fresh file with the damaged one set aside, and never loses or breaks what was stored.
#include <gtest/gtest.h>
#include <sched.h>
#include <sqlite3.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "level_key.h"
#include "progress_store.h"
#include "progress_test_util.h"
#include "test_files.h"

namespace ruk::test {
namespace {

namespace fs = std::filesystem;

// A store holding the room's two bests, closed again.
void StoreRoom(const std::string& path) {
    ProgressStore store;
    ASSERT_EQ(store.Open(path), ProgressState::READY) << store.Reason();
    const Board board = BoardOf(ROOM);
    ASSERT_EQ(store.SaveSolution(board, ROOM_BY_MOVES), SolutionVerdict::IMPROVED);
    ASSERT_EQ(store.SaveSolution(board, ROOM_BY_PUSHES), SolutionVerdict::IMPROVED);
}

void ExpectRoomKept(ProgressStore& store) {
    const LevelRecord record = store.Load(LevelKey(BoardOf(ROOM)));
    EXPECT_TRUE(record.solved);
    EXPECT_EQ(record.byMoves.letters, ROOM_BY_MOVES);
    EXPECT_EQ(record.byPushes.letters, ROOM_BY_PUSHES);
}

// Every call on a store without progress memory answers, and writes nothing.
void ExpectHarmless(ProgressStore& store) {
    const Board board = BoardOf(ROOM);
    EXPECT_FALSE(store.Load(LevelKey(board)).solved);
    EXPECT_EQ(store.SaveSolution(board, ROOM_BY_MOVES), SolutionVerdict::NOT_WRITTEN);
    EXPECT_FALSE(store.SaveGame(LevelKey(board), "l", 1));
    EXPECT_EQ(store.CountSolved({LevelKey(board)}), -1);
    EXPECT_FALSE(store.Reason().empty());
    EXPECT_EQ(store.Reason().find('\n'), std::string::npos);
}

TEST(ProgressFaultsTest, AMissingOrEmptyFileStartsAFreshStore) {
    TempDir dir;
    for (const std::string& path :
         {dir.Path("a/b/c/progress.sqlite"), dir.Write("empty.sqlite", "")}) {
        {
            ProgressStore store;
            ASSERT_EQ(store.Open(path), ProgressState::READY) << path << ": " << store.Reason();
            EXPECT_TRUE(store.Reason().empty());
            EXPECT_TRUE(store.SetAside().empty());
        }
        StoreRoom(path);
        ProgressStore store;
        ASSERT_EQ(store.Open(path), ProgressState::READY);
        ExpectRoomKept(store);
    }
    // A folder made for the store is the user's alone.
    EXPECT_EQ(fs::status(dir.Path("a/b/c")).permissions() & fs::perms::all, fs::perms::owner_all);
}

TEST(ProgressFaultsTest, AFolderThatCannotBeMadeMeansNoProgressMemory) {
    TempDir dir;
    const std::string file = dir.Write("plain-file", "not a folder");
    ProgressStore store;
    EXPECT_EQ(store.Open(file + "/ruk/progress.sqlite"), ProgressState::NONE);
    EXPECT_NE(store.Reason().find("cannot create"), std::string::npos) << store.Reason();
    ExpectHarmless(store);
    ProgressStore nowhere;
    EXPECT_EQ(nowhere.Open(""), ProgressState::NONE);
    ExpectHarmless(nowhere);
    ProgressStore folder;  // the path names a folder
    EXPECT_EQ(folder.Open(dir.Path("")), ProgressState::NONE);
    ExpectHarmless(folder);
    ProgressStore closed;  // never opened
    ExpectHarmless(closed);
}

// Random bytes, and a sound header over damaged pages: the file is moved aside unchanged and a
// fresh store takes its place.
TEST(ProgressFaultsTest, ADamagedFileIsSetAsideNotOverwritten) {
    TempDir dir;
    std::mt19937 rng(19);
    std::string noise(9000, '\0');
    for (char& byte : noise) byte = static_cast<char>(rng());
    const std::string noisy = dir.Write("noise.sqlite", noise);

    const std::string broken = dir.Path("broken.sqlite");
    StoreRoom(broken);
    {
        // Enough rows for the table to span several pages, then the pages after the first
        // scrambled.
        ProgressStore store;
        ASSERT_EQ(store.Open(broken), ProgressState::READY);
        for (int i = 0; i < 200; ++i) {
            ASSERT_TRUE(store.SaveGame("key" + std::to_string(i), std::string(100, 'u'), 3));
        }
    }
    std::string bytes = ReadWholeFile(broken);
    ASSERT_GT(bytes.size(), 8192u);
    for (std::size_t i = 4096; i < bytes.size(); i += 7) bytes[i] = static_cast<char>(rng());
    dir.Write("broken.sqlite", bytes);

    for (const auto& [path, original] : {std::pair{noisy, noise}, std::pair{broken, bytes}}) {
        ProgressStore store;
        ASSERT_EQ(store.Open(path), ProgressState::READY) << store.Reason();
        ASSERT_FALSE(store.SetAside().empty());
        EXPECT_EQ(ReadWholeFile(store.SetAside()), original);
        EXPECT_EQ(store.SaveSolution(BoardOf(ROOM), ROOM_BY_MOVES), SolutionVerdict::IMPROVED);
        // Opened for reading only, a damaged file is left where it is.
        dir.Write("copy.sqlite", original);
        ProgressStore reader;
        EXPECT_EQ(reader.Open(dir.Path("copy.sqlite"), {.readOnly = true}), ProgressState::NONE);
        ExpectHarmless(reader);
        EXPECT_EQ(ReadWholeFile(dir.Path("copy.sqlite")), original);
    }
}

// Runs sql on the file at path with a connection of its own.
void RunSql(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    sqlite3_close(db);
}

// Another program's database (a table of its own, a level table of another shape, a version
// and no tables) is refused; a file of a newer version is read. Neither is written: not a
// table, not the log, not the version.
TEST(ProgressFaultsTest, AFileThatIsNotOursToWriteIsLeftByteForByte) {
    TempDir dir;
    for (const char* sql : {"CREATE TABLE users (name TEXT); INSERT INTO users VALUES ('x')",
                            "CREATE TABLE level (name TEXT); INSERT INTO level VALUES ('x')",
                            "PRAGMA user_version=5"}) {
        const std::string path = dir.Path("other.sqlite");
        fs::remove(path);
        RunSql(path, sql);
        const std::string before = ReadWholeFile(path);
        ProgressStore store;
        EXPECT_EQ(store.Open(path), ProgressState::NONE) << sql;
        EXPECT_EQ(store.Reason(), "no progress memory: the progress file is not RUK's") << sql;
        ExpectHarmless(store);
        store.Close();
        EXPECT_TRUE(ReadWholeFile(path) == before) << sql;
        EXPECT_FALSE(fs::exists(path + "-wal")) << sql;
        EXPECT_TRUE(store.SetAside().empty());
    }

    const std::string path = dir.Path("newer.sqlite");
    StoreRoom(path);
    RunSql(path, "PRAGMA journal_mode=DELETE; PRAGMA user_version=7");
    const std::string before = ReadWholeFile(path);
    {
        ProgressStore store;
        ASSERT_EQ(store.Open(path), ProgressState::READ_ONLY) << store.Reason();
        EXPECT_EQ(store.Reason(), "progress not saved: the progress file is from a newer version");
        ExpectRoomKept(store);
        EXPECT_EQ(store.SaveSolution(BoardOf(ROOM), ROOM_BY_MOVES), SolutionVerdict::NOT_WRITTEN);
        EXPECT_FALSE(store.SaveLastPlace("a.sok", 1));
    }
    EXPECT_TRUE(ReadWholeFile(path) == before);
    EXPECT_FALSE(fs::exists(path + "-wal"));
}

// A read-only file, and a file in a folder that cannot be written (where SQLite cannot make
// the log's index): the solutions already there are shown, nothing is written. Root writes
// whatever the bits say, so for root both run as another user.
TEST(ProgressFaultsTest, AReadOnlyStoreIsReadButNotWritten) {
    TempDir dir;
    const std::string path = dir.Path("progress.sqlite");
    StoreRoom(path);
    const Board board = BoardOf(ROOM);
    const auto expectReadOnly = [&board](const std::string& file,
                                         const ProgressStore::Options& options) {
        ProgressStore store;
        ASSERT_EQ(store.Open(file, options), ProgressState::READ_ONLY) << store.Reason();
        EXPECT_EQ(store.Reason(), "progress not saved: the progress file is read-only");
        ExpectRoomKept(store);
        EXPECT_EQ(store.SaveSolution(board, ROOM_BY_MOVES), SolutionVerdict::NOT_WRITTEN);
        EXPECT_FALSE(store.SaveGame(LevelKey(board), "l", 1));
        EXPECT_EQ(store.CountSolved({LevelKey(board)}), 1);
    };
    expectReadOnly(path, {.readOnly = true});

    // The file's own permission, in a folder anyone may write.
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    ASSERT_EQ(chmod(dir.Path("").c_str(), 0777), 0);
    ChildRun run = RunUnprivileged([&] { expectReadOnly(path, {}); });
    if (run == ChildRun::UNAVAILABLE) GTEST_SKIP() << "root, and cannot become another user";
    EXPECT_EQ(run, ChildRun::PASSED) << "a read-only file (the child's lines are above)";

    // A writable file in the log's mode, in a folder that cannot be written.
    const std::string inFolder = dir.Path("data/progress.sqlite");
    StoreRoom(inFolder);
    ASSERT_EQ(chmod(dir.Path("data").c_str(), 0555), 0);
    run = RunUnprivileged([&] { expectReadOnly(inFolder, {}); });
    EXPECT_EQ(run, ChildRun::PASSED) << "a read-only folder (the child's lines are above)";
    const fs::directory_iterator data(dir.Path("data"));
    EXPECT_EQ(std::distance(fs::begin(data), fs::end(data)), 1) << "nothing is made beside it";
    chmod(dir.Path("data").c_str(), 0755);  // for the folder's removal by an ordinary user
}

// Another program holds the write lock past the wait: the write fails and says so, reading
// goes on, and once the lock goes writing works again.
TEST(ProgressFaultsTest, ALockedStoreRefusesTheWriteAndKeepsWhatItHolds) {
    TempDir dir;
    const std::string path = dir.Path("progress.sqlite");
    StoreRoom(path);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);

    ProgressStore store;
    ASSERT_EQ(store.Open(path, {.busyTimeoutMs = 50}), ProgressState::READY) << store.Reason();
    const Board board = BoardOf("#######\n#@ $ .#\n#######");
    EXPECT_EQ(store.SaveSolution(board, "rRR"), SolutionVerdict::NOT_WRITTEN);
    EXPECT_NE(store.Reason().find("another program"), std::string::npos) << store.Reason();
    EXPECT_FALSE(store.SaveGame(LevelKey(board), "r", 1));
    ExpectRoomKept(store);

    ASSERT_EQ(sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(other);
    EXPECT_EQ(store.SaveSolution(board, "rRR"), SolutionVerdict::IMPROVED);
    ExpectRoomKept(store);
}

// A file locked whole by a program that does not use the log: no progress memory while the
// lock lasts, everything there once it is gone.
TEST(ProgressFaultsTest, AFileLockedAtOpenMeansNoProgressMemoryUntilItIsFree) {
    TempDir dir;
    const std::string path = dir.Path("progress.sqlite");
    StoreRoom(path);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    {
        ProgressStore store;
        EXPECT_EQ(store.Open(path, {.busyTimeoutMs = 50}), ProgressState::NONE);
        EXPECT_NE(store.Reason().find("another program"), std::string::npos) << store.Reason();
        EXPECT_TRUE(store.SetAside().empty());
        ExpectHarmless(store);
    }
    ASSERT_EQ(sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(other);
    ProgressStore store;
    ASSERT_EQ(store.Open(path), ProgressState::READY) << store.Reason();
    ExpectRoomKept(store);
}

// A full disk, as a file that may not grow: the write that does not fit fails whole, and every
// write before it is still there after reopening.
TEST(ProgressFaultsTest, AFullDiskLosesOnlyTheWriteThatDidNotFit) {
    TempDir dir;
    const std::string path = dir.Path("progress.sqlite");
    StoreRoom(path);
    ProgressStore store;
    ASSERT_EQ(store.Open(path, {.maxPageCount = 12}), ProgressState::READY) << store.Reason();
    int written = 0;
    while (written < 1000 && store.SaveGame("key" + std::to_string(written), std::string(500, 'r'),
                                            static_cast<std::uint32_t>(written % 500))) {
        ++written;
    }
    ASSERT_LT(written, 1000);
    EXPECT_NE(store.Reason().find("disk is full"), std::string::npos) << store.Reason();
    const Board board = BoardOf("#######\n#@ $ .#\n#######");
    EXPECT_EQ(store.SaveSolution(board, "rRR" + std::string(0, ' ')), SolutionVerdict::IMPROVED)
        << "a small row still fits: " << store.Reason();
    store.Close();

    ProgressStore reopened;
    ASSERT_EQ(reopened.Open(path), ProgressState::READY) << reopened.Reason();
    ExpectRoomKept(reopened);
    for (int i = 0; i < written; ++i) {
        const LevelRecord record = reopened.Load("key" + std::to_string(i));
        ASSERT_TRUE(record.hasGame) << i;
        EXPECT_EQ(record.gameLetters, std::string(500, 'r'));
        EXPECT_EQ(record.gameCursor, static_cast<std::uint32_t>(i % 500));
    }
    EXPECT_FALSE(reopened.Load("key" + std::to_string(written)).hasGame);
}

// Fills the disk holding folder, but for about free bytes.
void FillDisk(const std::string& folder, std::uintmax_t free) {
    const std::string fill = folder + "/fill";
    {
        std::ofstream out(fill, std::ios::binary);
        const std::string page(4096, 'x');
        while (out.write(page.data(), static_cast<std::streamsize>(page.size())) && out.flush()) {
        }
    }
    const std::uintmax_t size = fs::file_size(fill);
    fs::resize_file(fill, size > free ? size - free : 0);
}

// The disk is full when the store is made: whichever step finds no room (the file, its log,
// the log's index, the tables), the player is told the disk is full, and a file left behind
// is made afresh once there is room.
TEST(ProgressFaultsTest, AFullDiskAtStartIsSaidSo) {
    TempDir dir;
    const std::string path = dir.Path("ruk/progress.sqlite");
    {
        ProgressStore store;
        EXPECT_EQ(store.Open(path, {.maxPageCount = 1}), ProgressState::NONE);
        EXPECT_EQ(store.Reason(), "no progress memory: the disk is full");
    }
    StoreRoom(path);

    // A real small disk, mounted in a child of its own mount namespace.
    const std::string disk = dir.Path("disk");
    fs::create_directory(disk);
    const ChildRun run = RunInChild(
        [&disk] {
            return unshare(CLONE_NEWNS) == 0 &&
                   mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                   mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=256k") == 0;
        },
        [&disk] {
            for (std::uintmax_t free = 0; free <= 16 * 4096; free += 4096) {
                for (const auto& entry : fs::directory_iterator(disk)) fs::remove_all(entry);
                FillDisk(disk, free);
                ProgressStore store;
                if (store.Open(disk + "/ruk/progress.sqlite") == ProgressState::READY) continue;
                EXPECT_EQ(store.Reason(), "no progress memory: the disk is full") << free;
            }
        });
    if (run == ChildRun::UNAVAILABLE) GTEST_SKIP() << "no small disk can be mounted here";
    EXPECT_EQ(run, ChildRun::PASSED) << "the child's lines are above";
}

}  // namespace
}  // namespace ruk::test
