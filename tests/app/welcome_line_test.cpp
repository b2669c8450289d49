// The welcome screen's added line: the last place with its keys, the fit zoom's key until a
// zoom was chosen, and nothing when there is nothing to say.
#include "panel/welcome_line.h"

#include <gtest/gtest.h>

namespace ruk {
namespace {

TEST(WelcomeLine, NamesThePlaceItsGameAndTheFitKeyUntilAZoomIsChosen) {
    const WelcomePlace kept{"microban-155", 5, true};
    const WelcomePlace looked{"microban-155", 12, false};
    EXPECT_EQ(WelcomeLine(kept, true),
              "Ctrl+L: microban-155, level 5 (a game in progress: Ctrl+G)");
    EXPECT_EQ(WelcomeLine(looked, true), "Ctrl+L: microban-155, level 12");
    EXPECT_EQ(WelcomeLine(looked, false),
              "Ctrl+L: microban-155, level 12      Ctrl+0: fit levels to the board");
    EXPECT_EQ(WelcomeLine(std::nullopt, false), "Ctrl+0: fit levels to the board");
    EXPECT_EQ(WelcomeLine(std::nullopt, true), "");
}

}  // namespace
}  // namespace ruk
