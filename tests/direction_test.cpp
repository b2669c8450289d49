// Direction's conversions to letters, bits and Board offsets, which the keyboard, the mouse, the
// replay and the renderer all rely on agreeing.
#include <gtest/gtest.h>

#include <string>

#include "board/board_steps.h"
#include "board/direction.h"

namespace ruk {
namespace {

TEST(DirectionTest, LettersBitsAndOffsetsConvertBothWays) {
    DirectionTables tables;
    SetDirectionTables(tables, 7);
    for (const Direction d : DIRECTIONS) {
        EXPECT_EQ(DirectionAt(IndexOf(d)), d);
        EXPECT_EQ(LetterDirection(WalkLetter(d)), d);
        EXPECT_EQ(LetterDirection(PushLetter(d)), d);
        EXPECT_EQ(FirstDirectionIn(DirectionBit(d) | DIR_LEFT), d) << "the first set bit counts";
        EXPECT_EQ(DirectionOfOffset(tables, StepOffset(tables, d)), d);
        EXPECT_EQ(tables.dirBitOffset[DirectionBit(d)], StepOffset(tables, d));
        EXPECT_EQ(StepOffset(tables, d), RowStep(d) * 7 + ColStep(d));
    }
    EXPECT_EQ(std::string({WalkLetter(Direction::UP), WalkLetter(Direction::RIGHT),
                           PushLetter(Direction::DOWN), PushLetter(Direction::LEFT)}),
              "urDL");
    // Nothing else converts: other bytes, no bit, places outside 0-3, offsets of no one step.
    const std::string letters = "urdlURDL";
    for (int byte = 0; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        if (letters.find(c) != std::string::npos) continue;
        EXPECT_FALSE(LetterDirection(c)) << byte;
    }
    EXPECT_FALSE(FirstDirectionIn(0));
    EXPECT_FALSE(FirstDirectionIn(16));
    EXPECT_FALSE(DirectionAt(-1));
    EXPECT_FALSE(DirectionAt(4));
    EXPECT_FALSE(DirectionOfOffset(tables, 0));
    EXPECT_FALSE(DirectionOfOffset(tables, 8));
}

TEST(DirectionTest, StepsStopAtTheStoredRectangle) {
    Board board;
    board.width = 4;
    board.height = 3;
    // Cell 4 is row 1, column 0.
    EXPECT_EQ(StepFrom(board, 4, Direction::UP, 1), 0);
    EXPECT_EQ(StepFrom(board, 4, Direction::RIGHT, 2), 6);
    EXPECT_EQ(StepFrom(board, 4, Direction::DOWN, 1), 8);
    EXPECT_EQ(StepFrom(board, 4, Direction::DOWN, 2), -1);
    EXPECT_EQ(StepFrom(board, 4, Direction::LEFT, 1), -1) << "no wrap to the row above";
    EXPECT_EQ(StepPlace(board, PlaceOf(board, 7), Direction::RIGHT).index, -1);
    EXPECT_EQ(StepPlace(board, PlaceOf(board, 7), Direction::LEFT).index, 6);
}

}  // namespace
}  // namespace ruk
