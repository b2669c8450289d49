// Text-dialog levels of any bytes, loaded as the window loads them, then played with the mouse.
// The input up to its first NUL (at most 10,000 bytes) is the level text; after the NUL come
// the Guard and Instant Move options, then clicks of three bytes each: kind, row and column
// (counted from the row and column before the level's first, so that clicks fall on it). At the
// end the game is played again from the start and must reach the same position.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "engine/mouse_play.h"
#include "fuzz_support.h"
#include "planner/unsolvable_check.h"

namespace {

constexpr std::size_t TEXT_LIMIT = ruk::WINDOW_SIZE;
constexpr std::size_t MAX_CLICKS = 12;

// Row or column of the grid from a byte: the level's own cells and the ring around them.
int Place(std::uint8_t byte, int offset, int stored) {
    return offset - 1 + byte % (stored + 2);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ruk;
    CoreState& core = fuzz::SharedCore();

    const auto* nul = static_cast<const std::uint8_t*>(std::memchr(data, 0, size));
    const std::size_t textSize = nul ? static_cast<std::size_t>(nul - data) : size;
    const std::string text(reinterpret_cast<const char*>(data),
                           textSize < TEXT_LIMIT ? textSize : TEXT_LIMIT);
    door::LoadText(core, text.c_str());
    const LevelStatus status = core.level.board.status;
    if (status != LevelStatus::PLAYABLE || !nul) return 0;

    const std::uint8_t* script = nul + 1;
    const std::size_t scriptSize = size - textSize - 1;
    if (scriptSize == 0) return 0;
    core.view.guardOn = (script[0] & 1) != 0;
    core.view.instantMove = (script[0] & 2) != 0;
    RefreshUnsolvable(core);  // as the window does when Guard is switched
    const int startBoxes = fuzz::ShownBoxes(core);

    const Grids& grids = core.level.grids;
    const Board& board = core.level.board;
    fuzz::Clocks clocks;
    for (std::size_t i = 1; i + 2 < scriptSize && i / 3 < MAX_CLICKS; i += 3) {
        const std::uint8_t kind = script[i];
        const int row = Place(script[i + 1], grids.rowOffset, StoredRows(board));
        const int col = Place(script[i + 2], grids.colOffset, RowStride(board));
        WindowRequests requests;
        if ((kind & 3) == 2)
            BoardRightClick(core, requests);
        else
            BoardClick(core, row, col, requests);
        clocks.Apply(requests);
        if ((kind & 3) == 3) {
            // The next click comes while the keeper still walks.
            for (int tick = 0; tick < (kind >> 2); ++tick) clocks.Tick(core);
        } else {
            clocks.RunUntilIdle(core);
            fuzz::CheckShownPosition(core, startBoxes);
        }
    }
    clocks.RunUntilIdle(core);
    fuzz::CheckShownPosition(core, startBoxes);
    fuzz::CheckReplayAtEnd(core, clocks);
    return 0;
}
