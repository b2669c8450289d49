// The zoomed board in the window: the zoom keys, the size kept in ruk.ini and applied to every
// level as it loads, and presses and the info line landing on the cell drawn under the pointer.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>
#include <string>
#include <vector>

#include "../test_files.h"
#include "engine/move_letters.h"
#include "settings/profile_file.h"
#include "window_session.h"

namespace ruk::test {
namespace {

constexpr int HOME_BASE = 3;   // 6 x 7: fits at every zoom
constexpr int CLOISTER = 20;   // 23 x 15: fits at 48 pixels at most
constexpr int BIG_LEVEL = 22;  // 50 x 50: too big for a full-HD board

void Key(Session& session, int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    QTest::keyClick(&session.W(), static_cast<Qt::Key>(key), modifiers);
}
int Scale(Session& session) {
    return session.W().ShownZoom().scale;
}

// The client pixel at the middle of a level cell as the board is shown now.
QPoint ZoomedPoint(Session& session, int cell) {
    const CoreState& core = session.Core();
    const GridCell g = BoardToGrid(core.level.board, core.level.grids, cell);
    const BoardPoint at = CellCentre(session.W().ShownZoom(), g);
    const PixelRect& board = session.W().State().boardRect;
    return {board.left + at.x, board.top + at.y};
}

// The square the shown board has under the pointer is the cell's 24-pixel picture, scaled.
void ExpectCellShownAt(Session& session, int cell, QPoint at) {
    const CoreState& core = session.Core();
    const GridCell g = BoardToGrid(core.level.board, core.level.grids, cell);
    const int scale = Scale(session);
    const PixelRect& board = session.W().State().boardRect;
    const int size = CELL_PIXELS * scale;
    const QPoint corner(at.x() - board.left - size / 2, at.y() - board.top - size / 2);
    const QImage shown = session.W().ShownBoard().copy(corner.x(), corner.y(), size, size);
    const QImage cell24 =
        session.W().BoardBuffer().copy(g.col * CELL_PIXELS, g.row * CELL_PIXELS, 24, 24);
    EXPECT_EQ(shown, cell24.scaled(size, size)) << "cell " << cell << " at " << scale;
}

void ZoomedClick(Session& session, int cell) {
    const QPoint at = ZoomedPoint(session, cell);
    ExpectCellShownAt(session, cell, at);
    QTest::mouseClick(&session.W(), Qt::LeftButton, {}, at);
    session.Settle();
}

std::string SolutionOf(int level) {
    for (const KnownSolution& known :
         ReadSolutions(std::string(RUK_SAMPLE_LEVELS) + "/ruk-samples-solutions.txt"))
        if (known.level == level) return known.moves;
    return "";
}

// At every zoom a level is solved by presses alone: each selects the box or reaches the
// target drawn under the pointer, and the info line names the cell under it.
TEST(ZoomWindowTest, ZoomedPressesSelectTheCellUnderThePointerAtEveryZoom) {
    Session session;
    ASSERT_TRUE(session.Start());
    session.Open(SAMPLES);
    session.JumpTo(QString::number(HOME_BASE));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&session.W()));
    CoreState& core = session.Core();
    const std::string moves = SolutionOf(HOME_BASE);
    ASSERT_FALSE(moves.empty());
    for (int scale = 1; scale <= MAX_ZOOM_SCALE; ++scale) {
        SCOPED_TRACE(scale);
        session.Toggle(ID_RESTART);
        if (scale > 1) Key(session, Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier);
        ASSERT_EQ(Scale(session), scale);
        for (const Action& action : ActionsOf(core, moves)) {
            ZoomedClick(session, action.box);
            ASSERT_TRUE(core.view.boxSelected);
            ASSERT_EQ(core.view.selectedBox, action.box);
            const std::uint32_t before = core.game.history.cursor;
            ZoomedClick(session, action.target);
            if (core.game.history.cursor == before) ZoomedClick(session, action.keeper);
            ASSERT_GT(core.game.history.cursor, before);
            ASSERT_EQ(core.game.shown.positionBoard[action.target], BOX);
        }
        EXPECT_TRUE(core.game.totals.solved);

        // The info line: level column and row of the cell under the pointer, off the level none.
        const Board& board = core.level.board;
        const int cell = 2 * RowStride(board) + 3;  // column 4, row 3
        QTest::mouseMove(&session.W(), ZoomedPoint(session, cell));
        EXPECT_EQ(session.Text(ID_INFO_LINE), "(x, y) = ( 4,  3)    ");
        const int size = CELL_PIXELS * scale;
        QTest::mouseMove(&session.W(), ZoomedPoint(session, 0) - QPoint(size, size));
        EXPECT_EQ(session.Text(ID_INFO_LINE), "");
    }
    EXPECT_EQ(session.prompts.Count("Status: Solved\r\n\r\nCongratulations !!"), MAX_ZOOM_SCALE);
}

