// ruk-tool progress: the stored progress of a file's levels as lines scripts read, and the
// levels written out with their best solutions for other players.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

#include "core_door.h"
#include "file_level_keys.h"
#include "progress_store.h"
#include "progress_test_util.h"
#include "test_files.h"
#include "tool_run.h"

namespace ruk::test {
namespace {

const std::string SMALL = "#####\n#@$.#\n#####\n";
const std::string OTHER = "#######\n#@ $ .#\n#######\n";

// A file with ROOM (titled), a level never solved, and OTHER with a title after it.
std::string ThreeLevels() {
    return "; Room\n" + ROOM + "\n" + SMALL + "\n" + OTHER + "Title: Corridor\n";
}

// A database holding solutions of ROOM (both bests) and of OTHER (one).
std::string FilledStore(const TempDir& dir) {
    const std::string path = dir.Path("progress.sqlite");
    ProgressStore store;
    EXPECT_EQ(store.Open(path), ProgressState::READY) << store.Reason();
    EXPECT_EQ(store.SaveSolution(BoardOf(ROOM), ROOM_BY_MOVES), SolutionVerdict::IMPROVED);
    EXPECT_EQ(store.SaveSolution(BoardOf(ROOM), ROOM_BY_PUSHES), SolutionVerdict::IMPROVED);
    EXPECT_EQ(store.SaveSolution(BoardOf(OTHER), "rRR"), SolutionVerdict::IMPROVED);
    return path;
}

std::string Quoted(const std::string& path) {
    return "'" + path + "'";
}

TEST(ProgressToolTest, ListsEachLevelThenTheSolvedCount) {
    TempDir dir;
    const std::string db = FilledStore(dir);
    const ToolRun run =
        RunTool("progress " + Quoted(dir.Write("set.txt", ThreeLevels())) + " --db " + Quoted(db));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "1 solved moves 14 pushes 6 by-pushes 4/16 Room\n"
              "2 unsolved \n"
              "3 solved moves 3 pushes 2 by-pushes 2/3 Corridor\n"
              "solved 2 of 3\n");
}

TEST(ProgressToolTest, TheSameLevelInAnotherFileSharesItsRecord) {
    TempDir dir;
    const std::string db = FilledStore(dir);
    // Indented, with trailing floor and CR LF, after a level edited by one cell.
    const std::string moved =
        dir.Write("other.txt",
                  "#######\r\n#@ $  #\r\n#    .#\r\n#######\r\n\r\n   #######  \r\n"
                  "   #@ $ .#\r\n   #######\r\n");
    EXPECT_EQ(RunTool("progress " + Quoted(moved) + " --db " + Quoted(db)).out,
              "1 unsolved \n2 solved moves 3 pushes 2 by-pushes 2/3 \nsolved 1 of 2\n");
}

TEST(ProgressToolTest, ExportedLevelsReadBackEqualAndTheirSolutionsSolve) {
    TempDir dir;
    const std::string db = FilledStore(dir);
    // A source with CR LF, an indent and trailing floor: the export is the canonical level text.
    std::string crlf;
    for (const char c : ThreeLevels())
        crlf += c == '\n' ? std::string("  \r\n ") : std::string(1, c);
    const std::string source = dir.Write("set.txt", crlf);
    const std::string out = dir.Path("export.txt");
    const ToolRun run =
        RunTool("progress " + Quoted(source) + " --db " + Quoted(db) + " --export " + Quoted(out));
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(ReadWholeFile(out), ROOM + "Title: Room\nSolution: " + ROOM_BY_MOVES + "\n\n" +
                                      SMALL + "\n" + OTHER + "Title: Corridor\nSolution: rRR\n\n");
    EXPECT_FALSE(std::filesystem::exists(out + ".part"));

    // Read back by the core: the same levels, titles and records; a solution replays solved.
    Core a;
    Core b;
    EXPECT_EQ(FileLevelKeys(*a.state, source.c_str()), FileLevelKeys(*b.state, out.c_str()));
    EXPECT_EQ(RunTool("progress " + Quoted(out) + " --db " + Quoted(db)).out, run.out);
    EXPECT_NE(RunTool("replay " + Quoted(out) + " 1", ROOM_BY_MOVES)
                  .out.find("parse complete\nsolved 1 moves 14 pushes 6 "),
              std::string::npos);
}

// Each collection with known solutions: every solution stored, the file listed and exported;
// the export read back by the core holds the same levels, and each of its solutions solves
// its level.
TEST(ProgressToolTest, KnownCollectionsExportEverySolutionThatSolves) {
    for (const SolvedCollection& collection : SolvedCollections()) {
        SCOPED_TRACE(collection.solutions);
        TempDir dir;
        const std::string db = dir.Path("progress.sqlite");
        Core core;
        std::set<int> solvedLevels;
        {
            ProgressStore store;
            ASSERT_EQ(store.Open(db), ProgressState::READY) << store.Reason();
            // As on the largest screen, where every stored level fits; a level is shown before
            // it is solved, which settles its status.
            core.level->grids.maxWidth = GRID_SIDE;
            core.level->grids.maxHeight = GRID_SIDE;
            ASSERT_TRUE(door::OpenLevelSet(*core.state, collection.levels.c_str()));
            for (const KnownSolution& known : ReadSolutions(collection.solutions)) {
                ASSERT_TRUE(door::ShowLevel(*core.state, known.level));
                const SolutionVerdict verdict = store.SaveSolution(core.level->board, known.moves);
                EXPECT_TRUE(verdict == SolutionVerdict::IMPROVED ||
                            verdict == SolutionVerdict::NOT_BETTER)
                    << known.level << " " << static_cast<int>(verdict) << " " << store.Reason();
                solvedLevels.insert(known.level);
            }
        }
        const std::string out = dir.Path("export.txt");
        const ToolRun run = RunTool("progress " + Quoted(collection.levels) + " --db " +
                                    Quoted(db) + " --export " + Quoted(out));
        ASSERT_EQ(run.status, 0) << run.out;
        const int count = door::Levels(*core.state).count;
        EXPECT_NE(run.out.find("\nsolved " + std::to_string(solvedLevels.size()) + " of " +
                               std::to_string(count) + "\n"),
                  std::string::npos);

        Core again;
        again.level->grids = core.level->grids;
        EXPECT_EQ(FileLevelKeys(*again.state, out.c_str()),
                  FileLevelKeys(*core.state, collection.levels.c_str()));
        const std::string text = ReadWholeFile(out);
        SolutionReplay replay;
        int level = 1;
        int solutions = 0;
        for (std::size_t start = 0; start < text.size(); ++level) {
            const std::size_t end = text.find("\n\n", start);
            ASSERT_NE(end, std::string::npos);
            const std::size_t line = text.find("\nSolution: ", start);
            if (line < end) {
                ASSERT_TRUE(door::ShowLevel(*again.state, level));
                const std::string letters = text.substr(line + 11, end - line - 11);
                EXPECT_TRUE(replay.Check(again.level->board, letters)) << level;
                ++solutions;
            }
            start = end + 2;
        }
        EXPECT_EQ(level - 1, count);
        EXPECT_EQ(solutions, static_cast<int>(solvedLevels.size()));
    }
}

TEST(ProgressToolTest, ALevelLargerThanTheBoardIsExportedWhole) {
    TempDir dir;
    const std::string wide =
        std::string(60, '#') + "\n#@$." + std::string(55, ' ') + "#\n" + std::string(60, '#');
    std::string crlf;
    for (const char c : wide + "\n") crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const std::string source = dir.Write("wide.txt", ";\r\n" + crlf);
    const std::string out = dir.Path("export.txt");
    ASSERT_EQ(RunTool("progress " + Quoted(source) + " --db " + Quoted(dir.Path("none")) +
                      " --export " + Quoted(out))
                  .out,
              "1 unsolved \nsolved 0 of 1\n");
    EXPECT_EQ(ReadWholeFile(out), wide + "\n\n");
    EXPECT_EQ(RunTool("levels " + Quoted(out)).out, "1 SIZE_OVER 60x3 boxes=1\nlevels 1\n");
}

TEST(ProgressToolTest, AMissingDatabaseIsNothingSolvedAndIsNotCreated) {
    TempDir dir;
    const std::string file = Quoted(dir.Write("set.txt", ThreeLevels()));
    const std::string db = dir.Path("data/ruk/progress.sqlite");
    EXPECT_EQ(RunTool("progress " + file + " --db " + Quoted(db)).out,
              "1 unsolved Room\n2 unsolved \n3 unsolved Corridor\nsolved 0 of 3\n");
    EXPECT_FALSE(std::filesystem::exists(dir.Path("data")));
    // Without --db the user's data folder is read, and not made either.
    const std::string env = "XDG_DATA_HOME=" + Quoted(dir.Path("xdg")) + " ";
    EXPECT_EQ(std::system((env + RUK_TOOL_PATH + " progress " + file + " >/dev/null").c_str()), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("xdg")));
}

