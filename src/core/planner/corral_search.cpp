// The corral search and its table (see corral_search.h and corral_table.h).
#include "planner/corral_search.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <new>

#include "planner/deadlock_checks.h"
#include "planner/fill_region.h"

namespace ruk {

namespace {

constexpr std::uint32_t HASH_SEED = 0x55555555u;

// A box fences an area when one of its eight neighbours is free on board and marked stamp.
bool Borders(const CoreState& core, const std::uint32_t* board, const std::uint32_t* marks, int box,
             std::uint32_t stamp) {
    for (int k = 0; k < 8; ++k) {
        const int n = box + core.level.directions.ringOffset[k];
        if (board[n] == 0 && marks[n] == stamp) return true;
    }
    return false;
}

int FillFrom(CoreState& core, std::uint32_t* marks, int start) {
    std::fill(marks, marks + core.level.board.cellCount, 0u);
    return FillRegion(core.corral.board.data(), marks, start, 1, core.level.directions,
                      core.planner.queue.data());
}

void Enqueue(CorralTable& t, int slot, int count) {
    assert(count >= 1 && count <= CORRAL_FENCE_MAX);
    assert(slot >= 0 && static_cast<std::uint32_t>(slot) < CORRAL_SLOTS);
    const int bucket = CORRAL_BUCKETS - count;
    CorralRecord& record = t.records[slot];
    record.stamp = t.searchStamp;
    record.next = -1;
    const bool wasEmpty = t.head[bucket] < 0;
    if (wasEmpty)
        t.head[bucket] = slot;
    else
        t.records[t.tail[bucket]].next = slot;
    t.tail[bucket] = slot;
    if (wasEmpty && bucket > t.highestBucket) t.highestBucket = bucket;
}

// The first record of the highest non-empty bucket, taken off its queue; -1 when all are empty.
int Dequeue(CorralTable& t) {
    while (t.highestBucket >= 0 && t.head[t.highestBucket] < 0) --t.highestBucket;
    if (t.highestBucket < 0) return -1;
    const int slot = t.head[t.highestBucket];
    t.head[t.highestBucket] = t.records[slot].next;
    if (t.head[t.highestBucket] < 0) t.tail[t.highestBucket] = -1;
    return slot;
}

bool SamePosition(const CorralTable& t, const CorralRecord& record, int count, int anchor) {
    if (record.count != count || record.anchor != anchor) return false;
    for (int i = 0; i < count; ++i)
        if (t.board[record.cells[i]] != BOX) return false;
    return true;
}

std::uint32_t PositionHash(const std::int32_t* cells, int count, int anchor) {
    std::uint32_t product = HASH_SEED;
    std::uint32_t mixed = HASH_SEED;
    std::uint32_t sum = HASH_SEED;
    for (int i = 0; i < count; ++i) {
        const std::uint32_t b = static_cast<std::uint32_t>(cells[i]);
        product *= b;
        mixed ^= b;
        sum += b;
    }
    const std::uint32_t a = static_cast<std::uint32_t>(anchor);
    return (a ^ mixed) + (product + 1) * a + sum;
}

bool MemoMatches(const CorralMemoEntry& entry, const std::int32_t* cells, int count, int anchor) {
    if (entry.anchor != anchor || entry.count != count) return false;
    for (int i = 0; i < count; ++i)
        if (entry.cells[i] != cells[i]) return false;
    return true;
}

// The memo slot of a position: its own entry, or the empty one where it would go.
std::uint32_t MemoSlot(const CorralTable& t, const std::int32_t* cells, int count, int anchor) {
    std::uint32_t slot = PositionHash(cells, count, anchor) % CORRAL_MEMO_SLOTS;
    while (t.memo[slot].anchor != 0 && !MemoMatches(t.memo[slot], cells, count, anchor))
        slot = (slot + 1) % CORRAL_MEMO_SLOTS;
    return slot;
}

// Every record on the path of the running search to the record `slot` reaches a harmless
// position: remember them all (while the memo is at most half full).
void RememberPath(CorralTable& t, int slot) {
    for (int r = slot; r >= 0 && t.memoCount < CORRAL_MEMO_SLOTS / 2; r = t.parent[r]) {
        const CorralRecord& record = t.records[r];
        std::int32_t cells[CORRAL_FENCE_MAX];
        for (int i = 0; i < record.count; ++i) cells[i] = record.cells[i];
        const std::uint32_t m = MemoSlot(t, cells, record.count, record.anchor);
        if (t.memo[m].anchor != 0) continue;
        for (int i = 0; i < record.count; ++i) t.memo[m].cells[i] = record.cells[i];
        t.memo[m].anchor = record.anchor;
        t.memo[m].count = record.count;
        t.memoWritten[t.memoCount++] = static_cast<std::int32_t>(m);
    }
}

}  // namespace

void ResetCorralTable(CoreState& core, const std::uint32_t* board, const std::uint32_t* goals,
                      const std::uint64_t* masks) {
    CorralTable& t = core.corral;
    const int cells = core.level.board.cellCount;
    for (int i = 0; i < cells; ++i) {
        t.board[i] = board[i] == WALL ? WALL : 0;
        t.goals[i] = goals[i];
        t.masks[i] = masks[i];
    }
    auto empty = [&](std::uint32_t slot) {
        t.records[slot].stamp = 0;
        t.records[slot].anchor = 0;
        t.records[slot].result = CorralVerdict::Open;
    };
    for (int i = 0; i < t.writtenCount; ++i) empty(static_cast<std::uint32_t>(t.written[i]));
    t.writtenCount = 0;
    t.searchStamp = 0;
    for (int i = 0; i < t.memoCount; ++i) t.memo[t.memoWritten[i]].anchor = 0;
    t.memoCount = 0;
}

CorralVerdict StoreCorralPosition(CoreState& core, int keeper) {
    CorralTable& t = core.corral;
    const std::int32_t* ring = core.level.directions.ringOffset.data();
    int anchor = FillFrom(core, t.marks.data(), keeper);

    std::int32_t fencing[CORRAL_FENCE_MAX];
    std::int32_t freed[CORRAL_FENCE_MAX];
    int fencingCount = 0;
    int freedCount = 0;
    std::uint32_t product = HASH_SEED;
    std::uint32_t mixed = HASH_SEED;
    std::uint32_t sum = HASH_SEED;
    bool offGoal = false;
    for (int i = 0; i < t.positionCount; ++i) {
        const int box = t.position[i];
        bool fences = false;
        for (int k = 0; k < 8 && !fences; ++k)
            fences = t.board[box + ring[k]] == 0 && t.marks[box + ring[k]] == 0;
        if (!fences) {
            freed[freedCount++] = box;
            continue;
        }
        fencing[fencingCount++] = box;
        const std::uint32_t b = static_cast<std::uint32_t>(box);
        product *= b;
        mixed ^= b;
        sum += b;
        offGoal = offGoal || t.goals[box] == 0;
    }
    t.lastHarmless = true;
    if (fencingCount == 0 || !offGoal) return CorralVerdict::NotDead;

    for (int i = 0; i < freedCount; ++i) t.board[freed[i]] = 0;
    if (freedCount > 0) anchor = FillFrom(core, t.marks.data(), keeper);
    const std::uint32_t a = static_cast<std::uint32_t>(anchor);
    std::uint32_t slot = ((a ^ mixed) + (product + 1) * a + sum) % CORRAL_SLOTS;
    bool same = false;
    for (;;) {
        const CorralRecord& record = t.records[slot];
        same = record.anchor != 0 && SamePosition(t, record, fencingCount, anchor);
        if (record.anchor == 0 || same ||
            (record.stamp != t.searchStamp && record.result == CorralVerdict::Open))
            break;
        slot = (slot + 1) % CORRAL_SLOTS;
    }
    for (int i = 0; i < freedCount; ++i) t.board[freed[i]] = BOX;
    if (t.memo[MemoSlot(t, fencing, fencingCount, anchor)].anchor != 0)
        return CorralVerdict::NotDead;

    CorralRecord& record = t.records[slot];
    t.lastSlot = static_cast<std::int32_t>(slot);
    if (same) {
        if (record.result != CorralVerdict::Open) return record.result;
        if (record.stamp == t.searchStamp) return CorralVerdict::Open;
    }
    t.lastHarmless = false;
    if (t.newPositions >= CORRAL_SEARCH_LIMIT || t.capCounter >= CORRAL_CAP_LIMIT)
        return CorralVerdict::NotDead;
    ++t.newPositions;
    ++t.capCounter;
    if (record.anchor == 0) t.written[t.writtenCount++] = static_cast<std::int32_t>(slot);
    for (int i = 0; i < fencingCount; ++i) record.cells[i] = static_cast<std::int16_t>(fencing[i]);
    record.anchor = static_cast<std::int16_t>(anchor);
    record.count = static_cast<std::int8_t>(fencingCount);
    record.result = CorralVerdict::Open;
    t.parent[slot] = t.expanding;
    Enqueue(t, static_cast<int>(slot), fencingCount);
    return CorralVerdict::Open;
}

CorralVerdict CorralSearch(CoreState& core, const std::uint32_t* board,
                           const std::int32_t* boxCells, int boxCount, int keeper,
                           const std::uint32_t* marks, std::uint32_t stamp) {
    CorralTable& t = core.corral;
    const int cells = core.level.board.cellCount;
    const std::int32_t* step = core.level.directions.stepOffset.data();
    t.positionCount = 0;
    for (int i = 0; i < boxCount; ++i) {
        if (!Borders(core, board, marks, boxCells[i], stamp)) continue;
        if (t.positionCount == CORRAL_FENCE_MAX) return CorralVerdict::NotDead;
        t.position[t.positionCount++] = boxCells[i];
    }

    t.capCounter = static_cast<std::int32_t>(t.searchStamp);
    ++t.searchStamp;
    t.head.fill(-1);
    t.tail.fill(-1);
    t.highestBucket = 0;
    t.newPositions = 0;
    for (int i = 0; i < cells; ++i) t.board[i] = t.board[i] == WALL ? WALL : 0;
    for (int i = 0; i < t.positionCount; ++i) t.board[t.position[i]] = BOX;

    t.expanding = -1;
    const CorralVerdict first = StoreCorralPosition(core, keeper);
    const int start = t.lastSlot;
    if (first != CorralVerdict::Open) {
        --t.searchStamp;
        for (int i = 0; i < t.positionCount; ++i) t.board[t.position[i]] = 0;
        return first;
    }
    for (int i = 0; i < t.positionCount; ++i) t.board[t.position[i]] = 0;
    if (t.capCounter >= CORRAL_CAP_LIMIT) return CorralVerdict::NotDead;

    for (;;) {
        const int slot = Dequeue(t);
        if (slot < 0) {
            t.records[start].result = CorralVerdict::Dead;
            return CorralVerdict::Dead;
        }
        const CorralRecord record = t.records[slot];
        t.expanding = slot;
        t.positionCount = record.count;
        for (int i = 0; i < record.count; ++i) {
            t.position[i] = record.cells[i];
            t.board[record.cells[i]] = BOX;
        }
        // The keeper's reach of this position, apart from the stores' own fills.
        FillFrom(core, t.reach.data(), record.anchor);
        const std::uint32_t* reach = t.reach.data();
        for (int i = 0; i < record.count; ++i) {
            const int box = record.cells[i];
            t.board[box] = 0;
            for (int d = 0; d < 4; ++d) {
                const int target = box - step[d];
                if (reach[box + step[d]] == 0 || t.board[target] != 0 || t.masks[target] == 0)
                    continue;
                t.position[i] = target;
                t.board[target] = BOX;
                CorralVerdict r = CorralVerdict::Open;
                if (IsDeadAfterPush(core, t.board.data(), t.goals.data(), target, 0) ==
                    DeadVerdict::NotProven)
                    r = StoreCorralPosition(core, box + step[d]);
                t.board[target] = 0;
                t.position[i] = box;
                // A child already proved dead says nothing of its siblings: go on with them.
                if (r == CorralVerdict::NotDead) {
                    if (t.lastHarmless) RememberPath(t, slot);
                    for (int j = 0; j < record.count; ++j) t.board[record.cells[j]] = 0;
                    t.records[start].result = CorralVerdict::NotDead;
                    return CorralVerdict::NotDead;
                }
            }
            t.board[box] = BOX;
        }
        for (int i = 0; i < record.count; ++i) t.board[record.cells[i]] = 0;
    }
}

DeadVerdict CorralCheck(CoreState& core, const std::uint32_t* board, const std::int32_t* boxCells,
                        int boxCount, int cell, int keeper) {
    CorralTable& t = core.corral;
    assert(cell >= 0 && cell < core.level.board.cellCount);
    assert(keeper >= 0 && keeper < core.level.board.cellCount);
    std::uint32_t* marks = t.checkMarks.data();
    std::fill(marks, marks + core.level.board.cellCount, 0u);
    FillRegion(board, marks, keeper, 1, core.level.directions, core.planner.queue.data());
    for (int k = 0; k < 8; ++k) {
        const int n = cell + core.level.directions.ringOffset[k];
        const std::uint32_t stamp = 2 + static_cast<std::uint32_t>(k);
        if (board[n] != 0 || marks[n] != 0) continue;
        FillRegion(board, marks, n, stamp, core.level.directions, core.planner.queue.data());
        if (CorralSearch(core, board, boxCells, boxCount, keeper, marks, stamp) ==
            CorralVerdict::Dead)
            return DeadVerdict::Dead;
    }
    return DeadVerdict::NotProven;
}

}  // namespace ruk