// The keys step within what fits; the preference outlives a level that forces a smaller size,
// the editor keeps 24 pixels, and the size chosen is written back for the next start.
TEST(ZoomWindowTest, TheChosenSizeIsAppliedToEveryLevelAndRemembered) {
    Session session;
    session.dir.Write("ruk.ini", "[OPTION]\nIMOVE=0\nGUARD=1\nZOOM=96\n[SOLVER]\nSELECT=0\n");
    ASSERT_TRUE(session.Start());
    EXPECT_EQ(Scale(session), 1);  // the welcome screen is never zoomed
    Key(session, Qt::Key_Plus);
    EXPECT_EQ(Scale(session), 1);
    session.Open(SAMPLES);
    EXPECT_EQ(Scale(session), 4);
    session.JumpTo(QString::number(CLOISTER));
    EXPECT_EQ(Scale(session), 2);  // falls back to the largest size that fits
    session.JumpTo(QString::number(BIG_LEVEL));
    ASSERT_EQ(session.Core().level.board.status, LevelStatus::SIZE_OVER);
    EXPECT_EQ(Scale(session), 1);
    EXPECT_EQ(session.W().ShownBoard(), session.W().BoardBuffer());
    session.JumpTo(QString::number(HOME_BASE));
    EXPECT_EQ(Scale(session), 4);  // the choice outlived the levels that could not take it

    const std::pair<int, int> steps[] = {
        {Qt::Key_Minus, 3}, {Qt::Key_Equal, 4}, {Qt::Key_Plus, 4},  {Qt::Key_Minus, 3},
        {Qt::Key_Minus, 2}, {Qt::Key_Minus, 1}, {Qt::Key_Minus, 1}, {Qt::Key_0, 4},
    };
    for (const auto& [key, scale] : steps) {
        Key(session, key);
        EXPECT_EQ(Scale(session), scale) << key;
    }
    // The keypad's keys too.
    Key(session, Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(Scale(session), 3);
    Key(session, Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(Scale(session), 4);
    // Without Ctrl (the replay speed's keys) or with Alt these keys are not the zoom's.
    Key(session, Qt::Key_Minus, Qt::NoModifier);
    Key(session, Qt::Key_Minus, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(Scale(session), 4);
    Key(session, Qt::Key_Equal, Qt::NoModifier);  // the replay speed back as it was

    // Zooming out on a level that forced a smaller size steps from the size shown.
    session.JumpTo(QString::number(CLOISTER));
    EXPECT_EQ(Scale(session), 2);
    Key(session, Qt::Key_Minus);
    EXPECT_EQ(Scale(session), 1);
    Key(session, Qt::Key_Plus);
    EXPECT_EQ(Scale(session), 2);
    session.JumpTo(QString::number(HOME_BASE));
    EXPECT_EQ(Scale(session), 2);

    // The editor works at 24 pixels and ignores the zoom keys; Play brings the zoom back.
    session.Toggle(ID_EDIT);
    EXPECT_EQ(Scale(session), 1);
    Key(session, Qt::Key_Plus);
    EXPECT_EQ(Scale(session), 1);
    const Grids& grids = session.Core().level.grids;
    const int row = grids.rowOffset + 1, col = grids.colOffset + 1;
    const CellCode before = grids.editorGrid[GridIndex(row, col)];
    QTest::mouseClick(&session.W(), Qt::RightButton, {}, session.GridPoint(row, col));
    EXPECT_NE(grids.editorGrid[GridIndex(row, col)], before);  // the 24-pixel cell was erased
    session.Toggle(ID_PLAY);
    EXPECT_EQ(Scale(session), 2);

    session.W().close();
    EXPECT_EQ(ReadWholeFile(session.Ini()),
              "[OPTION]\nIMOVE=0\nGUARD=1\nZOOM=48\n[SOLVER]\nSELECT=0\n");
}

// Ctrl+0 is a mode: every level loads at the largest size that fits, also after a restart,
// until Ctrl+plus or Ctrl+minus fix a size again.
TEST(ZoomWindowTest, FitIsRememberedForEveryLevelUntilASizeIsPicked) {
    Session session;
    session.dir.Write("ruk.ini", "[OPTION]\nIMOVE=0\nGUARD=1\n");
    ASSERT_TRUE(session.Start());
    session.Open(SAMPLES);
    session.JumpTo(QString::number(CLOISTER));
    EXPECT_EQ(Scale(session), 1);
    Key(session, Qt::Key_0);
    EXPECT_EQ(Scale(session), 2);
    session.JumpTo(QString::number(HOME_BASE));
    EXPECT_EQ(Scale(session), 4);  // fits larger: shown larger
    session.W().close();
    EXPECT_EQ(ReadWholeFile(session.Ini()), "[OPTION]\nIMOVE=0\nGUARD=1\nZOOM=FIT\n");

    Session again;
    again.dir.Write("ruk.ini", ReadWholeFile(session.Ini()));
    ASSERT_TRUE(again.Start());
    again.Open(SAMPLES);
    again.JumpTo(QString::number(CLOISTER));
    EXPECT_EQ(Scale(again), 2);
    Key(again, Qt::Key_Plus);  // 72 would not fit: 48 is fixed
    EXPECT_EQ(Scale(again), 2);
    again.JumpTo(QString::number(HOME_BASE));
    EXPECT_EQ(Scale(again), 2);  // no longer fit
    again.W().close();
    EXPECT_EQ(ReadWholeFile(again.Ini()), "[OPTION]\nIMOVE=0\nGUARD=1\nZOOM=48\n");
}

// A file without the key, or with junk in it, is the 24-pixel board; closing without a zoom
// key leaves the file as it was.
TEST(ZoomWindowTest, AFileWithoutTheSizeOrWithJunkShowsTwentyFourPixels) {
    for (const std::string file :
         {"[OPTION]\nIMOVE=0\nGUARD=1\n", "[OPTION]\nIMOVE=0\nGUARD=1\nZOOM=big\n",
          "[OPTION]\nIMOVE=0\nGUARD=1\nZOOM=960\n"}) {
        Session session;
        session.dir.Write("ruk.ini", file);
        ASSERT_TRUE(session.Start());
        session.Open(SAMPLES);
        EXPECT_EQ(Scale(session), 1) << file;
        EXPECT_EQ(session.W().ShownBoard(), session.W().BoardBuffer());
        session.W().close();
        EXPECT_EQ(ReadWholeFile(session.Ini()), file);
    }
}

}  // namespace
}  // namespace ruk::test
