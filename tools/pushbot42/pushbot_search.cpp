// The push search (see pushbot_search.h): the rooms one by one first, then the whole level in
// the feature space, then with the chosen weight.
#include "pushbot_search.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "core_door.h"
#include "goal_distances.h"
#include "goal_room.h"
#include "level_cells.h"
#include "push_letters.h"
#include "push_search.h"
#include "room_by_room.h"

namespace ruk::pushbot {

namespace {

constexpr double STAGED_SHARE = 0.3;     // of the time limit, for the room-by-room search
constexpr double PORTFOLIO_SHARE = 0.6;  // of the time then left, for the feature space

bool Answer(const LevelCells& level, const std::vector<PushStep>& steps, Result& result) {
    if (!PushLetters(level, steps, result.moves, result.pushes)) {
        result.moves.clear();
        result.pushes = 0;
        result.outcome = Outcome::NO_SOLUTION;
        result.reason = "internal error: the push list could not be walked";
        return false;
    }
    result.moveCount = static_cast<std::uint32_t>(result.moves.size());
    result.outcome = Outcome::SOLVED;
    return true;
}

Result Solve(CoreState& core, const Limits& limits, double deadline) {
    Result result;
    LevelCells level;
    if (!ReadLevelCells(core, level)) {
        result.outcome = Outcome::NO_SOLUTION;
        result.reason = "boxes and goals differ in number";
        return result;
    }
    GoalDistances distances;
    distances.Build(level);
    GoalRoom room;
    room.Find(level, distances.DeadCells());
    PushSearch search(core, level, distances, room);
    search.UseRoom(true);
    try {
        search.Allocate(static_cast<std::size_t>(limits.memoryMb) * 1024 * 1024);
    } catch (const std::bad_alloc&) {
        result.outcome = Outcome::MEMORY_LIMIT;
        result.reason = "not enough memory for the position store";
        return result;
    }

    std::vector<PushStep> steps;
    // The rooms one by one first, for a part of the time; then the whole level.
    const double now = Now();
    if (SolveRoomByRoom(search, level, now + (deadline - now) * STAGED_SHARE, steps)) {
        result.nodes = search.StoredPositions();
        Answer(level, steps, result);
        return result;
    }
    steps.clear();
    // First the feature space with weight 1 for a share of the time left, then the given weight
    // on one open list; a weight chosen by hand runs alone.
    const bool second = limits.portfolio;
    const double split = Now() + (deadline - Now()) * (second ? PORTFOLIO_SHARE : 1.0);
    SearchEnd end = SearchEnd::LATE;
    for (int phase = 0; phase < (second ? 2 : 1); ++phase) {
        const double until = phase == 0 ? split : deadline;
        const bool byFeature = second && phase == 0;
        search.Configure(byFeature ? 1 : limits.weight, byFeature);
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
    result.nodes = search.StoredPositions();
    if (end == SearchEnd::FOUND) {
        Answer(level, steps, result);
    } else if (end == SearchEnd::LATE) {
        result.outcome = Outcome::TIME_LIMIT;
        result.reason = "time limit reached";
    } else if (end == SearchEnd::FULL) {
        result.outcome = Outcome::MEMORY_LIMIT;
        result.reason = "memory limit reached";
    } else if (search.StoredPositions() == 0) {
        result.outcome = Outcome::NO_SOLUTION;
        result.reason = "the boxes cannot all reach goals of their own";
    } else {
        result.outcome = Outcome::NO_SOLUTION;
        result.reason = "no solution exists (every reachable position searched)";
    }
    return result;
}

}  // namespace

double Now() {
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
        if (result.outcome == Outcome::SOLVED) {
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
