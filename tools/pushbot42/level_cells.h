// The level as the push search sees it: neighbour offsets, walls, goals and the start position.
#pragma once

#include <cstdint>
#include <vector>

#include "records/core_state.h"

namespace ruk::pushbot {

// The pushes of one box in a row (a tunnel or a goal room's fill path counts as several).
struct PushStep {
    int from;    // the box's cell before the first push
    int dir;     // index into LevelCells::step
    int length;  // pushes in that direction
};

struct LevelCells {
    int cells = 0;
    int boxCount = 0;
    std::int32_t step[4] = {};                    // up, right, down, left
    const std::int32_t* ring = nullptr;           // the eight around a cell, clockwise from north
    const std::uint32_t* goalMap = nullptr;       // GOAL, WALL or 0 per cell
    const DirectionTables* directions = nullptr;  // for the core's freeze test
    const std::uint64_t* goalReach = nullptr;     // the core's live map: goals a lone box reaches
    std::vector<std::uint8_t> wall;
    std::vector<int> goals;
    std::vector<std::uint16_t> startBoxes;  // ascending
    int startKeeper = 0;

    bool Goal(int cell) const { return goalMap[cell] == GOAL; }
    // Walls on both sides of cell across direction d.
    bool Tunnel(int cell, int d) const {
        const int side = step[(d + 1) & 3];
        return wall[cell + side] && wall[cell - side];
    }
};

// Whether the free cells around cell (of the eight, on board: 0 free) join all its free side
// neighbours without it: then filling cell splits no region.
bool FreeAroundJoined(const LevelCells& level, const std::uint32_t* board, int cell);

// Reads the position shown in core (just set up by the level-change sequence); level keeps
// pointers into core. False when boxes and goals differ in number.
bool ReadLevelCells(const CoreState& core, LevelCells& level);

}  // namespace ruk::pushbot
