// Cell codes: every cell of the Board and of the grids is a bit set of these values. The
// per-cell maps of the game and the planner hold them one at a time: a position map (the
// PositionBoard, the PlanBoard and the planner's copies) holds FLOOR, BOX or WALL, and a goal
// map GOAL, WALL or FLOOR. There WALL also stands for a cell outside the keeper's area and for a
// box settled on its goal for good: neither the keeper nor a box enters it again.
#pragma once

#include <cstdint>

#include "board/direction.h"

namespace ruk {

using CellCode = std::uint32_t;

constexpr CellCode FLOOR = 0;
constexpr CellCode GOAL = 1;
constexpr CellCode BOX = 2;
constexpr CellCode KEEPER = 4;
constexpr CellCode WALL = 8;
// DisplayGrid only: a wall whose cell below is not a wall, or that lies in the last row.
constexpr CellCode WALL_FACE = 9;
// DisplayGrid only: a cell that is not part of the level.
constexpr CellCode EXTERIOR = 16;
// The plain code of a DisplayGrid cell; the bits above it are planner markers.
constexpr CellCode PLAIN_MASK = 31;
// Marker bits: a direction bit (see board/direction.h) shifted left by this.
constexpr int MARKER_SHIFT = 5;

// The cell code of a level-text character, or -1 for a byte outside the level set.
constexpr int CellCodeOf(unsigned char ch) {
    switch (ch) {
        case ' ':
        case '-':
        case '_':
            return static_cast<int>(FLOOR);
        case '#':
            return static_cast<int>(WALL);
        case '$':
            return static_cast<int>(BOX);
        case '*':
            return static_cast<int>(BOX | GOAL);
        case '.':
            return static_cast<int>(GOAL);
        case '@':
            return static_cast<int>(KEEPER);
        case '+':
            return static_cast<int>(KEEPER | GOAL);
        default:
            return -1;
    }
}

constexpr bool IsLineBreak(int ch) {
    return ch == '\r' || ch == '\n';
}

}  // namespace ruk
