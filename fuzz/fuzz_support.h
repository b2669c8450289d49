// Shared by the fuzz targets: a temporary folder per process, file writes, the sample levels,
// the window's two clocks, and a check that stops the run with a report.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core_door.h"
#include "engine/playback.h"
#include "records/core_state.h"

// An abort is what libFuzzer counts as a crash; the message says which rule broke.
#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)

namespace ruk::fuzz {

// One folder per process, reused by every input and removed at a normal exit (a crash leaves
// it for a look).
class TempFolder {
  public:
    static const std::string& Path() {
        static TempFolder folder;
        return folder.path_;
    }
    static std::string File(const char* name) { return Path() + "/" + name; }

  private:
    TempFolder() {
        path_ =
            (std::filesystem::temp_directory_path() / ("ruk-fuzz-" + std::to_string(::getpid())))
                .string();
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string path_;
};

inline void WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    FUZZ_CHECK(file != nullptr);
    if (size > 0) FUZZ_CHECK(std::fwrite(data, 1, size, file) == size);
    FUZZ_CHECK(std::fclose(file) == 0);
}

inline void UseLargestGrids(CoreState& core) {
    core.level.grids.maxWidth = GRID_SIDE;
    core.level.grids.maxHeight = GRID_SIDE;
}

// The state the player starts with, with the largest board the window can show; made once,
// as the player makes it once.
inline CoreState& SharedCore() {
    static CoreState* core = [] {
        CoreState* made = CreateCoreState().release();
        FUZZ_CHECK(made != nullptr);
        UseLargestGrids(*made);
        return made;
    }();
    return *core;
}

constexpr const char* SAMPLE_LEVELS = RUK_SAMPLE_LEVELS "/ruk-samples.txt";

// Level n of the samples, loaded as the window loads it, the game emptied. The file is opened
// afresh each time, so that every input starts from the same state.
inline void LoadSample(CoreState& core, int n) {
    FUZZ_CHECK(door::LoadFileLevel(core, SAMPLE_LEVELS, n));
    FUZZ_CHECK(core.level.board.status == LevelStatus::PLAYABLE);
}

// The window's clocks: the step timer every 10 ms drives an animation; the auto-play timer,
// every sixth tick of it, plays action by action while it runs.
struct Clocks {
    bool autoTimer = false;
    unsigned ticks = 0;

    void Apply(const WindowRequests& requests) {
        if (requests.startAutoTimer) autoTimer = true;
        if (requests.killAutoTimer) autoTimer = false;
    }
    bool Busy(const CoreState& core) const {
        return autoTimer || core.view.animMode != AnimMode::IDLE;
    }
    void Tick(CoreState& core) {
        const AnimMode mode = core.view.animMode;
        if (mode != AnimMode::IDLE && mode != AnimMode::AUTO_ACTIONS) {
            WindowRequests requests;
            OnStepTimer(core, requests);
            Apply(requests);
        }
        if (++ticks % 6 == 0 && autoTimer) {
            WindowRequests requests;
            OnAutoPlayTimer(core, requests);
            Apply(requests);
        }
    }
    // Every animation ends: a letter per tick, an action per six, over a bounded history.
    void RunUntilIdle(CoreState& core) {
        const std::uint64_t limit = 12ull * (core.game.history.end + 16);
        for (std::uint64_t i = 0; Busy(core); ++i) {
            FUZZ_CHECK(i < limit);
            Tick(core);
        }
    }
};

// Boxes in the shown position of a playable level: the list and the board agree.
inline int ShownBoxes(const CoreState& core) {
    const ShownPosition& shown = core.game.shown;
    int boxes = 0;
    for (int i = 0; i < core.level.board.cellCount; ++i) boxes += shown.positionBoard[i] == BOX;
    FUZZ_CHECK(boxes == shown.boxListCount);
    for (int b = 0; b < shown.boxListCount; ++b)
        FUZZ_CHECK(shown.positionBoard[shown.boxList[b]] == BOX);
    return boxes;
}

// What must hold whenever no animation runs: the cursor within the game, the counters at the
// cursor, the keeper on a free cell and the boxes (as many as at the start) where the list says.
inline void CheckShownPosition(const CoreState& core, int startBoxes) {
    const GameRecord& game = core.game;
    FUZZ_CHECK(game.history.cursor <= game.history.end);
    FUZZ_CHECK(static_cast<std::uint32_t>(game.shown.shownMoves) == game.history.cursor);
    FUZZ_CHECK(game.shown.shownPushes <= game.shown.shownMoves);
    FUZZ_CHECK(ShownBoxes(core) == startBoxes);
    FUZZ_CHECK(game.shown.keeperCell >= 0 && game.shown.keeperCell < core.level.board.cellCount);
    FUZZ_CHECK(game.shown.positionBoard[game.shown.keeperCell] == FLOOR);
}

// The whole game played again from the start (Restart, then Auto-play to its end) reaches the
// position shown at its end: the shown position follows from the letters alone.
inline void CheckReplayAtEnd(CoreState& core, Clocks& clocks) {
    clocks.RunUntilIdle(core);
    GameRecord& game = core.game;
    if (game.history.cursor != game.history.end || game.history.cursor == 0) return;
    const int cells = core.level.board.cellCount;
    const ShownPosition before = game.shown;
    WindowRequests requests;
    Restart(core, requests);
    FUZZ_CHECK(game.history.cursor == 0);
    AutoPlayButton(core, requests);
    clocks.Apply(requests);
    clocks.RunUntilIdle(core);
    FUZZ_CHECK(game.history.cursor == game.history.end);
    FUZZ_CHECK(game.shown.keeperCell == before.keeperCell);
    FUZZ_CHECK(game.shown.shownMoves == before.shownMoves);
    FUZZ_CHECK(game.shown.shownPushes == before.shownPushes);
    for (int i = 0; i < cells; ++i)
        FUZZ_CHECK(game.shown.positionBoard[i] == before.positionBoard[i]);
}

}  // namespace ruk::fuzz
