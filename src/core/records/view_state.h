// What the window shows beside the position: the selected box and its target overlay, the
// running animation, the options and the replay speed.
#pragma once

#include <array>
#include <cstdint>

#include "board/board.h"

namespace ruk {

enum class AnimMode : std::int32_t {
    IDLE = 0,
    STEP_FORWARD = 1,
    ACTION_FORWARD = 2,
    STEP_BACKWARD = -1,
    AUTO_ACTIONS = 4,
};

// Per DisplayGrid cell, for the selected box.
struct TargetOverlay {
    std::array<std::uint8_t, MAX_CELLS> targetFlag{};
    std::array<std::uint8_t, MAX_CELLS> sideCount{};
    std::array<std::array<std::int32_t, 4>, MAX_CELLS> sideOffsets{};
};

// The slow-downs a replay can have: one letter every 1, 2, 4, 8 or 16 ticks of the step timer.
constexpr int MAX_REPLAY_SLOWDOWN = 16;
constexpr bool IsReplaySlowdown(int factor) {
    return factor == 1 || factor == 2 || factor == 4 || factor == 8 || factor == 16;
}

struct ViewState {
    AnimMode animMode = AnimMode::IDLE;
    std::uint32_t animTarget = 0;  // position in the history text
    TargetOverlay targets;
    bool boxSelected = false;
    std::int32_t selectedBox = 0;  // Board index of the clicked box
    bool guardOn = false;          // the Guard option
    bool instantMove = false;      // the Instant Move option
    // Redo and Auto-play letter by letter show one letter every replaySlowdown ticks of the step
    // timer (1, 2, 4, 8 or 16); replayWait counts the ticks since the last one.
    std::int32_t replaySlowdown = 1;
    std::int32_t replayWait = 0;
};

}  // namespace ruk
