// The shown level's progress without a window: a solution kept once the game shows it solved,
// kept games, one record per level however it is loaded, and the caption's note.
#include <gtest/gtest.h>

#include <filesystem>

#include "core_door.h"
#include "progress/progress_keeper.h"
#include "progress/progress_test_util.h"
#include "test_files.h"

namespace ruk::test {
namespace {

void Settle(CoreState& core) {
    for (int tick = 0; tick < 100000 && core.play.animMode != AnimMode::IDLE; ++tick) {
        WindowRequests requests;
        door::StepTick(core, requests);
    }
}

// Letters typed in at the cursor and replayed to their end, as URDL Input and Redo do.
void Play(CoreState& core, const std::string& letters) {
    if (!letters.empty()) {
        ASSERT_TRUE(door::ImportMoves(core, letters.c_str()));
    }
    for (int i = 0; i < 1000 && core.play.history.cursor < core.play.history.end; ++i) {
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
    }
    void ShowFile(const std::string& path, int n) {
        ASSERT_TRUE(door::ShowFileLevel(S(), path.c_str(), n));
        keeper.LevelShown(S());
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
    EXPECT_EQ(keeper.CaptionNote(S()), "  [solved 16/4]");

    ShowText("#####\n#@$.#\n#####");
    EXPECT_FALSE(keeper.Record().solved);
    ShowText(ROOM);
    Play(S(), ROOM_BY_MOVES);
    EXPECT_TRUE(keeper.StoreSolution(S()));
    EXPECT_EQ(keeper.CaptionNote(S()), "  [solved 14/6, 16/4]");

    // A longer way round: solved, but neither best changes.
    ShowText(ROOM);
    Play(S(), "rl" + ROOM_BY_MOVES);
    EXPECT_FALSE(keeper.StoreSolution(S()));
    ShowText(ROOM);
    const LevelRecord& record = keeper.Record();
    EXPECT_TRUE(record.solved);
    EXPECT_EQ(record.byMoves.letters, ROOM_BY_MOVES);
    EXPECT_EQ(record.byPushes.letters, ROOM_BY_PUSHES);
}

TEST_F(KeeperTest, AGameIsKeptOnLeavingAndALookDoesNotEraseIt) {
    ShowText(ROOM);
    Play(S(), "lllu");
    WindowRequests requests;
    door::Undo(S(), requests);
    Settle(S());
    const std::uint32_t cursor = S().play.history.cursor;
    ASSERT_LT(cursor, 4u);
    keeper.StoreGame(S());

    // Only looked at: the kept game stays.
    ShowText(ROOM);
    EXPECT_TRUE(keeper.Record().hasGame);
    keeper.StoreGame(S());
    ShowText(ROOM);
    ASSERT_TRUE(keeper.Record().hasGame);
    EXPECT_EQ(keeper.Record().gameLetters, "lllu");
    EXPECT_EQ(keeper.Record().gameCursor, cursor);

    // Resumed, then solved: nothing is left to resume.
    ASSERT_TRUE(door::ResumeGame(S(), keeper.Record().gameLetters.c_str(),
                                 keeper.Record().gameCursor, requests));
    EXPECT_EQ(S().play.history.cursor, cursor);
    Play(S(), "");
    door::ImportMoves(S(), ROOM_BY_MOVES.substr(4).c_str());
    Play(S(), "");
    ASSERT_TRUE(door::Totals(S()).solved);
    keeper.StoreGame(S());
    ShowText(ROOM);
    EXPECT_FALSE(keeper.Record().hasGame);
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
    ShowFile(second, 2);
    EXPECT_TRUE(keeper.Record().solved);
    EXPECT_EQ(keeper.Record().byMoves.letters, ROOM_BY_MOVES);
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
    EXPECT_EQ(keeper.CaptionNote(S()), "  [solved 1/1, 2 of 3 solved]");
    ShowFile(first, 2);
    EXPECT_EQ(keeper.FileToCount(S()), first);
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
    EXPECT_NE(tight.CaptionNote(S()).find("the disk is full"), std::string::npos)
        << tight.CaptionNote(S());
}

}  // namespace
}  // namespace ruk::test
