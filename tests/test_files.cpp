// Test helpers (see test_files.h).
#include "test_files.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

#include "board/board_checksum.h"
#include "board/level_file.h"
#include "core_door.h"
#include "core_invariants.h"
#include "engine/move_letters.h"
#include "engine/replay_steps.h"
#include "engine/urdl_parser.h"

namespace ruk::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::random_device random;
    for (;;) {
        fs::path candidate = fs::temp_directory_path() / ("ruk-test-" + std::to_string(random()));
        if (fs::create_directory(candidate)) {
            dir_ = candidate.string();
            break;
        }
    }
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(dir_, ignored);
}

std::string TempDir::Path(const std::string& name) const {
    return dir_ + "/" + name;
}

std::string TempDir::Write(const std::string& name, const std::string& bytes) const {
    const std::string path = Path(name);
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

Core::Core()
    : state(CreateCoreState()),
      level(&state->level),
      game(&state->game),
      view(&state->view),
      scratch(&state->scratch) {}

std::vector<std::string> BoardRows(const Board& board) {
    static const char kChars[] = " .$*@+";
    std::vector<std::string> rows;
    const int stride = RowStride(board);
    for (int r = 0; r < StoredRows(board); ++r) {
        std::string row;
        for (int c = 0; c < stride; ++c) {
            const CellCode code = board.cells[r * stride + c];
            row += code == WALL ? '#' : code <= 5 ? kChars[code] : '?';
        }
        row.erase(row.find_last_not_of(' ') + 1);
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::uint64_t> VisitForward(LevelModel& model) {
    std::vector<std::uint64_t> sums;
    for (int n = 1; n <= model.levelSet.count; ++n) {
        if (!SelectLevel(model, n)) break;
        sums.push_back(BoardChecksum(model.board));
    }
    return sums;
}

int FirstBackwardMismatch(LevelModel& model, const std::vector<std::uint64_t>& forward) {
    for (int n = static_cast<int>(forward.size()) - 1; n >= 1; --n) {
        if (!SelectLevel(model, n) || model.levelSet.current != n ||
            BoardChecksum(model.board) != forward[static_cast<std::size_t>(n - 1)])
            return n;
    }
    return 0;
}

std::string SharedLevelFile(const std::string& name) {
    const fs::path path = fs::path(RUK_SHARED_LEVELS) / name;
    return fs::exists(path) ? path.string() : std::string();
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<KnownSolution> ReadSolutions(const std::string& path) {
    std::vector<KnownSolution> solutions;
    std::istringstream lines(ReadWholeFile(path));
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == ';') continue;
        std::istringstream fields(line);
        KnownSolution solution;
        if (fields >> solution.level >> solution.moves) solutions.push_back(solution);
    }
    return solutions;
}

std::vector<SolvedCollection> SolvedCollections() {
    std::vector<SolvedCollection> collections;
    const std::pair<const char*, const char*> shared[] = {
        {"microban-155.txt", "microban-155-solutions.txt"},
        {"microban-155.txt", "microban-155-solutions-sokoplugin.txt"},
        {"dries-696.txt", "dries-696-solutions.txt"},
    };
    for (const auto& [levels, solutions] : shared) {
        const std::string levelPath = SharedLevelFile(levels);
        const std::string solutionPath = SharedLevelFile(solutions);
        if (!levelPath.empty() && !solutionPath.empty())
            collections.push_back({levelPath, solutionPath, true});
    }
    const std::string samples = RUK_SAMPLE_LEVELS;
    collections.push_back(
        {samples + "/ruk-samples.txt", samples + "/ruk-samples-solutions.txt", false});
    return collections;
}

void ExpectInvariants(const CoreState& core, const std::string& where) {
    const InvariantCheck check = CheckInvariants(core);
    ASSERT_TRUE(check.Holds()) << where << ": " << check.breaks
                               << " invariant break(s), first: " << check.firstBreak;
}

namespace {

void CheckLoad([[maybe_unused]] const CoreState& core, [[maybe_unused]] const std::string& what) {
#ifdef RUK_CHECK_INVARIANTS
    ExpectInvariants(core, "after loading " + what);
#endif
}

}  // namespace

bool LoadLevel(CoreState& core, const std::string& path, int n) {
    const bool shown = door::ShowFileLevel(core, path.c_str(), n);
    CheckLoad(core, path + " level " + std::to_string(n));
    return shown;
}

void LoadText(CoreState& core, const std::string& text) {
    door::LoadText(core, text.c_str());
    CheckLoad(core, "a text level");
}

std::string RandomRoom(std::mt19937& rng, const RoomShape& shape) {
    const int width = shape.minWidth + static_cast<int>(rng() % shape.widthSpan);
    const int height = shape.minHeight + static_cast<int>(rng() % shape.heightSpan);
    std::vector<std::string> rows(height, std::string(width, ' '));
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c)
            if (r == 0 || c == 0 || r == height - 1 || c == width - 1 ||
                rng() % shape.wallOneIn == 0)
                rows[r][c] = '#';
    auto place = [&](char ch) {
        for (int tries = 0; tries < 200; ++tries) {
            const int r = 1 + static_cast<int>(rng() % (height - 2));
            const int c = 1 + static_cast<int>(rng() % (width - 2));
            if (rows[r][c] == ' ') {
                rows[r][c] = ch;
                return;
            }
        }
    };
    const int boxes = shape.minBoxes + static_cast<int>(rng() % shape.boxSpan);
    for (int b = 0; b < boxes; ++b) {
        place('$');
        place('.');
    }
    place('@');
    std::string text;
    for (const auto& row : rows) text += row + "\n";
    return text;
}

void LoadMoves(CoreState& core, const std::string& moves) {
    for (char letter : moves) AppendLetter(core.game.history, letter);
}

void ExpectShownMatchesReplay(CoreState& state, const std::string& text, const std::string& where) {
    const MoveHistory& h = state.game.history;
    ASSERT_LE(h.cursor, h.end) << where;
    ASSERT_EQ(h.text[h.end], '\0') << where;
    Core fresh;
    CoreState& reference = *fresh.state;
    reference.level.grids.maxWidth = state.level.grids.maxWidth;
    reference.level.grids.maxHeight = state.level.grids.maxHeight;
    LoadText(reference, text);
    const std::string prefix(h.text.get(), h.cursor);
    ASSERT_TRUE(ParseUrdl(reference.level, reference.game, prefix.c_str())) << where;
    reference.view.animTarget = NO_POSITION;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        StepForward(reference.level, reference.game, reference.view);
    ExpectSameShown(state, reference, where);
}

void ExpectSameShown(const CoreState& state, const CoreState& reference, const std::string& where) {
    const ShownPosition& a = state.game.shown;
    const ShownPosition& b = reference.game.shown;
    ASSERT_EQ(a.shownMoves, b.shownMoves) << where;
    ASSERT_EQ(a.shownPushes, b.shownPushes) << where;
    ASSERT_EQ(a.shownActions, b.shownActions) << where;
    ASSERT_EQ(a.keeperCell, b.keeperCell) << where;
    ASSERT_EQ(a.lastPushTarget, b.lastPushTarget) << where;
    ASSERT_EQ(a.facing, b.facing) << where;
    // Past the level's cells the board keeps what earlier levels left there.
    ASSERT_EQ(state.level.board.cellCount, reference.level.board.cellCount) << where;
    for (int i = 0; i < state.level.board.cellCount; ++i)
        ASSERT_EQ(a.positionBoard[i], b.positionBoard[i]) << where << " cell " << i;
    for (int i = 0; i < MAX_CELLS; ++i)
        ASSERT_EQ(state.level.grids.displayGrid[i] & PLAIN_MASK,
                  reference.level.grids.displayGrid[i] & PLAIN_MASK)
            << where << " grid cell " << i;
}

std::vector<Action> ActionsOf(const CoreState& core, const std::string& moves) {
    std::vector<Action> actions;
    const auto& step = core.level.directions.stepOffset;
    int keeper = core.level.board.keeperStart;
    for (const char letter : moves) {
        const int d = LetterDirection(letter);
        keeper += step[d];
        if (!IsPushLetter(letter)) continue;
        if (actions.empty() || actions.back().target != keeper) actions.push_back({keeper, 0, 0});
        actions.back().target = keeper + step[d];
        actions.back().keeper = keeper;
    }
    return actions;
}

}  // namespace ruk::test
