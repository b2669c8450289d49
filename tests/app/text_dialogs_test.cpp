// The Text, URDL input and Text out dialogs worked through the main window: paste and load,
// cuts of long or odd clipboards, Enter and Ctrl+Enter in their boxes, and text that goes out and
// comes back in.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>

#include "dialogs/text_input_dialog.h"
#include "dialogs/text_out_dialog.h"
#include "window_session.h"

namespace ruk::test {
namespace {

const std::string LEVEL = "######\n#    #\n# $# #\n#@ . #\n######\n";
const std::vector<std::string> LEVEL_ROWS = {"######", "#    #", "# $# #", "#@ . #", "######"};
const std::string SOLUTION_3 = "RRllddrrUrUUdLL";  // level 3 of the samples

void SetClipboard(const std::string& bytes) {
    QGuiApplication::clipboard()->setText(
        QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string Source(Session& s) {
    return s.Core().level.levelSet.sourceText.data();
}

struct InputRun {
    QString title;
    bool delivered = false;
};

// Opens the dialog of button `id` and pastes `clip` into it, then presses Load.
InputRun PasteAndLoad(Session& s, int id, const std::string& clip) {
    InputRun run;
    s.prompts.dialogScript = [&](QDialog& d) {
        auto& dialog = dynamic_cast<TextInputDialog&>(d);
        run.title = dialog.windowTitle();
        SetClipboard(clip);
        dialog.PasteButton()->click();
        dialog.LoadButton()->click();
        run.delivered = dialog.Delivered();
    };
    s.Toggle(id);
    s.prompts.dialogScript = nullptr;
    return run;
}

// Opens the dialog of button `id` and hands it to `work`.
template <typename Dialog>
void WorkDialog(Session& s, int id, const std::function<void(Dialog&)>& work) {
    s.prompts.dialogScript = [&](QDialog& d) { work(dynamic_cast<Dialog&>(d)); };
    s.Toggle(id);
    s.prompts.dialogScript = nullptr;
}

TEST(TextDialogTest, LoadHandsOverAtMostTheLimitAndStopsAtAZeroByte) {
    const std::string comment = "; " + std::string(12000 - LEVEL.size() - 2, 'x');
    const std::string huge = LEVEL + "; " + std::string(10 << 20, 'x');
    const std::string binary = std::string("\x01\xff#@$.\x7f ") + '\0' + "after the zero";
    struct Case {
        std::string clip, loaded;
        bool level;
    };
    const Case cases[] = {{LEVEL, LEVEL, true},
                          {LEVEL + comment, (LEVEL + comment).substr(0, LEVEL_TEXT_LIMIT), true},
                          {huge, huge.substr(0, LEVEL_TEXT_LIMIT), true},
                          {binary, binary.substr(0, binary.find('\0')), false}};
    for (const Case& c : cases) {
        Session s;
        ASSERT_TRUE(s.Start());
        const InputRun run = PasteAndLoad(s, ID_TEXT, c.clip);
        EXPECT_EQ(run.title, "Text");
        EXPECT_TRUE(run.delivered);
        EXPECT_EQ(Source(s).size(), c.loaded.size());
        EXPECT_TRUE(Source(s) == c.loaded) << c.clip.size();
        if (!c.level) continue;
        EXPECT_EQ(s.Text(ID_SET_NAME), "Text");
        EXPECT_EQ(s.Core().level.board.status, LevelStatus::PLAYABLE);
        EXPECT_EQ(BoardRows(s.Core().level.board), LEVEL_ROWS);
    }
}

TEST(TextDialogTest, EmptyClipboardLeavesTheBoxAndClosingDeliversNothing) {
    Session s;
    ASSERT_TRUE(s.Start());
    PasteAndLoad(s, ID_TEXT, LEVEL);
    bool delivered = true;
    WorkDialog<TextInputDialog>(s, ID_TEXT, [&](TextInputDialog& dialog) {
        dialog.TextBox()->setPlainText("#####\n#@$.#\n#####");
        QGuiApplication::clipboard()->clear();
        dialog.PasteButton()->click();
        EXPECT_EQ(dialog.TextBox()->toPlainText(), "#####\n#@$.#\n#####");
        dialog.close();
        delivered = dialog.Delivered();
    });
    EXPECT_FALSE(delivered);
    EXPECT_EQ(BoardRows(s.Core().level.board), LEVEL_ROWS);
    EXPECT_EQ(Source(s), LEVEL);
}

TEST(TextDialogTest, CtrlEnterBreaksALineAndEnterLoads) {
    Session s;
    ASSERT_TRUE(s.Start());
    WorkDialog<TextInputDialog>(s, ID_TEXT, [&](TextInputDialog& dialog) {
        dialog.show();
        dialog.TextBox()->setPlainText(QString::fromStdString(LEVEL));
        dialog.TextBox()->moveCursor(QTextCursor::End);
        // Ctrl+Enter is a line break in the box, not Load.
        QTest::keyClick(dialog.TextBox(), Qt::Key_Return, Qt::ControlModifier);
        EXPECT_FALSE(dialog.Delivered());
        EXPECT_EQ(dialog.TextBox()->toPlainText(), QString::fromStdString(LEVEL + "\n"));
        QTest::keyClick(dialog.TextBox(), Qt::Key_Backspace);
        QTest::keyClick(dialog.TextBox(), Qt::Key_Return);
        EXPECT_TRUE(dialog.Delivered());
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(BoardRows(s.Core().level.board), LEVEL_ROWS);
}

TEST(UrdlInputTest, APastedSolutionIsSolvedByAutoPlay) {
    for (const bool instant : {false, true}) {
        Session s;
        ASSERT_TRUE(s.Start());
        s.Open(SAMPLES);
        s.JumpTo("3");
        if (instant) s.Toggle(ID_INSTANT_MOVE);
        const InputRun run = PasteAndLoad(s, ID_URDL_INPUT, SOLUTION_3);
        EXPECT_EQ(run.title, "URDL input");
        EXPECT_TRUE(run.delivered);
        const GameRecord& game = s.Core().game;
        const ViewState& view = s.Core().view;
        EXPECT_EQ(game.history.end, SOLUTION_3.size());
        EXPECT_EQ(game.history.cursor, 0u);
        s.Toggle(ID_AUTO_PLAY);
        if (instant) {
            for (int i = 0; i < 100 && s.W().AutoPlayTimerActive(); ++i)
                s.W().OnAutoPlayTimerTick();
        } else {
            s.Settle();
        }
        EXPECT_EQ(view.animMode, AnimMode::IDLE) << instant;
        EXPECT_EQ(game.history.cursor, game.history.end) << instant;
        EXPECT_TRUE(game.totals.solved) << instant;
        EXPECT_EQ(s.Text(ID_SOLVED), "Solved") << instant;
    }
}

TEST(UrdlInputTest, LettersBeforeAFaultStay) {
    struct Case {
        std::string input;
        std::uint32_t kept;
        bool complete;
    };
    const Case cases[] = {
        {"RRll#ddrr", 4, false}, {"RRl\x01\xff", 3, false}, {"RR ll", 2, false},
        {"u", 0, false},         {"RR\nll\r\ndd", 6, true}, {SOLUTION_3, 15, true},
    };
    for (const Case& c : cases) {
        Session s;
        ASSERT_TRUE(s.Start());
        s.Open(SAMPLES);
        s.JumpTo("3");
        EXPECT_TRUE(PasteAndLoad(s, ID_URDL_INPUT, c.input).delivered) << c.input;
        EXPECT_EQ(s.Core().game.history.end, c.kept) << c.input;
        const std::vector<Shown> incomplete = {
            {"RUK", "There is incomplete data.", PromptIcon::NONE}};
        EXPECT_EQ(s.prompts.shown, c.complete ? std::vector<Shown>{} : incomplete) << c.input;
    }
}

TEST(UrdlInputTest, RunLengthsAreExpandedAndABadCountIsRefusedWithAMessage) {
    struct Case {
        std::string input;
        std::uint32_t kept;
        std::string message;  // "" when none
    };
    const Case cases[] = {
        {"2R2l2d2rUr2UdLL", 15, ""},  // level 3's solution with run lengths
        {"2(R)llddrrUrUUdLL", 15, ""},
        {"RR0l", 0, "The moves have a count of 0 at character 3."},
        {"RRll3", 0, "The moves have a count without a move letter after it at character 5."},
        {"2R2l#", 4, "There is incomplete data."},
    };
    for (const Case& c : cases) {
        Session s;
        ASSERT_TRUE(s.Start());
        s.Open(SAMPLES);
        s.JumpTo("3");
        EXPECT_EQ(PasteAndLoad(s, ID_URDL_INPUT, c.input).delivered,
                  c.message.empty() || c.kept > 0)
            << c.input;
        EXPECT_EQ(s.Core().game.history.end, c.kept) << c.input;
        const std::vector<Shown> shown = {{"RUK", c.message, PromptIcon::NONE}};
        EXPECT_EQ(s.prompts.shown, c.message.empty() ? std::vector<Shown>{} : shown) << c.input;
        if (c.kept == 15) {
            EXPECT_TRUE(s.Core().game.totals.solved) << c.input;
        }
    }
}

TEST(UrdlInputTest, LoadWithAnEmptyBoxDeliversNothing) {
    Session s;
    ASSERT_TRUE(s.Start());
    s.Open(SAMPLES);
    std::vector<std::string> panel;
    for (int id = FIRST_CONTROL_ID; id <= LAST_CONTROL_ID; ++id) panel.push_back(s.Text(id));
    bool delivered = true;
    WorkDialog<TextInputDialog>(s, ID_URDL_INPUT, [&](TextInputDialog& dialog) {
        dialog.LoadButton()->click();
        delivered = dialog.Delivered();
    });
    EXPECT_FALSE(delivered);
    EXPECT_EQ(s.Core().game.history.end, 0u);
    for (int id = FIRST_CONTROL_ID; id <= LAST_CONTROL_ID; ++id)
        EXPECT_EQ(s.Text(id), panel[static_cast<std::size_t>(id - FIRST_CONTROL_ID)]) << id;
    EXPECT_TRUE(s.prompts.shown.empty());
}

TEST(TextOutTest, SameTextTwiceHyphensOnlyInLevelRowsAndCopyRoundTrips) {
    for (const bool hyphens : {false, true}) {
        Session s;
        ASSERT_TRUE(s.Start());
        s.Open(SAMPLES);
        s.JumpTo("3");
        PasteAndLoad(s, ID_URDL_INPUT, "RRll");
        const Board before = s.Core().level.board;
        QStringList plain, ticked, unticked;
        for (int open = 0; open < 2; ++open) {
            WorkDialog<TextOutDialog>(s, ID_URDL_OUTPUT, [&](TextOutDialog& dialog) {
                EXPECT_EQ(dialog.windowTitle(), "URDL Output");
                const QStringList text = dialog.TextBox()->toPlainText().split('\n');
                if (open == 1) {
                    EXPECT_EQ(text, plain);
                }
                plain = text;
                dialog.HyphenBox()->click();
                ticked = dialog.TextBox()->toPlainText().split('\n');
                if (!hyphens) dialog.HyphenBox()->click();
                unticked = dialog.TextBox()->toPlainText().split('\n');
                dialog.CopyButton()->click();
            });
        }
        ASSERT_EQ(ticked.size(), plain.size());
        for (int line = 0; line < plain.size(); ++line) {
            QString expected = plain[line];
            if (line < before.height) expected.replace(' ', '-');
            EXPECT_EQ(ticked[line], expected) << line;
        }
        EXPECT_EQ(plain.mid(before.height), (QStringList{"Status: UnFinished", "RRll", ""}));
        EXPECT_EQ(unticked, hyphens ? ticked : plain);

        const std::string copied = QGuiApplication::clipboard()->text().toStdString();
        EXPECT_EQ(copied, unticked.join("\n").toStdString());  // LF alone on this platform
        EXPECT_EQ(copied.find('\r'), std::string::npos);
        PasteAndLoad(s, ID_TEXT, copied);
        const Board& after = s.Core().level.board;
        EXPECT_EQ(after.status, LevelStatus::PLAYABLE);
        EXPECT_EQ(after.width, before.width);
        EXPECT_EQ(after.height, before.height);
        EXPECT_EQ(BoardRows(after), BoardRows(before));
    }
}

}  // namespace
}  // namespace ruk::test
