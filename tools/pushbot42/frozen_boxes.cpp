// Frozen boxes (see frozen_boxes.h).
#include "frozen_boxes.h"

namespace ruk::pushbot {

FreezeVerdict FrozenBox(std::uint32_t* board, const LevelCells& level, const std::uint8_t* dead,
                        int cell) {
    FreezeVerdict result =
        level.Goal(cell) ? FreezeVerdict::FrozenOnGoals : FreezeVerdict::FrozenOffGoal;
    board[cell] = WALL;  // the box is a wall for the boxes beside it
    bool freeAxis = false;
    for (int a = 0; a < 2 && !freeAxis; ++a) {
        const int sides[2] = {cell - level.step[a], cell + level.step[a]};
        if (board[sides[0]] == WALL || board[sides[1]] == WALL) continue;
        if (dead[sides[0]] && dead[sides[1]]) continue;
        bool frozenSide = false;
        for (const int side : sides) {
            if (board[side] != BOX) continue;
            const FreezeVerdict r = FrozenBox(board, level, dead, side);
            if (r == FreezeVerdict::FrozenOffGoal) result = FreezeVerdict::FrozenOffGoal;
            if (r != FreezeVerdict::NotFrozen) frozenSide = true;
        }
        freeAxis = !frozenSide;
    }
    board[cell] = BOX;
    return freeAxis ? FreezeVerdict::NotFrozen : result;
}

}  // namespace ruk::pushbot
