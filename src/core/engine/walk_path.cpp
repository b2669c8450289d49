// The walk path builder (see walk_path.h).
#include "engine/walk_path.h"

#include "engine/move_letters.h"
#include "planner/fill_region.h"

namespace ruk {

bool AppendWalk(const LevelModel& level, GameRecord& game, RouteStore& route, int from, int to) {
    if (game.history.failed) return false;
    RouteStore& store = route;
    const std::uint32_t* distance = store.distance.data();
    DistanceMap(store.distance.data(), to, game.planBoard.data(), level.board.cellCount,
                level.directions, store.queue.data());
    const std::uint32_t length = distance[from];
    // Unreachable: the keeper stays where it is, so the plan keeps following the board.
    if (length == 0) return false;
    const std::int32_t* step = level.directions.stepOffset.data();
    int cell = from;
    int direction = 0;
    for (std::uint32_t n = length; n > 1; --n) {
        for (int i = 0; i < 4; ++i) {
            const int d = (direction + i) % 4;
            if (distance[cell + step[d]] == distance[cell] - 1) {
                direction = d;
                break;
            }
        }
        if (!AppendLetter(game.history, WalkLetter(direction))) return false;
        cell += step[direction];
    }
    game.planKeeper = to;
    return true;
}

}  // namespace ruk
