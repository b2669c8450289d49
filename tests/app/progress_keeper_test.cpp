// The shown level's progress without a window: a solution kept once the game shows it solved,
// kept games, one record per level however it is loaded, and the caption's note.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <atomic>
#include <filesystem>

#include "core_door.h"
#include "file_level_keys.h"
#include "level_key.h"
#include "progress/progress_test_util.h"
#include "progress_keeping/progress_keeper.h"
#include "test_files.h"

namespace ruk::test {
namespace {

void Settle(CoreState& core) {
    for (int tick = 0; tick < 100000 && core.view.animMode != AnimMode::IDLE; ++tick) {
        WindowRequests requests;
        door::StepTick(core, requests);
    }
}

// Letters typed in at the cursor and replayed to their end, as URDL Input and Redo do.
void Play(CoreState& core, const std::string& letters) {
    if (!letters.empty()) {
        ASSERT_TRUE(door::ImportMoves(core, letters.c_str()));
    }
    for (int i = 0; i < 1000 && core.game.history.cursor < core.game.history.end; ++i) {
        WindowRequests requests;
        door::Redo(core, requests);
        Settle(core);
    }
}

struct KeeperTest : ::testing::Test {
    TempDir dir;
    Core core;
    ProgressKeeper keeper;
    CoreState& S() { return *core.state; }
    void SetUp() override { keeper.Open(dir.Path("data/progress.sqlite")); }
    void ShowText(const std::string& text) {
        ASSERT_TRUE(door::LoadText(S(), text.c_str()));
        keeper.LevelShown(S());
        keeper.Flush();
    }
    void ShowFile(const std::string& path, int n) {
        ASSERT_TRUE(door::ShowFileLevel(S(), path.c_str(), n));
        keeper.LevelShown(S());
        keeper.Flush();
    }
};

TEST_F(KeeperTest, SolvedLeftAndBackTheBestsAreThereAndAWorseOneChangesNothing) {
    ASSERT_EQ(keeper.State(), ProgressState::READY);
    ShowText(ROOM);
    EXPECT_EQ(keeper.CaptionNote(S()), "");
    // Typed in but not yet shown solved: nothing is kept.
    ASSERT_TRUE(door::ImportMoves(S(), ROOM_BY_PUSHES.c_str()));
    EXPECT_FALSE(keeper.SolutionWaiting(S()));
    Play(S(), "");
    ASSERT_TRUE(keeper.SolutionWaiting(S()));
    EXPECT_TRUE(keeper.StoreSolution(S()));
    EXPECT_FALSE(keeper.SolutionWaiting(S())) << "offered once";
    EXPECT_TRUE(keeper.Flush());
    EXPECT_EQ(keeper.CaptionNote(S()), "  [solved 16/4]");

    ShowText("#####\n#@$.#\n#####");
    EXPECT_FALSE(keeper.Record().solved);
    ShowText(ROOM);
    Play(S(), ROOM_BY_MOVES);
    EXPECT_TRUE(keeper.StoreSolution(S()));
    keeper.Flush();
    EXPECT_EQ(keeper.CaptionNote(S()), "  [solved 14/6, 16/4]");

    // A longer way round: solved, but neither best changes.
    ShowText(ROOM);
    Play(S(), "rl" + ROOM_BY_MOVES);
    EXPECT_TRUE(keeper.StoreSolution(S()));
    keeper.Flush();
    EXPECT_EQ(keeper.PendingSolutions(), 0u);
    ShowText(ROOM);
    EXPECT_TRUE(keeper.Record().solved);
    EXPECT_EQ(keeper.BestLetters(false), ROOM_BY_MOVES);
    EXPECT_EQ(keeper.BestLetters(true), ROOM_BY_PUSHES);
}

TEST_F(KeeperTest, AGameIsKeptOnLeavingAndALookDoesNotEraseIt) {
    ShowText(ROOM);
    Play(S(), "lllu");
    // Kept once whole; after Undo only its cursor is written, its letters stay.
    keeper.StoreGame(S());
    keeper.Flush();
    WindowRequests requests;
    door::Undo(S(), requests);
    Settle(S());
    const std::uint32_t cursor = S().game.history.cursor;
    ASSERT_LT(cursor, 4u);
    keeper.StoreGame(S());
    // Read back at once, whether its write has run or not.
    ASSERT_TRUE(door::LoadText(S(), ROOM.c_str()));
    keeper.LevelShown(S());
    std::optional<KeptGame> game = keeper.GameToResume();
    ASSERT_TRUE(game);
    EXPECT_EQ(game->letters, "lllu");
    keeper.Flush();

    // Only looked at: the kept game stays.
    ShowText(ROOM);
    EXPECT_TRUE(keeper.Record().hasGame);
    keeper.StoreGame(S());
    keeper.Flush();
    ShowText(ROOM);
    ASSERT_TRUE(keeper.Record().hasGame);
    EXPECT_TRUE(keeper.Record().gameLetters.empty()) << "no letters read to show a level";
    game = keeper.GameToResume();
    ASSERT_TRUE(game);
    EXPECT_EQ(game->letters, "lllu");
    EXPECT_EQ(game->cursor, cursor);

    // Resumed, then solved: nothing is left to resume.
    ASSERT_TRUE(door::ResumeGame(S(), game->letters.c_str(), game->cursor, requests));
    EXPECT_EQ(S().game.history.cursor, cursor);
    Play(S(), "");
    door::ImportMoves(S(), ROOM_BY_MOVES.substr(4).c_str());
    Play(S(), "");
    ASSERT_TRUE(door::Totals(S()).solved);
    keeper.StoreGame(S());
    keeper.Flush();
    ShowText(ROOM);
    EXPECT_FALSE(keeper.Record().hasGame);
    EXPECT_FALSE(keeper.GameToResume());
}

// The welcome line asks whether the last place's level has a game kept: its key is read from
// the file in a state of its own (none for a file gone or a level it no longer holds).
TEST_F(KeeperTest, AGameIsFoundKeptAtAPlaceOfAFile) {
    const std::string file = dir.Write("two.sok", ROOM + "\n#####\n#@$.#\n#####\n");
    Core other;
    const std::string key = FileLevelKey(*other.state, file.c_str(), 1);
    EXPECT_EQ(key, LevelKey(BoardOf(ROOM)));
    EXPECT_NE(FileLevelKey(*other.state, file.c_str(), 2), "");
    for (const int junk : {0, -1, 3})
        EXPECT_EQ(FileLevelKey(*other.state, file.c_str(), junk), "") << junk;
    EXPECT_EQ(FileLevelKey(*other.state, dir.Path("gone.sok").c_str(), 1), "");
    // A far level is stepped to in pieces that a closing window can stop between.
    std::string many;
    for (int n = 0; n < 600; ++n) many += "#####\n#@$.#\n#####\n\n";
    const std::string far = dir.Write("many.sok", many + ROOM);
    std::atomic<bool> stop{false};
    EXPECT_EQ(FileLevelKey(*other.state, far.c_str(), 601, &stop), key);
    stop = true;
    EXPECT_EQ(FileLevelKey(*other.state, far.c_str(), 601, &stop), "");

    EXPECT_FALSE(keeper.GameKeptFor(key));
    ShowFile(file, 1);
    Play(S(), "lllu");
    keeper.StoreGame(S());
    EXPECT_TRUE(keeper.GameKeptFor(key)) << "posted, not yet written";
    keeper.Flush();
    EXPECT_TRUE(keeper.GameKeptFor(key));
    EXPECT_FALSE(keeper.GameKeptFor(FileLevelKey(*other.state, file.c_str(), 2)));
    EXPECT_FALSE(keeper.GameKeptFor(""));
}

TEST_F(KeeperTest, TheSameLevelInTwoFilesSharesItsRecordAndAnEditedOneDoesNot) {
    const std::string first = dir.Write("a.sok", "Title: one\n" + ROOM + "\n#####\n#@$.#\n#####\n");
    // The same room further down, with trailing floor; and the room with one wall moved.
    std::string edited = ROOM;
    edited[9] = '#';
    edited[10] = ' ';
    const std::string second = dir.Write(
        "b.xsb", "#####\n#@$.#\n#####\n\n; again\n#######   \n" + ROOM.substr(8) + "\n" + edited);
    ShowFile(first, 1);
    Play(S(), ROOM_BY_MOVES);
    keeper.StoreSolution(S());
    keeper.Flush();
    ShowFile(second, 2);
    EXPECT_TRUE(keeper.Record().solved);
    EXPECT_EQ(keeper.BestLetters(false), ROOM_BY_MOVES);
    ShowFile(second, 3);
    EXPECT_FALSE(keeper.Record().solved);

    // The file counts: one level of two solved in the first, one of three in the second.
    ProgressStore reader;
    ASSERT_NE(reader.Open(dir.Path("data/progress.sqlite"), {2000, 0, true}), ProgressState::NONE);
    Core scratch;
    const std::atomic<bool> go{false};
    const FileSolvedCount a = CountSolvedInFile(*scratch.state, reader, first.c_str(), go);
    const FileSolvedCount b = CountSolvedInFile(*scratch.state, reader, second.c_str(), go);
    EXPECT_TRUE(a.known && b.known);
    EXPECT_EQ(a.solved, 1);
    EXPECT_EQ(a.levels, 2);
    EXPECT_EQ(b.solved, 1);
    EXPECT_EQ(b.levels, 3);
    const std::atomic<bool> stop{true};
    EXPECT_FALSE(CountSolvedInFile(*scratch.state, reader, first.c_str(), stop).known);

    // Shown in the caption once counted; the count follows a first solve of another level.
    keeper.SetFileCount(second, b);
    EXPECT_EQ(keeper.FileToCount(S()), "");
    EXPECT_EQ(keeper.CaptionNote(S()), "  [1 of 3 solved]");
    ShowFile(second, 1);
    Play(S(), "R");
    keeper.StoreSolution(S());
    keeper.Flush();
    EXPECT_EQ(keeper.CaptionNote(S()), "  [solved 1/1, 2 of 3 solved]");
    ShowFile(first, 2);
    EXPECT_EQ(keeper.FileToCount(S()), first);
}

// Three levels solved while another program holds the file, then it lets go: at the next
// chance (here the next level's solve, else a level change, the keep or closing) every solution
// is written, the left levels' too, and the caption's "not saved" goes.
TEST(KeeperFaultTest, ASolutionWhoseWriteFailedIsWrittenAtTheNextChance) {
    TempDir dir;
    Core core;
    CoreState& s = *core.state;
    const std::string path = dir.Path("progress.sqlite");
    ProgressKeeper keeper;
    keeper.Open(path, {.busyTimeoutMs = 50});
    ASSERT_EQ(keeper.State(), ProgressState::READY);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);