TEST(ProgressToolTest, ErrorsAreOneLineWithStatusTwoAndTouchNothing) {
    TempDir dir;
    const std::string file = Quoted(dir.Write("set.txt", ThreeLevels()));
    std::string noise(4096, '\0');
    for (std::size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>(i * 131 + 7);
    const std::string corrupt = dir.Write("corrupt.sqlite", noise);
    const std::string earlier = dir.Write("earlier.txt", "kept\n");
    for (const std::string& arguments :
         {"progress " + file + " --db " + Quoted(corrupt),
          "progress " + file + " --db " + Quoted(corrupt) + " --export " + Quoted(earlier),
          "progress " + file + " --db " + Quoted(dir.Path("none")) + " --export " +
              Quoted(dir.Path("no/such/folder/out.txt")),
          "progress " + Quoted(dir.Path("missing.txt")), std::string("progress"),
          "progress " + file + " --db"}) {
        const ToolRun run = RunTool(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.out.rfind("ruk-tool: ", 0), 0u) << run.out;
        EXPECT_EQ(run.out.find('\n'), run.out.size() - 1) << run.out;
    }
    // The damaged database is neither repaired nor set aside by a reader.
    EXPECT_EQ(ReadWholeFile(corrupt), noise);
    EXPECT_EQ(ReadWholeFile(earlier), "kept\n");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path("")))
        ++files;
    EXPECT_EQ(files, 3);
}

}  // namespace
}  // namespace ruk::test
