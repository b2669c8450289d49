// The static reductions (see static_reductions.h).
#include "planner/static_reductions.h"

#include <algorithm>

#include "board/board_steps.h"
#include "planner/fill_region.h"

namespace ruk {

void RemoveMovableBoxes(std::uint32_t* position, std::uint32_t* marks, int keeper,
                        const LevelModel& level, std::int32_t* queue) {
    const int cells = level.board.cellCount;
    const std::int32_t* step = level.directions.stepOffset.data();
    for (bool removed = true; removed;) {
        removed = false;
        std::fill(marks, marks + cells, 0u);
        FillRegion(position, marks, keeper, 1, level.directions, queue);
        for (int i = 0; i < cells; ++i) {
            if (position[i] != BOX) continue;
            for (int d = 0; d < 4; ++d) {
                if (marks[i + step[d]] != 0 && position[i - step[d]] == FLOOR) {
                    position[i] = FLOOR;
                    removed = true;
                    break;
                }
            }
        }
    }
}

void ClearFillableGoals(std::uint32_t* goals, const Board& board) {
    for (bool changed = true; changed;) {
        changed = false;
        for (int i = 0; i < board.cellCount; ++i) {
            if (goals[i] != GOAL) continue;
            for (const Direction d : DIRECTIONS) {
                const int beside = StepFrom(board, i, d, 1);
                if (beside < 0 || goals[beside] != FLOOR) continue;
                const int behind = StepFrom(board, i, d, 2);
                if (behind < 0 || goals[behind] != FLOOR) continue;
                goals[i] = FLOOR;
                changed = true;
                break;
            }
        }
    }
}

}  // namespace ruk
