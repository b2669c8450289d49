// Packing layers (see packing_layers.h).
#include "packing_layers.h"

#include <climits>

#include "goal_room.h"
#include "search/breadth_fill.h"
#include "search/mark_map.h"

namespace ruk::pushbot {

void PackingLayers::Build(const LevelCells& level) {
    const int cells = level.cells;
    const std::int32_t* step = level.step;
    layer_.assign(cells, -1);
    deeper_.assign(cells, {});
    std::vector<std::uint32_t> board(cells, 0);
    for (int c = 0; c < cells; ++c)
        if (level.wall[c]) board[c] = WALL;
    for (const int g : level.goals) board[g] = BOX;
    std::vector<std::int32_t> queue(cells + 1);
    MarkMap reach;
    std::vector<int> left(level.goals), removable;
    for (int layer = 0; !left.empty(); ++layer) {
        // The keeper may stand on any floor joined to a cell off the goals.
        reach.NewStamp();
        for (int c = 0; c < cells; ++c)
            if (board[c] == 0 && !level.Goal(c) && !reach.Marked(c))
                MarkRegion(reach, c, step, queue.data(), [&](int n) { return board[n] == 0; });
        removable.clear();
        for (const int g : left) {
            for (int d = 0; d < 4; ++d) {
                const int stand = g + step[d], back = stand + step[d];
                if (reach.Marked(stand) && board[back] == 0) {
                    removable.push_back(g);
                    break;
                }
            }
        }
        if (removable.empty()) {
            // Boxes no pull frees: the deepest of all.
            for (const int g : left) layer_[g] = INT_MAX;
            break;
        }
        for (const int g : removable) {
            layer_[g] = layer;
            board[g] = 0;
            std::erase(left, g);
        }
    }
    for (const std::vector<int>& group : GoalGroups(level))
        for (const int i : group)
            for (const int j : group)
                if (layer_[level.goals[j]] > layer_[level.goals[i]])
                    deeper_[level.goals[i]].push_back(level.goals[j]);
}

}  // namespace ruk::pushbot