    const std::string levels[3][2] = {
        {ROOM, ROOM_BY_MOVES}, {"#####\n#@$.#\n#####", "R"}, {"######\n#@$ .#\n######", "RR"}};
    for (const auto& level : levels) {
        ASSERT_TRUE(door::LoadText(s, level[0].c_str()));
        keeper.LevelShown(s);
        Play(s, level[1]);
        ASSERT_TRUE(keeper.StoreSolution(s));
        keeper.StoreGame(s);
        keeper.Flush();
        EXPECT_NE(keeper.CaptionNote(s).find("another program holds the progress file"),
                  std::string::npos)
            << keeper.CaptionNote(s);
    }
    EXPECT_EQ(keeper.PendingSolutions(), 3u);

    ASSERT_EQ(sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(other);
    keeper.StoreSolution(s);
    keeper.Flush();
    EXPECT_EQ(keeper.PendingSolutions(), 0u);
    EXPECT_EQ(keeper.CaptionNote(s), "  [solved 2/2]");
    ProgressStore reader;
    ASSERT_EQ(reader.Open(path), ProgressState::READY);
    for (const auto& level : levels)
        EXPECT_TRUE(reader.Load(LevelKey(BoardOf(level[0]))).solved) << level[0];
}

// A solution still failing when the player closes is offered once more by closing.
TEST(KeeperFaultTest, ClosingOffersTheSolutionsNotWrittenYet) {
    TempDir dir;
    Core core;
    CoreState& s = *core.state;
    const std::string path = dir.Path("progress.sqlite");
    sqlite3* other = nullptr;
    {
        ProgressKeeper keeper;
        keeper.Open(path, {.busyTimeoutMs = 50});
        ASSERT_EQ(sqlite3_open(path.c_str(), &other), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
        ASSERT_TRUE(door::LoadText(s, ROOM.c_str()));
        keeper.LevelShown(s);
        Play(s, ROOM_BY_PUSHES);
        keeper.StoreSolution(s);
        keeper.Flush();
        EXPECT_EQ(keeper.PendingSolutions(), 1u);
        ASSERT_EQ(sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
    }
    sqlite3_close(other);
    ProgressStore reader;
    ASSERT_EQ(reader.Open(path), ProgressState::READY);
    EXPECT_EQ(reader.Load(LevelKey(BoardOf(ROOM))).byPushes.letters, ROOM_BY_PUSHES);
}

TEST_F(KeeperTest, NoProgressMemoryIsSaidAfterTheCaptionAndThePlayerGoesOn) {
    // A file where the data folder should be: it cannot be made.
    const std::string blocker = dir.Write("blocked", "x");
    ProgressKeeper none;
    none.Open(blocker + "/ruk/progress.sqlite");
    EXPECT_EQ(none.State(), ProgressState::NONE);
    ASSERT_TRUE(door::LoadText(S(), ROOM.c_str()));
    none.LevelShown(S());
    Play(S(), ROOM_BY_MOVES);
    none.StoreSolution(S());
    none.StoreGame(S());
    EXPECT_EQ(none.CaptionNote(S()).rfind("  [no progress memory: cannot create ", 0), 0u)
        << none.CaptionNote(S());
    ProgressKeeper homeless;
    homeless.Open("");
    EXPECT_EQ(homeless.CaptionNote(S()), "  [no progress memory: no home folder]");

    // A full disk: the failed write is said, and what was kept before stays.
    ProgressStore::Options full;
    full.maxPageCount = 3;
    ProgressKeeper tight;
    tight.Open(dir.Path("full/progress.sqlite"), full);
    ASSERT_EQ(tight.State(), ProgressState::READY);
    tight.LevelShown(S());
    std::string longGame;
    for (int i = 0; i < 3000; ++i) longGame += "rl";
    ASSERT_TRUE(door::LoadText(S(), ROOM.c_str()));
    tight.LevelShown(S());
    Play(S(), longGame + ROOM_BY_MOVES);
    tight.StoreSolution(S());
    tight.Flush();
    EXPECT_NE(tight.CaptionNote(S()).find("the disk is full"), std::string::npos)
        << tight.CaptionNote(S());
}

}  // namespace
}  // namespace ruk::test
