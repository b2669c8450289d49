// Boxes that can never be pulled (see pull_freeze.h).
#include "pull_freeze.h"

namespace ruk::pushbot {

PullFreeze::PullFreeze(const LevelCells& level)
    : level_(level), start_(level.cells, 0), stuck_(level.cells, 0) {
    for (const int b : level.startBoxes) start_[b] = 1;
}

bool PullFreeze::Dead(const std::uint16_t* boxes) {
    const int nb = level_.boxCount;
    const std::int32_t* step = level_.step;
    const std::uint8_t* wall = level_.wall.data();
    // Every box starts in the set; a box with a pull whose two cells are free of walls and of
    // the set's boxes leaves it, until none does.
    for (int i = 0; i < nb; ++i) stuck_[boxes[i]] = 1;
    auto blocked = [&](int cell) { return wall[cell] || stuck_[cell]; };
    bool changed = true;
    while (changed) {
        changed = false;
        for (int i = 0; i < nb; ++i) {
            const int b = boxes[i];
            if (!stuck_[b]) continue;
            for (int d = 0; d < 4; ++d) {
                const int next = b + step[d];
                if (!blocked(next) && !blocked(next + step[d])) {
                    stuck_[b] = 0;
                    changed = true;
                    break;
                }
            }
        }
    }
    bool dead = false;
    for (int i = 0; i < nb; ++i) {
        if (stuck_[boxes[i]] && !start_[boxes[i]]) dead = true;
        stuck_[boxes[i]] = 0;
    }
    return dead;
}

}  // namespace ruk::pushbot
