// pushbot42's search: a best-first search over push positions of the level loaded in a
// CoreState, its answer checked by the core's solved test before it is handed back.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "records/core_state.h"

namespace ruk::pushbot {

enum class Outcome {
    SOLVED,
    NO_SOLUTION,   // proved: the search ran out of positions, or the level is lost from the start
    TIME_LIMIT,    // the clock ran out first
    MEMORY_LIMIT,  // the position store filled up and the remaining positions ran out
    BAD_INPUT,     // no playable level could be read
};

struct Limits {
    double seconds = 60.0;
    std::uint64_t memoryMb = 1024;  // the node store, its hash table and the open list
    // Priority = pushes so far + weight * estimate; lower weights give fewer pushes, slower.
    int weight = 3;
    // First a search that takes the cells of a feature space in turn (boxes on goals, floor
    // areas, sealed goals) with weight 1, then the rest of the time with that weight; off when
    // the weight is chosen by hand.
    bool portfolio = true;
    // Searches run side by side, each on a thread, dead-position tables and a share of memoryMb
    // of its own; 0: one per core of the machine.
    int threads = 0;
};

struct Result {
    Outcome outcome = Outcome::BAD_INPUT;
    std::string moves;  // URDL letters when solved
    std::uint32_t pushes = 0;
    std::uint32_t moveCount = 0;
    std::uint64_t nodes = 0;  // positions stored
    double seconds = 0.0;
    std::string reason;  // why there is no answer
};

// Solves the current level of core, which the level-change sequence has just set up; the
// searches on every thread share its level. Counts time from `started` (a steady_clock reading
// in seconds, see Now()).
Result SolveLoadedLevel(CoreState& core, const Limits& limits, double started);

// Reads the first level of the file at path and solves it.
Result SolveFile(const std::string& path, const Limits& limits);

// The output file's text: a comment line, then the URDL line when solved; LF line ends.
std::string OutputText(const Result& result);

// Seconds on the steady clock. For comparing builds on a busy machine, PUSHBOT_WORK_CLOCK=N in
// the environment makes it count work instead: the positions this thread has expanded, N to a
// second, so that a run on one thread does the same whatever the machine and its load.
double Now();
// One position expanded, for the work clock.
void CountExpansion();

}  // namespace ruk::pushbot
