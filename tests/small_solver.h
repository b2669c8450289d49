// An exhaustive search over every position of a small level (at most 64 cells in its rectangle):
// which positions can still be solved, and a solution of fewest pushes. Test data of our own,
// so that the deadlock and guard checks have known answers without any collection beside the
// project.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace ruk::test {

// A position: the boxes as bits of the cells (row * width + col), the keeper as the lowest cell
// of the area it can walk in.
struct SmallPosition {
    std::uint64_t boxes = 0;
    int keeper = 0;
};

// One push between two explored positions: the box's cell before it and the direction (0 up,
// 1 right, 2 down, 3 left).
struct SmallPush {
    int from = 0;  // index of the position before
    int to = 0;    // index of the position after
    int box = 0;
    int direction = 0;
};

class SmallSolver {
  public:
    // Reads level text ('#' wall, ' ' or '-' or '_' floor, '.' goal, '$' box, '*' box on goal,
    // '@' keeper, '+' keeper on goal). A level the search cannot take gives an empty search.
    explicit SmallSolver(const std::string& text);

    // Explores every position reachable from the start, up to maxPositions; false when the level
    // was not taken or there were more positions than that (then nothing is known).
    bool Explore(int maxPositions);
    // Explores only until the first solved position (which has then the fewest pushes); false as
    // Explore. CanSolve and Find are then not known.
    bool Solve(int maxPositions);

    bool Solvable() const { return solvedAt_ >= 0; }
    // The fewest-pushes solution in walk and push letters, walks by shortest paths; "" when none.
    std::string Solution() const;

    const std::vector<SmallPosition>& Positions() const { return positions_; }
    const std::vector<SmallPush>& Pushes() const { return pushes_; }
    // Whether the solved position can be reached from the explored position i.
    bool CanSolve(int i) const { return canSolve_[static_cast<std::size_t>(i)] != 0; }
    // The explored position with these boxes and the keeper in the area of cell, or -1.
    int Find(std::uint64_t boxes, int keeperCell) const;

    // The level text of a position, the keeper on the given cell.
    std::string Text(std::uint64_t boxes, int keeperCell) const;

    int Width() const { return width_; }
    std::uint64_t Goals() const { return goals_; }
    int StartKeeper() const { return startKeeper_; }
    int Step(int direction) const;
    bool Floor(int cell) const {
        return cell >= 0 && cell < width_ * height_ && floor_ >> cell & 1;
    }
    // Cells the keeper reaches from cell with the boxes standing.
    std::uint64_t Reach(std::uint64_t boxes, int cell) const;

  private:
    bool Search(int maxPositions, bool toFirstSolution);
    std::string Walk(std::uint64_t boxes, int from, int to) const;

    int width_ = 0;
    int height_ = 0;
    std::uint64_t floor_ = 0;
    std::uint64_t goals_ = 0;
    std::uint64_t startBoxes_ = 0;
    int startKeeper_ = -1;
    std::vector<SmallPosition> positions_;
    std::unordered_map<std::uint64_t, std::vector<int>> byBoxes_;  // positions with these boxes
    std::vector<int> parent_;  // the push that first reached each position, -1 for the start
    std::vector<SmallPush> pushes_;
    std::vector<char> canSolve_;
    int solvedAt_ = -1;
};

}  // namespace ruk::test
