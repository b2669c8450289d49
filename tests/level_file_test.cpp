// Level files: blocks, acceptance, statuses, both line-end kinds, stepping both ways, Jump.
#include <gtest/gtest.h>

#include <string>

#include "board/board_checksum.h"
#include "board/level_file.h"
#include "test_files.h"

namespace ruk::test {
namespace {

const std::string kLevelA = "#####\n#@$.#\n#####\n";
const std::string kLevelB = "######\n#@ $.#\n# $. #\n######\n";
const std::string kLevelC = " #####\n##.$@#\n#    #\n######\n";

std::string Crlf(std::string text) {
    std::string out;
    for (char ch : text) {
        if (ch == '\n') out += '\r';
        out += ch;
    }
    return out;
}

class LevelFileTest : public ::testing::Test {
  protected:
    TempDir dir;
    Core core;
    LevelModel& model = *core.level;

    bool Open(const std::string& bytes) {
        return OpenLevelFile(model, dir.Write("levels.txt", bytes).c_str());
    }
};

TEST_F(LevelFileTest, ThreeTitledLevelsCountAndStepBothWays) {
    ASSERT_TRUE(Open("; 1\n" + kLevelA + "\n\n; 2\n" + kLevelB + "\n; 3\n" + kLevelC + "\n"));
    EXPECT_EQ(model.levelSet.count, 3);
    EXPECT_EQ(model.levelSet.current, 1);
    EXPECT_STREQ(model.levelSet.name.data(), "levels");
    EXPECT_EQ(BoardRows(model.board), (std::vector<std::string>{"#####", "#@$.#", "#####"}));

    ASSERT_TRUE(SelectLevel(model, 2));
    const auto forwardRows = BoardRows(model.board);
    const auto forwardSum = BoardChecksum(model.board);
    ASSERT_TRUE(SelectLevel(model, 3));
    EXPECT_EQ(BoardRows(model.board),
              (std::vector<std::string>{" #####", "##.$@#", "#    #", "######"}));
    ASSERT_TRUE(SelectLevel(model, 2));
    EXPECT_EQ(BoardRows(model.board), forwardRows);
    EXPECT_EQ(BoardChecksum(model.board), forwardSum);
    EXPECT_EQ(model.board.status, LevelStatus::PLAYABLE);
}

TEST_F(LevelFileTest, BlocksThatAreNotLevelsAreSkippedUncounted) {
    const std::string twoKeepers = "#####\n#@$@#\n#.  #\n#####\n";
    const std::string noGoal = "#####\n#@$ #\n#####\n";
    const std::string twoRows = "#####\n#@$.#\n";
    ASSERT_TRUE(
        Open(twoKeepers + "\n" + kLevelA + "\n" + noGoal + "\n" + twoRows + "\n" + kLevelB));
    EXPECT_EQ(model.levelSet.count, 2);
    EXPECT_EQ(model.board.width, 5);
    ASSERT_TRUE(SelectLevel(model, 2));
    EXPECT_EQ(model.board.width, 6);
    EXPECT_EQ(model.board.boxCount, 2);
}

TEST_F(LevelFileTest, FirstRowOnFirstLineReadInFullBothWaysForEveryLineEnd) {
    for (const bool crlf : {false, true}) {
        const std::string text = kLevelB + "\n" + kLevelA;  // no final line break
        ASSERT_TRUE(Open(crlf ? Crlf(text) : text)) << crlf;
        const auto first = BoardRows(model.board);
        EXPECT_EQ(first.size(), 4u);
        EXPECT_EQ(model.board.width, 6);
        ASSERT_TRUE(SelectLevel(model, 2));
        EXPECT_EQ(BoardRows(model.board).size(), 3u) << "last level without a final line break";
        ASSERT_TRUE(SelectLevel(model, 1));
        EXPECT_EQ(BoardRows(model.board), first) << crlf;
        EXPECT_EQ(model.levelSet.window.levelStart, 0);
    }
}

TEST_F(LevelFileTest, CrOnlyAndMixedLineEndsAgreeWithLf) {
    const std::string text = "; t\n" + kLevelA + "\n" + kLevelB + "\n\n" + kLevelC;
    ASSERT_TRUE(Open(text));
    const auto lf = VisitForward(model);
    std::string cr = text;
    for (char& ch : cr)
        if (ch == '\n') ch = '\r';
    ASSERT_TRUE(Open(cr));
    EXPECT_EQ(VisitForward(model), lf);
    EXPECT_EQ(FirstBackwardMismatch(model, lf), 0);
    // A lone CR next to LF: "\n\r" is two line breaks, so the rows are split by an empty line.
    ASSERT_TRUE(Open("#####\n#@$.#\n\r#####\n" + kLevelB));
    EXPECT_EQ(model.levelSet.count, 1);
    EXPECT_EQ(model.board.width, 6);
}

TEST_F(LevelFileTest, StatusesInAcceptanceOrder) {
    const std::string moreBoxes = "######\n#@$$.#\n#$ ..#\n#$   #\n######\n";  // 4 boxes, 3 goals
    std::string wide = std::string(60, '#') + "\n#@$." + std::string(55, ' ') + "#\n" +
                       std::string(60, '#') + "\n";
    std::string many = std::string(67, '#') + "\n";
    many += "#" + std::string(65, '$') + "#\n#" + std::string(65, '.') + "#\n#@";
    many += std::string(64, ' ') + "#\n" + std::string(67, '#') + "\n";  // 67 wide: SIZE_OVER first
    std::string manyNarrow;
    manyNarrow += "##########\n";
    for (int r = 0; r < 13; ++r) manyNarrow += "#$$$$$...#\n";  // 65 boxes, 39 goals so far
    for (int r = 0; r < 6; ++r) manyNarrow += "#.....   #\n";   // 30 more goals -> 69
    manyNarrow += "#@       #\n##########\n";
    ASSERT_TRUE(Open(moreBoxes + "\n" + wide + "\n" + many + "\n" + manyNarrow));
    ASSERT_EQ(model.levelSet.count, 4);
    EXPECT_EQ(model.board.status, LevelStatus::BAD_LEVEL);
    ASSERT_TRUE(SelectLevel(model, 2));
    EXPECT_EQ(model.board.status, LevelStatus::SIZE_OVER);
    EXPECT_EQ(model.board.width, 60);
    EXPECT_EQ(model.board.cellCount, 150) << "stride 50, three rows stored";
    EXPECT_EQ(model.board.cells[50], WALL);
    EXPECT_EQ(model.board.cells[51], KEEPER);
    ASSERT_TRUE(SelectLevel(model, 3));
    EXPECT_EQ(model.board.status, LevelStatus::SIZE_OVER);
    ASSERT_TRUE(SelectLevel(model, 4));
    EXPECT_EQ(model.board.boxCount, 65);
    EXPECT_EQ(model.board.status, LevelStatus::BAD_LEVEL) << "65 boxes against 69 goals";
}

TEST_F(LevelFileTest, SixtyFiveBoxesOnSixtyFiveGoalsIsManyBoxes) {
    std::string text = "###############\n";
    for (int r = 0; r < 13; ++r) text += "#$$$$$.....   #\n";
    text += "#@            #\n###############\n";
    ASSERT_TRUE(Open(text));
    EXPECT_EQ(model.board.boxCount, 65);
    EXPECT_EQ(model.board.status, LevelStatus::MANY_BOXES);
}

TEST_F(LevelFileTest, GeometryOfRowsAndCells) {
    // Trailing floor does not count for the width; "-" and "_" are floor like spaces.
    ASSERT_TRUE(Open("#--$_.  \n#@###\n#####\n"));
    EXPECT_EQ(model.board.width, 6);
    EXPECT_EQ(model.board.cells[1], FLOOR);
    EXPECT_EQ(model.board.cells[4], FLOOR);
    EXPECT_EQ(model.board.cells[3], BOX);
    EXPECT_EQ(model.board.cells[11], FLOOR) << "short rows are padded with floor";
    // Keeper on a goal.
    ASSERT_TRUE(Open("#####\n#+$ #\n#####\n"));
    EXPECT_EQ(model.board.keeperStart, 6);
    EXPECT_EQ(model.board.cells[6], KEEPER | GOAL);
    EXPECT_EQ(model.directions.stepOffset, (std::array<std::int32_t, 4>{-5, 1, 5, -1}));
    EXPECT_EQ(model.directions.ringOffset,
              (std::array<std::int32_t, 8>{-5, -4, 1, 6, 5, 4, -1, -6}));
}

TEST_F(LevelFileTest, FullFiftyByFiftyAndFiftyOneWide) {
    std::string full(50, '#');
    full += "\n";
    std::string body = "#@$." + std::string(45, ' ') + "#\n";
    std::string text = full + body;
    for (int r = 0; r < 47; ++r) text += "#" + std::string(48, ' ') + "#\n";
    text += full;
    ASSERT_TRUE(Open(text));
    EXPECT_EQ(model.board.cellCount, 2500);
    EXPECT_EQ(model.board.status, LevelStatus::PLAYABLE);
    EXPECT_EQ(model.board.cells[2499], WALL);

    std::string wide = std::string(51, '#') + "\n#@$." + std::string(46, ' ') + "#\n" +
                       std::string(51, '#') + "\n";
    ASSERT_TRUE(Open(wide));
    EXPECT_EQ(model.board.status, LevelStatus::SIZE_OVER);
    EXPECT_EQ(model.board.width, 51);
    EXPECT_EQ(RowStride(model.board), 50);
    EXPECT_EQ(model.board.keeperStart, 51);
    EXPECT_EQ(model.board.cells[99], FLOOR) << "column 50 (the wall) is not stored";
}

TEST_F(LevelFileTest, OpenLevelsAreBadLevel) {
    // Keeper in the outermost column with no wall beside it.
    ASSERT_TRUE(Open("#####\n@$. #\n#####\n"));
    EXPECT_EQ(model.board.status, LevelStatus::BAD_LEVEL);
    // A gap in the wall that the keeper reaches.
    ASSERT_TRUE(Open("#####\n#@$. \n#####\n"));
    EXPECT_EQ(model.board.status, LevelStatus::BAD_LEVEL);
    // A lone goal outside the keeper's region; a box on a goal there is allowed.
    ASSERT_TRUE(Open("########\n#@$$.#.#\n########\n"));
    EXPECT_EQ(model.board.status, LevelStatus::BAD_LEVEL);
    ASSERT_TRUE(Open("########\n#@$.#* #\n########\n"));
    EXPECT_EQ(model.board.status, LevelStatus::PLAYABLE);
}

TEST_F(LevelFileTest, JumpClampsToTheFile) {
    ASSERT_TRUE(Open(kLevelA + "\n" + kLevelB + "\n" + kLevelC));
    ASSERT_TRUE(SelectLevel(model, 99));
    EXPECT_EQ(model.levelSet.current, 3);
    ASSERT_TRUE(SelectLevel(model, -5));
    EXPECT_EQ(model.levelSet.current, 1);
    ASSERT_TRUE(SelectLevel(model, 0));
    EXPECT_EQ(model.levelSet.current, 1);
    EXPECT_FALSE(PreviousLevel(model)) << "Prev at level 1 does nothing";
    EXPECT_EQ(model.levelSet.current, 1);
}

TEST_F(LevelFileTest, FailedOpenChangesNothing) {
    ASSERT_TRUE(Open(kLevelA + "\n" + kLevelB));
    ASSERT_TRUE(SelectLevel(model, 2));
    const auto sum = BoardChecksum(model.board);
    const LevelSet before = model.levelSet;
    const std::string noLevel = dir.Write("notes.txt", "; only words\n\nno walls here\n");
    const std::string empty = dir.Write("empty.txt", "");
    for (const std::string& path : {dir.Path("missing.txt"), dir.Path(""), noLevel, empty}) {
        EXPECT_FALSE(OpenLevelFile(model, path.c_str())) << path;
        EXPECT_EQ(BoardChecksum(model.board), sum) << path;
        EXPECT_EQ(model.levelSet.count, 2);
        EXPECT_EQ(model.levelSet.current, 2);
        EXPECT_STREQ(model.levelSet.path.data(), before.path.data());
        EXPECT_STREQ(model.levelSet.name.data(), before.name.data());
    }
    ASSERT_TRUE(SelectLevel(model, 1)) << "the old file is still the one stepped through";
    EXPECT_EQ(model.board.width, 5);
}

}  // namespace
}  // namespace ruk::test
