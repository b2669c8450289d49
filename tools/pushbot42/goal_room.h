// A goal room: an area holding a group of goals, free of boxes and the keeper at the start, that
// one cell (the entrance) cuts off from the rest. Its packing order comes from pulling the boxes
// out of a full room one at a time, the last one out filled first; a box arriving at the entrance
// then goes straight on to the next goal of that order.
#pragma once

#include <cstdint>
#include <vector>

#include "level_cells.h"

namespace ruk::pushbot {

// Goals near one another (two cells at most, either way) form a group, which usually means a
// room or a storage area of its own. Each group lists indices into LevelCells::goals.
std::vector<std::vector<int>> GoalGroups(const LevelCells& level);

class GoalRoom {
  public:
    // Looks for the smallest such room with a whole packing order; dead: the dead cells.
    // Found() tells whether there is one.
    void Find(const LevelCells& level, const std::uint8_t* dead);

    bool Found() const { return entrance_ >= 0; }
    int Entrance() const { return entrance_; }
    int EntranceDir() const { return entranceDir_; }  // the push that enters the room
    bool InRoom(int cell) const { return entrance_ >= 0 && room_[cell] != 0; }
    // 1 + the next fill index when the room on board holds exactly the boxes of a prefix of
    // the packing order; else 0.
    int NextFill(const std::uint32_t* board) const;
    // The pushes that take a box from the entrance to the goal of fill index `fill` - 1.
    const std::vector<PushStep>& FillPushes(int fill) const { return fillPushes_[fill - 1]; }
    // The goal that those pushes end on.
    int FillGoal(int fill) const { return fillOrder_[fill - 1]; }

  private:
    bool PullOut(const LevelCells& level, int goal, std::vector<PushStep>& pushes);

    int cells_ = 0;
    int entrance_ = -1, entranceDir_ = 0;
    std::vector<std::uint8_t> room_;
    std::vector<std::uint32_t> board_;               // boxes left in the room while pulling out
    std::vector<int> fillOrder_;                     // goal cells
    std::vector<std::vector<PushStep>> fillPushes_;  // from the entrance, per fill index
};

}  // namespace ruk::pushbot
