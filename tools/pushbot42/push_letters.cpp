// Pushes to letters (see push_letters.h).
#include "push_letters.h"

#include <algorithm>

#include "engine/move_letters.h"
#include "search/breadth_fill.h"

namespace ruk::pushbot {

bool PushLetters(const LevelCells& level, const std::vector<PushStep>& steps, std::string& letters,
                 std::uint32_t& pushes) {
    const std::int32_t* step = level.step;
    std::vector<std::uint32_t> board(level.cells, 0);
    for (int c = 0; c < level.cells; ++c)
        if (level.wall[c]) board[c] = WALL;
    for (const std::uint16_t b : level.startBoxes) board[b] = BOX;
    int keeper = level.startKeeper;
    std::vector<std::int32_t> cameFrom(level.cells, -1), queue(level.cells + 1);
    letters.clear();
    pushes = 0;
    for (const PushStep& s : steps) {
        const int target = s.from - step[s.dir];
        std::fill(cameFrom.begin(), cameFrom.end(), -1);
        BreadthFill(
            keeper, step, queue.data(),
            [&](int y, int) { return board[y] == 0 && cameFrom[y] < 0; },
            [&](int y, int x) { cameFrom[y] = x < 0 ? y : x; },
            [&] { return cameFrom[target] >= 0; });
        if (cameFrom[target] < 0 || board[s.from] != BOX) return false;
        std::string walk;
        for (int x = target; x != keeper; x = cameFrom[x]) {
            const int diff = x - cameFrom[x];
            for (int dir = 0; dir < 4; ++dir)
                if (step[dir] == diff) walk.push_back(WalkLetter(DIRECTIONS[dir]));
        }
        letters.append(walk.rbegin(), walk.rend());
        int box = s.from;
        for (int j = 0; j < s.length; ++j) {
            const int next = box + step[s.dir];
            if (board[next] != 0) return false;
            board[box] = 0;
            board[next] = BOX;
            letters.push_back(PushLetter(DIRECTIONS[s.dir]));
            box = next;
            ++pushes;
        }
        keeper = box - step[s.dir];
    }
    return true;
}

}  // namespace ruk::pushbot
