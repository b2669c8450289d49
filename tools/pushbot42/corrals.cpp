// Corrals (see corrals.h).
#include "corrals.h"

#include <algorithm>

#include "search/breadth_fill.h"

namespace ruk::pushbot {

Corrals::Corrals(const LevelCells& level, const std::uint8_t* dead)
    : level_(level),
      dead_(dead),
      alone_(level, dead),
      queue_(level.cells + 1),
      areaOf_(level.cells, -1) {}

int Corrals::Root(int x) {
    while (parent_[x] != x) x = parent_[x] = parent_[parent_[x]];
    return x;
}

CorralVerdict Corrals::Pick(const std::uint32_t* board, const KeeperReach& reach,
                            const std::uint8_t* held, const std::uint16_t* boxes,
                            std::vector<std::uint8_t>& allowed, int keeper,
                            std::size_t storedPositions) {
    const int nb = level_.boxCount;
    const std::int32_t* step = level_.step;
    areaMarks_.NewStamp();
    int areas = 0;
    parent_.clear();
    needed_.clear();
    for (int c = 0; c < level_.cells; ++c) {
        if (board[c] != 0 || reach.Reached(c) || areaMarks_.Marked(c)) continue;
        const int id = areas++;
        parent_.push_back(id);
        needed_.push_back(0);
        BreadthFill(
            c, step, queue_.data(),
            [&](int y, int) { return board[y] == 0 && !areaMarks_.Marked(y); },
            [&](int y, int) {
                areaMarks_.Mark(y);
                areaOf_[y] = id;
                if (level_.Goal(y)) needed_[id] = 1;  // an empty goal inside
            });
    }
    areas_ = areas;
    if (areas == 0) return CorralVerdict::NONE;
    auto areaAt = [&](int cell) {
        return board[cell] == 0 && areaMarks_.Marked(cell) ? areaOf_[cell] : -1;
    };
    // Areas that share a box are one corral.
    for (int i = 0; i < nb; ++i) {
        int first = -1;
        for (int d = 0; d < 4; ++d) {
            const int a = areaAt(boxes[i] + step[d]);
            if (a < 0) continue;
            if (first < 0) {
                first = Root(a);
            } else {
                const int r = Root(a);
                if (r != first) parent_[r] = first;
            }
        }
    }
    spoiled_.assign(areas, 0);
    pushes_.assign(areas, 0);
    for (int a = 0; a < areas; ++a)
        if (needed_[a]) needed_[Root(a)] = 1;
    // A box cell's stamp and area entry name the corral it fences (-1 for none).
    for (int i = 0; i < nb; ++i) {
        const int b = boxes[i];
        int r = -1;
        for (int d = 0; d < 4; ++d) {
            const int a = areaAt(b + step[d]);
            if (a >= 0) r = Root(a);
        }
        areaMarks_.Mark(b);
        areaOf_[b] = r;
        if (r >= 0 && !level_.Goal(b)) needed_[r] = 1;
    }
    auto fenceOf = [&](int cell) { return board[cell] == BOX ? areaOf_[cell] : -1; };
    // Any push of a fence box that some other push could make possible first (the keeper's
    // side or the target held by a box outside, a target outside the corral) spoils it.
    for (int i = 0; i < nb; ++i) {
        const int b = boxes[i];
        const int r = areaOf_[b];
        if (r < 0) continue;
        if (held[b]) spoiled_[r] = 1;  // a box held for a later stage: not this corral
        for (int d = 0; d < 4; ++d) {
            const int from = b - step[d], to = b + step[d];
            if (level_.wall[from] || level_.wall[to] || dead_[to]) continue;
            const int fromArea = areaAt(from);
            if (fromArea >= 0 && Root(fromArea) == r) continue;    // the keeper would be inside
            if (fenceOf(from) == r || fenceOf(to) == r) continue;  // waits for a fence push
            const int toArea = areaAt(to);
            if (!reach.Reached(from) || board[from] != 0 || toArea < 0 || Root(toArea) != r) {
                spoiled_[r] = 1;
                continue;
            }
            ++pushes_[r];
        }
    }
    // Any corral whose boxes alone are lost makes the position dead.
    for (int a = 0; a < areas; ++a) {
        if (Root(a) != a || !needed_[a]) continue;
        for (int i = 0; i < nb; ++i) allowed[i] = areaOf_[boxes[i]] == a ? 1 : 0;
        if (alone_.Dead(boxes, allowed.data(), keeper, storedPositions)) return CorralVerdict::DEAD;
    }
    int best = -1;
    for (int a = 0; a < areas; ++a) {
        if (Root(a) != a || spoiled_[a] || !needed_[a]) continue;
        if (pushes_[a] == 0) return CorralVerdict::DEAD;  // it can never be opened
        if (best < 0 || pushes_[a] < pushes_[best]) best = a;
    }
    if (best < 0) {
        std::fill(allowed.begin(), allowed.end(), 1);
        return CorralVerdict::NONE;
    }
    for (int i = 0; i < nb; ++i) allowed[i] = areaOf_[boxes[i]] == best ? 1 : 0;
    return CorralVerdict::PICKED;
}

}  // namespace ruk::pushbot
