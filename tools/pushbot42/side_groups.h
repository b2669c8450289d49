// Which sides of a box a keeper reaches, for every cell of one free area at once. One depth-first
// pass over the area finds its cut cells: two free neighbours of a cell are joined without that
// cell exactly when no cut there separates them. A box path's search then asks this per state
// instead of filling the keeper's region each time, and a push's new cell tells which pieces it
// cuts the keeper's region into.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "level_cells.h"

namespace ruk::pushbot {

class SideGroups {
  public:
    explicit SideGroups(const LevelCells& level);

    // Analyses the free cells (board 0) joined to start, which must be free.
    void Build(const std::uint32_t* board, int start) {
        Walk(start, [&](int cell) { return board[cell] == 0; });
    }
    // The same over the cells that free(cell) accepts.
    template <typename Free>
    void Walk(int start, Free&& free);
    bool Built(int cell) const { return seen_[cell] == stamp_; }

    // The free sides of cell (in the built area) that a keeper on side keeperSide reaches with a
    // box on cell, as BoxSides reports them: side d is bit 1 << d.
    std::uint32_t Sides(const std::uint32_t* board, int cell, int keeperSide) const;
    // The piece of the area without cell that holds the area's cell x: a subtree cut off at
    // cell (named by its first cell), or -1 for the rest.
    int PieceOf(int cell, int x) const;
    // The smallest cell of that piece.
    int PieceMin(int cell, int piece) const;

  private:
    void Begin();
    void Enter(int cell, int parent);
    void Finish();

    const LevelCells& level_;
    std::uint32_t stamp_ = 0;
    int entered_ = 0, top_ = 0;
    std::vector<std::uint32_t> seen_;  // per cell: the stamp when the entries below are valid
    std::vector<std::int32_t> order_;  // when the walk entered the cell
    std::vector<std::int32_t> low_;    // the earliest entry its subtree reaches by one back step
    std::vector<std::int32_t> last_;   // the latest entry within its subtree
    std::vector<std::int32_t> parent_;
    std::vector<std::int32_t> subMin_;   // the smallest cell of its subtree
    std::vector<std::int32_t> cellAt_;   // per entry: the cell
    std::vector<std::int32_t> before_;   // per entry e: the smallest cell entered before e
    std::vector<std::int32_t> after_;    // per entry e: the smallest cell entered at e or later
    std::vector<std::int32_t> stack_;    // the walk's path
    std::vector<std::uint8_t> nextDir_;  // per cell on the path: the next side to try
};

template <typename Free>
void SideGroups::Walk(int start, Free&& free) {
    Begin();
    const std::int32_t* step = level_.step;
    Enter(start, -1);
    while (top_ > 0) {
        const int cell = stack_[top_ - 1];
        if (nextDir_[cell] < 4) {
            const int next = cell + step[nextDir_[cell]++];
            if (!free(next)) continue;
            if (Built(next))
                low_[cell] = std::min(low_[cell], order_[next]);
            else
                Enter(next, cell);
            continue;
        }
        // Done with cell: its subtree ends with the latest entry so far.
        last_[cell] = entered_ - 1;
        --top_;
        const int up = parent_[cell];
        if (up >= 0) {
            low_[up] = std::min(low_[up], low_[cell]);
            subMin_[up] = std::min(subMin_[up], subMin_[cell]);
        }
    }
    Finish();
}

}  // namespace ruk::pushbot
