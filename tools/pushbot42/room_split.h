// The level split once into rooms and the doorways between them, for the room-connectivity
// feature: how many doorways between two rooms the boxes block. A doorway is a run of floor
// cells where the floor narrows to one cell (the floor around the cell falls apart without it),
// dead ends included; rooms are the rest of the floor.
#pragma once

#include <cstdint>
#include <vector>

#include "level_cells.h"

namespace ruk::pushbot {

class RoomSplit {
  public:
    void Build(const LevelCells& level);

    // Doorways that join two or more rooms.
    int Connections() const { return static_cast<int>(doorFirst_.size()) - 1; }
    // The connections the keeper cannot pass on board (0 floor, BOX, WALL): a box stands in
    // the doorway, or on every cell by which a room it joins opens onto it.
    int Blocked(const std::uint32_t* board) const;
    // The room of a cell, -1 for a doorway cell or a wall.
    int RoomOf(int cell) const { return room_[cell]; }

  private:
    std::vector<int> room_;  // per cell
    // Connection i: its doorway cells doorCells_[doorFirst_[i] .. doorFirst_[i + 1]), and its
    // rooms' openings sides_[sideFirst_[i] .. sideFirst_[i + 1]), opening j the cells
    // openCells_[sides_[j] .. sides_[j + 1]).
    std::vector<int> doorCells_, doorFirst_;
    std::vector<int> openCells_, sides_, sideFirst_;
};

}  // namespace ruk::pushbot
