// One box's pushes with the others in place (see box_paths.h).
#include "box_paths.h"

#include <algorithm>

namespace ruk::pushbot {

BoxPaths::BoxPaths(const LevelCells& level)
    : level_(level),
      seen_(static_cast<std::size_t>(level.cells) * 4, 0),
      parent_(static_cast<std::size_t>(level.cells) * 4, -1),
      pushes_(static_cast<std::size_t>(level.cells) * 4, 0),
      sidesDone_(level.cells, 0),
      cellSeen_(level.cells, 0),
      states_(static_cast<std::size_t>(level.cells) * 4),
      groups_(level) {}

void BoxPaths::Begin() {
    if (++stamp_ == 0) {
        std::fill(seen_.begin(), seen_.end(), 0);
        std::fill(cellSeen_.begin(), cellSeen_.end(), 0);
        stamp_ = 1;
    }
    states_.clear();
}

void BoxPaths::Visit(int state, int parent, int pushes) {
    seen_[state] = stamp_;
    parent_[state] = parent;
    pushes_[state] = pushes;
    states_.push_back(state);
}

void BoxPaths::Start(const std::uint32_t* board, int box, int dir, const std::uint8_t* dead) {
    const int to = box + level_.step[dir];
    if (board[to] == 0 && !dead[to]) Visit(to * 4 + dir, -1, 1);
}

void BoxPaths::Run(std::uint32_t* board, int box, const std::uint8_t* dead) {
    const std::int32_t* step = level_.step;
    board[box] = 0;
    bool built = false;
    for (std::size_t head = 0; head < states_.size(); ++head) {
        const int state = states_[head];
        const int cell = state / 4;
        const int keeperSide = ((state & 3) + 2) & 3;  // the keeper stands behind the push
        if (cellSeen_[cell] != stamp_) {
            cellSeen_[cell] = stamp_;
            sidesDone_[cell] = 0;
        }
        // Sides the keeper already reached from an earlier state here give the same pushes.
        if (sidesDone_[cell] & (1u << keeperSide)) continue;
        // The cut cells of the box's free area, where every state's cell lies, give the sides.
        if (!built) groups_.Build(board, box);
        built = true;
        const std::uint32_t sides = groups_.Sides(board, cell, keeperSide);
        sidesDone_[cell] |= static_cast<std::uint8_t>(sides);
        for (int side = 0; side < 4; ++side) {
            if (!(sides & (1u << side))) continue;
            const int dir = (side + 2) & 3;
            const int to = cell + step[dir];
            const int next = to * 4 + dir;
            if (board[to] != 0 || dead[to] || seen_[next] == stamp_) continue;
            Visit(next, state, pushes_[state] + 1);
        }
    }
    board[box] = BOX;
}

void BoxPaths::AppendSteps(int cell, int dir, std::vector<PushStep>& steps) const {
    const std::size_t first = steps.size();
    for (int state = cell * 4 + dir; state >= 0; state = parent_[state]) {
        const int d = state & 3;
        steps.push_back({state / 4 - level_.step[d], d, 1});
    }
    std::reverse(steps.begin() + static_cast<std::ptrdiff_t>(first), steps.end());
}

}  // namespace ruk::pushbot
