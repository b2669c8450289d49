// Small rooms as the push search sees them, random or explored whole, for the tests of its
// parts.
#pragma once

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "goal_distances.h"
#include "level_cells.h"
#include "small_solver.h"
#include "solved_rooms.h"
#include "test_files.h"

namespace ruk::test {

// Calls visit(text, level, board) for count playable rooms drawn from seed, board holding the
// walls and the start boxes (0 floor, BOX, WALL); stops early once a test has failed fatally.
template <typename Visit>
void ForEachPulledRoom(unsigned seed, int count, Visit&& visit) {
    std::mt19937 rng(seed);
    for (int rooms = 0; rooms < count && !::testing::Test::HasFatalFailure();) {
        const std::string text = PulledRoom(rng);
        if (text.empty()) continue;
        Core core;
        LoadText(*core.state, text);
        pushbot::LevelCells level;
        if (core.level->board.status != LevelStatus::PLAYABLE ||
            !ReadLevelCells(*core.state, level) || level.startBoxes.empty())
            continue;
        ++rooms;
        std::vector<std::uint32_t> board(level.cells, 0);
        for (int c = 0; c < level.cells; ++c)
            if (level.wall[c]) board[c] = WALL;
        for (const std::uint16_t b : level.startBoxes) board[b] = BOX;
        visit(text, level, board);
    }
}

// A small room explored whole, as the push search sees it: its cells on the board and its
// lone-box distances.
struct RoomRules {
    Core core;
    pushbot::LevelCells level;
    pushbot::GoalDistances distances;
    int origin = 0;  // board index of small cell 0
    int stride = 0;
    int width = 0;

    // The room at its first explored position, the keeper on the cell that stands for its area,
    // so that board cells can be told from it.
    bool Load(const SmallSolver& solver) {
        core.level->grids.maxWidth = GRID_SIDE;
        core.level->grids.maxHeight = GRID_SIDE;
        const SmallPosition& start = solver.Positions().front();
        LoadText(*core.state, solver.Text(start.boxes, start.keeper));
        if (core.level->board.status != LevelStatus::PLAYABLE) return false;
        if (!pushbot::ReadLevelCells(*core.state, level)) return false;
        distances.Build(level);
        stride = RowStride(core.level->board);
        width = solver.Width();
        const int keeper = start.keeper;
        origin = level.startKeeper - (keeper / width) * stride - keeper % width;
        return true;
    }
    int Cell(int small) const { return origin + (small / width) * stride + small % width; }
    // The placement turns boxes that can never leave their goals into walls: those are left out.
    std::vector<std::uint16_t> Boxes(std::uint64_t bits) const {
        std::vector<std::uint16_t> boxes;
        for (int c = 0; c < 64; ++c)
            if (bits >> c & 1 && !level.wall[static_cast<std::size_t>(Cell(c))])
                boxes.push_back(static_cast<std::uint16_t>(Cell(c)));
        std::sort(boxes.begin(), boxes.end());
        return boxes;
    }
    std::vector<std::uint32_t> Board(std::uint64_t bits) const {
        std::vector<std::uint32_t> board(static_cast<std::size_t>(level.cells), 0);
        for (int c = 0; c < level.cells; ++c)
            if (level.wall[static_cast<std::size_t>(c)]) board[static_cast<std::size_t>(c)] = WALL;
        for (const std::uint16_t b : Boxes(bits)) board[b] = BOX;
        return board;
    }
};

}  // namespace ruk::test
