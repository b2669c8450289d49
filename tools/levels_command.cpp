// ruk-tool levels: every level of a file visited forward, then backward, compared; with
// --titles each line also gives the level's title.
#include <cstdio>
#include <vector>

#include "board/board_checksum.h"
#include "commands.h"
#include "core_door.h"

namespace ruk::tool {

namespace {

// With titles the line gains one space and the title as its rest (nothing when there is none),
// so that the fields before it stay where scripts find them.
void PrintLevel(const Board& board, int number, const char* title) {
    std::printf("%d %s %dx%d boxes=%d", number, LevelStatusName(board.status), board.width,
                board.height, board.boxCount);
    if (title) std::printf(" %s", title);
    std::printf("\n");
}

}  // namespace

int LevelsCommand(const Args& args) {
    if (args.positional.size() != 1)
        return Fail("usage: ruk-tool levels FILE [--count] [--titles] [--grid WxH]");
    const std::string& file = args.positional[0];
    auto core = CreateCoreState();
    if (!core) return Fail("out of memory");
    if (!ApplyGridOption(args, core->level.grids)) return Fail(GRID_OPTION_ERROR);

    LevelModel& model = core->level;
    if (!door::OpenLevelSet(*core, file.c_str()))
        return Fail("no level could be read from " + file);
    const int count = model.levelSet.count;
    const bool titles = args.Has("--titles");
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
        PrintLevel(model.board, n, titles ? door::Title(*core) : nullptr);
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
