// The check a solution passes before it is stored: replayed from the level's start, it must
// end with every box on a goal.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "board/board.h"

namespace ruk {

struct CoreState;

struct ReplayedSolution {
    std::string moves;  // as the replay keeps it: letters after the solving push are cut
    std::uint32_t moveCount = 0;
    std::uint32_t pushCount = 0;
};

// Replays on a player state of its own, made on first use and reused.
class SolutionReplay {
  public:
    SolutionReplay();
    ~SolutionReplay();
    SolutionReplay(const SolutionReplay&) = delete;
    SolutionReplay& operator=(const SolutionReplay&) = delete;

    // The solution with its counts; nothing when the board is not a playable level, a letter
    // is refused, or the last letter leaves a box off its goal.
    std::optional<ReplayedSolution> Check(const Board& board, std::string_view moves);

  private:
    std::unique_ptr<CoreState> core_;
};

}  // namespace ruk
