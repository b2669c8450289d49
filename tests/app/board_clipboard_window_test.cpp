// The board's clipboard keys and mouse wheel, and Escape in the dialogs, worked through the
// main window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWheelEvent>

#include "dialogs/solver_dialog.h"
#include "dialogs/text_input_dialog.h"
#include "dialogs/text_out_dialog.h"
#include "window_session.h"

namespace ruk::test {
namespace {

const std::string LEVEL_2 = "######\n#    #\n# $# #\n#@ . #\n######\n";  // of the samples
const std::string SOLUTION_2 = "uurDldR";
const Shown INCOMPLETE{"RUK", "There is incomplete data.", PromptIcon::NONE};
const Shown NO_LEVEL{"RUK", "The clipboard holds no level.", PromptIcon::INFORMATION};

void SetClipboard(const std::string& bytes) {
    QGuiApplication::clipboard()->setText(QString::fromLatin1(bytes.c_str()));
}

std::string Clipboard() {
    return QGuiApplication::clipboard()->text().toStdString();
}

// A window showing level 2 of the samples.
void StartOnLevel2(Session& s) {
    ASSERT_TRUE(s.Start());
    s.Open(SAMPLES);
    s.JumpTo("2");
}

void Type(Session& s, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(s.W().focusWidget(), key, modifiers);
    s.Settle();
}

void Wheel(Session& s, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
           QPoint at = {}) {
    if (at.isNull()) at = s.GridPoint(2, 2);
    QWheelEvent event(at, s.W().mapToGlobal(at), {}, {0, delta}, Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&s.W(), &event);
    s.Settle();
}

TEST(BoardClipboardTest, CtrlVLoadsALevelWithItsMovesOrMovesAloneAndSaysWhatItCannotTake) {
    struct Case {
        std::string clip;
        bool levelShown;  // level 2 of the samples is shown before Ctrl+V
        std::string setName;
        LevelStatus status;
        std::uint32_t moves;
        std::vector<Shown> shown;
    };
    const Case cases[] = {
        {LEVEL_2, false, "Text", LevelStatus::PLAYABLE, 0, {}},
        {LEVEL_2 + "Title: Turn\nSolution: " + SOLUTION_2 + "\n",
         true,
         "Text",
         LevelStatus::PLAYABLE,
         7,
         {}},
        {LEVEL_2 + "\n" + SOLUTION_2 + "x\n", false, "Text", LevelStatus::PLAYABLE, 0, {}},
        {"#@#\n", true, "Text", LevelStatus::BAD_LEVEL, 0, {}},
        {SOLUTION_2 + "\r\n", true, "ruk-samples", LevelStatus::PLAYABLE, 7, {}},
        {"uuhello", true, "ruk-samples", LevelStatus::PLAYABLE, 2, {INCOMPLETE}},
        {SOLUTION_2, false, "", LevelStatus::NONE, 0, {NO_LEVEL}},
    };
    for (const Case& c : cases) {
        Session s;
        if (c.levelShown)
            StartOnLevel2(s);
        else
            ASSERT_TRUE(s.Start());
        SetClipboard(c.clip);
        Type(s, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(s.Text(ID_SET_NAME), c.setName) << c.clip;
        EXPECT_EQ(s.Core().level.board.status, c.status) << c.clip;
        EXPECT_EQ(s.Core().game.history.end, c.moves) << c.clip;
        EXPECT_EQ(s.prompts.shown, c.shown) << c.clip;
        if (c.moves != SOLUTION_2.size()) continue;
        // The moves wait after the start, and the game is known solved, as after URDL Input.
        EXPECT_EQ(s.Core().game.history.cursor, 0u);
        EXPECT_TRUE(s.Core().game.totals.solved);
        Type(s, Qt::Key_Space);
        for (int i = 0; i < 100 && s.W().AutoPlayTimerActive(); ++i) s.W().OnAutoPlayTimerTick();
        EXPECT_EQ(s.Core().game.history.cursor, c.moves);
        EXPECT_EQ(s.Text(ID_SOLVED), "Solved");
    }
}

TEST(BoardClipboardTest, CtrlShiftSAndCtrlCCopyTheGameWhilePlayingOnly) {
    Session s;
    StartOnLevel2(s);
    Type(s, Qt::Key_Up);
    Type(s, Qt::Key_Up);
    for (const Qt::KeyboardModifiers keys :
         {Qt::ControlModifier | Qt::ShiftModifier, Qt::KeyboardModifiers(Qt::ControlModifier)}) {
        SetClipboard("before");
        Type(s, keys & Qt::ShiftModifier ? Qt::Key_S : Qt::Key_C, keys);
        EXPECT_EQ(Clipboard(), LEVEL_2 + "Title: 2 Corner Turn\nuu\n");
    }
    s.Toggle(ID_EDIT);
    SetClipboard("before");
    Type(s, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "before");
}

TEST(BoardWheelTest, NotchesUndoAndRedoWhereTheyAreEnabledAndCtrlZooms) {
    Session s;
    StartOnLevel2(s);
    const std::uint32_t& cursor = s.Core().game.history.cursor;
    Wheel(s, -120);  // Undo is disabled at the start
    EXPECT_EQ(s.Core().game.history.end, 0u);
    Type(s, Qt::Key_Up);
    Type(s, Qt::Key_Up);
    Type(s, Qt::Key_Right);
    Wheel(s, 120);  // nothing to redo
    EXPECT_EQ(cursor, 3u);
    const PixelRect& board = s.W().State().boardRect;
    Wheel(s, -120, Qt::NoModifier, {board.right + 2, board.top + 2});  // off the board
    EXPECT_EQ(cursor, 3u);
    Wheel(s, -120);
    const std::uint32_t undone = cursor;
    EXPECT_LT(undone, 3u);
    Wheel(s, 60);
    EXPECT_EQ(cursor, undone);
    Wheel(s, 60);  // a high-resolution wheel's two halves make one notch
    EXPECT_EQ(cursor, 3u);
    Wheel(s, 120, Qt::ControlModifier);
    EXPECT_EQ(s.W().ShownZoom().scale, 2);
    Wheel(s, -240, Qt::ControlModifier);
    EXPECT_EQ(s.W().ShownZoom().scale, 1);
    EXPECT_EQ(cursor, 3u);
}

// Escape and the close box on each dialog: the same result, and nothing loaded or started.
TEST(DialogEscapeTest, EscapeClosesEveryDialogAsItsCloseBoxDoes) {
    for (const int id : {ID_TEXT, ID_URDL_INPUT, ID_URDL_OUTPUT, ID_SOLVER}) {
        std::vector<std::string> after;
        for (const bool escape : {false, true}) {
            Session s;
            StartOnLevel2(s);
            bool open = true;
            s.prompts.dialogScript = [&](QDialog& dialog) {
                dialog.show();
                QWidget* box = dialog.findChild<QPlainTextEdit*>();
                if (!box) box = dialog.findChild<QLineEdit*>();
                if (auto* text = qobject_cast<QPlainTextEdit*>(box)) text->setPlainText("#@$.#");
                if (escape)
                    QTest::keyClick(box, Qt::Key_Escape);
                else
                    dialog.close();
                open = dialog.isVisible();
                after.push_back(std::to_string(dialog.result()));
            };
            s.Toggle(id);
            EXPECT_FALSE(open) << id;
            EXPECT_FALSE(s.W().State().solverRunning) << id;
            after.back() += s.Text(ID_SET_NAME) + std::to_string(s.Core().game.history.end) +
                            std::to_string(s.prompts.shown.size()) + ReadWholeFile(s.Ini());
        }
        EXPECT_EQ(after[0], after[1]) << id;
    }
}

}  // namespace
}  // namespace ruk::test
