// URDL text in, level and game text out: what the parser accepts, and round trips of every
// shared level through the writers.
#include <gtest/gtest.h>

#include "board/text_level_parser.h"
#include "core_door.h"
#include "engine/replay_steps.h"
#include "engine/urdl_parser.h"
#include "test_files.h"
#include "textio/grid_text.h"
#include "textio/output_text.h"

namespace ruk::test {
namespace {

class UrdlTextTest : public ::testing::Test {
  protected:
    Core core;
    CoreState& state = *core.state;

    void Load(const std::string& text) { LoadText(state, text); }
    std::string History() const {
        return std::string(state.game.history.text.get(), state.game.history.end);
    }
};

// Up to 40 letters that fit the start position: at each step the first legal one of a
// rotating choice, pushes preferred.
std::string SomeLegalGame(const CoreState& core) {
    std::vector<std::uint32_t> plan(core.game.shown.positionBoard.begin(),
                                    core.game.shown.positionBoard.end());
    int keeper = core.game.shown.keeperCell;
    const auto& step = core.level.directions.stepOffset;
    std::string game;
    for (int i = 0; i < 40; ++i) {
        bool moved = false;
        for (int j = 0; j < 8 && !moved; ++j) {
            const int d = (i + j) % 4;
            const bool push = j < 4;
            const int next = keeper + step[d];
            if (push && plan[next] == BOX && plan[next + step[d]] == 0) {
                plan[next] = 0;
                plan[next + step[d]] = BOX;
            } else if (push || plan[next] != 0) {
                continue;
            }
            game += push ? "URDL"[d] : "urdl"[d];
            keeper = next;
            moved = true;
        }
    }
    return game;
}

const char* const kCorridor = "########\n#@ $  .#\n########";

TEST_F(UrdlTextTest, OnlyTheEightLettersAndLineBreaksAreRead) {
    Load(kCorridor);
    for (int byte = 1; byte < 256; ++byte) {
        const char input[3] = {'r', static_cast<char>(byte), '\0'};
        EmptyMoveHistory(state.game.history);
        const bool complete = ParseUrdl(state.level, state.game, input);
        const bool fits = byte == 'R' || byte == 'l' || byte == '\r' || byte == '\n';
        EXPECT_EQ(complete, fits) << byte;
        EXPECT_EQ(History(), byte == 'R' ? "rR" : byte == 'l' ? "rl" : "r") << byte;
    }
    struct Case {
        const char* input;
        bool complete;
        const char* kept;
    };
    const Case cases[] = {
        {"rR r", false, "rR"},           // a space
        {"r2R", false, "r"},             // a run length
        {"rR,R", false, "rR"},           // a comma
        {"r\r\nR\nR\rl", true, "rRRl"},  // lines of every kind are one string
        {"R", false, ""},                // a push towards an empty cell
        {"rr", false, "r"},              // a walk towards a box
        {"u", false, ""},                // into a wall: nothing at all
        {"rRRRR", false, "rRRR"},        // the box cannot go into the wall
        {"", true, ""},
    };
    for (const Case& c : cases) {
        EmptyMoveHistory(state.game.history);
        EXPECT_EQ(ParseUrdl(state.level, state.game, c.input), c.complete) << c.input;
        EXPECT_EQ(History(), c.kept) << c.input;
    }
    // After a rejected first letter the plan is the shown position again.
    EmptyMoveHistory(state.game.history);
    EXPECT_FALSE(ParseUrdl(state.level, state.game, "rX"));
    EXPECT_FALSE(ParseUrdl(state.level, state.game, "u"));
    EXPECT_EQ(state.game.planKeeper, state.game.shown.keeperCell);
    EXPECT_EQ(state.game.planBoard[11], BOX);
}

TEST_F(UrdlTextTest, ParsingCutsAtTheCursorAndALongStringStaysExact) {
    Load(kCorridor);
    ASSERT_TRUE(ParseUrdl(state.level, state.game, "rRl"));
    state.view.animTarget = 2;
    state.view.animMode = AnimMode::STEP_FORWARD;
    while (state.view.animMode != AnimMode::IDLE) StepForward(state.level, state.game, state.view);
    ASSERT_TRUE(ParseUrdl(state.level, state.game, "R"));
    EXPECT_EQ(History(), "rRR") << "the letter after the cursor is replaced";
    EXPECT_EQ(state.game.history.cursor, 2u) << "the cursor does not move";

    std::string walk;
    for (int i = 0; i < 2'500'000; ++i) walk += "rl";
    Load(kCorridor);
    ASSERT_TRUE(ParseUrdl(state.level, state.game, walk.c_str()));
    EXPECT_EQ(state.game.history.end, walk.size());
    EXPECT_EQ(History(), walk);
    EXPECT_GT(state.game.history.capacity, walk.size());
    EXPECT_LT(state.game.history.capacity, walk.size() * 3 / 2 + HISTORY_STEP)
        << "the buffer is at most half as much again as it had to be";
    EXPECT_EQ(state.game.history.text[walk.size()], '\0');
}

TEST_F(UrdlTextTest, WritersKeepTheLevelAndTheGame) {
    state.level.editor.editMode = EditMode::EDIT;
    OutputText out = BuildOutputText(state, ' ');
    EXPECT_EQ(out.title, "Level Output");
    EXPECT_EQ(out.text, "");
    state.level.editor.editMode = EditMode::PLAY;

    Load("  ######\n  # @$.#\n  ######");
    GridText text;
    GridToText(text, state.level.grids.editorGrid, 50, 40, ' ');
    EXPECT_STREQ(text.data(), "######\r\n# @$.#\r\n######\r\n") << "leading columns dropped";
    ASSERT_TRUE(ParseUrdl(state.level, state.game, "l"));
    out = BuildOutputText(state, '-');
    EXPECT_EQ(out.title, "URDL Output");
    EXPECT_EQ(out.text, "--######\r\n--#-@$.#\r\n--######\r\nStatus: UnFinished\r\nl\r\n");
    ASSERT_TRUE(ParseUrdl(state.level, state.game, "lrRl"));
    EXPECT_EQ(BuildOutputText(state, ' ').text,
              "  ######\r\n  # @$.#\r\n  ######\r\n"
              "Status: Solved\r\nSolution: 3 Moves 1 Pushes 1 Actions\r\nlrR\r\n")
        << "the solved test cut the moves after the solving push";
    EXPECT_EQ(BuildOutputText(state, ' ').text, BuildOutputText(state, ' ').text);

    Load("#####\n#@$. \n#####");
    EXPECT_EQ(BuildOutputText(state, ' ').text, "#####\r\n#@$.\r\n#####\r\nStatus: BadLevel\r\n");
}

// Every shared level, written from the EditorGrid and from the game output, reads back the same.
TEST_F(UrdlTextTest, EverySharedLevelRoundTripsThroughItsText) {
    state.level.grids.maxWidth = GRID_SIDE;
    state.level.grids.maxHeight = GRID_SIDE;
    int levels = 0;
    for (const char* name : {"original-90.txt", "microban-155.txt", "large-sasquatch-viii.txt",
                             "large-microban-iv.txt", "dries-696.txt"}) {
        const std::string path = SharedLevelFile(name);
        if (path.empty()) GTEST_SKIP() << "shared level collections are not beside the project";
        Core reader;
        reader.level->grids.maxHeight = GRID_SIDE;
        ASSERT_TRUE(door::OpenLevelSet(*reader.state, path.c_str()));
        for (int n = 1; n <= reader.level->levelSet.count; ++n) {
            ASSERT_TRUE(LoadLevel(*reader.state, path, n));
            const Board original = reader.level->board;
            std::vector<std::string> rows = BoardRows(original);
            std::size_t trim = std::string::npos;
            for (const auto& row : rows)
                if (!row.empty()) trim = std::min(trim, row.find_first_not_of(' '));
            for (auto& row : rows) row = row.size() > trim ? row.substr(trim) : "";

            GridText text;
            GridToText(text, reader.level->grids.editorGrid, 50, 50, ' ');
            CopyText(state.level.levelSet.sourceText, text.data());
            ParseTextLevel(state.level);
            ASSERT_EQ(BoardRows(state.level.board), rows) << name << " level " << n << "\n"
                                                          << text.data();

            // A game of a few walks and pushes, out as text and back in.
            ASSERT_TRUE(
                ParseUrdl(*reader.level, *reader.game, SomeLegalGame(*reader.state).c_str()));
            const OutputText out = BuildOutputText(*reader.state, ' ');
            const std::string moves(reader.game->history.text.get(), reader.game->history.end);
            const std::size_t status = out.text.find("Status: ");
            ASSERT_NE(status, std::string::npos);
            CopyText(state.level.levelSet.sourceText, out.text.substr(0, status).c_str());
            ParseTextLevel(state.level);
            ASSERT_EQ(BoardRows(state.level.board), BoardRows(original)) << name << " " << n;
            door::ShowCurrentLevel(state);
            const std::size_t line = out.text.rfind("\r\n", out.text.size() - 3);
            ASSERT_TRUE(ParseUrdl(state.level, state.game, out.text.substr(line + 2).c_str()));
            ASSERT_EQ(History(), moves) << name << " level " << n;
            ++levels;
        }
    }
    EXPECT_EQ(levels, 90 + 155 + 50 + 102 + 696);
}

}  // namespace
}  // namespace ruk::test
