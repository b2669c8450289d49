// The best-first search over push positions: priority = pushes so far + weight * lower bound,
// one open list or the feature space's, every push checked by the dead-position rules.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "box_paths.h"
#include "corrals.h"
#include "free_regions.h"
#include "goal_distances.h"
#include "goal_room.h"
#include "keeper_reach.h"
#include "level_cells.h"
#include "lower_bound.h"
#include "open_list.h"
#include "packing_layers.h"
#include "packing_order.h"
#include "position_features.h"
#include "position_store.h"
#include "records/core_state.h"
#include "records/deadlock_context.h"
#include "room_split.h"
#include "settled_goals.h"
#include "zobrist_keys.h"

namespace ruk::pushbot {

// Whether a box may also go to a goal in one macro move, and to which goals: any, or only those
// whose deeper goals (packing_layers.h) are filled.
enum class GoalMacros { OFF, ANY, IN_LAYERS };

// How a feature-space search is guided; all off: every box on a goal counts as packed.
struct Guidance {
    bool packingOrder = false;  // only boxes packed in the packing order (packing_order.h) count
    bool advisors = false;      // a position whose push packed a box takes every other turn
    bool connectivity = false;  // so does one whose push joined floor areas, packing as many
    // The cell counts doorways between rooms that boxes block (room_split.h) instead of floor
    // areas; the connectivity advisor then takes a push that unblocks one.
    bool rooms = false;
    bool roomAdvisor = false;  // a push that unblocks a doorway, packing as many, takes a turn
};

enum class SearchEnd {
    FOUND,      // the steps were appended
    EXHAUSTED,  // every position searched (a proof only with no pushes cut, see PushSearch)
    LATE,       // the deadline passed
    FULL,       // positions were dropped for want of room
};

class PushSearch {
  public:
    // level, distances and room must outlive the search; the core's dead-position tests run on
    // context (pointed at the level, its deadCells set to the distances' dead cells here).
    // Its set-up stops short once the clock passes deadline (a level of a hundred goals can take
    // a good part of a second); the first Run then ends at once.
    PushSearch(DeadlockContext& context, const LevelCells& level, const GoalDistances& distances,
               const GoalRoom& room, double deadline = 1e300);

    // Sizes the store for memoryBytes: record, boxes, two table slots and an open entry per
    // position. Throws std::bad_alloc when that cannot be had.
    void Allocate(std::size_t memoryBytes);
    std::size_t MaxPositions() const { return store_.MaxPositions(); }

    // Settings, taken by the next Reset: the weight of the bound, and whether the open list
    // is the feature space's, and whether a box may also go to a goal in one macro move (as
    // well as by single pushes, so a search with them still proves what it exhausts).
    void Configure(int weight, bool byFeature, GoalMacros macros = GoalMacros::OFF) {
        weight_ = weight;
        byFeature_ = byFeature;
        macros_ = macros;
    }
    // How the feature space guides the search; taken by the next Reset.
    void Guide(const Guidance& guidance) { guidance_ = guidance; }
    // Whether a box arriving at the goal room's entrance goes on to its goal. That cuts the
    // other pushes from there, so a search using it proves nothing when it runs out.
    void UseRoom(bool use) { useRoom_ = use && room_.Found(); }
    bool RoomUsed() const { return roomUsed_; }
    void ClearRoomUsed() { roomUsed_ = false; }
    // A stage of the room-by-room search: boxes on held cells stay put (all zero otherwise),
    // and the stage is done when every other box stands on a goal.
    std::vector<std::uint8_t>& HeldCells() { return held_; }
    void SetStaged(bool staged) { staged_ = staged; }

    // A flag another search sets once the level is settled (found or proved lost): Run and the
    // room-by-room search then end as they do at their deadline.
    void SetStop(const std::atomic<bool>* stop) { stop_ = stop; }
    bool Stopped() const { return stop_ != nullptr && stop_->load(std::memory_order_relaxed); }

    // Empties the store and the open list; at most cap positions are stored afterwards.
    void Reset(std::size_t cap);
    // Searches from the boxes (ascending) and keeper until done; the pushes from there are
    // appended to steps.
    SearchEnd Run(const std::vector<std::uint16_t>& start, int keeper, double deadline,
                  std::vector<PushStep>& steps);

    std::size_t StoredPositions() const { return store_.Size(); }
    LowerBound& Bound() { return bound_; }

  private:
    bool StageDone(const std::uint16_t* boxes) const;
    void Expand(std::uint32_t index);
    void AddChild(std::uint32_t parent, const std::uint16_t* boxes, int k, int target, int from,
                  int d, int length, int keeper, int fill);
    void Open(std::uint32_t index, bool advised = false);
    bool Advised(int parent, int child, int childRooms) const;
    void AddGoalMacros(std::uint32_t index, const std::uint16_t* boxes, int k, int parentSettled);
    void AddMacro(std::uint32_t index, const std::uint16_t* boxes, int k, int target, int dir,
                  int pushes, int fill, int sealed, int parentSettled);
    void AppendSteps(std::vector<PushStep>& reversed, const Position& position, int target);
    int MovedTo(std::uint32_t index) const;
    const PackingLayers* PackedBy() const;

    DeadlockContext& context_;
    const LevelCells& level_;
    const GoalDistances& distances_;
    const GoalRoom& room_;
    std::vector<std::uint32_t> board_;  // the position being expanded: 0 floor, BOX, WALL
    ZobristKeys keys_;
    LowerBound bound_;
    PositionStore store_;
    OpenList open_;
    KeeperReach reach_;
    Corrals corrals_;
    SettledGoals settled_;
    PositionFeatures features_;
    FreeRegions regions_;  // the floor areas of each child, from the parent's
    RoomSplit rooms_;
    int parentRooms_ = 0;  // blocked doorways of the position being expanded
    BoxPaths paths_;
    PackingLayers layers_;
    PackingOrder order_;
    Guidance guidance_;
    std::vector<PushStep> macroSteps_;

    std::vector<std::uint16_t> childBoxes_, expandBoxes_;
    std::vector<std::uint8_t> allowed_;  // per box of the position being expanded
    std::vector<std::uint8_t> held_;     // per cell
    int weight_ = 3;
    bool byFeature_ = false;
    GoalMacros macros_ = GoalMacros::OFF;
    bool useRoom_ = false, roomUsed_ = false;
    bool staged_ = false;
    bool dropped_ = false;  // a position found no room in the store
    const std::atomic<bool>* stop_ = nullptr;

    // The push that finished the search, from a stored position.
    bool found_ = false;
    std::uint32_t goalParent_ = 0;
    Position goalPush_{};
    int goalTarget_ = 0;  // where goalPush_ left its box
};

}  // namespace ruk::pushbot
