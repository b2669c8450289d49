// Fitting the window into the work area: on the common screens, with and without a task bar,
// for the frames window managers draw (odd ones too), the whole window, frame included, lies
// inside the work area with every row there is room for, also when laid out for the guessed
// frame and only placed again for the real one.
#include "panel/window_fit.h"

#include <gtest/gtest.h>

namespace ruk {
namespace {

bool Inside(const LayoutInput& work, const WindowSpot& spot) {
    return spot.x >= work.workLeft && spot.y >= work.workTop &&
           spot.x + spot.width <= work.workLeft + work.workWidth &&
           spot.y + spot.height <= work.workTop + work.workHeight;
}

TEST(WindowFitTest, TheWholeWindowFitsTheCommonScreensWithEveryRowThereIsRoomFor) {
    // None, openbox's default, a thin odd one and the guessed one.
    for (const auto& [frameW, frameH] :
         {std::pair{0, 0}, {2, 22}, {3, 31}, {GUESSED_FRAME_WIDTH, GUESSED_FRAME_HEIGHT}}) {
        for (const auto& [w, h] : {std::pair{1366, 768}, {1600, 900}, {1920, 1080}, {2560, 1440}}) {
            // No task bar, one below, one left and one on top.
            for (const LayoutInput& work : {LayoutInput{frameW, frameH, 0, 0, w, h},
                                            LayoutInput{frameW, frameH, 0, 0, w, h - 40},
                                            LayoutInput{frameW, frameH, 48, 27, w - 48, h - 27}}) {
                SCOPED_TRACE(testing::Message() << w << "x" << h << "+" << work.workLeft
                                                << " frame " << frameW << "x" << frameH);
                const WindowLayout layout = LayoutWindow(work);
                ASSERT_TRUE(layout.fits);
                const WindowSpot spot = PlaceWindow(work, layout.clientWidth, layout.clientHeight);
                EXPECT_EQ(spot.x, layout.windowX);
                EXPECT_EQ(spot.y, layout.windowY);
                EXPECT_EQ(spot.height, layout.windowHeight);
                EXPECT_TRUE(Inside(work, spot));
                // One row more would run past the bottom (unless the board has its 50 rows).
                EXPECT_TRUE(layout.maxHeight == 50 ||
                            !FitsWorkArea(work, layout.clientWidth, layout.clientHeight + 24));

                LayoutInput guessed = work;
                guessed.frameWidth = GUESSED_FRAME_WIDTH;
                guessed.frameHeight = GUESSED_FRAME_HEIGHT;
                const WindowLayout first = LayoutWindow(guessed);
                EXPECT_TRUE(Inside(work, PlaceWindow(work, first.clientWidth, first.clientHeight)));
            }
        }
    }
}

}  // namespace
}  // namespace ruk
