// Replaying a solution through the core's front door (see solution_replay.h).
#include "solution_replay.h"

#include "core_door.h"
#include "level_key.h"

namespace ruk {

SolutionReplay::SolutionReplay() = default;
SolutionReplay::~SolutionReplay() = default;

std::optional<ReplayedSolution> SolutionReplay::Check(const Board& board, std::string_view moves) {
    if (board.status != LevelStatus::PLAYABLE) return std::nullopt;
    if (!core_) core_ = CreateCoreState();
    if (!core_) return std::nullopt;
    // Whether a level fits the screen is the window's matter: a solution is judged on the whole
    // stored board, or a level taller than a fresh state's usable rows could never be stored.
    core_->level.grids.maxWidth = GRID_SIDE;
    core_->level.grids.maxHeight = GRID_SIDE;
    // The canonical text is the board itself, so the replay runs on exactly the level that is
    // keyed, whatever file it came from.
    const std::string text = CanonicalBoardText(board);
    if (!door::LoadText(*core_, text.c_str())) return std::nullopt;
    if (door::Status(*core_) != LevelStatus::PLAYABLE) return std::nullopt;
    const std::string letters(moves);
    if (letters.find('\0') != std::string::npos) return std::nullopt;
    if (!door::ImportMoves(*core_, letters.c_str())) return std::nullopt;
    const ResultTotals& totals = door::Totals(*core_);
    if (!totals.solved || core_->game.history.failed) return std::nullopt;
    ReplayedSolution result;
    result.moves.assign(core_->game.history.text.get(), core_->game.history.end);
    result.moveCount = totals.totalMoves;
    result.pushCount = totals.totalPushes;
    return result;
}

}  // namespace ruk
