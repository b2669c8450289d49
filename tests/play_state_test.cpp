// Play records: history growth (half as much again, at least 5000 bytes), cutting, and the
// per-level reset.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "board/text_level_parser.h"
#include "engine/play_reset.h"
#include "records/core_state.h"
#include "test_files.h"

namespace ruk::test {
namespace {

TEST(PlayStateTest, HistoryGrowsByHalfAgainAndAtLeastFiveThousandBytes) {
    MoveHistory history;
    ASSERT_TRUE(InitMoveHistory(history));
    EXPECT_EQ(history.capacity, 5000u);
    for (int i = 0; i < 4999; ++i) ASSERT_TRUE(AppendLetter(history, "urdl"[i % 4]));
    EXPECT_EQ(history.capacity, 5000u) << "the 4999th letter fits the first buffer";
    ASSERT_TRUE(AppendLetter(history, 'U'));
    EXPECT_EQ(history.capacity, 10000u);
    EXPECT_EQ(history.end, 5000u);
    EXPECT_EQ(history.text[4999], 'U');
    EXPECT_EQ(history.text[5000], '\0');
    EXPECT_EQ(history.text[4998], "urdl"[4998 % 4]) << "letters survive the growth";
    for (int i = 0; i < 5000; ++i) ASSERT_TRUE(AppendLetter(history, 'r'));
    EXPECT_EQ(history.capacity, 15000u);
    for (int i = 0; i < 5000; ++i) ASSERT_TRUE(AppendLetter(history, 'd'));
    EXPECT_EQ(history.capacity, 22500u) << "past 10000 bytes it grows by half";
    EXPECT_EQ(history.text[14999], 'd');
    EXPECT_EQ(history.text[9999], 'r');

    // Near the top of the counters the growth stops there; at the top it cannot grow.
    constexpr std::uint32_t top = 0xffffffffu;
    EXPECT_EQ(GrownCapacity(top - 100), top);
    EXPECT_EQ(GrownCapacity(top), top);
    EXPECT_EQ(GrownCapacity(0), 5000u);

    history.cursor = 7;
    CutAtCursor(history);
    EXPECT_EQ(history.end, 7u);
    EXPECT_STREQ(history.text.get(), "urdlurd");
    EXPECT_EQ(history.capacity, 22500u) << "it never shrinks";

    history.failed = true;
    EXPECT_FALSE(AppendLetter(history, 'u')) << "nothing is appended while failed";
    EXPECT_EQ(history.end, 7u);
}

TEST(PlayStateTest, AMegabyteOfLettersSurvivesEveryGrowthWhole) {
    MoveHistory history;
    ASSERT_TRUE(InitMoveHistory(history));
    std::mt19937 rng(16);
    std::string letters;
    std::uint32_t growths = 0;
    for (int i = 0; i < 1'000'000; ++i) {
        const char letter = "urdlURDL"[rng() % 8];
        const std::uint32_t before = history.capacity;
        ASSERT_TRUE(AppendLetter(history, letter));
        if (history.capacity != before) ++growths;
        letters += letter;
    }
    ASSERT_EQ(history.end, letters.size());
    EXPECT_EQ(std::string(history.text.get()), letters) << "no letter lost, moved or changed";
    EXPECT_LT(growths, 30u) << "the buffer grows by a share of itself, not by a fixed step";
}

TEST(PlayStateTest, LevelLoadEmptiesTheGame) {
    Core core;
    GameRecord& game = *core.game;
    CopyText(core.level->levelSet.sourceText, "#######\n#@ $*.#\n#######");
    ASSERT_TRUE(ParseTextLevel(*core.level));
    for (char letter : std::string("rRR")) AppendLetter(game.history, letter);
    game.history.cursor = 2;
    game.history.failed = true;
    game.totals = {3, 2, 1, true};
    game.shown.lastPushTarget = 12;
    ResetPlayForLevel(game, core.level->board);
    EXPECT_STREQ(game.history.text.get(), "");
    EXPECT_EQ(game.history.cursor, 0u);
    EXPECT_EQ(game.history.end, 0u);
    EXPECT_FALSE(game.history.failed);
    EXPECT_EQ(game.totals.totalMoves, 0u);
    EXPECT_FALSE(game.totals.solved);
    EXPECT_EQ(game.planKeeper, 8);
    EXPECT_EQ(game.shown.lastPushTarget, 0);
    const std::uint32_t expected[7] = {8, 0, 0, 2, 2, 0, 8};
    for (int c = 0; c < 7; ++c) EXPECT_EQ(game.planBoard[7 + c], expected[c]) << c;
}

}  // namespace
}  // namespace ruk::test
