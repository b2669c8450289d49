// The window on screens of its own (see fit_screens.h), measuring its work area and frame as
// the program does: a tall level from the command line comes up with the whole window, frame
// included, inside the work area, and a move to another screen fits the window there.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include "window_session.h"

namespace ruk::test {
namespace {

constexpr int TALLEST_SAMPLE = 22;  // 50 x 50 cells
constexpr int WAIT_MS = 5000;       // only a bound that catches a window that never fits

QScreen* Screen(int index) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    return index < screens.size() ? screens[index] : nullptr;
}

struct Fitted {
    Session session;
    bool Start() {
        session.onScreen = true;
        if (!session.Start()) return false;
        CommandLine line;
        line.file = SAMPLES;
        line.levelText = std::to_string(TALLEST_SAMPLE);
        line.level = TALLEST_SAMPLE;
        session.W().OpenOnceFitted(line);
        return QTest::qWaitFor([this] { return session.Level() == TALLEST_SAMPLE; }, WAIT_MS);
    }
    QRect Work() { return session.W().screen()->availableGeometry(); }
    bool FrameInside() { return Work().contains(session.W().frameGeometry()); }
    // The rows the work area has room for with the frame the window has.
    int RowsWithRoom() {
        const QRect work = Work();
        const QSize frame = session.W().frameGeometry().size() - session.W().size();
        return LayoutWindow(
                   {frame.width(), frame.height(), work.x(), work.y(), work.width(), work.height()})
            .maxHeight;
    }
    bool MoveTo(QScreen* screen) {
        session.W().windowHandle()->setScreen(screen);
        return QTest::qWaitFor([this, screen] { return session.W().screen() == screen; }, WAIT_MS);
    }
};

TEST(WindowFitWindowTest, ATallLevelFromTheCommandLineComesUpWithTheFrameInsideTheWorkArea) {
    if (!Screen(1)) GTEST_SKIP() << "the offscreen platform did not take the test's screens";
    Fitted fitted;
    ASSERT_TRUE(fitted.Start());
    EXPECT_EQ(fitted.Work(), QRect(0, 0, 1600, 900));
    EXPECT_FALSE((fitted.session.W().frameGeometry().size() - fitted.session.W().size()).isNull())
        << "the platform gave the window no frame";
    EXPECT_TRUE(fitted.FrameInside()) << fitted.session.W().frameGeometry().height();
    // Every row there is room for, and a level taller than that is the board's "Size Over".
    const Grids& grids = fitted.session.Core().level.grids;
    EXPECT_EQ(grids.maxHeight, fitted.RowsWithRoom());
    EXPECT_EQ(door::Status(fitted.session.Core()), LevelStatus::SIZE_OVER);
    EXPECT_TRUE(fitted.session.prompts.shown.empty());
}

TEST(WindowFitWindowTest, AnotherScreenLaysAnUnplayedBoardOutAfreshAndKeepsAGameOnIt) {
    if (!Screen(1)) GTEST_SKIP() << "the offscreen platform did not take the test's screens";
    Fitted fitted;
    ASSERT_TRUE(fitted.Start());
    CoreState& core = fitted.session.Core();

    ASSERT_TRUE(fitted.MoveTo(Screen(1)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return fitted.FrameInside(); }, WAIT_MS));
    EXPECT_EQ(fitted.Work(), QRect(1600, 0, 2560, 1440));
    EXPECT_EQ(core.level.grids.maxHeight, 50);
    EXPECT_EQ(fitted.session.Level(), TALLEST_SAMPLE);  // shown again, on fifty rows it plays
    EXPECT_EQ(door::Status(core), LevelStatus::PLAYABLE);

    for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Right, Qt::Key_Down, Qt::Key_Left}) {
        if (door::History(core).end != 0) break;
        QTest::keyClick(fitted.session.W().Board(), key);
        fitted.session.Settle();
    }
    const std::uint32_t played = door::History(core).end;
    ASSERT_NE(played, 0U);
    // Back on the small screen the game stays on its fifty rows; the caption stays in sight.
    ASSERT_TRUE(fitted.MoveTo(Screen(0)));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return fitted.Work().contains(fitted.session.W().pos()); }, WAIT_MS));
    EXPECT_EQ(core.level.grids.maxHeight, 50);
    EXPECT_EQ(door::History(core).end, played);
    EXPECT_TRUE(fitted.session.prompts.shown.empty());
}

}  // namespace
}  // namespace ruk::test
