// The level as the push search sees it (see level_cells.h).
#include "level_cells.h"

namespace ruk::pushbot {

bool ReadLevelCells(const CoreState& core, LevelCells& level) {
    level.cells = core.level.board.cellCount;
    for (int d = 0; d < 4; ++d) level.step[d] = core.level.directions.stepOffset[d];
    level.ring = core.level.directions.ringOffset.data();
    level.goalMap = core.planner.goalMap.data();
    level.directions = &core.level.directions;
    level.goalReach = core.planner.goalReach.data();
    const std::uint32_t* position = core.game.shown.positionBoard.data();
    level.wall.assign(level.cells, 0);
    level.goals.clear();
    level.startBoxes.clear();
    for (int c = 0; c < level.cells; ++c) {
        if (position[c] != 0 && position[c] != BOX) level.wall[c] = 1;
        if (position[c] == BOX) level.startBoxes.push_back(static_cast<std::uint16_t>(c));
        if (level.goalMap[c] == GOAL) level.goals.push_back(c);
    }
    level.boxCount = static_cast<int>(level.startBoxes.size());
    level.startKeeper = core.game.shown.keeperCell;
    return static_cast<int>(level.goals.size()) == level.boxCount;
}

bool FreeAroundJoined(const LevelCells& level, const std::uint32_t* board, int cell) {
    const std::int32_t* ring = level.ring;
    int start = -1;
    for (int i = 0; i < 8 && start < 0; ++i)
        if (board[cell + ring[i]] != 0) start = i;
    if (start < 0) return true;
    int arcs = 0;
    bool inArc = false, counted = false;
    for (int j = 1; j <= 8; ++j) {
        const int i = (start + j) & 7;
        if (board[cell + ring[i]] != 0) {
            inArc = false;
            continue;
        }
        if (!inArc) {
            inArc = true;
            counted = false;
        }
        if ((i & 1) == 0 && !counted) {  // a side neighbour
            counted = true;
            ++arcs;
        }
    }
    return arcs <= 1;
}

}  // namespace ruk::pushbot
