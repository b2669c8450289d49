// The lanes of searches (see search_lanes.h).
#include "search_lanes.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <new>

#include "goal_distances.h"
#include "goal_room.h"
#include "level_cells.h"
#include "pull_search.h"
#include "push_letters.h"
#include "pushbot_search.h"
#include "room_by_room.h"

namespace ruk::pushbot {

namespace {

constexpr double STAGED_SHARE = 0.3;  // of the time then left, for the room-by-room search
constexpr double MACRO_SHARE = 0.6;   // of the time limit, for the first search on one thread
// Of the time limit, for the pull search first: what it finds, it finds at once.
constexpr double PULL_SHARE = 0.02;
constexpr int PULL_WEIGHT = 5;
constexpr std::size_t PULL_MEMORY_PART = 8;  // of a lane's memory, beside push searches
constexpr double LAYERS_SHARE = 0.5;         // of the time then left, for the advised layers on two
constexpr int STAGED_WEIGHT = 3;             // of the bound, in each room's search
// Weights of the lanes after the first four, in turn.
constexpr int MORE_WEIGHTS[] = {2, 1, 5, 8};
// Counting boxes packed in the packing order, with its advisors, lets macros to any goal fill a
// goal area in an order that works; the search in the areas' order keeps its own count.
constexpr Guidance ANY_GOAL_GUIDANCE{true, true, true};
constexpr Guidance IN_LAYERS_GUIDANCE{false, true, false};
constexpr Guidance UNGUIDED{};

}  // namespace

std::vector<std::vector<Phase>> PlanLanes(int threads, int weight, bool portfolio) {
    if (!portfolio) return {{Phase{false, weight, false, 1.0, GoalMacros::OFF, UNGUIDED}}};
    const Phase staged{true, STAGED_WEIGHT, false, STAGED_SHARE, GoalMacros::OFF, UNGUIDED};
    const Phase anyGoal{false, 1, true, 1.0, GoalMacros::ANY, ANY_GOAL_GUIDANCE};
    const Phase inLayers{false, 1, true, 1.0, GoalMacros::IN_LAYERS, IN_LAYERS_GUIDANCE};
    // Boxes taken to any goal in one move find most answers; taken only in the goal areas'
    // order, or room by room, they find others.
    Phase pull{false, PULL_WEIGHT, false, PULL_SHARE, GoalMacros::OFF, UNGUIDED};
    pull.pull = true;
    // The pull search finds a few answers that the push searches miss, the quick ones soon.
    if (threads <= 1) {
        // The first push search keeps its time: its share is of what the pull search leaves.
        const double share = MACRO_SHARE / (1 - PULL_SHARE);
        return {{pull, Phase{false, 1, true, share, GoalMacros::ANY, ANY_GOAL_GUIDANCE}, staged,
                 inLayers}};
    }
    // Beside the guided lane, macros in the layers' order find some answers only with their
    // advisors and others only without them, so the second lane tries both in turn.
    Phase inLayersFirst = inLayers;
    inLayersFirst.share = LAYERS_SHARE;
    const Phase inLayersUnguided{false, 1, true, 1.0, GoalMacros::IN_LAYERS, UNGUIDED};
    std::vector<std::vector<Phase>> lanes = {{anyGoal},
                                             {pull, staged, inLayersFirst, inLayersUnguided}};
    for (int i = 2; i < threads; ++i) {
        if (i == 2) {
            lanes.push_back({Phase{false, 1, true, 1.0, GoalMacros::OFF, UNGUIDED}});
        } else if (i == 3) {
            lanes.push_back({Phase{false, weight, false, 1.0, GoalMacros::ANY, UNGUIDED}});
        } else {
            // One open list and the feature space take turns, as do macros.
            const int more = MORE_WEIGHTS[(i - 4) % std::size(MORE_WEIGHTS)];
            lanes.push_back({Phase{false, more, i % 2 == 1, 1.0,
                                   i % 2 == 0 ? GoalMacros::ANY : GoalMacros::OFF, UNGUIDED}});
        }
    }
    return lanes;
}

LaneEnd RunLane(const CoreState& core, DeadlockContext& context, const std::vector<Phase>& phases,
                std::size_t memoryBytes, double deadline, std::atomic<bool>& stop) {
    LaneEnd lane;
    LevelCells level;
    if (!ReadLevelCells(core, level)) {
        lane.end = SearchEnd::EXHAUSTED;
        lane.reason = "boxes and goals differ in number";
        stop = true;
        return lane;
    }
    GoalDistances distances;
    distances.Build(level);
    GoalRoom room;
    room.Find(level, distances.DeadCells());
    PushSearch search(context, level, distances, room, deadline);
    search.UseRoom(true);
    search.SetStop(&stop);
    // Each search stores positions only if a phase runs it; a pull search beside push searches
    // runs briefly and needs little room.
    const auto pulls = static_cast<std::size_t>(
        std::count_if(phases.begin(), phases.end(), [](const Phase& p) { return p.pull; }));
    const bool pushes = pulls < phases.size();
    std::unique_ptr<PullSearch> pull;
    try {
        if (pulls > 0) {
            pull = std::make_unique<PullSearch>(level);
            pull->SetStop(&stop);
            pull->Allocate(pushes ? memoryBytes / PULL_MEMORY_PART : memoryBytes);
        }
        if (pushes)
            search.Allocate(pulls > 0 ? memoryBytes - memoryBytes / PULL_MEMORY_PART : memoryBytes);
    } catch (const std::bad_alloc&) {
        lane.end = SearchEnd::FULL;
        lane.reason = "not enough memory for the position store";
        return lane;
    }

    std::vector<PushStep> steps;
    SearchEnd end = SearchEnd::LATE;
    bool lastPull = false;  // the search that ran last: its positions are reported
    for (const Phase& phase : phases) {
        const double now = Now();
        const double until = phase.share >= 1.0 ? deadline : now + (deadline - now) * phase.share;
        lastPull = phase.pull;
        if (phase.pull) {
            pull->Configure(phase.weight, phase.byFeature);
            end = pull->Run(until, steps);
            if (end == SearchEnd::FOUND) break;
            steps.clear();
            continue;
        }
        search.Configure(phase.weight, phase.byFeature, phase.macros);
        search.Guide(phase.guidance);
        if (phase.staged) {
            if (SolveRoomByRoom(search, level, until, steps)) {
                end = SearchEnd::FOUND;
                break;
            }
            steps.clear();
            continue;
        }
        search.Reset(search.MaxPositions());
        search.ClearRoomUsed();
        end = search.Run(level.startBoxes, level.startKeeper, until, steps);
        if (end == SearchEnd::EXHAUSTED && search.RoomUsed()) {
            // The goal room's order cut pushes: only a search without it can prove anything.
            search.UseRoom(false);
            search.Reset(search.MaxPositions());
            end = search.Run(level.startBoxes, level.startKeeper, until, steps);
        }
        if (end == SearchEnd::FOUND || end == SearchEnd::EXHAUSTED) break;
    }
    lane.nodes = lastPull ? pull->StoredPositions() : search.StoredPositions();
    lane.end = end;
    if (end == SearchEnd::FOUND) {
        if (!PushLetters(level, steps, lane.moves, lane.pushes)) {
            lane.end = SearchEnd::LATE;
            lane.moves.clear();
            lane.reason = "internal error: the push list could not be walked";
            return lane;
        }
        stop = true;
    } else if (end == SearchEnd::EXHAUSTED) {
        lane.reason = lane.nodes == 0 ? "the boxes cannot all reach goals of their own"
                                      : "no solution exists (every reachable position searched)";
        stop = true;
    } else if (end == SearchEnd::FULL) {
        lane.reason = "memory limit reached";
    } else {
        lane.reason = "time limit reached";
    }
    return lane;
}

}  // namespace ruk::pushbot
