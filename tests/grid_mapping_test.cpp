// Board, grid and pixel coordinates, and the Jump box's number.
#include <gtest/gtest.h>

#include "board/grids.h"
#include "board/jump_number.h"
#include "board/placement.h"
#include "board/text_level_parser.h"
#include "test_files.h"

namespace ruk::test {
namespace {

TEST(GridMappingTest, BoardGridAndPixelAgree) {
    Core core;
    LevelModel& model = *core.level;
    CopyText(model.levelSet.sourceText, "#######\n#@ $ .#\n#######");
    ParseTextLevel(model);
    PlaceLevel(model);
    ASSERT_EQ(model.grids.colOffset, 21);
    ASSERT_EQ(model.grids.rowOffset, 18);
    const GridCell keeper = BoardToGrid(model.board, model.grids, model.board.keeperStart);
    EXPECT_EQ(keeper.row, 19);
    EXPECT_EQ(keeper.col, 22);
    EXPECT_EQ(GridToBoard(model.board, model.grids, 19, 22), model.board.keeperStart);
    EXPECT_EQ(GridToBoard(model.board, model.grids, 18, 27), 6);
    EXPECT_EQ(GridToBoard(model.board, model.grids, 18, 28), -1) << "right of the level";
    EXPECT_EQ(GridToBoard(model.board, model.grids, 21, 21), -1) << "below the level";
    EXPECT_EQ(GridToBoard(model.board, model.grids, 18, 20), -1) << "left of the level";

    const Grids& g = model.grids;
    const GridCell hit = PointToCell(g, 10, 20, 10 + 22 * 24 + 23, 20 + 19 * 24);
    EXPECT_EQ(hit.row, 19);
    EXPECT_EQ(hit.col, 22);
    EXPECT_FALSE(PointToCell(g, 10, 20, 9, 30).valid());
    EXPECT_FALSE(PointToCell(g, 10, 20, 10 + 50 * 24, 30).valid()) << "one past the last column";
    EXPECT_FALSE(PointToCell(g, 10, 20, 30, 20 + 40 * 24).valid()) << "one past the last row";
    EXPECT_TRUE(PointToCell(g, 10, 20, 10 + 50 * 24 - 1, 20 + 40 * 24 - 1).valid());
}

TEST(GridMappingTest, JumpNumberIsClampedToTheFile) {
    EXPECT_EQ(JumpLevelNumber("7", 90), 7);
    EXPECT_EQ(JumpLevelNumber("0", 90), 1);
    EXPECT_EQ(JumpLevelNumber("-12", 90), 1);
    EXPECT_EQ(JumpLevelNumber("abc", 90), 1);
    EXPECT_EQ(JumpLevelNumber("", 90), 1);
    EXPECT_EQ(JumpLevelNumber("91", 90), 90);
    EXPECT_EQ(JumpLevelNumber("12x", 90), 12);
    EXPECT_EQ(JumpLevelNumber("0000000045", 90), 4) << "only nine characters are read";
    EXPECT_EQ(JumpLevelNumber("999999999999", 2000000), 2000000);
}

}  // namespace
}  // namespace ruk::test
