// Solutions carried by level files offered to the store: on the count's pass over a file, by
// ruk-tool progress --import, and the round trip of every known solution through --export.
#include <gtest/gtest.h>

#include <atomic>
#include <map>

#include "core_door.h"
#include "file_level_keys.h"
#include "file_solved_count.h"
#include "level_key.h"
#include "progress_store.h"
#include "progress_test_util.h"
#include "test_files.h"
#include "tool_run.h"

namespace ruk::test {
namespace {

const std::string SMALL = "#####\n#@$.#\n#####\n";

std::string Quoted(const std::string& path) {
    return "'" + path + "'";
}

// ROOM carrying a worse and then a better solution by moves (in run lengths), SMALL carrying
// one that does not solve and one that cannot be read, and a level carrying none.
std::string CarryingFile() {
    return ROOM + "Title: Room\nSolution: " + ROOM_BY_PUSHES +
           "\nSolution (moves 14)\n3luRRur\nDrd3L\n\n" + SMALL + "Solution: L\nSolution: 0R\n\n" +
           "#######\n#@ $ .#\n#######\n";
}

TEST(SolutionImportTest, TheCountOffersEverySolutionAndCountsTheSolvedAndTheInvalid) {
    TempDir dir;
    const std::string file = dir.Write("set.txt", CarryingFile());
    ProgressStore store;
    ASSERT_EQ(store.Open(dir.Path("progress.sqlite")), ProgressState::READY);
    Core core;
    std::atomic<bool> stop{false};
    FileSolvedCount count = CountSolvedInFile(*core.state, store, file.c_str(), stop, true);
    EXPECT_TRUE(count.known);
    EXPECT_EQ(count.levels, 3);
    EXPECT_EQ(count.solved, 1);
    EXPECT_EQ(count.imported, 1);
    EXPECT_EQ(count.invalid, 2);
    const std::string key = LevelKey(BoardOf(ROOM));
    EXPECT_EQ(store.LoadBestLetters(key, false), ROOM_BY_MOVES);
    EXPECT_EQ(store.LoadBestLetters(key, true), ROOM_BY_PUSHES);
    // A second pass finds nothing better; without reading solutions nothing is offered.
    count = CountSolvedInFile(*core.state, store, file.c_str(), stop, true);
    EXPECT_EQ(count.imported, 0);
    EXPECT_EQ(count.solved, 1);
    ProgressStore fresh;
    ASSERT_EQ(fresh.Open(dir.Path("fresh.sqlite")), ProgressState::READY);
    count = CountSolvedInFile(*core.state, fresh, file.c_str(), stop);
    EXPECT_EQ(count.solved, 0);
    EXPECT_EQ(count.imported, 0);
}

TEST(SolutionImportTest, TheToolPrintsALinePerLevelCarryingOneThenTheListing) {
    TempDir dir;
    const std::string file = Quoted(dir.Write("set.txt", CarryingFile()));
    const std::string db = Quoted(dir.Path("data/progress.sqlite"));
    ToolRun run = RunTool("progress " + file + " --import --db " + db);
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out,
              "1 imported moves 14 pushes 6\n2 invalid\nimported 1 of 3\n"
              "1 solved moves 14 pushes 6 by-pushes 4/16 Room\n2 unsolved \n3 unsolved \n"
              "solved 1 of 3\n");
    run = RunTool("progress " + file + " --db " + db + " --import");
    EXPECT_EQ(run.out.substr(0, run.out.find("imported 0 of 3\n")), "1 kept\n2 invalid\n");
    // A damaged database is an error line, left as it was; so is one that cannot be made.
    const std::string noise(4096, 'x');
    const std::string corrupt = dir.Write("corrupt.sqlite", noise);
    const std::string blocked = dir.Write("file", "") + "/progress.sqlite";
    for (const std::string& path : {corrupt, blocked}) {
        run = RunTool("progress " + file + " --import --db " + Quoted(path));
        EXPECT_EQ(run.status, 2) << run.out;
        EXPECT_EQ(run.out.rfind("ruk-tool: ", 0), 0u) << run.out;
        EXPECT_EQ(run.out.find('\n'), run.out.size() - 1) << run.out;
    }
    EXPECT_EQ(ReadWholeFile(corrupt), noise);
}

// Every known solution stored, the collection exported, the export read into a fresh store by
// the count's pass: every level's best by moves comes back with the same letters and counts.
TEST(SolutionRoundTripTest, EveryKnownSolutionComesBackFromTheExport) {
    int shared = 0;
    for (const SolvedCollection& collection : SolvedCollections()) {
        SCOPED_TRACE(collection.solutions);
        shared += collection.shared ? 1 : 0;
        TempDir dir;
        const std::string db = dir.Path("progress.sqlite");
        Core core;
        core.level->grids.maxWidth = GRID_SIDE;
        core.level->grids.maxHeight = GRID_SIDE;
        std::map<std::string, std::string> best;  // key: letters by moves
        ProgressStore store;
        ASSERT_EQ(store.Open(db), ProgressState::READY) << store.Reason();
        ASSERT_TRUE(door::OpenLevelSet(*core.state, collection.levels.c_str()));
        for (const KnownSolution& known : ReadSolutions(collection.solutions)) {
            ASSERT_TRUE(door::ShowLevel(*core.state, known.level));
            store.SaveSolution(core.level->board, known.moves);
            best[LevelKey(core.level->board)].clear();
        }
        for (auto& [key, letters] : best) letters = store.LoadBestLetters(key, false);
        const std::string out = dir.Path("export.txt");
        ASSERT_EQ(RunTool("progress " + Quoted(collection.levels) + " --db " + Quoted(db) +
                          " --export " + Quoted(out))
                      .status,
                  0);

        std::atomic<bool> stop{false};
        const FileSolvedCount was =
            CountSolvedInFile(*core.state, store, collection.levels.c_str(), stop);
        ProgressStore fresh;
        ASSERT_EQ(fresh.Open(dir.Path("fresh.sqlite")), ProgressState::READY);
        const FileSolvedCount count =
            CountSolvedInFile(*core.state, fresh, out.c_str(), stop, true);
        EXPECT_EQ(count.imported, static_cast<int>(best.size()));
        EXPECT_EQ(count.solved, was.solved);
        EXPECT_EQ(count.invalid, 0);
        for (const auto& [key, letters] : best) {
            EXPECT_EQ(fresh.LoadBestLetters(key, false), letters) << key;
            const LevelRecord was = store.LoadSummary(key);
            const LevelRecord now = fresh.LoadSummary(key);
            EXPECT_EQ(now.byMoves.moves, was.byMoves.moves) << key;
            EXPECT_EQ(now.byMoves.pushes, was.byMoves.pushes) << key;
        }
    }
    if (shared == 0) GTEST_SKIP() << "the shared collections are not beside the project";
}

}  // namespace
}  // namespace ruk::test
