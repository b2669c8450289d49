// FinishLevelLoad (see level_status.h).
#include "planner/level_status.h"

#include <algorithm>

#include "planner/open_dead_reach.h"
#include "planner/reverse_search.h"
#include "planner/start_position.h"

namespace ruk {

LevelStatus FinishLevelLoad(CoreState& core) {
    Board& board = core.level.board;
    GameRecord& game = core.game;
    PlannerTables& planner = core.planner;
    PlannerTables& t = core.planner;
    if (board.status == LevelStatus::NONE) return LevelStatus::BAD_LEVEL;

    RebuildStartPosition(core);
    game.shown.lastPushTarget = 0;
    if (board.status == LevelStatus::BAD_LEVEL || board.status == LevelStatus::SIZE_OVER) {
        t.manyBoxes = false;
        return board.status;
    }
    t.manyBoxes = game.shown.boxListCount > MAX_GOAL_LIST;
    if (board.status == LevelStatus::MANY_BOXES || board.status == LevelStatus::BLOCKED)
        board.status = LevelStatus::PLAYABLE;
    const Grids& grids = core.level.grids;
    if (board.width > grids.maxWidth || board.height > grids.maxHeight)
        return LevelStatus::SIZE_OVER;

    if (t.manyBoxes) {
        LiveMap(core, t.goalReach.data(), game.shown.positionBoard.data(), planner.goalMap.data());
    } else {
        // Only goals that are in the list have a bit; with fewer goals than boxes the level is
        // hopeless anyway, and the list holds no more.
        const int goals = std::min(game.shown.boxListCount, t.goalListCount);
        GoalReachMasks(core, t.goalReach.data(), game.shown.positionBoard.data(), t.goalList.data(),
                       goals);
    }
    MarkOpenDeadReach(core);
    return LevelStatus::PLAYABLE;
}

}  // namespace ruk
