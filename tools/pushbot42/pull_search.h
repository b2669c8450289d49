// The search backward from the solved position: a move pulls a box one cell, the keeper stepping
// away from it, until the boxes stand on the start cells with the keeper's start in the keeper's
// region. Pulls leave no box stuck in a corner, so the push search's dead positions do not
// arise; what is left to prune is boxes that can never be pulled to a start cell, and the
// matching of boxes to start cells by lone-box pulls bounds the rest. The answer is the pulls,
// last first, taken back as pushes.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "goal_distances.h"
#include "keeper_reach.h"
#include "level_cells.h"
#include "lower_bound.h"
#include "open_list.h"
#include "position_store.h"
#include "pull_freeze.h"
#include "push_search.h"
#include "search/mark_map.h"
#include "zobrist_keys.h"

namespace ruk::pushbot {

class PullSearch {
  public:
    // level must outlive the search.
    explicit PullSearch(const LevelCells& level);
    // Whether boxes that can never be pulled again cut a position (pull_freeze.h); on unless
    // measuring without it.
    void UseFreeze(bool use) { useFreeze_ = use; }
    // Whether a box pulled into a tunnel, the keeper in it too, is pulled on to its end (or to a
    // start cell) in one move. That drops the positions with the box left inside, which only
    // matters to a proof, and the pull search proves nothing.
    void UseTunnels(bool use) { useTunnels_ = use; }

    // Sizes the store for memoryBytes, as PushSearch does. Throws std::bad_alloc when that
    // cannot be had.
    void Allocate(std::size_t memoryBytes);
    // The weight of the bound, and whether the open list is the feature space's (boxes on start
    // cells and floor areas); taken by the next Run.
    void Configure(int weight, bool byFeature) {
        weight_ = weight;
        byFeature_ = byFeature;
    }
    void SetStop(const std::atomic<bool>* stop) { stop_ = stop; }

    // Searches from the solved positions (one per keeper region) until the start is reached;
    // its pushes are then appended to steps. Running out of positions comes back as LATE: it
    // would be a proof only if every region of the solved position were a root and nothing but
    // provably dead boxes were cut, and nothing else relies on it.
    SearchEnd Run(double deadline, std::vector<PushStep>& steps);

    std::size_t StoredPositions() const { return store_.Size(); }
    const GoalDistances& Distances() const { return distances_; }

  private:
    void AddRoots();
    void Expand(std::uint32_t index);
    void AddChild(std::uint32_t parent, int k, int from, int to, int d, int length);
    void Open(std::uint32_t index);
    int FeatureOf();

    const LevelCells& level_;
    GoalDistances distances_;  // pulls to the start cells
    ZobristKeys keys_;
    LowerBound bound_;
    PositionStore store_;
    OpenList open_;
    KeeperReach reach_, childReach_;
    PullFreeze freeze_;
    MarkMap areas_;
    std::vector<std::int32_t> queue_;
    std::vector<std::uint32_t> board_;  // the position being expanded: 0 floor, BOX, WALL
    std::vector<std::uint8_t> start_;   // per cell: a start box stands there
    std::vector<std::uint16_t> boxes_, childBoxes_;
    int startAnchor_ = 0;
    int weight_ = 1;
    bool byFeature_ = false;
    bool dropped_ = false;
    bool useFreeze_ = true;
    bool useTunnels_ = true;
    const std::atomic<bool>* stop_ = nullptr;

    bool found_ = false;
    std::uint32_t goalParent_ = 0;
    int goalFrom_ = 0, goalDir_ = 0, goalLength_ = 0;  // the pulls that reached the start
};

}  // namespace ruk::pushbot
