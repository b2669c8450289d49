// Moves typed into the URDL box against the first sample levels, then the game travelled with
// Restart, Undo, Redo, Auto-play, right clicks and the option boxes while the clocks run, each
// command only when the window would let it be used. At the end the game is played again from
// the start and must reach the same position, and a solved one must end with every box home.
// Byte 0: the level (1-8), Guard and Instant Move. Then the moves up to a NUL; after it, one
// command per byte.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "engine/mouse_play.h"
#include "engine/solved_check.h"
#include "engine/urdl_parser.h"
#include "fuzz_support.h"
#include "panel/control_states.h"
#include "planner/unsolvable_check.h"

namespace ruk::fuzz {
namespace {

constexpr std::size_t MAX_COMMANDS = 64;

bool Enabled(const CoreState& core, int id) {
    return UpdateControlStates(core, WindowState{}).Enabled(id);
}

// The URDL box: the letters that fit go in (line breaks skipped); the solved test follows.
void TypeMoves(CoreState& core, const std::string& moves) {
    const std::uint32_t cursor = core.game.history.cursor;
    const bool complete = ParseUrdl(core.level, core.game, moves.c_str());
    std::size_t letters = 0;
    for (char ch : moves) letters += ch != '\r' && ch != '\n';
    FUZZ_CHECK(core.game.history.cursor == cursor);
    FUZZ_CHECK(core.game.history.end <= cursor + letters);
    FUZZ_CHECK(!complete || core.game.history.end == cursor + letters);
    SolvedTest(core.level, core.game, core.scratch);
}

// A solved game played from the start ends with every box on a goal.
void CheckSolvedReplay(CoreState& core, Clocks& clocks) {
    if (!SolvedTest(core.level, core.game, core.scratch)) return;
    WindowRequests requests;
    Restart(core, requests);
    AutoPlayButton(core, requests);
    clocks.Apply(requests);
    clocks.RunUntilIdle(core);
    const GameRecord& game = core.game;
    const PlannerTables& planner = core.planner;
    FUZZ_CHECK(game.history.cursor == game.history.end);
    for (int b = 0; b < game.shown.boxListCount; ++b)
        FUZZ_CHECK(planner.goalMap[game.shown.boxList[b]] == GOAL);
}

}  // namespace
}  // namespace ruk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ruk;
    if (size == 0) return 0;
    CoreState& core = fuzz::SharedCore();
    fuzz::LoadSample(core, 1 + (data[0] & 7));
    core.view.guardOn = (data[0] & 8) != 0;
    core.view.instantMove = (data[0] & 16) != 0;
    RefreshUnsolvable(core);
    const int startBoxes = fuzz::ShownBoxes(core);

    const auto* rest = data + 1;
    const auto* nul = static_cast<const std::uint8_t*>(std::memchr(rest, 0, size - 1));
    const auto* end = nul ? nul : data + size;
    const std::string moves(reinterpret_cast<const char*>(rest), end - rest);
    fuzz::TypeMoves(core, moves);

    fuzz::Clocks clocks;
    const std::uint8_t* commands = nul ? nul + 1 : end;
    for (std::size_t i = 0; commands + i < data + size && i < fuzz::MAX_COMMANDS; ++i) {
        const std::uint8_t command = commands[i];
        WindowRequests requests;
        switch (command & 7) {
            case 0:
                if (fuzz::Enabled(core, ID_RESTART)) Restart(core, requests);
                break;
            case 1:
                if (fuzz::Enabled(core, ID_UNDO)) Undo(core, requests);
                break;
            case 2:
                if (fuzz::Enabled(core, ID_REDO)) Redo(core, requests);
                break;
            case 3:
                if (fuzz::Enabled(core, ID_AUTO_PLAY) &&
                    !(core.view.animMode == AnimMode::IDLE &&
                      core.game.history.cursor >= core.game.history.end))
                    AutoPlayButton(core, requests);
                break;
            case 4:
                for (int tick = 0; tick < (command >> 3); ++tick) clocks.Tick(core);
                break;
            case 5:
                clocks.RunUntilIdle(core);
                fuzz::CheckShownPosition(core, startBoxes);
                break;
            case 6:  // the right button works at any time
                BoardRightClick(core, requests);
                break;
            default:
                switch ((command >> 3) & 3) {
                    case 0:
                        if (fuzz::Enabled(core, ID_GUARD)) {
                            core.view.guardOn = !core.view.guardOn;
                            RefreshUnsolvable(core);
                        }
                        break;
                    case 1:
                        if (fuzz::Enabled(core, ID_INSTANT_MOVE))
                            core.view.instantMove = !core.view.instantMove;
                        break;
                    case 2:
                        if (fuzz::Enabled(core, ID_URDL_INPUT)) fuzz::TypeMoves(core, moves);
                        break;
                    default:
                        if (core.view.animMode == AnimMode::IDLE) UnsolvableCheck(core);
                        break;
                }
                break;
        }
        clocks.Apply(requests);
    }
    clocks.RunUntilIdle(core);
    fuzz::CheckShownPosition(core, startBoxes);
    UnsolvableCheck(core);
    RefreshUnsolvable(core);
    fuzz::CheckReplayAtEnd(core, clocks);
    fuzz::CheckSolvedReplay(core, clocks);
    return 0;
}
