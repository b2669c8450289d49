// Fitting the window into the work area: on the common screens, with and without a task bar,
// for the frames window managers draw (odd ones too), the whole window, frame included, lies
// inside the work area and the board has every row there is room for.
#include "panel/window_fit.h"

#include <gtest/gtest.h>

#include <vector>

namespace ruk {
namespace {

struct Frame {
    int width, height;
};

// None, openbox's default, a thin odd one, the guessed one and a wide odd one.
const Frame FRAMES[] = {
    {0, 0}, {2, 22}, {3, 31}, {GUESSED_FRAME_WIDTH, GUESSED_FRAME_HEIGHT}, {17, 61}};

std::vector<LayoutInput> WorkAreas(const Frame& frame) {
    std::vector<LayoutInput> areas;
    for (const auto& [w, h] : {std::pair{1366, 768}, {1600, 900}, {1920, 1080}, {2560, 1440}}) {
        areas.push_back({frame.width, frame.height, 0, 0, w, h});              // no task bar
        areas.push_back({frame.width, frame.height, 0, 0, w, h - 40});         // one below
        areas.push_back({frame.width, frame.height, 48, 27, w - 48, h - 27});  // left and top
    }
    return areas;
}

bool Inside(const LayoutInput& work, int x, int y, int width, int height) {
    return x >= work.workLeft && y >= work.workTop && x + width <= work.workLeft + work.workWidth &&
           y + height <= work.workTop + work.workHeight;
}

TEST(WindowFitTest, TheWholeWindowFitsTheCommonScreensWithEveryRowThereIsRoomFor) {
    for (const Frame& frame : FRAMES) {
        for (const LayoutInput& work : WorkAreas(frame)) {
            SCOPED_TRACE(testing::Message()
                         << work.workWidth << "x" << work.workHeight << "+" << work.workLeft << "+"
                         << work.workTop << " frame " << frame.width << "x" << frame.height);
            const WindowLayout layout = LayoutWindow(work);
            ASSERT_TRUE(layout.fits);
            // The outer window is the client area and the frame, wherever it is placed.
            EXPECT_EQ(layout.windowWidth, layout.clientWidth + frame.width);
            EXPECT_EQ(layout.windowHeight, layout.clientHeight + frame.height);
            EXPECT_TRUE(Inside(work, layout.windowX, layout.windowY, layout.windowWidth,
                               layout.windowHeight));
            EXPECT_TRUE(FitsWorkArea(work, layout.clientWidth, layout.clientHeight));
            // One row more would run past the bottom (unless the board is at its 50 rows).
            if (layout.maxHeight < 50) {
                EXPECT_FALSE(FitsWorkArea(work, layout.clientWidth, layout.clientHeight + 24));
            }
            const WindowSpot spot = PlaceWindow(work, layout.clientWidth, layout.clientHeight);
            EXPECT_EQ(spot.x, layout.windowX);
            EXPECT_EQ(spot.y, layout.windowY);
        }
    }
}

TEST(WindowFitTest, AWindowLaidOutForTheGuessedFrameFitsWithTheRealOnesOnlyPlacedAgain) {
    for (const Frame& real : FRAMES) {
        for (LayoutInput work : WorkAreas({GUESSED_FRAME_WIDTH, GUESSED_FRAME_HEIGHT})) {
            if (real.width > GUESSED_FRAME_WIDTH || real.height > GUESSED_FRAME_HEIGHT) continue;
            const WindowLayout guessed = LayoutWindow(work);
            work.frameWidth = real.width;
            work.frameHeight = real.height;
            const WindowSpot spot = PlaceWindow(work, guessed.clientWidth, guessed.clientHeight);
            EXPECT_TRUE(Inside(work, spot.x, spot.y, spot.width, spot.height))
                << work.workWidth << "x" << work.workHeight << " " << real.width;
        }
    }
}

TEST(WindowFitTest, AWindowBiggerThanTheWorkAreaKeepsItsCaptionInSight) {
    // Fifty rows kept for a game on the board, then moved to a 1366 x 768 screen's work area.
    const LayoutInput small{2, 22, 100, 30, 1366, 738};
    const WindowSpot spot = PlaceWindow(small, 1338, 1212);
    EXPECT_EQ(spot.x, 100 + (1366 - 1340) / 2);
    EXPECT_EQ(spot.y, 30);
    EXPECT_FALSE(FitsWorkArea(small, 1338, 1212));
}

}  // namespace
}  // namespace ruk
