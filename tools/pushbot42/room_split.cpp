// Rooms and doorways (see room_split.h).
#include "room_split.h"

#include <algorithm>

namespace ruk::pushbot {

namespace {

// Floor arcs round cell (of the eight) that hold a side neighbour: with two, the floor beside the
// cell is joined only through it.
int SideArcs(const LevelCells& level, int cell) {
    auto floor = [&](int i) { return !level.wall[cell + level.ring[i]]; };
    int start = -1;
    for (int i = 0; i < 8 && start < 0; ++i)
        if (!floor(i)) start = i;
    if (start < 0) return 1;
    int arcs = 0;
    bool inArc = false, side = false;
    for (int j = 1; j <= 8; ++j) {  // ends on start, a wall, which closes the last arc
        const int i = (start + j) & 7;
        if (!floor(i)) {
            arcs += inArc && side ? 1 : 0;
            inArc = false;
            continue;
        }
        if (!inArc) side = false;
        inArc = true;
        side = side || (i & 1) == 0;  // even: a side neighbour
    }
    return arcs;
}

int FloorSides(const LevelCells& level, int cell) {
    int sides = 0;
    for (int d = 0; d < 4; ++d) sides += level.wall[cell + level.step[d]] ? 0 : 1;
    return sides;
}

}  // namespace

void RoomSplit::Build(const LevelCells& level) {
    const int cells = level.cells;
    // Doorway cells: 1, room cells: 0, walls: -1; then rooms and doorways numbered apart.
    std::vector<int> kind(cells, -1);
    for (int c = 0; c < cells; ++c) {
        if (level.wall[c]) continue;
        const int sides = FloorSides(level, c);
        kind[c] = sides <= 1 || (sides == 2 && SideArcs(level, c) == 2) ? 1 : 0;
    }
    room_.assign(cells, -1);
    std::vector<int> door(cells, -1), queue;
    int rooms = 0, doors = 0;
    for (int c = 0; c < cells; ++c) {
        if (kind[c] < 0 || room_[c] >= 0 || door[c] >= 0) continue;
        std::vector<int>& mark = kind[c] == 0 ? room_ : door;
        const int number = kind[c] == 0 ? rooms++ : doors++;
        queue.assign(1, c);
        mark[c] = number;
        for (std::size_t q = 0; q < queue.size(); ++q)
            for (int d = 0; d < 4; ++d) {
                const int n = queue[q] + level.step[d];
                if (kind[n] != kind[c] || mark[n] >= 0) continue;
                mark[n] = number;
                queue.push_back(n);
            }
    }
    // Each doorway's cells and, per room it touches, the room cells beside it.
    std::vector<std::vector<int>> doorCells(doors);
    for (int c = 0; c < cells; ++c)
        if (door[c] >= 0) doorCells[door[c]].push_back(c);
    doorCells_.clear();
    doorFirst_.assign(1, 0);
    openCells_.clear();
    sides_.assign(1, 0);
    sideFirst_.assign(1, 0);
    std::vector<int> touched;
    for (const std::vector<int>& run : doorCells) {
        touched.clear();
        for (const int c : run)
            for (int d = 0; d < 4; ++d) {
                const int n = c + level.step[d];
                if (room_[n] >= 0) touched.push_back(n);
            }
        std::sort(touched.begin(), touched.end());
        touched.erase(std::unique(touched.begin(), touched.end()), touched.end());
        std::stable_sort(touched.begin(), touched.end(),
                         [&](int a, int b) { return room_[a] < room_[b]; });
        const bool joins = !touched.empty() && room_[touched.front()] != room_[touched.back()];
        if (!joins) continue;
        doorCells_.insert(doorCells_.end(), run.begin(), run.end());
        doorFirst_.push_back(static_cast<int>(doorCells_.size()));
        for (std::size_t i = 0; i < touched.size(); ++i) {
            openCells_.push_back(touched[i]);
            if (i + 1 == touched.size() || room_[touched[i + 1]] != room_[touched[i]])
                sides_.push_back(static_cast<int>(openCells_.size()));
        }
        sideFirst_.push_back(static_cast<int>(sides_.size()) - 1);
    }
}

int RoomSplit::Blocked(const std::uint32_t* board) const {
    int blocked = 0;
    for (std::size_t i = 0; i + 1 < doorFirst_.size(); ++i) {
        bool shut = false;
        for (int k = doorFirst_[i]; k < doorFirst_[i + 1] && !shut; ++k)
            shut = board[doorCells_[k]] == BOX;
        for (int s = sideFirst_[i]; s < sideFirst_[i + 1] && !shut; ++s) {
            shut = true;
            for (int k = sides_[s]; k < sides_[s + 1] && shut; ++k)
                shut = board[openCells_[k]] == BOX;
        }
        blocked += shut ? 1 : 0;
    }
    return blocked;
}

}  // namespace ruk::pushbot
