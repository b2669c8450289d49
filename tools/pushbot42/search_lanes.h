// The searches pushbot42 runs, as lanes: a lane is a list of phases run one after another on
// the shared level, with dead-position tables and a position store of its own. With several threads
// the lanes run side by side and the first answer, or the first proof that there is none, ends them
// all.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "push_search.h"
#include "records/core_state.h"
#include "records/deadlock_context.h"

namespace ruk::pushbot {

struct Phase {
    bool staged = false;     // the room-by-room search (proves nothing)
    int weight = 1;          // of the bound, for a best-first search
    bool byFeature = false;  // the feature space's open list
    double share = 1.0;      // of the time left when the phase starts; 1: all of it
    GoalMacros macros = GoalMacros::OFF;
    Guidance guidance;  // of the feature space
    bool pull = false;  // the search backward by pulls (pull_search.h); weight and byFeature hold
};

// The lanes for threads threads. One thread runs, in turn, the pull search briefly, the feature
// space with macros to any goal, the rooms one by one, and the feature space with macros in the
// goal areas' order. Two threads run the second of those on one and the others on the other, the
// last with advisors for half its time and without them for the rest; more threads add the
// feature space by single pushes, the given weight with macros, then other weights. A weight
// chosen by hand runs alone on one thread.
std::vector<std::vector<Phase>> PlanLanes(int threads, int weight, bool portfolio);

struct LaneEnd {
    SearchEnd end = SearchEnd::LATE;  // EXHAUSTED only when it proves the level lost
    std::string moves;                // URDL letters when FOUND
    std::uint32_t pushes = 0;
    std::uint64_t nodes = 0;  // positions stored by its last search
    std::string reason;       // why it ended without an answer
};

// Runs one lane on the level of core (set up by the level-change sequence, only read, so lanes
// on other threads share it) until an answer, a proof, the deadline or stop; sets stop on an
// answer or a proof. The core's dead-position tests run on context, the lane's own, pointed at
// core's level.
LaneEnd RunLane(const CoreState& core, DeadlockContext& context, const std::vector<Phase>& phases,
                std::size_t memoryBytes, double deadline, std::atomic<bool>& stop);

}  // namespace ruk::pushbot
