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
// Of the time then left, for the first push search on one thread.
constexpr double MACRO_SHARE = 0.55;
// The pull searches run first, over the feature space and then by the bound alone: each finds
// answers that no push search finds, most within seconds. Their shares of the time then left,
// on one thread and on the second of two.
constexpr int PULL_WEIGHT = 9;
constexpr double PULL_FEATURE_SHARE[] = {0.1, 0.15};
constexpr double PULL_BOUND_SHARE[] = {0.12, 0.15};
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
    const int second = threads <= 1 ? 0 : 1;
    Phase pullByFeature{false,           PULL_WEIGHT, true, PULL_FEATURE_SHARE[second],
                        GoalMacros::OFF, UNGUIDED};
    pullByFeature.pull = true;
    Phase pullByBound = pullByFeature;
    pullByBound.byFeature = false;
    pullByBound.share = PULL_BOUND_SHARE[second];
    if (threads <= 1) {
        Phase first = anyGoal;
        first.share = MACRO_SHARE;
        return {{pullByFeature, pullByBound, first, staged, inLayers}};
    }
    // Beside the guided lane, macros in the layers' order find some answers only with their
    // advisors and others only without them, so the second lane tries both in turn.
    Phase inLayersFirst = inLayers;
    inLayersFirst.share = LAYERS_SHARE;
    const Phase inLayersUnguided{false, 1, true, 1.0, GoalMacros::IN_LAYERS, UNGUIDED};
    std::vector<std::vector<Phase>> lanes = {
        {anyGoal}, {pullByFeature, pullByBound, staged, inLayersFirst, inLayersUnguided}};
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
    // Pull searches that all come first hand the whole store on to the push searches after
    // them; otherwise the two stores live side by side.
    const auto firstPush =
        std::find_if(phases.begin(), phases.end(), [](const Phase& p) { return !p.pull; });
    const bool pullsFirst =
        std::none_of(firstPush, phases.end(), [](const Phase& p) { return p.pull; });
    const std::size_t pullBytes =
        pushes && !pullsFirst ? memoryBytes / PULL_MEMORY_PART : memoryBytes;
    std::unique_ptr<PullSearch> pull;
    bool pushStore = false;
    auto allocatePushes = [&] {
        if (pushStore) return true;
        try {
            if (pullsFirst) pull.reset();
            search.Allocate(pull ? memoryBytes - pullBytes : memoryBytes);
        } catch (const std::bad_alloc&) {
            lane.end = SearchEnd::FULL;
            lane.reason = "not enough memory for the position store";
            return false;
        }
        return pushStore = true;
    };
    try {
        if (pulls > 0) {
            pull = std::make_unique<PullSearch>(level);
            pull->SetStop(&stop);
            pull->Allocate(pullBytes);
        }
    } catch (const std::bad_alloc&) {
        lane.end = SearchEnd::FULL;
        lane.reason = "not enough memory for the position store";
        return lane;
    }
    if (pushes && pulls == 0 && !allocatePushes()) return lane;

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
        if (!allocatePushes()) return lane;
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
