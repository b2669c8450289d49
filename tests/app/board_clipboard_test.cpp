// The board's clipboard and wheel without a window: the text a game is copied as (and read back
// as), what a pasted text holds, and wheel turns counted in notches.
#include <gtest/gtest.h>

#include "clipboard/game_copy.h"
#include "clipboard/pasted_text.h"
#include "core_door.h"
#include "panel/wheel_notches.h"
#include "test_files.h"

namespace ruk::test {
namespace {

const std::string SAMPLES = std::string(RUK_SAMPLE_LEVELS) + "/ruk-samples.txt";
const std::string LEVEL_2 = "######\n#    #\n# $# #\n#@ . #\n######\nTitle: 2 Corner Turn\n";

TEST(GameCopyTest, TheStartTitleAndMovesReadBackAsTheSameLevelAndMoves) {
    Core core;
    CoreState& s = *core.state;
    EXPECT_EQ(GameCopyText(s), "");  // no level shown
    struct Case {
        std::string moves, copied, readBack;
    };
    const Case cases[] = {{"", LEVEL_2, ""},
                          {"uu\nr", LEVEL_2 + "uur\n", "uur"},
                          {"uurDldR", LEVEL_2 + "Solution: uurDldR\n", "uurDldR"}};
    for (const Case& c : cases) {
        ASSERT_TRUE(door::ShowFileLevel(s, SAMPLES.c_str(), 2));
        if (!c.moves.empty()) {
            ASSERT_TRUE(door::ImportMoves(s, c.moves.c_str()));
        }
        EXPECT_EQ(GameCopyText(s), c.copied);
        const PastedText back = ReadPastedText(c.copied);
        EXPECT_TRUE(back.level);
        EXPECT_EQ(back.moves, c.readBack);
    }
    door::EnterEditMode(s);
    EXPECT_EQ(GameCopyText(s), "");
}

TEST(PastedTextTest, ALevelTakesTheMovesAfterItAndMovesAloneAreTakenWhole) {
    const std::string room = "#####\r\n#@$.#\r\n#####\r\n";
    struct Case {
        std::string text;
        bool level;
        std::string moves;
    };
    const Case cases[] = {
        {room, true, ""},
        {room + "Title: x\nSolution: R\n", true, "R"},
        {room + "solution:  rr\n", true, "rr"},
        // URDL Output's text: its Solution line counts, the letters after it are the moves.
        {room + "Status: Solved\r\nSolution: 1 Moves 1 Pushes 1 Actions\r\nR\r\n", true, "R"},
        {room + "\nuu \nDD\n\nll\n", true, "uuDD"},
        {room + "; next\n" + room + "R\n", true, ""},
        {"  Solution: uldr\n", false, "uldr"},
        {"\tRR\nll \n", false, "RR\nll"},
        {"hello", false, "hello"},
        {" \r\n", false, ""},
    };
    for (const Case& c : cases) {
        const PastedText pasted = ReadPastedText(c.text);
        EXPECT_EQ(pasted.level, c.level) << c.text;
        EXPECT_EQ(pasted.moves, c.moves) << c.text;
    }
}

TEST(WheelNotchesTest, SmallStepsAddUpToANotchAndATurnBackStartsAfresh) {
    WheelNotches wheel;
    EXPECT_EQ(wheel.Add(120), 1);
    EXPECT_EQ(wheel.Add(-360), -3);
    EXPECT_EQ(wheel.Add(40), 0);
    EXPECT_EQ(wheel.Add(40), 0);
    EXPECT_EQ(wheel.Add(50), 1);
    EXPECT_EQ(wheel.Add(-100), 0);  // the 10 left over upward are not taken off
    EXPECT_EQ(wheel.Add(-20), -1);
    EXPECT_EQ(wheel.Add(2147483647), MAX_NOTCHES_AT_ONCE);
    EXPECT_EQ(wheel.Add(-2147483647 - 1), -MAX_NOTCHES_AT_ONCE);
}

}  // namespace
}  // namespace ruk::test
