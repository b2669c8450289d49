// The editor grid without a window: the one-keeper rule, the verdict on a drawn level, drags
// that leave no gap, and the switches between the shown game and the drawing.
#include "editor/editor_grid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "../test_files.h"
#include "core_door.h"

namespace ruk::test {
namespace {

CellCode& At(LevelModel& level, int row, int col) {
    return level.grids.editorGrid[GridIndex(row, col)];
}

// Writes level text into the editor grid with its top-left character at (top, left).
void Draw(LevelModel& level, const std::vector<std::string>& rows, int top, int left) {
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            At(level, top + static_cast<int>(r), left + static_cast<int>(c)) =
                static_cast<CellCode>(CellCodeOf(static_cast<unsigned char>(rows[r][c])));
}

const std::string SAMPLES = std::string(RUK_SAMPLE_LEVELS) + "/ruk-samples.txt";
const std::vector<std::string> ROOM = {"#######", "#@ $. #", "#  $. #", "#######"};

TEST(EditorGridTest, OneKeeperWhateverIsPaintedOverIt) {
    Core core;
    LevelModel& level = *core.level;
    const EditorState& editor = level.editor;
    PlaceTool(level, 3, 3, KEEPER | GOAL);
    PlaceTool(level, 3, 4, KEEPER);
    PlaceTool(level, 5, 5, KEEPER | GOAL);
    EXPECT_EQ(At(level, 3, 3), GOAL);  // the goal stays where the keeper left it
    EXPECT_EQ(At(level, 3, 4), FLOOR);
    EXPECT_EQ(At(level, 5, 5), KEEPER | GOAL);
    EXPECT_EQ(editor.keeperRow * 100 + editor.keeperCol, 505);
    for (const CellCode tool : {FLOOR, GOAL, BOX, BOX | GOAL, WALL}) {
        PlaceTool(level, 5, 5, KEEPER);
        PlaceTool(level, 5, 5, tool);
        EXPECT_EQ(At(level, 5, 5), tool);
        EXPECT_EQ(editor.keeperRow, -1) << tool;
        EXPECT_EQ(editor.keeperCol, -1) << tool;
    }
    PlaceTool(level, 6, 6, KEEPER | GOAL);
    EraseCell(level, 6, 6);
    EXPECT_EQ(At(level, 6, 6), FLOOR);
    EXPECT_EQ(editor.keeperRow, -1);

    // Two keepers drawn: the verdict takes the last in row order.
    Draw(level, {"#######", "#@ $. #", "# @$.@#", "#######"}, 10, 10);
    ValidateEditor(level);
    EXPECT_EQ(editor.keeperRow * 100 + editor.keeperCol, 1215);
    ClearEditor(level);
    for (int r = 0; r < level.grids.maxHeight; ++r)
        for (int c = 0; c < level.grids.maxWidth; ++c) ASSERT_EQ(At(level, r, c), FLOOR);
    EXPECT_EQ(editor.keeperRow, -1);
}

TEST(EditorGridTest, VerdictOnDrawnLevels) {
    struct Case {
        const char* name;
        std::vector<std::string> rows;
        int top, left;
        LevelStatus status;
        int boxes, goals;
    };
    const LevelStatus OK = LevelStatus::PLAYABLE, BAD = LevelStatus::BAD_LEVEL;
    const Case cases[] = {
        {"closed room", ROOM, 5, 5, OK, 2, 2},
        {"a goal removed", {"#######", "#@ $. #", "#  $  #", "#######"}, 5, 5, BAD, 2, 1},
        {"no keeper", {"#######", "#  $. #", "#  $. #", "#######"}, 5, 5, LevelStatus::NONE, 2, 2},
        {"no box", {"####", "#@ #", "####"}, 5, 5, BAD, 0, 0},
        {"gap in the wall", {"#######", "#@ $. #", "#  $.  ", "#######"}, 5, 5, BAD, 2, 2},
        {"lone goal out of reach", {"########", "#@$ ##.#", "########"}, 5, 5, BAD, 1, 1},
        {"lone box out of reach", {"########", "#@. ##$#", "########"}, 5, 5, BAD, 1, 1},
        {"box on goal out of reach", {"#########", "#@$. ##*#", "#########"}, 5, 5, OK, 2, 2},
        {"goal outside the room", {"#####   ", "#@$ #  .", "#####   "}, 5, 5, BAD, 1, 1},
        {"walls on the grid's edge", ROOM, 0, 0, OK, 2, 2},
        {"keeper on the grid's edge", {"@$."}, 0, 3, BAD, 1, 1},
        {"leak to the last row", {"###", "#@#", "#$#", "#.#", "# #"}, 35, 0, BAD, 1, 1},
    };
    for (const Case& c : cases) {
        Core core;
        Draw(*core.level, c.rows, c.top, c.left);
        ValidateEditor(*core.level);
        EXPECT_EQ(core.level->board.status, c.status) << c.name;
        EXPECT_EQ(core.level->editor.boxCount, c.boxes) << c.name;
        EXPECT_EQ(core.level->editor.goalCount, c.goals) << c.name;
    }
}

TEST(EditorGridTest, FillStaysInsideANarrowUsedGrid) {
    Core core;
    LevelModel& level = *core.level;
    level.grids.maxWidth = 12;
    level.grids.maxHeight = 8;
    // The room's right wall is the used grid's last column; beyond it and below the last row
    // lie open floor, a goal and a box that are not part of the drawing.
    Draw(level, {"########", "#@ $.  #", "#      #", "########"}, 2, 4);
    At(level, 3, 12) = GOAL;
    At(level, 8, 6) = BOX;
    ValidateEditor(level);
    EXPECT_EQ(level.board.status, LevelStatus::PLAYABLE);
    EXPECT_EQ(level.editor.boxCount, 1);
    EXPECT_EQ(level.editor.goalCount, 1);

    At(level, 3, 11) = FLOOR;  // opens the room onto the last column
    ValidateEditor(level);
    EXPECT_EQ(level.board.status, LevelStatus::BAD_LEVEL);
    for (int r = 0; r < GRID_SIDE; ++r) {
        for (int c = 0; c < GRID_SIDE; ++c) {
            if (r < level.grids.maxHeight && c < level.grids.maxWidth) continue;
            ASSERT_EQ(level.editor.fillMask[GridIndex(r, c)], 0) << r << "," << c;
        }
    }
}

TEST(EditorGridTest, AFullGridOfBoxesIsJudgedWithoutOverflow) {
    struct Case {
        bool border, keeper;
        LevelStatus status;
        int boxes;
    };
    const Case cases[] = {{false, false, LevelStatus::NONE, MAX_CELLS},
                          {false, true, LevelStatus::BAD_LEVEL, MAX_CELLS - 1},
                          {true, true, LevelStatus::PLAYABLE, 48 * 48 - 1}};
    for (const Case& c : cases) {
        Core core;
        LevelModel& level = *core.level;
        level.grids.maxWidth = level.grids.maxHeight = GRID_SIDE;
        for (int r = 0; r < GRID_SIDE; ++r) {
            for (int col = 0; col < GRID_SIDE; ++col) {
                const bool edge = r == 0 || col == 0 || r == GRID_SIDE - 1 || col == GRID_SIDE - 1;
                At(level, r, col) = c.border && edge ? WALL : c.keeper ? BOX | GOAL : BOX;
            }
        }
        if (c.keeper) At(level, 25, 25) = KEEPER;
        ValidateEditor(level);
        EXPECT_EQ(level.board.status, c.status) << c.boxes;
        EXPECT_EQ(level.editor.boxCount, c.boxes);
    }
}

// A drag over an empty grid paints one cell per step along the longer axis, each within half a
// cell of the straight line and touching the one before, ending on `to`.
void ExpectStraightLine(const LevelModel& level, GridCell from, GridCell to) {
    const int rows = to.row - from.row, cols = to.col - from.col;
    const int steps = std::max(std::abs(rows), std::abs(cols));
    std::vector<GridCell> painted(static_cast<std::size_t>(steps) + 1);
    int count = 0;
    for (int r = 0; r < GRID_SIDE; ++r) {
        for (int c = 0; c < GRID_SIDE; ++c) {
            if (level.grids.editorGrid[GridIndex(r, c)] == FLOOR) continue;
            ++count;
            const int step = std::max(std::abs(r - from.row), std::abs(c - from.col));
            if (step <= steps) painted[static_cast<std::size_t>(step)] = {r, c};
        }
    }
    EXPECT_EQ(count, steps);
    painted[0] = from;
    for (int i = 1; i <= steps; ++i) {
        const GridCell cell = painted[static_cast<std::size_t>(i)], last = painted[i - 1u];
        ASSERT_TRUE(cell.valid()) << "gap at step " << i;
        EXPECT_LE(std::abs(cell.row - (from.row + rows * i / double(steps))), 0.5) << i;
        EXPECT_LE(std::abs(cell.col - (from.col + cols * i / double(steps))), 0.5) << i;
        EXPECT_LE(std::max(std::abs(cell.row - last.row), std::abs(cell.col - last.col)), 1);
    }
    EXPECT_EQ(painted.back().row, to.row);
    EXPECT_EQ(painted.back().col, to.col);
}

TEST(EditorGridTest, DragsPaintEveryCellOfTheLine) {
    const std::pair<GridCell, GridCell> drags[] = {
        {{5, 5}, {5, 15}},  {{5, 15}, {5, 5}},  {{2, 2}, {12, 7}}, {{30, 40}, {3, 1}},
        {{0, 0}, {39, 39}}, {{39, 0}, {0, 49}}, {{20, 3}, {4, 3}}, {{7, 7}, {7, 7}},
    };
    for (const auto& [from, to] : drags) {
        Core core;
        EXPECT_EQ(PaintLine(*core.level, from, to, WALL, false),
                  from.row != to.row || from.col != to.col);
        ExpectStraightLine(*core.level, from, to);
        // Every cell already holds the tool: nothing changes.
        EXPECT_FALSE(PaintLine(*core.level, from, to, WALL, false));
    }
}

TEST(EditorGridTest, ErasingAndKeeperDrags) {
    Core core;
    LevelModel& level = *core.level;
    Draw(level, {"#@$.*+#"}, 3, 2);
    EXPECT_TRUE(PaintLine(level, {3, 1}, {3, 8}, 0, true));
    for (int c = 0; c < 10; ++c) EXPECT_EQ(At(level, 3, c), FLOOR) << c;
    EXPECT_EQ(level.editor.keeperRow, -1);
    EXPECT_FALSE(PaintLine(level, {3, 1}, {3, 8}, 0, true));

    // The keeper tool dragged along the row leaves one keeper, at the end of the drag.
    PlaceTool(level, 3, 1, KEEPER);
    EXPECT_TRUE(PaintLine(level, {3, 1}, {3, 6}, KEEPER, false));
    for (int c = 0; c < 10; ++c) EXPECT_EQ(At(level, 3, c), c == 6 ? KEEPER : FLOOR) << c;
    EXPECT_EQ(level.editor.keeperCol, 6);
}

TEST(EditorGridTest, DisplayToEditorAndBack) {
    Core core;
    LevelModel& level = *core.level;
    Grids& grids = level.grids;
    struct Cell {
        int row, col;
        CellCode shown, edited;
    };
    const Cell cells[] = {{2, 2, WALL_FACE, WALL},
                          {2, 3, WALL, WALL},
                          {3, 3, BOX | (DIR_LEFT << MARKER_SHIFT), BOX},
                          {3, 4, GOAL | (DIR_UP << MARKER_SHIFT), GOAL},
                          {3, 5, KEEPER | GOAL, KEEPER | GOAL},
                          {3, 6, BOX | GOAL, BOX | GOAL},
                          {3, 7, FLOOR, FLOOR}};
    for (int r = 0; r < grids.maxHeight; ++r)
        for (int c = 0; c < grids.maxWidth; ++c) grids.displayGrid[GridIndex(r, c)] = EXTERIOR;
    for (const Cell& c : cells) grids.displayGrid[GridIndex(c.row, c.col)] = c.shown;
    At(level, 0, 0) = BOX;  // replaced: the copy covers every used cell
    CopyDisplayToEditor(level);
    for (const Cell& c : cells) EXPECT_EQ(At(level, c.row, c.col), c.edited) << c.row << c.col;
    EXPECT_EQ(At(level, 0, 0), FLOOR);
    EXPECT_EQ(level.editor.keeperRow * 100 + level.editor.keeperCol, 305);
    EXPECT_TRUE(EditorDiffersFromDisplay(level));  // the marker bits

    grids.displayGrid[GridIndex(3, 3)] = BOX;
    grids.displayGrid[GridIndex(3, 4)] = GOAL;
    EXPECT_FALSE(EditorDiffersFromDisplay(level));  // floor = exterior, wall = wall face
    grids.displayGrid[GridIndex(3, 7)] = DIR_DOWN << MARKER_SHIFT;
    EXPECT_TRUE(EditorDiffersFromDisplay(level));
    grids.displayGrid[GridIndex(3, 7)] = FLOOR;
    for (const CellCode changed : {FLOOR, WALL, GOAL, KEEPER}) {
        At(level, 3, 6) = changed;
        EXPECT_TRUE(EditorDiffersFromDisplay(level)) << changed;
    }
    At(level, 3, 6) = BOX | GOAL;
    At(level, grids.maxHeight, 5) = BOX;  // below the used grid
    EXPECT_FALSE(EditorDiffersFromDisplay(level));
}

TEST(EditorGridTest, TheDrawingBecomesTheOneLevelSetEditor) {
    struct Case {
        std::vector<std::string> rows;
        LevelStatus status;
    };
    const Case cases[] = {
        {ROOM, LevelStatus::PLAYABLE},
        {{"#######", "#@ $. #", "#  $   ", "#######"}, LevelStatus::BAD_LEVEL},
    };
    for (const Case& c : cases) {
        Core core;
        ASSERT_TRUE(LoadLevel(*core.state, SAMPLES, 2));
        LoadMoves(*core.state, "uur");
        ClearEditor(*core.level);
        Draw(*core.level, c.rows, 6, 9);
        door::LoadEditorLevel(*core.state);
        const LevelSet& set = core.level->levelSet;
        EXPECT_STREQ(set.name.data(), "Editor");
        EXPECT_EQ(set.count, 1);
        EXPECT_EQ(set.current, 1);
        EXPECT_EQ(core.game->history.end, 0u);
        EXPECT_EQ(core.game->history.cursor, 0u);
        EXPECT_EQ(core.level->board.status, c.status);
        std::vector<std::string> expected = c.rows;
        for (std::string& row : expected) row.erase(row.find_last_not_of(' ') + 1);
        EXPECT_EQ(BoardRows(core.level->board), expected);
    }
}

}  // namespace
}  // namespace ruk::test
