// Random small rooms as the push search sees them, for the tests of its parts.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "level_cells.h"
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

}  // namespace ruk::test
