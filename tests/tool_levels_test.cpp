// ruk-tool levels: its output lines are a contract that scripts read.
#include <gtest/gtest.h>

#include <string>

#include "test_files.h"
#include "tool_run.h"

namespace ruk::test {
namespace {

TEST(ToolLevelsTest, PrintsOneLinePerLevelThenTheCount) {
    TempDir dir;
    const std::string path = dir.Write(
        "set.txt",
        "; 1\r\n#####\r\n#@$.#\r\n#####\r\n\r\n; 2\r\n######\r\n#@$..#\r\n#$   #\r\n######\r\n"
        "; 3\r\n#####\r\n#@$. \r\n#####\r\n; 4\r\n" +
            std::string(45, '#') + "\r\n#@$." + std::string(40, ' ') + "#\r\n" +
            std::string(45, '#') + "\r\n");
    const ToolRun run = RunTool("levels '" + path + "'");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "1 PLAYABLE 5x3 boxes=1\n"
              "2 PLAYABLE 6x4 boxes=2\n"
              "3 BAD_LEVEL 5x3 boxes=1\n"
              "4 PLAYABLE 45x3 boxes=1\n"
              "levels 4\n");
    const ToolRun narrow = RunTool("levels '" + path + "' --grid 40x40");
    EXPECT_NE(narrow.out.find("4 SIZE_OVER 45x3 boxes=1\n"), std::string::npos);
    EXPECT_EQ(RunTool("levels '" + path + "' --count").out, "levels 4\n");
}

TEST(ToolLevelsTest, TitlesComeAsTheLastFieldOnlyWhenAskedFor) {
    TempDir dir;
    const std::string path = dir.Write("set.txt",
                                       "; Two words\n#####\n#@$.#\n#####\n\n"
                                       "#####\n#@$.#\n#####\nTitle: After\n\n"
                                       "Author: nobody\n\n#####\n#@$.#\n#####\n");
    EXPECT_EQ(RunTool("levels '" + path + "' --titles").out,
              "1 PLAYABLE 5x3 boxes=1 Two words\n"
              "2 PLAYABLE 5x3 boxes=1 After\n"
              "3 PLAYABLE 5x3 boxes=1 \n"
              "levels 3\n");
    EXPECT_EQ(RunTool("levels '" + path + "'").out,
              "1 PLAYABLE 5x3 boxes=1\n2 PLAYABLE 5x3 boxes=1\n3 PLAYABLE 5x3 boxes=1\nlevels 3\n");
}

TEST(ToolLevelsTest, ErrorsAreOneLineWithStatusTwo) {
    TempDir dir;
    for (const std::string& arguments :
         {std::string("levels '") + dir.Path("missing") + "'", std::string("levels"),
          std::string("frobnicate"),
          std::string("levels '") + dir.Write("x", "#####\n") + "' --grid 70x3"}) {
        const ToolRun run = RunTool(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.out.rfind("ruk-tool: ", 0), 0u) << run.out;
        EXPECT_EQ(run.out.find('\n'), run.out.size() - 1) << run.out;
    }
}

TEST(ToolReplayTest, JudgesAMoveStringFromAFileOrStandardInput) {
    TempDir dir;
    const std::string level = dir.Write("one.txt", "; 1\n#######\n#@ $ .#\n#######\n");
    const std::string moves = dir.Write("moves.txt", "rR\nR\n");
    EXPECT_EQ(RunTool("replay '" + level + "' 1 '" + moves + "'").out,
              "parse complete\nsolved 1 moves 3 pushes 2 actions 1\nunsolvable 0\n");
    const ToolRun partial = RunTool("replay '" + level + "' 1", "rRx");
    EXPECT_EQ(partial.out,
              "parse incomplete at 2\nsolved 0 moves 2 pushes 1 actions 1\nunsolvable 0\n");
    EXPECT_EQ(RunTool("replay '" + level + "' 2 '" + moves + "'").status, 2) << "no level 2";
    EXPECT_EQ(RunTool("replay '" + level + "' 1 '" + dir.Path("none") + "'").status, 2);
}

TEST(ToolTargetsTest, ListsTheOfferedCellsOfABox) {
    TempDir dir;
    const std::string level = dir.Write("one.txt", "#######\n#     #\n#@ $ .#\n#######\n");
    EXPECT_EQ(RunTool("targets '" + level + "' 1 --box 4,3 --guard off", " ").out,
              "2,3 sides 1\n3,3 sides 1\n5,3 sides 1\n6,3 sides 1\ntargets 4\n");
    EXPECT_EQ(RunTool("targets '" + level + "' 1 --box 4,3", " ").out,
              "3,3 sides 1\n5,3 sides 1\n6,3 sides 1\ntargets 3\n")
        << "the guard drops the corner";
    EXPECT_EQ(RunTool("targets '" + level + "' 1 --box 3,3", " ").status, 2) << "no box there";
    const ToolRun bench = RunTool("bench '" + level + "' --guard off");
    EXPECT_EQ(bench.status, 0);
    EXPECT_EQ(bench.out.rfind("1 load-ms ", 0), 0u) << bench.out;
    EXPECT_NE(bench.out.find("\nselect-ms p50 "), std::string::npos) << bench.out;
}

}  // namespace
}  // namespace ruk::test
