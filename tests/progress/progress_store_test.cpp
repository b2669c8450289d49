// The progress store in use: solutions kept across sessions and files, the better of two kept,
// nothing stored that does not solve the level, the unfinished game restored exactly, and two
// players writing one level at once.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <set>

#include "core_door.h"
#include "file_level_keys.h"
#include "level_key.h"
#include "progress_store.h"
#include "progress_test_util.h"
#include "test_files.h"

namespace ruk::test {
namespace {

const std::string MICROBAN = SharedLevelFile("microban-155.txt");

TEST(ProgressStoreTest, ASolutionIsThereAfterLeavingAndComingBack) {
    TempDir dir;
    const std::string path = dir.Path("data/ruk/progress.sqlite");
    const Board board = BoardOf(ROOM);
    const std::string key = LevelKey(board);
    {
        ProgressStore store;
        ASSERT_EQ(store.Open(path), ProgressState::READY) << store.Reason();
        EXPECT_FALSE(store.Load(key).solved);
        EXPECT_EQ(store.SaveSolution(board, ROOM_BY_MOVES), SolutionVerdict::IMPROVED);
    }
    ProgressStore store;
    ASSERT_EQ(store.Open(path), ProgressState::READY) << store.Reason();
    const LevelRecord record = store.Load(key);
    EXPECT_TRUE(record.solved);
    EXPECT_GT(record.solvedChanged, 0);
    ASSERT_TRUE(record.byMoves.present);
    EXPECT_EQ(record.byMoves.letters, ROOM_BY_MOVES);
    EXPECT_EQ(record.byMoves.moves, 14u);
    EXPECT_EQ(record.byMoves.pushes, 6u);
    EXPECT_EQ(record.byPushes.letters, ROOM_BY_MOVES);
    EXPECT_FALSE(record.hasGame);
    EXPECT_EQ(store.CountSolved({key, LevelKey(BoardOf("#####\n#@$.#\n#####"))}), 1);
}

TEST(ProgressStoreTest, EachBestIsReplacedOnlyByABetterSolution) {
    TempDir dir;
    ProgressStore store;
    ASSERT_EQ(store.Open(dir.Path("progress.sqlite")), ProgressState::READY);
    const Board board = BoardOf(ROOM);
    const std::string key = LevelKey(board);

    EXPECT_EQ(store.SaveSolution(board, ROOM_BY_PUSHES), SolutionVerdict::IMPROVED);
    EXPECT_EQ(store.SaveSolution(board, ROOM_BY_MOVES), SolutionVerdict::IMPROVED);
    // Worse on both counts, equal to each, and letters after the solving push (cut, so equal).
    for (const std::string& worse : {"lr" + ROOM_BY_MOVES, "rl" + ROOM_BY_PUSHES, ROOM_BY_MOVES,
                                     ROOM_BY_PUSHES, ROOM_BY_MOVES + "rrr"}) {
        EXPECT_EQ(store.SaveSolution(board, worse), SolutionVerdict::NOT_BETTER) << worse;
    }
    LevelRecord record = store.Load(key);
    EXPECT_EQ(record.byMoves.letters, ROOM_BY_MOVES);
    EXPECT_EQ(record.byPushes.letters, ROOM_BY_PUSHES);
    EXPECT_EQ(record.byPushes.moves, 16u);
    EXPECT_EQ(record.byPushes.pushes, 4u);

    // Letters that do not solve, break a rule or are not moves at all write nothing.
    const Board other = BoardOf("#######\n#@ $ .#\n#######");
    for (const std::string& wrong : {std::string("rR"), std::string("lrRRu"), std::string("rXRR"),
                                     std::string(), std::string("rR\0R", 4)}) {
        EXPECT_EQ(store.SaveSolution(other, wrong), SolutionVerdict::NOT_SOLVED) << wrong;
    }
    EXPECT_FALSE(store.Load(LevelKey(other)).solved);
    EXPECT_EQ(store.SaveSolution(other, "rRR"), SolutionVerdict::IMPROVED);
    // A solution whose letters run on after the solving push is stored without them.
    EXPECT_EQ(store.SaveSolution(board, ROOM_BY_MOVES + "ud"), SolutionVerdict::NOT_BETTER);
    record = store.Load(LevelKey(other));
    EXPECT_EQ(record.byMoves.letters, "rRR");
}

TEST(ProgressStoreTest, TheSameLevelInTwoFilesSharesItsRecordAndAnEditedOneDoesNot) {
    TempDir dir;
    ProgressStore store;
    ASSERT_EQ(store.Open(dir.Path("progress.sqlite")), ProgressState::READY);
    const std::string first = dir.Write("first.txt", "Title: one\n" + ROOM);
    std::string edited = ROOM;
    edited[11] = '#';  // one more wall, far from any route
    const std::string second =
        dir.Write("second.txt", "#####\n#@$.#\n#####\n\n" + edited + "\n" + ROOM + "\n");

    Core core;
    ASSERT_TRUE(door::LoadFileLevel(*core.state, first.c_str(), 1));
    EXPECT_EQ(store.SaveSolution(core.level->board, ROOM_BY_MOVES), SolutionVerdict::IMPROVED);
    const std::string firstKey = LevelKey(core.level->board);

    const std::vector<std::string> keys = FileLevelKeys(*core.state, second.c_str());
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[2], firstKey);
    EXPECT_EQ(store.SolvedOf(keys), std::make_optional(std::vector<bool>{false, false, true}));
    EXPECT_EQ(store.Load(keys[2]).byMoves.letters, ROOM_BY_MOVES);
    EXPECT_FALSE(store.Load(keys[1]).byMoves.present);
}

// The window stores the whole history and its cursor when a game is left; coming back must
// give both back letter for letter, the redo tail included.
TEST(ProgressStoreTest, TheUnfinishedGameComesBackWithItsCursorAndRedoTail) {
    TempDir dir;
    const std::string path = dir.Path("progress.sqlite");
    Core core;
    LoadText(*core.state, ROOM);
    ASSERT_TRUE(door::ImportMoves(*core.state, "llluRdrr"));
    const std::string letters(core.game->history.text.get(), core.game->history.end);
    const std::uint32_t cursor = 5;
    const std::string key = LevelKey(core.level->board);
    {
        ProgressStore store;
        ASSERT_EQ(store.Open(path), ProgressState::READY);
        EXPECT_TRUE(store.SaveGame(key, letters, cursor));
    }
    ProgressStore store;
    ASSERT_EQ(store.Open(path), ProgressState::READY);
    LevelRecord record = store.Load(key);
    ASSERT_TRUE(record.hasGame);
    EXPECT_EQ(record.gameLetters, "llluRdrr");
    EXPECT_EQ(record.gameCursor, cursor);
    EXPECT_GT(record.gameChanged, 0);
    EXPECT_FALSE(record.solved);

    // A later save replaces it; letters that are not moves, or a cursor past them, do not.
    EXPECT_TRUE(store.SaveGame(key, "lllu", 4));
    EXPECT_FALSE(store.SaveGame(key, "llxu", 2));
    EXPECT_FALSE(store.SaveGame(key, "ll", 3));
    record = store.Load(key);
    EXPECT_EQ(record.gameLetters, "lllu");
    EXPECT_EQ(record.gameCursor, 4u);
    // The cursor moved alone; the summary says a game is kept without its letters.
    EXPECT_TRUE(store.SaveGameCursor(key, 2));
    const KeptGame game = store.LoadGame(key);
    EXPECT_EQ(game.letters, "lllu");
    EXPECT_EQ(game.cursor, 2u);
    EXPECT_TRUE(store.LoadSummary(key).hasGame);
    EXPECT_TRUE(store.LoadSummary(key).gameLetters.empty());
    // Saving the game leaves the solutions alone, and an empty game clears it.
    EXPECT_EQ(store.SaveSolution(core.level->board, ROOM_BY_MOVES), SolutionVerdict::IMPROVED);
    EXPECT_TRUE(store.SaveGame(key, "", 0));
    record = store.Load(key);
    EXPECT_FALSE(record.hasGame);
    EXPECT_TRUE(record.solved);
    EXPECT_EQ(record.byMoves.letters, ROOM_BY_MOVES);
    EXPECT_FALSE(store.SaveGameCursor(key, 1)) << "no game to move the cursor of";
    const LevelRecord summary = store.LoadSummary(key);
    EXPECT_FALSE(summary.hasGame);
    EXPECT_EQ(summary.byMoves.moves, 14u);
    EXPECT_TRUE(summary.byMoves.letters.empty());
    EXPECT_EQ(store.LoadBestLetters(key, false), ROOM_BY_MOVES);
}

// Two processes store solutions of one level at the same time, each in a loop: the record ends
// with the better of each best, and every stored row is whole (its letters replay to its
// counts).
TEST(ProgressStoreTest, TwoPlayersWritingOneLevelKeepTheBetterOfEach) {
    TempDir dir;
    const std::string path = dir.Path("progress.sqlite");
    const Board board = BoardOf(ROOM);
    {
        ProgressStore store;
        ASSERT_EQ(store.Open(path), ProgressState::READY);
    }
    // Longest first, so that every round improves on the one before.
    std::vector<std::string> slower;
    for (int pad = 20; pad >= 0; pad -= 2) {
        std::string walk;
        for (int i = 0; i < pad / 2; ++i) walk += "lr";
        slower.push_back(walk);
    }
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The child's store closes before _exit, which runs no destructors.
        int failures = 0;
        {
            ProgressStore store;
            if (store.Open(path, {.busyTimeoutMs = 10000}) != ProgressState::READY) ++failures;
            for (const std::string& walk : slower) {
                const SolutionVerdict verdict = store.SaveSolution(board, walk + ROOM_BY_PUSHES);
                if (verdict == SolutionVerdict::NOT_WRITTEN ||
                    verdict == SolutionVerdict::NOT_SOLVED)
                    ++failures;
                store.SaveGame(LevelKey(board), "llu", 1);
            }
        }
        _exit(failures);
    }
    ProgressStore store;
    ASSERT_EQ(store.Open(path, {.busyTimeoutMs = 10000}), ProgressState::READY);
    int failures = 0;
    for (const std::string& walk : slower) {
        const SolutionVerdict verdict = store.SaveSolution(board, walk + ROOM_BY_MOVES);
        if (verdict == SolutionVerdict::NOT_WRITTEN || verdict == SolutionVerdict::NOT_SOLVED)
            ++failures;
        store.SaveGame(LevelKey(board), "lll", 2);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(failures, 0) << store.Reason();

    const LevelRecord record = store.Load(LevelKey(board));
    EXPECT_EQ(record.byMoves.letters, ROOM_BY_MOVES);
    EXPECT_EQ(record.byPushes.letters, ROOM_BY_PUSHES);
    EXPECT_EQ(record.byPushes.moves, 16u);
    EXPECT_TRUE(record.gameLetters == "llu" || record.gameLetters == "lll") << record.gameLetters;
    EXPECT_EQ(record.gameCursor, record.gameLetters == "llu" ? 1u : 2u);
}

// Real levels: every known solution of the public collection is stored, and counted once.
TEST(ProgressStoreTest, KnownSolutionsOfACollectionAreStoredAndCounted) {
    if (MICROBAN.empty()) GTEST_SKIP() << "no shared collections beside the project";
    TempDir dir;
    ProgressStore store;
    ASSERT_EQ(store.Open(dir.Path("progress.sqlite")), ProgressState::READY);
    const std::vector<KnownSolution> solutions =
        ReadSolutions(SharedLevelFile("microban-155-solutions.txt"));
    ASSERT_FALSE(solutions.empty());
    Core core;
    const std::vector<std::string> keys = FileLevelKeys(*core.state, MICROBAN.c_str());
    ASSERT_EQ(keys.size(), 155u);
    EXPECT_EQ(std::set<std::string>(keys.begin(), keys.end()).size(), 155u);
    EXPECT_TRUE(FileLevelKeys(*core.state, "/nonexistent/levels.txt").empty());
    int stored = 0;
    for (std::size_t i = 0; i < solutions.size(); i += 7) {
        ASSERT_TRUE(door::ReadLevel(*core.state, solutions[i].level));
        EXPECT_EQ(store.SaveSolution(core.level->board, solutions[i].moves),
                  SolutionVerdict::IMPROVED)
            << solutions[i].level;
        ++stored;
    }
    EXPECT_EQ(store.CountSolved(keys), stored);
}

}  // namespace
}  // namespace ruk::test
