// ruk-tool levels: every level of a file visited forward, then backward, compared.
#include <cstdio>
#include <memory>
#include <vector>

#include "board/board_checksum.h"
#include "board/level_file.h"
#include "board/placement.h"
#include "commands.h"
#include "engine/play_state.h"

namespace ruk::tool {

namespace {

struct Core {
    std::unique_ptr<LevelModel> level = std::make_unique<LevelModel>();
    std::unique_ptr<PlayState> play = std::make_unique<PlayState>();
};

void PrintLevel(const Board& board, int number) {
    std::printf("%d %s %dx%d boxes=%d\n", number, LevelStatusName(board.status), board.width,
                board.height, board.boxCount);
}

}  // namespace

int LevelsCommand(const Args& args) {
    if (args.positional.size() != 1)
        return Fail("usage: ruk-tool levels FILE [--count] [--grid WxH]");
    const std::string& file = args.positional[0];
    Core core;
    ResetLevelModel(*core.level);
    if (!InitPlayState(*core.play)) return Fail("out of memory");
    int gridWidth = 50;
    int gridHeight = 50;
    if (!ParseGridSize(args.Value("--grid", "50x50"), gridWidth, gridHeight))
        return Fail("--grid takes WxH, each from 1 to 50");
    core.level->grids.maxWidth = gridWidth;
    core.level->grids.maxHeight = gridHeight;

    LevelModel& model = *core.level;
    if (!OpenLevelFile(model, file.c_str())) return Fail("no level could be read from " + file);
    const int count = model.levelSet.count;
    if (args.Has("--count")) {
        if (!SelectLevel(model, count))
            return Fail("level " + std::to_string(count) + " could not be read");
        std::printf("levels %d\n", count);
        return 0;
    }

    std::vector<std::uint64_t> forward(static_cast<std::size_t>(count));
    for (int n = 1; n <= count; ++n) {
        if (!SelectLevel(model, n))
            return Fail("level " + std::to_string(n) + " could not be read");
        forward[static_cast<std::size_t>(n - 1)] = BoardChecksum(model.board);
        ResetPlayForLevel(*core.play, model.board);
        PlaceLevel(model, *core.play);
        PrintLevel(model.board, n);
    }
    for (int n = count - 1; n >= 1; --n) {
        if (!SelectLevel(model, n) ||
            BoardChecksum(model.board) != forward[static_cast<std::size_t>(n - 1)]) {
            std::printf("mismatch at level %d\n", n);
            return EXIT_MISMATCH;
        }
    }
    std::printf("levels %d\n", count);
    return 0;
}

}  // namespace ruk::tool
