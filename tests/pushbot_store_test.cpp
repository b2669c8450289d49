// The push search's position store and open lists: positions found again exactly (same hash,
// other boxes or keeper region), the table growing and refusing, and the order of the open
// lists.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "open_list.h"
#include "position_store.h"

namespace ruk {
namespace {

using pushbot::NO_POSITION;
using pushbot::OpenEntry;
using pushbot::OpenList;
using pushbot::Position;
using pushbot::PositionStore;

Position At(std::uint64_t hash, int anchor) {
    Position position{};
    position.hash = hash;
    position.parent = NO_POSITION;
    position.anchor = static_cast<std::uint16_t>(anchor);
    return position;
}

TEST(PushbotPositionStore, FindsPositionsExactlyDespiteEqualHashes) {
    PositionStore store;
    store.Allocate(2, 1000);
    store.Clear(1000);
    const std::uint16_t a[] = {10, 20}, b[] = {10, 21};
    // One hash for all three: only the boxes and the anchor tell them apart.
    ASSERT_TRUE(store.Add(At(7, 5), a));
    ASSERT_TRUE(store.Add(At(7, 5), b));
    ASSERT_TRUE(store.Add(At(7, 6), a));
    EXPECT_EQ(store.Find(7, a, 5), 0u);
    EXPECT_EQ(store.Find(7, b, 5), 1u);
    EXPECT_EQ(store.Find(7, a, 6), 2u);
    EXPECT_EQ(store.Find(7, b, 6), NO_POSITION);
    EXPECT_EQ(store.Find(8, a, 5), NO_POSITION);
    EXPECT_EQ(store.Boxes(1)[1], 21);
    // Cleared, nothing is found, and the cap holds.
    store.Clear(2);
    EXPECT_EQ(store.Find(7, a, 5), NO_POSITION);
    ASSERT_TRUE(store.Add(At(7, 5), a));
    EXPECT_FALSE(store.Full());
    ASSERT_TRUE(store.Add(At(7, 5), b));
    EXPECT_TRUE(store.Full());
}

std::uint64_t HashOf(int i) {
    return static_cast<std::uint64_t>(i / 4) * 0x9e3779b97f4a7c15ull;
}

TEST(PushbotPositionStore, GrowsItsTableAndKeepsEveryPosition) {
    // More positions than the first table holds at half load: it must grow on the way.
    constexpr int COUNT = 40000;
    PositionStore store;
    store.Allocate(1, COUNT);
    store.Clear(COUNT);
    for (int i = 0; i < COUNT; ++i) {
        const std::uint16_t box = static_cast<std::uint16_t>(i);
        // Four positions per hash, so that probes pass over equal hashes.
        ASSERT_TRUE(store.Add(At(HashOf(i), i % 7), &box)) << i;
    }
    EXPECT_TRUE(store.Full());
    for (int i = 0; i < COUNT; i += 97) {
        const std::uint16_t box = static_cast<std::uint16_t>(i);
        EXPECT_EQ(store.Find(HashOf(i), &box, i % 7), static_cast<std::uint32_t>(i));
    }
}

TEST(PushbotPositionStore, RefusesAPositionWhenTheTableCannotGrow) {
    // 16 positions: a table of 32 slots at most, refused past 7/8 full.
    PositionStore store;
    store.Allocate(1, 16);
    store.Clear(16);
    int stored = 0;
    for (std::uint16_t box = 0; box < 40; ++box) {
        if (!store.Add(At(box, 0), &box)) break;
        ++stored;
    }
    EXPECT_EQ(stored, 28);
    EXPECT_EQ(store.Size(), 28u);
    // The refused one left nothing behind; the others are all there.
    const std::uint16_t refused = 28;
    EXPECT_EQ(store.Find(28, &refused, 0), NO_POSITION);
    for (std::uint16_t box = 0; box < 28; ++box) EXPECT_EQ(store.Find(box, &box, 0), box);
}

TEST(PushbotOpenList, LowestPriorityFirstAndDeeperOnTies) {
    OpenList open;
    open.SetCapacity(10);
    open.Clear(0);
    ASSERT_TRUE(open.Push(7, 1, 0, 0));
    ASSERT_TRUE(open.Push(5, 2, 1, 0));
    ASSERT_TRUE(open.Push(5, 9, 2, 0));
    ASSERT_TRUE(open.Push(6, 0, 3, 0));
    std::vector<std::uint32_t> order;
    OpenEntry top{};
    while (open.Pop(top)) order.push_back(top.position);
    EXPECT_EQ(order, (std::vector<std::uint32_t>{2, 1, 3, 0}));
    // A depth past the tie field's range still keeps the priority intact.
    ASSERT_TRUE(open.Push(3, 0x7fffffff, 4, 0));
    ASSERT_TRUE(open.Pop(top));
    EXPECT_EQ(top.Priority(), 3u);
    EXPECT_FALSE(open.Pop(top));
}

TEST(PushbotOpenList, FeatureCellsTakeTurnsAndTheCapacityDrops) {
    OpenList open;
    open.SetCapacity(3);
    open.Clear(3);
    ASSERT_TRUE(open.Push(1, 0, 10, 0));
    ASSERT_TRUE(open.Push(2, 0, 11, 0));
    ASSERT_TRUE(open.Push(9, 0, 20, 2));
    EXPECT_FALSE(open.Dropped());
    EXPECT_FALSE(open.Push(0, 0, 30, 1)) << "over capacity";
    EXPECT_TRUE(open.Dropped());
    // Cell 0's best, then cell 2 (cell 1 is empty) though its entry ranks last, then cell 0.
    std::vector<std::uint32_t> order;
    OpenEntry top{};
    while (open.Pop(top)) order.push_back(top.position);
    EXPECT_EQ(order, (std::vector<std::uint32_t>{10, 20, 11}));
    open.Clear(0);
    EXPECT_FALSE(open.Dropped());
    EXPECT_EQ(open.Size(), 0u);
}

TEST(PushbotOpenList, CellsFarApartTakeTurnsAndAdvisedEntriesEveryOtherOne) {
    OpenList open;
    open.SetCapacity(20);
    open.Clear(200);  // cells over several words of the nonempty set
    ASSERT_TRUE(open.Push(1, 0, 70, 70));
    ASSERT_TRUE(open.Push(1, 0, 190, 190));
    ASSERT_TRUE(open.Push(1, 0, 5, 5));
    ASSERT_TRUE(open.Push(2, 0, 6, 5));
    ASSERT_TRUE(open.PushAdvised(4, 0, 100));
    ASSERT_TRUE(open.PushAdvised(3, 0, 101));
    // Advised best first on every other turn; the cells in turn from cell 0, wrapping round.
    std::vector<std::uint32_t> order;
    OpenEntry top{};
    while (open.Pop(top)) order.push_back(top.position);
    EXPECT_EQ(order, (std::vector<std::uint32_t>{101, 5, 100, 70, 190, 6}));
}

}  // namespace
}  // namespace ruk
