// The window played from the keyboard: levels solved by arrow keys alone, key repeat during a
// slow animation, keys ignored where their buttons are disabled, the focus kept by the board,
// the replay speed keys and the help box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <string>
#include <tuple>

#include "../test_files.h"
#include "core_door.h"
#include "engine/move_letters.h"
#include "panel/key_map.h"
#include "settings/profile_file.h"
#include "window_session.h"

namespace ruk::test {
namespace {

const std::string CONGRATULATIONS = "Status: Solved\r\n\r\nCongratulations !!";
const Qt::Key ARROWS[4] = {Qt::Key_Up, Qt::Key_Right, Qt::Key_Down, Qt::Key_Left};

// A key typed where the window's keyboard focus is, as a person would type it.
void Type(Session& session, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = session.W().focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, key, modifiers);
}

// A press the keyboard repeats while the key is held.
void Repeat(Session& session, Qt::Key key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(session.W().focusWidget(), &event);
}
void Release(Session& session, Qt::Key key) {
    QKeyEvent event(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(session.W().focusWidget(), &event);
}

std::string History(CoreState& core) {
    return std::string(core.game.history.text.get(), core.game.history.end);
}

// Plays the letters by arrow keys alone, each shown to its end before the next key.
void SolveByArrows(Session& session, const std::string& moves) {
    EXPECT_EQ(session.W().focusWidget(), session.W().Board());
    for (const char letter : moves) {
        Type(session, ARROWS[IndexOf(*LetterDirection(letter))]);
        session.Settle();
    }
    EXPECT_EQ(History(session.Core()), moves);
    EXPECT_TRUE(session.Core().game.totals.solved);
    EXPECT_EQ(session.Text(ID_SOLVED), "Solved");
    EXPECT_EQ(session.prompts.Count(CONGRATULATIONS), 1);
    Type(session, Qt::Key_Left);  // a solved level takes no more steps
    session.Settle();
    EXPECT_EQ(History(session.Core()), moves);
    EXPECT_EQ(session.prompts.Count(CONGRATULATIONS), 1);
}

TEST(KeyboardPlayTest, LevelsAreSolvedByArrowKeysAloneAndCongratulatedOnce) {
    {
        Session session;
        ASSERT_TRUE(session.Start());
        session.Open(SAMPLES);
        session.JumpTo("3");
        ASSERT_EQ(session.Level(), 3);
        SolveByArrows(session, "RRllddrrUrUUdLL");
    }
    const std::string levels = SharedLevelFile("microban-155.txt");
    if (levels.empty()) GTEST_SKIP() << "shared level collections are not beside the project";
    const KnownSolution known =
        ReadSolutions(SharedLevelFile("microban-155-solutions.txt")).front();
    ASSERT_EQ(known.level, 1);
    Session session;
    ASSERT_TRUE(session.Start());
    session.Open(levels);
    ASSERT_EQ(session.Level(), 1);
    SolveByArrows(session, known.moves);
}

TEST(KeyboardPlayTest, AHeldKeyNeverRunsPastItsReleaseDuringASlowAnimation) {
    Session session;
    ASSERT_TRUE(session.Start());
    session.Open(SAMPLES);
    session.JumpTo("3");
    CoreState& core = session.Core();
    const int start = core.game.shown.keeperCell;
    const auto& step = core.level.directions.stepOffset;
    const auto queued = [&] { return core.game.history.end - core.game.history.cursor; };

    // The first press and its repeats, with no step timer tick in between: one step recorded.
    Type(session, Qt::Key_Down);
    for (int i = 0; i < 5; ++i) Repeat(session, Qt::Key_Down);
    EXPECT_EQ(History(core), "d");
    EXPECT_LE(queued(), 1u);
    session.W().OnStepTimerTick();
    for (int i = 0; i < 5; ++i) Repeat(session, Qt::Key_Down);
    EXPECT_EQ(History(core), "dd");
    EXPECT_LE(queued(), 1u);
    Release(session, Qt::Key_Down);
    session.Settle();
    EXPECT_EQ(core.game.shown.keeperCell, start + 2 * step[2]);

    // Repeats during a replay slowed down 16 times are dropped as well.
    for (int i = 0; i < 4; ++i) Type(session, Qt::Key_Minus);
    ASSERT_EQ(door::ReplaySlowdown(core), 16);
    Type(session, Qt::Key_Z, Qt::ControlModifier);
    session.Settle();
    ASSERT_EQ(core.game.history.cursor, 0u);
    Type(session, Qt::Key_Y, Qt::ControlModifier);
    for (int tick = 0; tick < 20; ++tick) {
        Repeat(session, Qt::Key_Right);
        session.W().OnStepTimerTick();
    }
    Release(session, Qt::Key_Right);
    EXPECT_EQ(core.game.history.cursor, 1u);
    session.Settle();
    EXPECT_EQ(History(core), "dd");
    EXPECT_EQ(core.game.shown.keeperCell, start + 2 * step[2]);
}

// What a key may change: the level, the game, the animation and the Auto-play caption.
auto Footprint(Session& session) {
    const GameRecord& game = session.Core().game;
    const ViewState& view = session.Core().view;
    return std::tuple(session.Level(), game.history.cursor, game.history.end, view.animMode,
                      session.Text(ID_AUTO_PLAY), session.Core().level.editor.editMode);
}

TEST(KeyboardPlayTest, KeysAreIgnoredExactlyWhereTheirButtonsAreDisabled) {
    struct KeyCommand {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int id;
    };
    const KeyCommand keys[] = {
        {Qt::Key_Z, Qt::ControlModifier, ID_UNDO},
        {Qt::Key_Backspace, Qt::NoModifier, ID_UNDO},
        {Qt::Key_Y, Qt::ControlModifier, ID_REDO},
        {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, ID_REDO},
        {Qt::Key_R, Qt::ControlModifier, ID_RESTART},
        {Qt::Key_Space, Qt::NoModifier, ID_AUTO_PLAY},
        {Qt::Key_PageUp, Qt::NoModifier, ID_PREV},
        {Qt::Key_PageDown, Qt::NoModifier, ID_NEXT},
    };
    // Each situation built afresh, with none, one or several of the buttons enabled.
    struct Situation {
        const char* name;
        const char* level;  // null: the welcome screen
        bool step, undo, replay, edit;
    };
    const Situation situations[] = {
        {"welcome", nullptr, false, false, false, false},
        {"first level", "1", false, false, false, false},
        {"last level", "999", false, false, false, false},
        {"a step taken", "3", true, false, false, false},
        {"a step undone", "3", true, true, false, false},
        {"replaying", "3", false, false, true, false},
        {"editing", "3", true, false, false, true},
    };
    const auto build = [](Session& s, const Situation& situation) {
        if (!situation.level) return;
        s.Open(SAMPLES);
        s.JumpTo(situation.level);
        if (situation.step) Type(s, Qt::Key_Right);
        s.Settle();
        if (situation.undo) Type(s, Qt::Key_Backspace);
        s.Settle();
        if (situation.replay && door::ImportMoves(s.Core(), "RRlldd")) Type(s, Qt::Key_Space);
        if (situation.edit) s.Toggle(ID_EDIT);
    };
    int acted = 0;
    int ignored = 0;
    for (const Situation& situation : situations) {
        for (const KeyCommand& k : keys) {
            Session session;
            ASSERT_TRUE(session.Start());
            build(session, situation);
            const bool enabled = session.W().Control(k.id)->isEnabled();
            const auto before = Footprint(session);
            Type(session, k.key, k.modifiers);
            const bool changed = Footprint(session) != before;
            EXPECT_EQ(changed, enabled) << situation.name << ": key for control " << k.id;
            (changed ? acted : ignored) += 1;
        }
    }
    EXPECT_GT(acted, 8);
    EXPECT_GT(ignored, 8);
}

TEST(KeyboardPlayTest, TheBoardKeepsTheKeysAndTheNumberBoxTakesThemOnlyWhileEdited) {
    Session session;
    ASSERT_TRUE(session.Start());
    MainWindow& window = session.W();
    auto* number = static_cast<QLineEdit*>(window.Control(ID_LEVEL_NUMBER));
    EXPECT_EQ(window.focusWidget(), window.Board());
    session.Open(SAMPLES);
    EXPECT_EQ(window.focusWidget(), window.Board());
    CoreState& core = session.Core();

    // Digits typed on the board go nowhere.
    Type(session, Qt::Key_4);
    EXPECT_EQ(session.Text(ID_LEVEL_NUMBER), "1");

    // A click into the box: digits and arrows are its own, Enter jumps and gives the keys back.
    QTest::mouseClick(number, Qt::LeftButton);
    ASSERT_EQ(window.focusWidget(), number);
    number->selectAll();
    Type(session, Qt::Key_3);
    const int keeper = core.game.shown.keeperCell;
    for (const Qt::Key arrow : ARROWS) Type(session, arrow);
    session.Settle();
    EXPECT_EQ(core.game.shown.keeperCell, keeper);
    EXPECT_EQ(core.game.history.end, 0u);
    EXPECT_EQ(session.Text(ID_LEVEL_NUMBER), "3");
    Type(session, Qt::Key_Return);
    EXPECT_EQ(session.Level(), 3);
    EXPECT_EQ(window.focusWidget(), window.Board());
    Type(session, Qt::Key_Right);
    session.Settle();
    EXPECT_EQ(History(core), "R");
    // Enter on the board is Jump's click, as the dialog's default button's.
    number->setText("2");
    Type(session, Qt::Key_Return);
    EXPECT_EQ(session.Level(), 2);
    EXPECT_EQ(window.focusWidget(), window.Board());
    number->setText("3");
    Type(session, Qt::Key_Enter);
    EXPECT_EQ(session.Level(), 3);
    EXPECT_EQ(History(core), "");
    Type(session, Qt::Key_Right);
    session.Settle();

    // Into the box again, then a button clicked; off the board by Tab, then a check box
    // clicked: each time the board has the keys again.
    QTest::mouseClick(number, Qt::LeftButton);
    ASSERT_EQ(window.focusWidget(), number);
    session.Toggle(ID_UNDO);
    session.Settle();
    EXPECT_EQ(window.focusWidget(), window.Board());
    Type(session, Qt::Key_Tab);
    Type(session, Qt::Key_Tab);
    EXPECT_NE(window.focusWidget(), window.Board());
    session.Toggle(ID_INSTANT_MOVE);
    EXPECT_EQ(window.focusWidget(), window.Board());
    Type(session, Qt::Key_Right);
    session.Settle();
    EXPECT_EQ(core.game.shown.shownPushes, 1);
}

TEST(KeyboardPlayTest, ReplaySpeedKeysStepTheSlowDownAndInstantMoveAndAreRemembered) {
    Session session;
    session.dir.Write("ruk.ini", "[OPTION]\nIMOVE=0\nGUARD=1\nSPEED=8\n");
    ASSERT_TRUE(session.Start());
    CoreState& core = session.Core();
    EXPECT_EQ(door::ReplaySlowdown(core), 8);

    // No level: Instant Move cannot be clicked, so plus stops at 1x.
    for (int i = 0; i < 5; ++i) Type(session, Qt::Key_Plus);
    EXPECT_EQ(door::ReplaySlowdown(core), 1);
    EXPECT_FALSE(session.Checked(ID_INSTANT_MOVE));

    session.Open(SAMPLES);
    Type(session, Qt::Key_Equal);
    EXPECT_TRUE(session.Checked(ID_INSTANT_MOVE));
    EXPECT_TRUE(core.view.instantMove);
    Type(session, Qt::Key_Minus);
    EXPECT_FALSE(session.Checked(ID_INSTANT_MOVE));
    EXPECT_FALSE(core.view.instantMove);
    EXPECT_EQ(door::ReplaySlowdown(core), 1);
    for (int i = 0; i < 6; ++i) Type(session, Qt::Key_Minus);
    EXPECT_EQ(door::ReplaySlowdown(core), 16);
    Type(session, Qt::Key_Plus, Qt::ShiftModifier);
    EXPECT_EQ(door::ReplaySlowdown(core), 8);
    // With Ctrl these are the zoom's keys, not the speed's.
    Type(session, Qt::Key_Minus, Qt::ControlModifier);
    Type(session, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(door::ReplaySlowdown(core), 8);
    Type(session, Qt::Key_Plus);
    session.W().close();
    EXPECT_EQ(GetProfileString(session.Ini(), "OPTION", "SPEED", "", 10), "4");
    EXPECT_EQ(GetProfileString(session.Ini(), "OPTION", "IMOVE", "", 10), "0");

    // A file with junk: 1x, and nothing written back while it is not changed.
    Session junk;
    const std::string bytes = "[OPTION]\nIMOVE=1\nGUARD=1\nSPEED=fast\n";
    junk.dir.Write("ruk.ini", bytes);
    ASSERT_TRUE(junk.Start());
    EXPECT_EQ(door::ReplaySlowdown(junk.Core()), 1);
    junk.W().close();
    EXPECT_EQ(ReadWholeFile(junk.Ini()), bytes);
}

TEST(KeyboardPlayTest, F1ShowsEveryKeyAndMouseAction) {
    Session session;
    ASSERT_TRUE(session.Start());
    Type(session, Qt::Key_F1);
    ASSERT_EQ(session.prompts.shown.size(), 1u);
    EXPECT_EQ(session.prompts.shown.back(), (Shown{"RUK", KeyHelpText(), PromptIcon::INFORMATION}));
}

}  // namespace
}  // namespace ruk::test
