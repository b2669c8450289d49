// ruk-tool levels: every level of a file visited forward, then backward, compared.
#include <cstdio>
#include <vector>

#include "board/board_checksum.h"
#include "commands.h"
#include "core_door.h"

namespace ruk::tool {

namespace {

void PrintLevel(const Board& board, int number) {
    std::printf("%d %s %dx%d boxes=%d\n", number, LevelStatusName(board.status), board.width,
                board.height, board.boxCount);
}

}  // namespace

int LevelsCommand(const Args& args) {
    if (args.positional.size() != 1)
        return Fail("usage: ruk-tool levels FILE [--count] [--grid WxH]");
    const std::string& file = args.positional[0];
    auto core = CreateCoreState();
    if (!core) return Fail("out of memory");
    if (!ApplyGridOption(args, core->level.grids)) return Fail(GRID_OPTION_ERROR);

    LevelModel& model = core->level;
    if (!door::OpenLevelSet(*core, file.c_str()))
        return Fail("no level could be read from " + file);
    const int count = model.levelSet.count;
    if (args.Has("--count")) {
        if (!door::ReadLevel(*core, count))
            return Fail("level " + std::to_string(count) + " could not be read");
        std::printf("levels %d\n", count);
        return 0;
    }

    std::vector<std::uint64_t> forward(static_cast<std::size_t>(count));
    for (int n = 1; n <= count; ++n) {
        // The checksum is taken before the level change, which may set the status.
        if (!door::ReadLevel(*core, n))
            return Fail("level " + std::to_string(n) + " could not be read");
        forward[static_cast<std::size_t>(n - 1)] = BoardChecksum(model.board);
        door::ShowCurrentLevel(*core);
        PrintLevel(model.board, n);
    }
    for (int n = count - 1; n >= 1; --n) {
        if (!door::ReadLevel(*core, n) ||
            BoardChecksum(model.board) != forward[static_cast<std::size_t>(n - 1)]) {
            std::printf("mismatch at level %d\n", n);
            return EXIT_MISMATCH;
        }
    }
    std::printf("levels %d\n", count);
    return 0;
}

}  // namespace ruk::tool
