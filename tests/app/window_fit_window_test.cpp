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

TEST(WindowFitWindowTest, TheFrameStaysInsideTheWorkAreaOfTheScreenTheWindowIsOn) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.size() != 2) GTEST_SKIP() << "the offscreen platform did not take our screens";
    Session session;
    session.onScreen = true;
    ASSERT_TRUE(session.Start());
    MainWindow& window = session.W();
    CoreState& core = session.Core();
    CommandLine line;
    line.file = SAMPLES;
    line.level = TALLEST_SAMPLE;
    window.OpenOnceFitted(line);
    ASSERT_TRUE(QTest::qWaitFor([&] { return session.Level() == TALLEST_SAMPLE; }, WAIT_MS));
    const QRect small = screens[0]->availableGeometry();
    const QSize frame = window.frameGeometry().size() - window.size();
    EXPECT_FALSE(frame.isNull()) << "the platform gave the window no frame";
    EXPECT_TRUE(small.contains(window.frameGeometry())) << window.frameGeometry().bottom();
    // Every row there is room for; the level, taller than that, is the board's "Size Over".
    EXPECT_EQ(core.level.grids.maxHeight,
              LayoutWindow({frame.width(), frame.height(), 0, 0, small.width(), small.height()})
                  .maxHeight);
    EXPECT_EQ(door::Status(core), LevelStatus::SIZE_OVER);

    // Unplayed, the level is read afresh on the big screen's fifty rows, where it plays.
    window.windowHandle()->setScreen(screens[1]);
    const QRect big = screens[1]->availableGeometry();
    ASSERT_TRUE(QTest::qWaitFor([&] { return big.contains(window.frameGeometry()); }, WAIT_MS));
    EXPECT_EQ(core.level.grids.maxHeight, 50);
    EXPECT_EQ(session.Level(), TALLEST_SAMPLE);
    EXPECT_EQ(door::Status(core), LevelStatus::PLAYABLE);

    // A game on the board keeps its rows back on the small screen; the caption stays in sight.
    for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Right, Qt::Key_Down, Qt::Key_Left}) {
        if (door::History(core).end == 0) QTest::keyClick(window.Board(), key);
        session.Settle();
    }
    const std::uint32_t played = door::History(core).end;
    ASSERT_NE(played, 0U);
    window.windowHandle()->setScreen(screens[0]);
    ASSERT_TRUE(QTest::qWaitFor([&] { return small.contains(window.pos()); }, WAIT_MS));
    EXPECT_EQ(core.level.grids.maxHeight, 50);
    EXPECT_EQ(door::History(core).end, played);
    EXPECT_TRUE(session.prompts.shown.empty());
}

}  // namespace
}  // namespace ruk::test
