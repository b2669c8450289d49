// Bad progress files and failing disks: the store says why it keeps no progress, or opens a
// fresh file with the damaged one set aside, and never loses or breaks what was stored.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
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

// A sound database whose level table has another shape is refused, untouched.
TEST(ProgressFaultsTest, AnotherProgramsDatabaseIsLeftAlone) {
    TempDir dir;
    const std::string path = dir.Path("progress.sqlite");
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "CREATE TABLE level (name TEXT); INSERT INTO level VALUES ('x')",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(other);
    const std::string before = ReadWholeFile(path);
    ProgressStore store;
    EXPECT_EQ(store.Open(path), ProgressState::NONE);
    EXPECT_NE(store.Reason().find("not RUK's"), std::string::npos) << store.Reason();
    ExpectHarmless(store);
    store.Close();
    EXPECT_TRUE(ReadWholeFile(path) == before);
    EXPECT_TRUE(store.SetAside().empty());
}

TEST(ProgressFaultsTest, AReadOnlyStoreIsReadButNotWritten) {
    TempDir dir;
    const std::string path = dir.Path("progress.sqlite");
    StoreRoom(path);
    ProgressStore store;
    ASSERT_EQ(store.Open(path, {.readOnly = true}), ProgressState::READ_ONLY) << store.Reason();
    EXPECT_NE(store.Reason().find("read-only"), std::string::npos) << store.Reason();
    ExpectRoomKept(store);
    const Board board = BoardOf(ROOM);
    EXPECT_EQ(store.SaveSolution(board, ROOM_BY_MOVES), SolutionVerdict::NOT_WRITTEN);
    EXPECT_FALSE(store.SaveGame(LevelKey(board), "l", 1));
    EXPECT_EQ(store.CountSolved({LevelKey(board)}), 1);

    // The file's own permission; root writes whatever the bits say.
    if (geteuid() == 0) return;
    store.Close();
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    ProgressStore file;
    EXPECT_EQ(file.Open(path), ProgressState::READ_ONLY) << file.Reason();
    ExpectRoomKept(file);
    EXPECT_EQ(file.SaveSolution(board, ROOM_BY_MOVES), SolutionVerdict::NOT_WRITTEN);
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

}  // namespace
}  // namespace ruk::test
