// The keyboard's steps through the front door: levels solved by steps alone, steps that are
// refused, steps mixed with mouse actions and replays, and the slowed-down replays.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core_door.h"
#include "engine/move_letters.h"
#include "test_files.h"

namespace ruk::test {
namespace {

const std::string SAMPLES = std::string(RUK_SAMPLE_LEVELS) + "/ruk-samples.txt";
const std::string SAMPLE_SOLUTIONS = std::string(RUK_SAMPLE_LEVELS) + "/ruk-samples-solutions.txt";

// Runs timer 1 until the animation ends; the ticks it took and the congratulations asked for.
struct Played {
    int ticks = 0;
    int congratulations = 0;
};
Played Settle(CoreState& core) {
    Played played;
    while (played.ticks < 100000 && core.play.animMode != AnimMode::IDLE) {
        WindowRequests requests;
        door::StepTick(core, requests);
        ++played.ticks;
        played.congratulations += requests.congratulate;
    }
    return played;
}

// One key step shown to its end; the congratulations it brought.
int Key(CoreState& core, int direction) {
    WindowRequests requests;
    door::StepKey(core, direction, requests);
    return Settle(core).congratulations;
}

std::string History(const CoreState& core) {
    return std::string(core.play.history.text.get(), core.play.history.end);
}

// Every level of a collection with a known solution, played by one key step per letter: the
// steps record exactly the solution's letters (walks as walks, pushes as pushes), the level is
// congratulated once, and a step after the solving push is refused.
void SolveByKeys(const std::string& levels, const std::string& solutions, int maxLevel) {
    Core core;
    CoreState& state = *core.state;
    for (const KnownSolution& known : ReadSolutions(solutions)) {
        if (known.level > maxLevel) break;
        ASSERT_TRUE(LoadLevel(state, levels, known.level));
        int congratulations = 0;
        for (const char letter : known.moves)
            congratulations += Key(state, LetterDirection(letter));
        EXPECT_EQ(History(state), known.moves) << known.level;
        EXPECT_TRUE(door::Totals(state).solved) << known.level;
        EXPECT_EQ(congratulations, 1) << known.level;
        for (int d = 0; d < 4; ++d) EXPECT_EQ(Key(state, d), 0);
        EXPECT_EQ(History(state), known.moves) << known.level;
    }
}

TEST(KeyStepTest, LevelsAreSolvedByStepsAloneAndCongratulatedOnce) {
    SolveByKeys(SAMPLES, SAMPLE_SOLUTIONS, 12);
    const std::string levels = SharedLevelFile("microban-155.txt");
    if (levels.empty()) GTEST_SKIP() << "shared level collections are not beside the project";
    SolveByKeys(levels, SharedLevelFile("microban-155-solutions.txt"), 20);
}

TEST(KeyStepTest, StepsThatCannotBeTakenChangeNothing) {
    Core core;
    CoreState& state = *core.state;
    // Two cells right of the keeper a box before a free cell, below that two boxes in a column.
    LoadText(state,
             "#########\n"
             "#@ $  . #\n"
             "#  $  . #\n"
             "#  $  . #\n"
             "#########");
    ASSERT_EQ(door::Status(state), LevelStatus::PLAYABLE);
    const int start = door::Keeper(state);
    for (const int wall : {0, 3}) {  // up and left are walls
        EXPECT_EQ(Key(state, wall), 0);
        EXPECT_EQ(door::Keeper(state), start);
        EXPECT_EQ(History(state), "");
    }
    Key(state, 1);
    Key(state, 1);  // pushes the box on
    EXPECT_EQ(History(state), "rR");
    Key(state, 2);  // the box below stands on another box
    EXPECT_EQ(History(state), "rR");

    // A refused step keeps the redo tail; a taken one cuts it.
    WindowRequests requests;
    door::Undo(state, requests);
    Settle(state);
    ASSERT_EQ(state.play.history.cursor, 0u);
    Key(state, 0);
    EXPECT_EQ(History(state), "rR");
    Key(state, 2);
    EXPECT_EQ(History(state), "d");

    // While a step is still being shown, the next is refused: one step at most beyond the shown.
    door::StepKey(state, 1, requests);
    door::StepKey(state, 1, requests);
    door::StepKey(state, 1, requests);
    EXPECT_EQ(History(state), "dr");
    Settle(state);
    EXPECT_EQ(door::Keeper(state), start + 1 + 9);

    // Nor during a walk, an Undo or a Redo, nor in the editor.
    door::WalkTo(state, start, requests);
    door::StepKey(state, 2, requests);
    Settle(state);
    const std::string walked = History(state);
    EXPECT_EQ(walked.size(), 4u);
    door::Undo(state, requests);
    door::StepKey(state, 2, requests);
    Settle(state);
    door::Redo(state, requests);
    door::StepKey(state, 2, requests);
    Settle(state);
    EXPECT_EQ(History(state), walked);
    state.level.editor.editMode = EditMode::EDIT;
    EXPECT_EQ(Key(state, 1), 0);
    EXPECT_EQ(History(state), walked);
}

// The shown position against a fresh replay of the letters before the cursor.
void ExpectShownIsReplay(CoreState& state, CoreState& reference, int level,
                         const std::string& where) {
    ASSERT_TRUE(LoadLevel(reference, SAMPLES, level));
    const std::string prefix(state.play.history.text.get(), state.play.history.cursor);
    ASSERT_TRUE(door::ImportMoves(reference, prefix.c_str())) << where;
    WindowRequests requests;
    door::AutoPlay(reference, requests);
    Settle(reference);
    const ShownPosition& a = door::Shown(state);
    const ShownPosition& b = door::Shown(reference);
    ASSERT_EQ(a.shownMoves, b.shownMoves) << where;
    ASSERT_EQ(a.shownPushes, b.shownPushes) << where;
    ASSERT_EQ(a.shownActions, b.shownActions) << where;
    ASSERT_EQ(a.keeperCell, b.keeperCell) << where;
    ASSERT_EQ(a.positionBoard, b.positionBoard) << where;
    for (int i = 0; i < MAX_CELLS; ++i)
        ASSERT_EQ(state.level.grids.displayGrid[i] & PLAIN_MASK,
                  reference.level.grids.displayGrid[i] & PLAIN_MASK)
            << where << " grid cell " << i;
}

TEST(KeyStepTest, StepsMixedWithMouseActionsUndoAndRedoAsOneHistory) {
    std::mt19937 rng(18);
    for (const int level : {2, 5, 8, 12}) {
        Core core;
        Core replay;
        CoreState& state = *core.state;
        ASSERT_TRUE(LoadLevel(state, SAMPLES, level));
        const Grids& grids = state.level.grids;
        bool pushed = false;  // the game came to some push on the way
        for (int op = 0; op < 300; ++op) {
            WindowRequests requests;
            const unsigned pick = rng() % 10;
            if (pick < 5) {
                door::StepKey(state, static_cast<int>(rng() % 4), requests);
            } else if (pick < 7) {  // a left click anywhere on the level: walk, select, push
                door::Click(state, grids.rowOffset + static_cast<int>(rng() % 12),
                            grids.colOffset + static_cast<int>(rng() % 12), requests);
            } else if (pick == 7) {
                door::Undo(state, requests);
            } else if (pick == 8) {
                door::Redo(state, requests);
            } else if (state.play.history.cursor > 0 && rng() % 4 == 0) {
                door::Restart(state, requests);
            }
            // Half the time the next command comes before the animation has ended.
            if (rng() % 2) Settle(state);
            if (state.play.animMode == AnimMode::IDLE)
                ExpectShownIsReplay(state, *replay.state, level,
                                    std::to_string(level) + " op " + std::to_string(op));
            pushed = pushed || door::Shown(state).shownPushes > 0;
            if (door::Totals(state).solved && rng() % 3 == 0) {
                door::Undo(state, requests);
                Settle(state);
            }
        }
        Settle(state);
        // Taken back to the start and redone action by action, it ends on the same position.
        const std::string letters = History(state);
        EXPECT_TRUE(pushed) << level;
        WindowRequests requests;
        door::Restart(state, requests);
        while (state.play.history.cursor < state.play.history.end) {
            door::Redo(state, requests);
            Settle(state);
        }
        EXPECT_EQ(History(state), letters);
        ExpectShownIsReplay(state, *replay.state, level, std::to_string(level) + " redone");
    }
}

TEST(KeyStepTest, ReplaysSlowDownAndNewActionsAndUndoKeepTheirPace) {
    Core core;
    CoreState& state = *core.state;
    ASSERT_TRUE(LoadLevel(state, SAMPLES, 3));
    ASSERT_TRUE(door::ImportMoves(state, "RRllddrrUrUUdLL"));
    for (const int factor : {1, 2, 16}) {
        door::SetReplaySlowdown(state, factor);
        ASSERT_EQ(door::ReplaySlowdown(state), factor);
        WindowRequests requests;
        door::Restart(state, requests);
        door::Redo(state, requests);  // the first action: "RR"
        EXPECT_EQ(Settle(state).ticks, 2 * factor) << factor;
        door::Undo(state, requests);
        EXPECT_EQ(Settle(state).ticks, 2) << factor;
        door::AutoPlay(state, requests);  // all 15 letters
        EXPECT_EQ(Settle(state).ticks, 15 * factor) << factor;
        door::Undo(state, requests);
        const int undoTicks = Settle(state).ticks;
        EXPECT_EQ(undoTicks, static_cast<int>(15 - state.play.history.cursor)) << factor;
        // The next letter again, by hand.
        const char next = state.play.history.text[state.play.history.cursor];
        door::StepKey(state, LetterDirection(next), requests);
        EXPECT_EQ(Settle(state).ticks, 1) << factor;
        EXPECT_EQ(state.play.history.end, state.play.history.cursor);
        ASSERT_TRUE(door::ImportMoves(state, "RRllddrrUrUUdLL" + state.play.history.cursor));
    }
    // Instant Move shows a whole Redo at once whatever the factor.
    state.play.instantMove = true;
    WindowRequests requests;
    door::Restart(state, requests);
    door::Redo(state, requests);
    EXPECT_EQ(Settle(state).ticks, 1);
    for (const int junk : {0, 3, -4, 32}) {
        door::SetReplaySlowdown(state, junk);
        EXPECT_EQ(door::ReplaySlowdown(state), 1) << junk;
    }
}

}  // namespace
}  // namespace ruk::test
