// Placement: centring, exterior and interior, wall faces, open and oversized levels.
#include <gtest/gtest.h>

#include "board/placement.h"
#include "board/text_level_parser.h"
#include "engine/play_reset.h"
#include "records/core_state.h"
#include "test_files.h"

namespace ruk::test {
namespace {

class PlacementTest : public ::testing::Test {
  protected:
    Core core;
    LevelModel& model = *core.level;
    Grids& grids = model.grids;

    void Place(const std::string& text) {
        CopyText(model.levelSet.sourceText, text.c_str());
        ParseTextLevel(model);
        PlaceLevel(model);
    }
    CellCode Shown(int r, int c) const {
        return grids.displayGrid[GridIndex(grids.rowOffset + r, grids.colOffset + c)];
    }
    CellCode Edited(int r, int c) const {
        return grids.editorGrid[GridIndex(grids.rowOffset + r, grids.colOffset + c)];
    }
};

TEST_F(PlacementTest, ClosedLevelWithPocketsAndUnreachableRoom) {
    // A closed outline with exterior corners, an empty pocket and a walled-in box on a goal.
    Place(
        "  #######\n"
        "###  # *#\n"
        "#########\n"
        "#@$.  #\n"
        "#######\n");
    EXPECT_EQ(model.board.status, LevelStatus::PLAYABLE);
    EXPECT_EQ(grids.colOffset, 20);
    EXPECT_EQ(grids.rowOffset, 17);
    EXPECT_EQ(Shown(0, 0), EXTERIOR) << "outside the outline";
    EXPECT_EQ(Shown(0, 1), EXTERIOR);
    EXPECT_EQ(Shown(1, 3), EXTERIOR) << "a pocket with nothing in it";
    EXPECT_EQ(Shown(1, 4), EXTERIOR);
    EXPECT_EQ(Shown(3, 7), EXTERIOR) << "padding beyond a short row";
    EXPECT_EQ(Shown(4, 8), EXTERIOR);
    EXPECT_EQ(Shown(1, 7), BOX | GOAL) << "a box on a goal starts a fill of its own";
    EXPECT_EQ(Shown(1, 6), FLOOR);
    EXPECT_EQ(Shown(3, 1), KEEPER);
    EXPECT_EQ(Shown(3, 4), FLOOR);
    EXPECT_EQ(Edited(1, 3), FLOOR);
    EXPECT_EQ(Edited(3, 1), KEEPER);
    EXPECT_EQ(Edited(1, 7), BOX | GOAL);
    // Wall faces: a wall above a wall stays WALL; above anything else, or in the last row, faces.
    EXPECT_EQ(Shown(1, 0), WALL);
    EXPECT_EQ(Shown(3, 0), WALL);
    EXPECT_EQ(Shown(4, 0), WALL_FACE) << "last row";
    EXPECT_EQ(Shown(2, 1), WALL_FACE) << "above the keeper";
    EXPECT_EQ(Shown(0, 2), WALL);
    EXPECT_EQ(Shown(0, 3), WALL_FACE) << "above a pocket shown as exterior";
    EXPECT_EQ(Shown(1, 5), WALL);
    EXPECT_EQ(Shown(2, 7), WALL_FACE) << "above padding";
    EXPECT_EQ(Shown(3, 6), WALL);
}

TEST_F(PlacementTest, OpenLevelShowsFloorAroundAndIsBad) {
    Place("#####\n#@$. \n#####");
    EXPECT_EQ(model.board.status, LevelStatus::BAD_LEVEL);
    for (int r = 0; r < grids.maxHeight; ++r) {
        for (int c = 0; c < grids.maxWidth; ++c) {
            const bool inside = r >= grids.rowOffset && r < grids.rowOffset + 3 &&
                                c >= grids.colOffset && c < grids.colOffset + 5;
            if (!inside) {
                ASSERT_EQ(grids.displayGrid[GridIndex(r, c)], FLOOR) << r << "," << c;
            }
        }
    }
    EXPECT_EQ(Shown(1, 4), FLOOR);
    EXPECT_EQ(Edited(1, 1), KEEPER);
    EXPECT_EQ(Edited(1, 3), GOAL);
}

TEST_F(PlacementTest, CentringAndSizeOverAgainstTheUsableGrid) {
    Place("###\n#@#\n#$#\n#.#\n###");
    EXPECT_EQ(grids.colOffset, 23);
    EXPECT_EQ(grids.rowOffset, 17);
    Place("#####\n#@$.#\n#####");
    EXPECT_EQ(grids.colOffset, 22);
    EXPECT_EQ(grids.rowOffset, 18);
    Place("#######\n#@ $ .#\n#######");
    EXPECT_EQ(grids.colOffset, 21);
    Place("########\n#@ $  .#\n########");
    EXPECT_EQ(grids.colOffset, 21);

    grids.maxWidth = 40;
    const std::string wall(45, '#');
    Place(wall + "\n#@$." + std::string(40, ' ') + "#\n" + wall);
    EXPECT_EQ(model.board.status, LevelStatus::SIZE_OVER);
    EXPECT_EQ(grids.colOffset, 0);
    EXPECT_EQ(grids.displayGrid[GridIndex(grids.rowOffset + 1, 39)], FLOOR);
    EXPECT_EQ(grids.editorGrid[GridIndex(grids.rowOffset, 39)], WALL);
    EXPECT_EQ(grids.displayGrid[GridIndex(grids.rowOffset, 39)], WALL_FACE);
    EXPECT_EQ(grids.editorGrid[GridIndex(grids.rowOffset, 40)], FLOOR) << "beyond maxWidth";
}

TEST_F(PlacementTest, TallerThanFiftyReadsNothingBelowTheBoard) {
    grids.maxHeight = 50;
    std::string text = "#####\n#@$.#\n";
    for (int r = 0; r < 53; ++r) text += "#####\n";
    Place(text);
    EXPECT_EQ(model.board.status, LevelStatus::SIZE_OVER);
    EXPECT_EQ(model.board.height, 55);
    EXPECT_EQ(grids.rowOffset, 0);
    EXPECT_EQ(Shown(48, 0), WALL);
    EXPECT_EQ(Shown(49, 0), WALL_FACE) << "the last stored row has nothing below it";
}

TEST_F(PlacementTest, ClearsCountersSideCountsAndStaleCells) {
    Place("#####\n#@$.#\n#####");
    grids.displayGrid[GridIndex(0, 0)] = 99;
    Place("#####\n#@$.#\n#####");
    EXPECT_EQ(grids.displayGrid[GridIndex(0, 0)], EXTERIOR);
    // The shown counters and the side counts go with the placement step of a level change.
    core.game->shown.shownMoves = 5;
    core.game->shown.facing = 3;
    core.view->targets.sideCount[GridIndex(3, 3)] = 2;
    ResetShownForPlacement(*core.game, *core.view, grids);
    EXPECT_EQ(core.game->shown.shownMoves, 0);
    EXPECT_EQ(core.game->shown.facing, 0);
    EXPECT_EQ(core.view->targets.sideCount[GridIndex(3, 3)], 0);
    // An empty Board leaves cleared grids.
    Place("; nothing\n");
    EXPECT_EQ(Shown(1, 1), EXTERIOR);
    EXPECT_EQ(grids.editorGrid[GridIndex(20, 22)], FLOOR);
}

}  // namespace
}  // namespace ruk::test
