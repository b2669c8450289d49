// The rooms and doorways of a drawn level: a one-cell gap and a two-cell tunnel join three rooms,
// a dead end joins none; a box in a doorway, or on the one cell by which a room opens onto it,
// blocks that connection, and the feature cell then counts it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "level_cells.h"
#include "position_features.h"
#include "room_split.h"
#include "test_files.h"

namespace ruk {
namespace {

TEST(PushbotRoomSplit, GapsAndTunnelsJoinRoomsAndBoxesInThemBlock) {
    test::Core core;
    test::LoadText(*core.state,
                   "###############\n"
                   "#   #   ##   ##\n"
                   "# $ #   ##   ##\n"
                   "#@     .      #\n"
                   "#   #   ##   ##\n"
                   "###############\n");
    pushbot::LevelCells level;
    ASSERT_TRUE(ReadLevelCells(*core.state, level));
    pushbot::RoomSplit split;
    split.Build(level);
    const int stride = level.step[2];
    auto cell = [&](int x, int y) { return x + y * stride; };

    EXPECT_EQ(split.Connections(), 2) << "the dead end at the right joins no rooms";
    for (const int door : {cell(4, 3), cell(8, 3), cell(9, 3), cell(13, 3)})
        EXPECT_EQ(split.RoomOf(door), -1) << door;
    const int a = split.RoomOf(cell(1, 1)), b = split.RoomOf(cell(5, 1)),
              c = split.RoomOf(cell(10, 1));
    EXPECT_GE(a, 0);
    EXPECT_EQ(split.RoomOf(cell(3, 4)), a);
    EXPECT_EQ(split.RoomOf(cell(7, 4)), b);
    EXPECT_TRUE(a != b && b != c && a != c);

    std::vector<std::uint32_t> board(level.cells, 0);
    auto blockedWith = [&](std::vector<int> boxes) {
        std::fill(board.begin(), board.end(), 0);
        for (const int box : boxes) board[box] = BOX;
        return split.Blocked(board.data());
    };
    EXPECT_EQ(blockedWith({}), 0);
    EXPECT_EQ(blockedWith({cell(4, 3)}), 1);
    EXPECT_EQ(blockedWith({cell(9, 3)}), 1);
    EXPECT_EQ(blockedWith({cell(4, 3), cell(8, 3)}), 2);
    EXPECT_EQ(blockedWith({cell(3, 3)}), 1) << "room A opens onto the gap by this cell alone";
    EXPECT_EQ(blockedWith({cell(2, 3), cell(13, 3), cell(6, 2)}), 0);

    pushbot::PositionFeatures features(level);
    features.UseRooms(&split);
    blockedWith({cell(4, 3), cell(10, 3)});
    EXPECT_EQ(pushbot::RegionsOf(features.FeatureOf(board.data())), 2);
}

}  // namespace
}  // namespace ruk
