// The push search (see pushbot_search.h): the lanes of search_lanes.h, side by side on the
// threads asked for, the answer checked by the core.
#include "pushbot_search.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "core_door.h"
#include "level_cells.h"
#include "plan_text.h"
#include "search_lanes.h"

namespace ruk::pushbot {

namespace {

// More lanes than this share too little memory each to be worth a thread.
constexpr int MAX_THREADS = 64;

int ThreadCount(int asked) {
    int threads = asked > 0 ? asked : static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(threads, 1, MAX_THREADS);
}

// The lanes side by side, lane 0 in this thread, all on core's level and each with tables of its
// own for the dead-position tests; the first answer or proof is kept and ends the others.
Result Solve(const CoreState& core, const Limits& limits, double deadline) {
    std::vector<std::vector<Phase>> plans =
        PlanLanes(ThreadCount(limits.threads), limits.weight, limits.portfolio);
    // A plan written out replaces the portfolio, to measure lanes without building again.
    if (const char* text = std::getenv("PUSHBOT_PLAN"); text != nullptr && limits.portfolio)
        if (!ReadPlan(text, plans)) std::fprintf(stderr, "pushbot42: PUSHBOT_PLAN not read\n");
    std::vector<std::unique_ptr<DeadlockContext>> contexts;
    for (std::size_t i = 0; i < plans.size(); ++i) {
        std::unique_ptr<DeadlockContext> context(new (std::nothrow) DeadlockContext);
        if (!context || !InitDeadlockContext(*context, core.level)) break;  // fewer lanes
        contexts.push_back(std::move(context));
    }
    Result result;
    if (contexts.empty()) {
        result.outcome = Outcome::MEMORY_LIMIT;
        result.reason = "not enough memory for the dead-position tables";
        return result;
    }
    plans.resize(contexts.size());
    const std::size_t memory =
        static_cast<std::size_t>(limits.memoryMb) * 1024 * 1024 / plans.size();

    std::atomic<bool> stop{false};
    std::vector<LaneEnd> ends(plans.size());
    std::vector<std::thread> threads;
    for (std::size_t i = 1; i < plans.size(); ++i)
        threads.emplace_back(
            [&, i] { ends[i] = RunLane(core, *contexts[i], plans[i], memory, deadline, stop); });
    ends[0] = RunLane(core, *contexts[0], plans[0], memory, deadline, stop);
    for (std::thread& thread : threads) thread.join();

    for (const LaneEnd& lane : ends) result.nodes += lane.nodes;
    // An answer first, then a proof; otherwise the clock, unless every lane ran out of memory.
    const LaneEnd* decided = nullptr;
    for (const LaneEnd& lane : ends)
        if (lane.end == SearchEnd::FOUND && !decided) decided = &lane;
    for (const LaneEnd& lane : ends)
        if (lane.end == SearchEnd::EXHAUSTED && !decided) decided = &lane;
    if (decided && decided->end == SearchEnd::FOUND) {
        result.outcome = Outcome::SOLVED;
        result.moves = decided->moves;
        result.pushes = decided->pushes;
        result.moveCount = static_cast<std::uint32_t>(result.moves.size());
        return result;
    }
    if (decided) {
        result.outcome = Outcome::NO_SOLUTION;
        result.reason = decided->reason;
        return result;
    }
    const bool allFull = std::all_of(
        ends.begin(), ends.end(), [](const LaneEnd& lane) { return lane.end == SearchEnd::FULL; });
    result.outcome = allFull ? Outcome::MEMORY_LIMIT : Outcome::TIME_LIMIT;
    result.reason = allFull ? ends[0].reason : "time limit reached";
    return result;
}

}  // namespace

namespace {

thread_local std::uint64_t expansions = 0;

// Positions to a second of the work clock; 0 for the steady clock.
double WorkRate() {
    static const double rate = [] {
        const char* text = std::getenv("PUSHBOT_WORK_CLOCK");
        const double n = text != nullptr ? std::strtod(text, nullptr) : 0.0;
        return std::isfinite(n) && n >= 1.0 ? n : 0.0;
    }();
    return rate;
}

// Whether the clock is the calling thread's processor time (PUSHBOT_CPU_CLOCK=1).
bool CpuClock() {
    static const bool cpu = [] {
        const char* text = std::getenv("PUSHBOT_CPU_CLOCK");
        return text != nullptr && std::strcmp(text, "1") == 0;
    }();
    return cpu;
}

}  // namespace

void CountExpansion() {
    ++expansions;
}

double Now() {
    if (WorkRate() > 0) return static_cast<double>(expansions) / WorkRate();
    if (CpuClock()) {
        timespec used{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &used);
        return static_cast<double>(used.tv_sec) + static_cast<double>(used.tv_nsec) * 1e-9;
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

Result SolveLoadedLevel(CoreState& core, const Limits& limits, double started) {
    Result result;
    const LevelStatus status = core.level.board.status;
    if (status == LevelStatus::BLOCKED ||
        (status == LevelStatus::PLAYABLE && core.planner.unsolvable)) {
        result.outcome = Outcome::NO_SOLUTION;
        result.reason = status == LevelStatus::BLOCKED ? "the level is blocked from the start"
                                                       : "the position is proved unsolvable";
    } else if (status != LevelStatus::PLAYABLE) {
        result.outcome = Outcome::BAD_INPUT;
        result.reason = std::string("the level is not playable (") + LevelStatusName(status) + ")";
    } else {
        result = Solve(core, limits, started + limits.seconds);
        if (result.outcome == Outcome::SOLVED && result.moves.empty()) {
            // Solved as it stands: no letters for the core to replay, so the boxes are checked.
            if (!door::EveryBoxOnAGoal(core)) {
                result.outcome = Outcome::NO_SOLUTION;
                result.reason = "internal error: an empty answer for a level not yet solved";
            }
        } else if (result.outcome == Outcome::SOLVED) {
            // The core replays the letters from the level's start and must call it solved.
            const bool parsed = door::ImportMoves(core, result.moves.c_str());
            if (!parsed || !door::Totals(core).solved) {
                result.outcome = Outcome::NO_SOLUTION;
                result.reason = "internal error: the answer did not replay as solved";
                result.moves.clear();
            }
        }
    }
    result.seconds = Now() - started;
    return result;
}

Result SolveFile(const std::string& path, const Limits& limits) {
    const double started = Now();
    Result result;
    std::unique_ptr<CoreState> core = CreateCoreState();
    if (!core) {
        result.reason = "out of memory";
        return result;
    }
    // The player hands over levels of up to 50 x 50.
    core->level.grids.maxWidth = GRID_SIDE;
    core->level.grids.maxHeight = GRID_SIDE;
    std::FILE* probe = std::fopen(path.c_str(), "rb");
    if (probe == nullptr) {
        result.reason = "cannot open " + path;
        return result;
    }
    std::fclose(probe);
    if (!door::LoadFileLevel(*core, path.c_str(), 1)) {
        result.reason = "no level in " + path;
        return result;
    }
    return SolveLoadedLevel(*core, limits, started);
}

std::string OutputText(const Result& result) {
    char line[512];
    if (result.outcome == Outcome::SOLVED) {
        std::snprintf(line, sizeof line,
                      "; pushbot42: solved in %u pushes, %u moves, %.2f s, %llu positions "
                      "(best-first, pushes not proved minimal)\n",
                      result.pushes, result.moveCount, result.seconds,
                      static_cast<unsigned long long>(result.nodes));
        return std::string(line) + result.moves + "\n";
    }
    const char* what = result.outcome == Outcome::BAD_INPUT ? "no level" : "no solution";
    std::snprintf(line, sizeof line, "; pushbot42: %s: %s (%.2f s, %llu positions)\n", what,
                  result.reason.c_str(), result.seconds,
                  static_cast<unsigned long long>(result.nodes));
    return line;
}

}  // namespace ruk::pushbot
