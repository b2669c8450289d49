// The keyboard's steps through the front door: steps that are refused, steps mixed with mouse
// actions, Undo and Redo against a replay of the letters, and the slowed-down replays.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core_door.h"
#include "engine/move_letters.h"
#include "test_files.h"

namespace ruk::test {
namespace {

const std::string SAMPLES = std::string(RUK_SAMPLE_LEVELS) + "/ruk-samples.txt";

// Runs the step timer until the animation ends; the ticks it took.
int Settle(CoreState& core) {
    int ticks = 0;
    for (; ticks < 100000 && core.view.animMode != AnimMode::IDLE; ++ticks) {
        WindowRequests requests;
        door::StepTick(core, requests);
    }
    return ticks;
}

std::string Key(CoreState& core, int direction) {
    WindowRequests requests;
    door::StepKey(core, direction, requests);
    Settle(core);
    return std::string(core.game.history.text.get(), core.game.history.end);
}

TEST(KeyStepTest, StepsThatCannotBeTakenChangeNothing) {
    Core core;
    CoreState& state = *core.state;
    // Right of the keeper a box before a free cell; below that box two boxes in a column.
    LoadText(state, "#########\n#@ $  . #\n#  $  . #\n#  $  . #\n#########");
    const int start = door::Keeper(state);
    EXPECT_EQ(Key(state, 0), "");  // walls up and left
    EXPECT_EQ(Key(state, 3), "");
    EXPECT_EQ(Key(state, 1), "r");
    EXPECT_EQ(Key(state, 1), "rR");
    EXPECT_EQ(Key(state, 2), "rR");  // a box before a box
    WindowRequests requests;
    door::Undo(state, requests);
    Settle(state);
    EXPECT_EQ(Key(state, 0), "rR") << "a refused step keeps the redo tail";
    EXPECT_EQ(Key(state, 2), "d") << "a step taken cuts it";

    // While anything is being shown a step is refused: one at most beyond the shown position.
    door::StepKey(state, 1, requests);
    door::StepKey(state, 1, requests);
    Settle(state);
    EXPECT_EQ(door::Keeper(state), start + 1 + 9);
    door::WalkTo(state, start, requests);
    door::StepKey(state, 2, requests);
    Settle(state);
    door::Undo(state, requests);
    door::StepKey(state, 2, requests);
    Settle(state);
    door::Redo(state, requests);
    door::StepKey(state, 2, requests);
    Settle(state);
    EXPECT_EQ(door::Shown(state).shownMoves, 4);
    state.level.editor.editMode = EditMode::EDIT;
    EXPECT_EQ(Key(state, 1).size(), 4u);
}

// The shown position against a replay of the letters before the cursor on a second state.
void ExpectShownIsReplay(CoreState& state, CoreState& reference, int level,
                         const std::string& where) {
    ASSERT_TRUE(LoadLevel(reference, SAMPLES, level));
    const std::string prefix(state.game.history.text.get(), state.game.history.cursor);
    ASSERT_TRUE(door::ImportMoves(reference, prefix.c_str())) << where;
    WindowRequests requests;
    door::AutoPlay(reference, requests);
    Settle(reference);
    ExpectSameShown(state, reference, where);
}

TEST(KeyStepTest, StepsMixedWithMouseActionsUndoAndRedoAsTheLettersReplayed) {
    std::mt19937 rng(18);
    for (const int level : {2, 5, 8, 12}) {
        Core core;
        Core replay;
        CoreState& state = *core.state;
        ASSERT_TRUE(LoadLevel(state, SAMPLES, level));
        const Grids& grids = state.level.grids;
        bool pushed = false;
        for (int op = 0; op < 300; ++op) {
            WindowRequests requests;
            const unsigned pick = rng() % 10;
            if (pick < 5) {
                door::StepKey(state, static_cast<int>(rng() % 4), requests);
            } else if (pick < 7) {  // a left click on the level: walk, select, push
                door::Click(state, grids.rowOffset + static_cast<int>(rng() % 12),
                            grids.colOffset + static_cast<int>(rng() % 12), requests);
            } else if (pick == 7 || door::Totals(state).solved) {
                door::Undo(state, requests);
            } else if (pick == 8) {
                door::Redo(state, requests);
            } else if (rng() % 4 == 0) {
                door::Restart(state, requests);
            }
            if (rng() % 2) Settle(state);  // else the next command comes mid-animation
            pushed = pushed || door::Shown(state).shownPushes > 0;
            if (state.view.animMode == AnimMode::IDLE)
                ExpectShownIsReplay(state, *replay.state, level,
                                    std::to_string(level) + " op " + std::to_string(op));
        }
        EXPECT_TRUE(pushed) << level;
        // Restarted and redone action by action, it ends on the same letters and position.
        Settle(state);
        const std::string letters(state.game.history.text.get(), state.game.history.end);
        WindowRequests requests;
        door::Restart(state, requests);
        while (state.game.history.cursor < state.game.history.end) {
            door::Redo(state, requests);
            Settle(state);
        }
        EXPECT_EQ(std::string(state.game.history.text.get()), letters);
        ExpectShownIsReplay(state, *replay.state, level, std::to_string(level) + " redone");
    }
}

TEST(KeyStepTest, ReplaysSlowDownWhileNewActionsAndUndoKeepTheirPace) {
    Core core;
    CoreState& state = *core.state;
    ASSERT_TRUE(LoadLevel(state, SAMPLES, 3));
    const std::string solution = "RRllddrrUrUUdLL";
    for (const int factor : {1, 2, 16}) {
        door::SetReplaySlowdown(state, factor);
        ASSERT_TRUE(door::ImportMoves(state, solution.c_str() + state.game.history.cursor));
        WindowRequests requests;
        door::Restart(state, requests);
        door::Redo(state, requests);  // "RR"
        EXPECT_EQ(Settle(state), 2 * factor);
        door::AutoPlay(state, requests);
        EXPECT_EQ(Settle(state), 13 * factor);
        door::Undo(state, requests);
        const int ticks = Settle(state);
        EXPECT_EQ(ticks, static_cast<int>(solution.size() - state.game.history.cursor));
        door::StepKey(state, IndexOf(*LetterDirection(solution[state.game.history.cursor])),
                      requests);
        EXPECT_EQ(Settle(state), 1);
    }
    state.view.instantMove = true;  // a whole Redo at once, whatever the factor
    WindowRequests requests;
    door::Restart(state, requests);
    door::Redo(state, requests);
    EXPECT_EQ(Settle(state), 1);
    for (const int junk : {0, 3, -4, 32}) {
        door::SetReplaySlowdown(state, junk);
        EXPECT_EQ(door::ReplaySlowdown(state), 1) << junk;
    }
}

}  // namespace
}  // namespace ruk::test
