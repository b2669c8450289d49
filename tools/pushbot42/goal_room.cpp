// Goal groups, the goal room and its packing order (see goal_room.h).
#include "goal_room.h"

#include <algorithm>
#include <cstdlib>

#include "lower_bound.h"
#include "search/breadth_fill.h"
#include "search/mark_map.h"

namespace ruk::pushbot {

std::vector<std::vector<int>> GoalGroups(const LevelCells& level) {
    const std::vector<int>& goals = level.goals;
    const int stride = level.step[2];
    const int n = static_cast<int>(goals.size());
    std::vector<int> root(n);
    for (int i = 0; i < n; ++i) root[i] = i;
    auto find = [&](int x) {
        while (root[x] != x) x = root[x] = root[root[x]];
        return x;
    };
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            const int dx = goals[i] % stride - goals[j] % stride;
            const int dy = goals[i] / stride - goals[j] / stride;
            if (std::abs(dx) <= 2 && std::abs(dy) <= 2) root[find(i)] = find(j);
        }
    }
    std::vector<std::vector<int>> groups;
    std::vector<int> groupOf(n, -1);
    for (int i = 0; i < n; ++i) {
        const int r = find(i);
        if (groupOf[r] < 0) {
            groupOf[r] = static_cast<int>(groups.size());
            groups.emplace_back();
        }
        groups[groupOf[r]].push_back(i);
    }
    return groups;
}

void GoalRoom::Find(const LevelCells& level, const std::uint8_t* dead) {
    cells_ = level.cells;
    entrance_ = -1;
    if (level.boxCount > MATCHING_MAX_BOXES) return;
    const std::int32_t* step = level.step;
    const std::vector<std::uint8_t>& wall = level.wall;
    std::vector<std::int32_t> queue(cells_ + 1);
    std::vector<std::uint8_t> box(cells_, 0);
    MarkMap area;  // the fill from the group's first goal, the entrance marked as a wall
    for (const std::uint16_t b : level.startBoxes) box[b] = 1;
    int bestSize = cells_ / 2;
    for (const std::vector<int>& group : GoalGroups(level)) {
        for (int e = 0; e < cells_; ++e) {
            if (wall[e] || level.Goal(e) || dead[e]) continue;
            area.NewStamp();
            area.Mark(e);
            // Only a whole area, free of boxes and the keeper, smaller than the best so far.
            int size = 0;
            bool clean = true;
            BreadthFill(
                level.goals[group[0]], step, queue.data(),
                [&](int n, int) { return !wall[n] && !area.Marked(n); },
                [&](int c, int) {
                    area.Mark(c);
                    ++size;
                    if (box[c] || c == level.startKeeper) clean = false;
                },
                [&] { return !clean || size >= bestSize; });
            if (!clean || size >= bestSize) continue;
            // The area without its entrance.
            auto inArea = [&](int c) { return c != e && area.Marked(c); };
            bool all = true;
            for (const int gi : group) all = all && inArea(level.goals[gi]);
            int inside = 0, dir = -1;
            for (int d = 0; d < 4; ++d) {
                if (inArea(e + step[d])) {
                    ++inside;
                    dir = d;
                }
            }
            if (!all || inside != 1 || wall[e - step[dir]] || inArea(e - step[dir])) continue;
            bestSize = size;
            room_.assign(cells_, 0);
            for (int c = 0; c < cells_; ++c) room_[c] = inArea(c) ? 1 : 0;
            entrance_ = e;
            entranceDir_ = dir;
        }
    }
    if (entrance_ < 0) return;
    // Goals in pull-out order: the nearest to the entrance tried first.
    std::vector<int> inRoom;
    for (const int g : level.goals)
        if (room_[g]) inRoom.push_back(g);
    std::vector<std::vector<PushStep>> paths;
    std::vector<int> order;
    board_.assign(cells_, 0);
    for (int c = 0; c < cells_; ++c)
        if (wall[c]) board_[c] = WALL;
    for (const int g : inRoom) board_[g] = BOX;
    while (!inRoom.empty()) {
        bool out = false;
        for (std::size_t i = 0; i < inRoom.size() && !out; ++i) {
            std::vector<PushStep> pushes;
            board_[inRoom[i]] = 0;
            if (PullOut(level, inRoom[i], pushes)) {
                order.push_back(inRoom[i]);
                paths.push_back(std::move(pushes));
                inRoom.erase(inRoom.begin() + static_cast<std::ptrdiff_t>(i));
                out = true;
            } else {
                board_[inRoom[i]] = BOX;
            }
        }
        if (!out) break;
    }
    if (!inRoom.empty()) {
        entrance_ = -1;
        return;
    }
    fillOrder_.assign(order.rbegin(), order.rend());
    fillPushes_.assign(paths.rbegin(), paths.rend());
}

// Whether a box on goal can be pulled out to the entrance, the keeper coming in through it and
// leaving behind the box, with the boxes on board_ in place; the pushes that bring it back, in
// order. Box and keeper stay in the room and the entrance.
bool GoalRoom::PullOut(const LevelCells& level, int goal, std::vector<PushStep>& pushes) {
    const std::int32_t* step = level.step;
    std::vector<int> local(cells_, -1), cellOf;
    for (int c = 0; c < cells_; ++c) {
        if (room_[c] || c == entrance_) {
            local[c] = static_cast<int>(cellOf.size());
            cellOf.push_back(c);
        }
    }
    const int n = static_cast<int>(cellOf.size());
    const int outside = entrance_ - step[entranceDir_];
    std::vector<std::int32_t> came(static_cast<std::size_t>(n) * n, -2);
    std::vector<std::int32_t> q;
    auto free = [&](int c, int boxCell) { return local[c] >= 0 && board_[c] == 0 && c != boxCell; };
    const int startState = local[goal] * n + local[entrance_];
    came[startState] = -1;
    q.push_back(startState);
    for (std::size_t head = 0; head < q.size(); ++head) {
        const int st = q[head];
        const int b = cellOf[st / n], k = cellOf[st % n];
        for (int d = 0; d < 4; ++d) {
            const int next = k + step[d];
            if (free(next, b)) {  // a walk
                const int ns = (st / n) * n + local[next];
                if (came[ns] == -2) {
                    came[ns] = st;
                    q.push_back(ns);
                }
            }
            if (next != b) continue;
            // A pull: the keeper steps back away from the box, the box follows.
            const int back = k - step[d];
            if (k == entrance_ && back == outside) {
                pushes.clear();
                pushes.push_back({entrance_, d, 1});
                for (int x = st; came[x] != -1; x = came[x]) {
                    const int from = came[x];
                    if (from / n != x / n) {
                        // a pull from box cell cellOf[from / n] to cellOf[x / n]
                        const int to = cellOf[from / n], at = cellOf[x / n];
                        for (int dd = 0; dd < 4; ++dd)
                            if (at + step[dd] == to) pushes.push_back({at, dd, 1});
                    }
                }
                return true;
            }
            if (!free(back, b)) continue;
            const int ns = local[k] * n + local[back];
            if (came[ns] == -2) {
                came[ns] = st;
                q.push_back(ns);
            }
        }
    }
    return false;
}

int GoalRoom::NextFill(const std::uint32_t* board) const {
    int inside = 0;
    for (int c = 0; c < cells_; ++c)
        if (room_[c] && board[c] == BOX) ++inside;
    if (inside >= static_cast<int>(fillOrder_.size())) return 0;
    for (int j = 0; j < inside; ++j)
        if (board[fillOrder_[j]] != BOX) return 0;
    return inside + 1;
}

}  // namespace ruk::pushbot
