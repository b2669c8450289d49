// The CorralTable: positions of fence boxes met by the corral searches of one guarded selection
// or unsolvable check, with open addressing and linear probing. Allocated once for the
// program's life; searches share it, so a fence met again costs one lookup.
#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <type_traits>

#include "board/board.h"
#include "records/deadlock_verdicts.h"
#include "records/planner_tables.h"

namespace ruk {

constexpr std::uint32_t CORRAL_SLOTS = 799'999;
constexpr int CORRAL_BUCKETS = 8;
constexpr int CORRAL_SEARCH_LIMIT = 30'000;  // new positions one search may store
constexpr int CORRAL_CAP_LIMIT = 640'000;    // slots a run may hold that cannot be reused

// Field order as the table's users read it: the stamp that queued it first, the boxes, the
// keeper's region anchor (0 marks an empty slot), the count and result, the bucket link.
struct CorralRecord {
    std::uint32_t stamp;
    std::array<std::int16_t, CORRAL_FENCE_MAX> cells;
    std::int16_t anchor;
    std::int8_t count;
    CorralVerdict result;
    std::int32_t next;  // next record of the same bucket queue, -1 for none
};
static_assert(sizeof(CorralRecord) == 28, "a corral record is 28 bytes");
static_assert(MAX_CELLS <= 32767, "cells fit a 16-bit index");
// Zeroed memory holds empty records: no stamp, no anchor, result Open.
static_assert(std::is_trivial_v<CorralRecord> && static_cast<int>(CorralVerdict::Open) == 0);

// Positions of the running check or selection known to reach a harmless position (found on
// the path of a search to one): a later search that meets one is answered "not dead" at once.
constexpr int CORRAL_MEMO_SLOTS = 1 << 16;
struct CorralMemoEntry {
    std::array<std::int16_t, CORRAL_FENCE_MAX> cells;
    std::int16_t anchor;  // 0 marks an empty entry
    std::int8_t count;
};

// Frees memory taken with std::calloc.
struct FreeMemory {
    void operator()(void* p) const { std::free(p); }
};

struct CorralTable {
    std::unique_ptr<CorralRecord[], FreeMemory> records;  // CORRAL_SLOTS of them, zeroed
    CellMap board{};  // CorralBoard: walls, and the boxes looked at
    CellMap goals{};  // copies of the run's goal map and masks
    std::array<std::uint64_t, MAX_CELLS> masks{};
    CellMap marks{};       // the stores' fills, apart from the caller's area marks
    CellMap reach{};       // the keeper's reach in the position being expanded
    CellMap checkMarks{};  // CorralCheck's keeper fill and closed areas
    std::array<std::int32_t, CORRAL_FENCE_MAX> position{};  // the current corral position
    std::int32_t positionCount = 0;
    std::uint32_t searchStamp = 0;
    std::int32_t capCounter = 0;
    std::int32_t newPositions = 0;
    std::array<std::int32_t, CORRAL_BUCKETS> head{};
    std::array<std::int32_t, CORRAL_BUCKETS> tail{};
    std::int32_t highestBucket = 0;
    std::int32_t lastSlot = -1;  // the slot the last store touched
    // Slots written since the last reset: a reset empties just these, not all 799,999 (the
    // records start empty: all zero).
    std::unique_ptr<std::int32_t[]> written;
    std::int32_t writtenCount = 0;
    std::unique_ptr<std::int32_t[]> parent;  // per slot: the record it was reached from
    std::int32_t expanding = -1;             // the record being expanded, -1 before the first
    bool lastHarmless = false;               // the last store's 1 came from a harmless position
    std::unique_ptr<CorralMemoEntry[]> memo;
    std::unique_ptr<std::int32_t[]> memoWritten;
    std::int32_t memoCount = 0;
};

// Allocates the records, all empty; false when that fails.
bool AllocateCorralTable(CorralTable& table);

}  // namespace ruk
