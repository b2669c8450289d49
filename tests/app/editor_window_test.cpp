// The editor in the main window: the panel in Edit mode, the palette, strokes of the mouse and
// the verdict they get, Clear, and the switches back to playing that keep or replace the game.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <set>

#include "dialogs/text_input_dialog.h"
#include "dialogs/text_out_dialog.h"
#include "level_save/saved_level.h"
#include "window_session.h"

namespace ruk::test {
namespace {

const std::string CLEAR_QUESTION = "Clear the level being edited.\r\n\r\n      Are you sure?";

struct PaletteTool {
    int col, row;
    CellCode tool;
};
const PaletteTool TOOLS[] = {{0, 0, FLOOR}, {1, 0, BOX},        {2, 0, KEEPER},
                             {0, 1, GOAL},  {1, 1, BOX | GOAL}, {2, 1, KEEPER | GOAL}};

QPoint PalettePoint(Session& s, int col, int row, int dx = 15) {
    const PixelRect& palette = s.W().State().paletteRect;
    return {palette.left + 39 * col + dx, palette.top + 30 * row + 15};
}

void Pick(Session& s, CellCode tool) {
    const PixelRect& wall = s.W().State().wallToolRect;
    QPoint at((wall.left + wall.right) / 2, (wall.top + wall.bottom) / 2);
    for (const PaletteTool& t : TOOLS)
        if (t.tool == tool) at = PalettePoint(s, t.col, t.row);
    QTest::mouseClick(&s.W(), Qt::LeftButton, {}, at);
}

void Paint(Session& s, int row, int col, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(&s.W(), button, {}, s.GridPoint(row, col));
}

CellCode Edited(Session& s, int row, int col) {
    return s.Core().level.grids.editorGrid[GridIndex(row, col)];
}

std::set<int> EnabledControls(MainWindow& window) {
    std::set<int> enabled;
    for (int id = FIRST_CONTROL_ID; id <= LAST_CONTROL_ID; ++id) {
        QWidget* control = window.Control(id);
        if ((qobject_cast<QAbstractButton*>(control) || qobject_cast<QLineEdit*>(control)) &&
            control->isEnabled())
            enabled.insert(id);
    }
    return enabled;
}

// A cell the keeper can walk to, other than the one it stands on and `not`.
int WalkTarget(Session& s, int other = -1) {
    const CoreState& core = s.Core();
    for (int cell = 0; cell < core.level.board.cellCount; ++cell) {
        const GridCell g = BoardToGrid(core.level.board, core.level.grids, cell);
        if (cell != core.game.shown.keeperCell && cell != other &&
            core.scratch.keeperReach[GridIndex(g.row, g.col)])
            return cell;
    }
    return -1;
}

// The shown level (or game) written by Text out and read back through the Text dialog.
void TextOutAndBackIn(Session& s) {
    s.prompts.dialogScript = [](QDialog& d) {
        dynamic_cast<TextOutDialog&>(d).CopyButton()->click();
    };
    s.Toggle(ID_URDL_OUTPUT);
    s.prompts.dialogScript = [](QDialog& d) {
        auto& dialog = dynamic_cast<TextInputDialog&>(d);
        dialog.PasteButton()->click();
        dialog.LoadButton()->click();
    };
    s.Toggle(ID_TEXT);
    s.prompts.dialogScript = nullptr;
}

TEST(EditorWindowTest, EditModePanelAndControls) {
    Session s;
    ASSERT_TRUE(s.Start());
    s.Open(SAMPLES);
    s.Toggle(ID_NEXT);
    s.Toggle(ID_EDIT);
    EXPECT_EQ(s.Core().level.editor.editMode, EditMode::EDIT);
    EXPECT_EQ(EnabledControls(s.W()),
              (std::set<int>{ID_TEXT, ID_FILE, ID_PREV, ID_NEXT, ID_LEVEL_NUMBER, ID_JUMP,
                             ID_URDL_OUTPUT, ID_PLAY, ID_EDIT, ID_CLEAR}));
    EXPECT_EQ(s.Text(ID_URDL_OUTPUT), "Level Output");
    for (const int id : {ID_SHOWN_MOVES, ID_SHOWN_PUSHES, ID_SHOWN_ACTIONS, ID_SOLVED,
                         ID_TOTAL_MOVES, ID_TOTAL_PUSHES, ID_TOTAL_ACTIONS})
        EXPECT_EQ(s.Text(id), "") << id;
    EXPECT_EQ(s.Text(ID_EDITOR_BOXES), "1 Boxes");
    EXPECT_EQ(s.Text(ID_EDITOR_GOALS), "1 Goals");
    EXPECT_EQ(s.Text(ID_EDITOR_STATUS), "");

    s.Toggle(ID_PLAY);
    EXPECT_EQ(s.Text(ID_URDL_OUTPUT), "URDL Output");
    EXPECT_EQ(s.Text(ID_EDITOR_BOXES), "");
}

TEST(EditorWindowTest, PalettePressesPickToolsButNotInTheGaps) {
    Session s;
    ASSERT_TRUE(s.Start());
    const CellCode& selected = s.Core().level.editor.selectedTool;
    QTest::mouseClick(&s.W(), Qt::LeftButton, {}, PalettePoint(s, 0, 0));
    EXPECT_EQ(selected, WALL);  // Play mode
    s.Toggle(ID_EDIT);
    for (const PaletteTool& t : TOOLS) {
        QTest::mouseClick(&s.W(), Qt::LeftButton, {}, PalettePoint(s, t.col, t.row));
        EXPECT_EQ(selected, t.tool) << t.col << "," << t.row;
    }
    Pick(s, WALL);
    EXPECT_EQ(selected, WALL);
    const auto grid = s.Core().level.grids.editorGrid;
    for (const int col : {0, 1})
        for (const int row : {0, 1})
            for (const int dx : {31, 34, 38}) {
                QTest::mouseClick(&s.W(), Qt::LeftButton, {}, PalettePoint(s, col, row, dx));
                EXPECT_EQ(selected, WALL) << col << "," << row << " +" << dx;
            }
    EXPECT_TRUE(s.Core().level.grids.editorGrid == grid);
}

TEST(EditorWindowTest, DragPaintsEveryCellPassedAndTheVerdictWaitsForTheRelease) {
    Session s;
    ASSERT_TRUE(s.Start());
    s.Toggle(ID_EDIT);
    const LevelStatus& status = s.Core().level.board.status;
    Pick(s, KEEPER);
    Paint(s, 10, 10);
    Pick(s, BOX);
    Paint(s, 10, 12);
    Pick(s, GOAL);
    Paint(s, 10, 14);
    ASSERT_EQ(status, LevelStatus::BAD_LEVEL);  // no walls yet
    EXPECT_EQ(s.Text(ID_EDITOR_STATUS), "Can't Play");

    // A ring of walls in one stroke, several cells per move; it closes on the last move.
    Pick(s, WALL);
    QTest::mousePress(&s.W(), Qt::LeftButton, {}, s.GridPoint(8, 8));
    const GridCell path[] = {{8, 11},  {8, 14},  {8, 16}, {10, 16}, {12, 16},
                             {12, 13}, {12, 10}, {12, 8}, {10, 8},  {9, 8}};
    for (const GridCell& at : path) {
        QTest::mouseMove(&s.W(), s.GridPoint(at.row, at.col));
        EXPECT_EQ(status, LevelStatus::BAD_LEVEL);
        EXPECT_EQ(s.Text(ID_EDITOR_STATUS), "Can't Play");
    }
    for (int row = 8; row <= 12; ++row)
        for (int col = 8; col <= 16; ++col)
            EXPECT_EQ(Edited(s, row, col) == WALL, row == 8 || row == 12 || col == 8 || col == 16)
                << row << "," << col;
    QTest::mouseRelease(&s.W(), Qt::LeftButton, {}, s.GridPoint(9, 8));
    EXPECT_EQ(status, LevelStatus::PLAYABLE);
    EXPECT_EQ(s.Text(ID_EDITOR_STATUS), "");
    EXPECT_EQ(s.Text(ID_EDITOR_BOXES), "1 Boxes");

    // The right button erases: a hole in the ring, and the verdict follows.
    Paint(s, 10, 16, Qt::RightButton);
    EXPECT_EQ(Edited(s, 10, 16), FLOOR);
    EXPECT_EQ(status, LevelStatus::BAD_LEVEL);
}

TEST(EditorWindowTest, AStrokeStartedOffTheBoardPaintsNothingBehindIt) {
    Session s;
    ASSERT_TRUE(s.Start());
    s.Toggle(ID_EDIT);
    Paint(s, 5, 5);  // the last stroke ended here
    const PixelRect& board = s.W().State().boardRect;
    QTest::mousePress(&s.W(), Qt::LeftButton, {}, QPoint(board.left - 2, s.GridPoint(5, 0).y()));
    QTest::mouseMove(&s.W(), s.GridPoint(5, 0));
    QTest::mouseRelease(&s.W(), Qt::LeftButton, {}, s.GridPoint(5, 0));
    for (int col = 1; col < 5; ++col) EXPECT_EQ(Edited(s, 5, col), FLOOR) << col;
}

TEST(EditorWindowTest, ClearAsksFirst) {
    Session s;
    ASSERT_TRUE(s.Start());
    s.Open(SAMPLES);
    s.Toggle(ID_EDIT);
    const auto before = s.Core().level.grids.editorGrid;
    s.Toggle(ID_CLEAR);
    EXPECT_TRUE(s.Core().level.grids.editorGrid == before);
    EXPECT_EQ(s.prompts.shown.back(), (Shown{"RUK", CLEAR_QUESTION, PromptIcon::QUESTION}));
    s.prompts.confirmAnswer = true;
    s.Toggle(ID_CLEAR);
    EXPECT_EQ(s.prompts.Count(CLEAR_QUESTION), 2);
    const Grids& grids = s.Core().level.grids;
    for (int row = 0; row < grids.maxHeight; ++row)
        for (int col = 0; col < grids.maxWidth; ++col) ASSERT_EQ(Edited(s, row, col), FLOOR);
    EXPECT_EQ(s.Core().level.board.status, LevelStatus::NONE);
    EXPECT_EQ(s.Text(ID_EDITOR_BOXES), "0 Boxes");
}

TEST(EditorWindowTest, LevelsLoadedWhileEditingAreChecked) {
    Session s;
    ASSERT_TRUE(s.Start());
    s.Open(SAMPLES);
    s.Toggle(ID_EDIT);
    s.JumpTo("3");
    EXPECT_EQ(s.Text(ID_EDITOR_BOXES), "2 Boxes");
    s.Toggle(ID_NEXT);
    EXPECT_EQ(s.Level(), 4);
    EXPECT_EQ(s.Text(ID_EDITOR_BOXES), "3 Boxes");
    EXPECT_EQ(s.Text(ID_EDITOR_GOALS), "3 Goals");
    const Board& board = s.Core().level.board;
    const GridCell keeper = BoardToGrid(board, s.Core().level.grids, board.keeperStart);
    EXPECT_TRUE(Edited(s, keeper.row, keeper.col) & KEEPER);
    s.Open(SAMPLES);
    EXPECT_EQ(s.Text(ID_EDITOR_BOXES), "1 Boxes");
    const std::string name = s.Text(ID_SET_NAME);
    s.Toggle(ID_PLAY);
    EXPECT_EQ(s.Text(ID_SET_NAME), name);
    EXPECT_EQ(s.Level(), 1);
    EXPECT_EQ(board.status, LevelStatus::PLAYABLE);
}

TEST(EditorWindowTest, PlayWithoutAChangeKeepsTheGame) {
    for (const bool animating : {false, true}) {
        Session s;
        ASSERT_TRUE(s.Start());
        s.Open(SAMPLES);
        s.JumpTo("2");
        const GameRecord& game = s.Core().game;
        const ViewState& view = s.Core().view;
        s.Click(WalkTarget(s));
        const int first = game.shown.keeperCell;
        s.Click(WalkTarget(s, first));
        if (animating) {
            QTest::mouseClick(&s.W(), Qt::LeftButton, {}, s.CellPoint(first));
            ASSERT_NE(view.animMode, AnimMode::IDLE);
            // A walk keeps the controls as they were before the click.
            EXPECT_TRUE(s.W().Control(ID_EDIT)->isEnabled());
        }
        const std::uint32_t end = game.history.end;
        ASSERT_GT(end, 0u);
        const std::string name = s.Text(ID_SET_NAME);
        s.Toggle(ID_EDIT);  // pressed while the walk runs: it stops, its marks are cleared
        EXPECT_EQ(view.animMode, AnimMode::IDLE) << animating;
        s.Toggle(ID_PLAY);
        EXPECT_EQ(game.history.end, end) << animating;
        EXPECT_EQ(s.Text(ID_SET_NAME), name) << animating;
        EXPECT_EQ(s.Level(), 2) << animating;
        EXPECT_EQ(s.Core().level.board.status, LevelStatus::PLAYABLE) << animating;
        EXPECT_EQ(game.history.cursor, static_cast<std::uint32_t>(game.shown.shownMoves));
        EXPECT_EQ(game.history.cursor < end, animating);
        // The game goes on from the cell where the keeper is shown, once.
        const Grids& grids = s.Core().level.grids;
        int keepers = 0;
        for (int i = 0; i < MAX_CELLS; ++i) keepers += (grids.displayGrid[i] & KEEPER) != 0;
        EXPECT_EQ(keepers, 1) << animating;
        const GridCell shown = BoardToGrid(s.Core().level.board, grids, game.shown.keeperCell);
        EXPECT_TRUE(grids.displayGrid[GridIndex(shown.row, shown.col)] & KEEPER) << animating;
        s.Click(WalkTarget(s));
        EXPECT_EQ(game.history.cursor, game.history.end) << animating;
        EXPECT_GT(game.shown.shownMoves, 0) << animating;
    }
}

TEST(EditorWindowTest, PaintingOneCellMakesTheNewLevelEditor) {
    Session s;
    ASSERT_TRUE(s.Start());
    s.Open(SAMPLES);
    s.JumpTo("2");
    s.Click(WalkTarget(s));
    ASSERT_GT(s.Core().game.history.end, 0u);
    s.Toggle(ID_EDIT);
    const Grids& grids = s.Core().level.grids;
    Pick(s, WALL);
    Paint(s, grids.rowOffset, grids.colOffset - 1);
    s.Toggle(ID_PLAY);
    EXPECT_EQ(s.Text(ID_SET_NAME), "Editor");
    EXPECT_EQ(s.Core().level.levelSet.count, 1);
    EXPECT_EQ(s.Core().game.history.end, 0u);
    EXPECT_EQ(s.Core().level.board.status, LevelStatus::PLAYABLE);
}

const std::vector<std::string> ROOM_ROWS = {"#######", "#     #", "#@ $ .#", "#     #", "#######"};

// ROOM_ROWS drawn cell by cell with the palette, its top-left corner at row 10, column 10.
void DrawRoom(Session& s) {
    Pick(s, WALL);
    for (int row = 10; row <= 14; ++row)
        for (int col = 10; col <= 16; ++col)
            if (row == 10 || row == 14 || col == 10 || col == 16) Paint(s, row, col);
    Pick(s, KEEPER);
    Paint(s, 12, 11);
    Pick(s, BOX);
    Paint(s, 12, 13);
    Pick(s, GOAL);
    Paint(s, 12, 15);
}

TEST(EditorWindowTest, ALevelDrawnCellByCellPlaysAndComesBackThroughText) {
    Session s;
    ASSERT_TRUE(s.Start());
    s.Toggle(ID_EDIT);
    DrawRoom(s);
    const std::vector<std::string>& rows = ROOM_ROWS;
    std::string drawn;
    for (const std::string& row : rows) drawn += row + "\n";
    s.prompts.dialogScript = [&](QDialog& d) {
        auto& dialog = dynamic_cast<TextOutDialog&>(d);
        EXPECT_EQ(dialog.windowTitle(), "Level Output");
        EXPECT_EQ(dialog.TextBox()->toPlainText().toStdString(), drawn);
    };
    s.Toggle(ID_URDL_OUTPUT);

    s.Toggle(ID_PLAY);
    EXPECT_EQ(s.Core().level.board.status, LevelStatus::PLAYABLE);
    EXPECT_EQ(s.Text(ID_SET_NAME), "Editor");
    EXPECT_EQ(BoardRows(s.Core().level.board), rows);
    TextOutAndBackIn(s);
    EXPECT_EQ(s.Text(ID_SET_NAME), "Text");
    EXPECT_EQ(s.Core().level.board.status, LevelStatus::PLAYABLE);
    EXPECT_EQ(BoardRows(s.Core().level.board), rows);
}

// Ctrl+S saves the drawing to a new file and at the end of a copy of the samples, each opened
// afterwards as `ruk FILE N` opens it and solved from the keyboard.
TEST(EditorWindowTest, CtrlSSavesTheDrawingToAFileThatOpensAndSolves) {
    TempDir dir;
    const std::string fresh = dir.Path("drawn.txt");
    const std::string copy = dir.Write("samples.txt", ReadWholeFile(SAMPLES));
    const int count = LevelsInFile(copy);
    ASSERT_GT(count, 0);
    Session s;
    ASSERT_TRUE(s.Start());
    const auto save = [&s] { QTest::keyClick(s.W().Board(), Qt::Key_S, Qt::ControlModifier); };
    s.prompts.saveFiles = {fresh};
    save();  // Play mode: nothing to save
    EXPECT_EQ(s.prompts.saveFiles.size(), 1u);
    s.Toggle(ID_EDIT);
    Pick(s, KEEPER);
    Paint(s, 12, 11);
    save();  // warned, and Cancel saves nothing
    ASSERT_FALSE(s.prompts.shown.empty());
    EXPECT_EQ(s.prompts.shown.back().text,
              "This level would not load: it has no box.\r\n\r\nSave it anyway?");
    EXPECT_EQ(s.prompts.saveFiles.size(), 1u);
    DrawRoom(s);
    save();
    EXPECT_EQ(s.prompts.shown.back().text, "The level was saved to " + fresh + " as level 1.");
    s.prompts.saveFiles = {copy};
    s.prompts.confirmAnswer = true;
    save();
    const std::size_t shown = s.prompts.shown.size();
    ASSERT_GE(shown, 2u);
    EXPECT_EQ(s.prompts.shown[shown - 2].text,
              copy + " is there.\r\n\r\nAdd the level at its end?");
    EXPECT_EQ(s.prompts.shown.back().text,
              "The level was saved to " + copy + " as level " + std::to_string(count + 1) + ".");

    for (const auto& [file, level] : {std::pair{fresh, 1}, std::pair{copy, count + 1}}) {
        Session played;
        ASSERT_TRUE(played.Start());
        const std::string number = std::to_string(level);
        const char* argv[] = {"ruk", file.c_str(), number.c_str()};
        played.W().OpenFromCommandLine(ParseCommandLine(3, argv));
        ASSERT_EQ(played.Level(), level) << file;
        EXPECT_EQ(BoardRows(played.Core().level.board), ROOM_ROWS) << file;
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(played.W().Board(), Qt::Key_Right);
            played.Settle();
        }
        EXPECT_TRUE(played.Core().game.totals.solved) << file;
        EXPECT_EQ(played.prompts.Count("Status: Solved\r\n\r\nCongratulations !!"), 1) << file;
    }
}

}  // namespace
}  // namespace ruk::test
