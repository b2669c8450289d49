// Walks a known solution push by push (see solution_walk.h).
#include "solution_walk.h"

#include <algorithm>
#include <cctype>

namespace ruk::test {

bool WalkSolution(const pushbot::LevelCells& level, const std::string& moves,
                  const std::function<void(const WalkStep& step, std::uint32_t* board,
                                           std::uint32_t* boardBefore)>& visit) {
    std::vector<std::uint32_t> board(level.cells, 0);
    for (int c = 0; c < level.cells; ++c)
        if (level.wall[c]) board[c] = WALL;
    for (const std::uint16_t b : level.startBoxes) board[b] = BOX;
    std::vector<std::uint32_t> before(board);
    int pushes = 0;
    for (const char letter : moves)
        pushes += std::isupper(static_cast<unsigned char>(letter)) ? 1 : 0;
    WalkStep step;
    step.boxes = level.startBoxes;
    step.before = step.boxes;
    step.keeper = level.startKeeper;
    step.pushesLeft = pushes;
    visit(step, board.data(), before.data());
    static const std::string DIRECTIONS = "urdl";
    for (const char letter : moves) {
        const std::size_t d =
            DIRECTIONS.find(static_cast<char>(std::tolower(static_cast<unsigned char>(letter))));
        if (d == std::string::npos) return false;
        const int next = step.keeper + level.step[d];
        if (board[next] == WALL) return false;
        if (board[next] != BOX) {
            step.keeper = next;
            continue;
        }
        const int target = next + level.step[d];
        if (board[target] != 0) return false;
        before = board;
        step.before = step.boxes;
        board[next] = 0;
        board[target] = BOX;
        std::replace(step.boxes.begin(), step.boxes.end(), static_cast<std::uint16_t>(next),
                     static_cast<std::uint16_t>(target));
        std::sort(step.boxes.begin(), step.boxes.end());
        step.keeper = next;
        step.from = next;
        step.to = target;
        --step.pushesLeft;
        visit(step, board.data(), before.data());
    }
    return true;
}

}  // namespace ruk::test
