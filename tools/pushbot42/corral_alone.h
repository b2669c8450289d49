// A corral's boxes alone on the board: when even then they can never all reach goals, the
// position is dead, since any answer's pushes of those boxes would do that there. The search is
// exhaustive up to a small size and its positions are kept by exact keys, so a dead verdict is a
// proof.
#pragma once

#include <array>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "dead_patterns.h"
#include "level_cells.h"
#include "search/mark_map.h"

namespace ruk::pushbot {

constexpr std::size_t CORRAL_BOXES = PATTERN_BOXES;  // largest corral searched on its own

class CorralAlone {
  public:
    CorralAlone(const LevelCells& level, const std::uint8_t* dead);

    // A new search: its own share of corral work, the verdicts kept.
    void NewSearch() { spent_ = 0; }

    // Whether the boxes whose entry in which is nonzero (of boxCount), with the keeper on
    // keeper, are proved unable to all reach goals. Searches only corrals with a box off goals,
    // of at most CORRAL_BOXES boxes, while the positions searched so far stay within
    // storedPositions plus a fixed allowance.
    bool Dead(const std::uint16_t* boxes, const std::uint8_t* which, int keeper,
              std::size_t storedPositions);
    // The sets proved dead so far, kept for the whole run: a proof holds in every search.
    const DeadPatterns& Patterns() const { return patterns_; }

  private:
    // The box count, the boxes (ascending) and a keeper cell or anchor; unused entries 0xffff.
    struct Key {
        std::array<std::uint16_t, CORRAL_BOXES + 2> cells;
        bool operator==(const Key& other) const { return cells == other.cells; }
    };
    struct KeyHash {
        std::size_t operator()(const Key& key) const;
    };
    static Key KeyOf(const std::uint16_t* boxes, std::size_t n, int keeper);
    // The search itself: whether the n boxes (ascending), the keeper on keeper, never all
    // reach goals within the position limit.
    bool Exhausted(const std::uint16_t* start, std::size_t n, int keeper);
    // A name for the keeper's region among the n boxes on board_, the same for any keeper cell
    // in it; the box sides that the keeper reaches are marked in reach_ afterwards.
    int RegionName(const std::uint16_t* boxes, std::size_t n, int keeper);
    // Keeps the set, less the boxes its proof does not need.
    void Learn(std::array<std::uint16_t, CORRAL_BOXES> set, std::size_t n, int keeper);

    const LevelCells& level_;
    const std::uint8_t* dead_;
    std::vector<std::uint32_t> board_;  // walls only, but for the boxes being searched
    MarkMap reach_, targets_;
    std::vector<std::int32_t> queue_;
    std::vector<std::int32_t> floorMin_;  // per floor cell: the smallest of its walls-only area
    std::size_t spent_ = 0;               // positions searched so far
    std::unordered_map<Key, bool, KeyHash> verdicts_;  // keyed by the keeper's cell
    std::unordered_set<Key, KeyHash> seen_;            // keyed by the keeper's region name
    std::vector<std::uint16_t> todo_;                  // boxes and keeper per queued position
    DeadPatterns patterns_;
};

}  // namespace ruk::pushbot
