// Where one box can be pushed while the other boxes stay put: the fewest pushes to each cell,
// by the direction of the last push, and the pushes themselves. A search takes these as macro
// moves, a box brought to a goal in one step, which makes its paths far shorter.
#pragma once

#include <cstdint>
#include <vector>

#include "level_cells.h"
#include "side_groups.h"

namespace ruk::pushbot {

class BoxPaths {
  public:
    explicit BoxPaths(const LevelCells& level);

    // Fills from the box on cell box of board (0 floor, BOX, WALL), the keeper able to reach
    // the cells that reached(cell) accepts; no path enters a dead cell. board is changed while
    // filling and restored.
    template <typename Reached>
    void Fill(std::uint32_t* board, int box, const std::uint8_t* dead, Reached&& reached) {
        Begin();
        for (int d = 0; d < 4; ++d)
            if (reached(box - level_.step[d])) Start(board, box, d, dead);
        Run(board, box, dead);
    }
    // The fewest pushes that leave the box on cell, pushed last in direction dir; 0: none.
    int Pushes(int cell, int dir) const {
        const int state = cell * 4 + dir;
        return seen_[state] == stamp_ ? pushes_[state] : 0;
    }
    // The pushes of such a path, in order, appended to steps (each one push long).
    void AppendSteps(int cell, int dir, std::vector<PushStep>& steps) const;

  private:
    void Begin();
    void Start(const std::uint32_t* board, int box, int dir, const std::uint8_t* dead);
    void Run(std::uint32_t* board, int box, const std::uint8_t* dead);
    void Visit(int state, int parent, int pushes);

    const LevelCells& level_;
    std::uint32_t stamp_ = 0;
    std::vector<std::uint32_t> seen_;      // per state (cell * 4 + dir): the fill's stamp
    std::vector<std::int32_t> parent_;     // per state: the state before, or -1
    std::vector<std::int32_t> pushes_;     // per state
    std::vector<std::uint8_t> sidesDone_;  // per cell: the keeper sides already taken
    std::vector<std::uint32_t> cellSeen_;  // per cell: the stamp when sidesDone_ is valid
    std::vector<std::int32_t> states_;     // the fill's queue of states
    SideGroups groups_;                    // the keeper's sides of the box, per cell
};

}  // namespace ruk::pushbot
