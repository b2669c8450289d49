// The core's front door: its loads match the level-change sequence written out, a failed load
// changes nothing, and a short game played through it.
#include <gtest/gtest.h>

#include "board/board_checksum.h"
#include "board/level_file.h"
#include "core_door.h"
#include "core_invariants.h"
#include "level_change.h"
#include "test_files.h"

namespace ruk::test {
namespace {

const std::string SAMPLES = std::string(RUK_SAMPLE_LEVELS) + "/ruk-samples.txt";

// What the window shows and the checks read: equal for two states holding the same level.
void ExpectSameShown(const CoreState& a, const CoreState& b, int n) {
    EXPECT_EQ(BoardChecksum(a.level.board), BoardChecksum(b.level.board)) << n;
    EXPECT_EQ(a.level.grids.displayGrid, b.level.grids.displayGrid) << n;
    EXPECT_EQ(door::Keeper(a), door::Keeper(b)) << n;
    EXPECT_EQ(door::Unsolvable(a), door::Unsolvable(b)) << n;
    EXPECT_EQ(door::Levels(a).current, door::Levels(b).current) << n;
}

TEST(CoreDoorTest, FileLoadsMatchTheSequenceWrittenOutAndFailuresChangeNothing) {
    Core door;
    Core raw;
    ASSERT_TRUE(door::LoadFileLevel(*door.state, SAMPLES.c_str(), 3));
    ASSERT_TRUE(OpenLevelFile(*raw.level, SAMPLES.c_str()));
    for (const int n : {3, 5, 1}) {
        if (n != 3) {
            ASSERT_TRUE(door::ShowFileLevel(*door.state, SAMPLES.c_str(), n));
        }
        ASSERT_TRUE(SelectLevel(*raw.level, n));
        RunLevelChange(*raw.state);
        ExpectSameShown(*door.state, *raw.state, n);
    }

    // A missing file, a file without a level, and no file at all for a fresh state.
    TempDir dir;
    const std::string empty = dir.Write("none.txt", "; no level here\n\n");
    EXPECT_FALSE(door::LoadFileLevel(*door.state, dir.Path("missing.txt").c_str(), 1));
    EXPECT_FALSE(door::LoadFileLevel(*door.state, empty.c_str(), 1));
    EXPECT_FALSE(door::OpenLevelSet(*door.state, empty.c_str()));
    ExpectSameShown(*door.state, *raw.state, 1);
    EXPECT_STREQ(door::Levels(*door.state).path.data(), SAMPLES.c_str());
    Core fresh;
    EXPECT_FALSE(door::ShowLevel(*fresh.state, 1));
    EXPECT_EQ(door::Status(*fresh.state), LevelStatus::NONE);
}

// A text level took the file's place in sourceText while the set kept its path: stepping to
// another level of that file showed the text level again.
TEST(CoreDoorTest, AFileLevelAfterATextLevelOpensTheFileAfresh) {
    Core core;
    CoreState& state = *core.state;
    ASSERT_TRUE(door::ShowFileLevel(state, SAMPLES.c_str(), 2));
    ASSERT_TRUE(door::LoadText(state, "#######\n#@ $ .#\n#######"));
    ASSERT_TRUE(door::ShowFileLevel(state, SAMPLES.c_str(), 4));
    EXPECT_EQ(door::Levels(state).current, 4);
    EXPECT_GT(door::Levels(state).count, 4);
    Core reference;
    ASSERT_TRUE(door::LoadFileLevel(*reference.state, SAMPLES.c_str(), 4));
    ExpectSameShown(state, *reference.state, 4);
}

// The command line opens a file before anything is shown and may find it lacks the level
// asked for: closing it leaves the state a fresh one has, but for the window's grid size.
TEST(CoreDoorTest, AFileOpenedButNotShownClosesBackToNoLevel) {
    Core core, fresh;
    CoreState& state = *core.state;
    state.level.grids.maxWidth = fresh.state->level.grids.maxWidth = 44;
    state.level.grids.maxHeight = fresh.state->level.grids.maxHeight = 37;
    ASSERT_TRUE(door::OpenLevelSet(state, SAMPLES.c_str()));
    ASSERT_GT(door::Levels(state).count, 1);
    door::CloseUnshownLevelSet(state);
    EXPECT_EQ(door::Levels(state).count, 0);
    EXPECT_EQ(door::Levels(state).current, 0);
    EXPECT_STREQ(door::Levels(state).path.data(), "");
    EXPECT_EQ(door::Status(state), LevelStatus::NONE);
    EXPECT_EQ(state.level.grids.maxWidth, 44);
    EXPECT_EQ(state.level.grids.maxHeight, 37);
    EXPECT_EQ(state.level.grids.displayGrid, fresh.state->level.grids.displayGrid);
    EXPECT_EQ(BoardChecksum(state.level.board), BoardChecksum(fresh.state->level.board));
    // Nothing is left of the file: a level opened next is shown as in a fresh state.
    ASSERT_TRUE(door::LoadFileLevel(state, SAMPLES.c_str(), 2));
    ASSERT_TRUE(door::LoadFileLevel(*fresh.state, SAMPLES.c_str(), 2));
    ExpectSameShown(state, *fresh.state, 2);
}

// Plays until the running animation ends, as the step timer would.
void Settle(CoreState& core) {
    for (int tick = 0; tick < 1000 && core.view.animMode != AnimMode::IDLE; ++tick) {
        WindowRequests requests;
        door::StepTick(core, requests);
    }
    ASSERT_EQ(core.view.animMode, AnimMode::IDLE);
}

TEST(CoreDoorTest, TextLevelPlayedThroughTheDoor) {
    Core core;
    CoreState& state = *core.state;
    ASSERT_TRUE(door::LoadText(state, "#######\n#@ $ .#\n#######"));
    ASSERT_EQ(door::Status(state), LevelStatus::PLAYABLE);
    EXPECT_EQ(door::Levels(state).count, 1);
    EXPECT_EQ(door::Keeper(state), 8);
    EXPECT_FALSE(door::Unsolvable(state));

    WindowRequests requests;
    door::WalkTo(state, 9, requests);
    Settle(state);
    EXPECT_EQ(door::Keeper(state), 9);
    EXPECT_EQ(door::Shown(state).shownMoves, 1);

    // The moves string goes in at the cursor; the shown position stays until it is played.
    EXPECT_TRUE(door::ImportMoves(state, "RR"));
    EXPECT_TRUE(door::Totals(state).solved);
    EXPECT_EQ(door::Totals(state).totalPushes, 2u);
    EXPECT_EQ(door::Keeper(state), 9);
    door::Redo(state, requests);
    Settle(state);
    EXPECT_EQ(door::Shown(state).shownPushes, 2);
    const Grids& g = state.level.grids;
    EXPECT_EQ(door::ShownCell(state, g.rowOffset + 1, g.colOffset + 5), BOX | GOAL);
    door::Undo(state, requests);
    Settle(state);
    EXPECT_EQ(door::Shown(state).shownPushes, 0);
    door::Restart(state, requests);
    Settle(state);
    EXPECT_EQ(door::Keeper(state), 8);
    EXPECT_EQ(door::Shown(state).shownMoves, 0);

    EXPECT_FALSE(door::ImportMoves(state, "rX")) << "a letter that is no move stops it";
}

// Everything Undo, Redo and the panels read of a game.
void ExpectSameGame(const CoreState& a, const CoreState& b) {
    const MoveHistory& ha = a.game.history;
    const MoveHistory& hb = b.game.history;
    ASSERT_EQ(ha.end, hb.end);
    EXPECT_EQ(std::string(ha.text.get(), ha.end), std::string(hb.text.get(), hb.end));
    EXPECT_EQ(ha.cursor, hb.cursor);
    EXPECT_EQ(a.level.grids.displayGrid, b.level.grids.displayGrid);
    const ShownPosition& sa = door::Shown(a);
    const ShownPosition& sb = door::Shown(b);
    EXPECT_EQ(sa.keeperCell, sb.keeperCell);
    EXPECT_EQ(sa.shownMoves, sb.shownMoves);
    EXPECT_EQ(sa.shownPushes, sb.shownPushes);
    EXPECT_EQ(sa.shownActions, sb.shownActions);
    EXPECT_EQ(sa.facing, sb.facing);
    EXPECT_EQ(sa.lastPushTarget, sb.lastPushTarget);
    EXPECT_EQ(door::Totals(a).totalMoves, door::Totals(b).totalMoves);
    EXPECT_EQ(door::Totals(a).totalPushes, door::Totals(b).totalPushes);
    EXPECT_EQ(door::Totals(a).solved, door::Totals(b).solved);
    EXPECT_EQ(door::Unsolvable(a), door::Unsolvable(b));
    EXPECT_TRUE(CheckInvariants(b).Holds()) << CheckInvariants(b).firstBreak;
}

// A game left with a redo tail comes back with the same board, counters, cursor and tail, and
// Undo and Redo then walk it exactly as they walked the original.
// The window leaves the rules to the door: a click on a level that does not play changes
// nothing and asks nothing, and the editor's switches keep the game's status only when asked.
TEST(CoreDoorTest, ClicksOnALevelThatDoesNotPlayAndTheEditorsSwitches) {
    Core core;
    CoreState& state = *core.state;
    ASSERT_TRUE(door::LoadText(state, "#####\n#@$ #\n#####"));  // no goal: not playable
    ASSERT_NE(door::Status(state), LevelStatus::PLAYABLE);
    const Grids& g = state.level.grids;
    const auto shownBefore = g.displayGrid;
    WindowRequests requests;
    door::Click(state, g.rowOffset + 1, g.colOffset + 3, requests);
    EXPECT_FALSE(requests.redraw || requests.counters || requests.controlStates);
    EXPECT_EQ(g.displayGrid, shownBefore);

    ASSERT_TRUE(door::LoadText(state, "#######\n#@ $ .#\n#######"));
    door::EnterEditMode(state);
    EXPECT_EQ(state.level.editor.editMode, EditMode::EDIT);
    state.level.board.status = LevelStatus::NONE;  // as the editor's verdict on a keeperless level
    door::LeaveEditMode(state, true);
    EXPECT_EQ(state.level.editor.editMode, EditMode::PLAY);
    EXPECT_EQ(door::Status(state), LevelStatus::PLAYABLE);
    door::EnterEditMode(state);
    state.level.board.status = LevelStatus::BAD_LEVEL;
    door::LeaveEditMode(state, false);
    EXPECT_EQ(door::Status(state), LevelStatus::BAD_LEVEL);
}

TEST(CoreDoorTest, AResumedGameIsTheGameAsItWasLeft) {
    Core played;
    Core resumed;
    CoreState& a = *played.state;
    CoreState& b = *resumed.state;
    ASSERT_TRUE(door::LoadFileLevel(a, SAMPLES.c_str(), 2));
    ASSERT_TRUE(door::LoadFileLevel(b, SAMPLES.c_str(), 5));
    WindowRequests requests;
    std::uint32_t seed = 12345;
    for (int i = 0; i < 400; ++i) {
        seed = seed * 1103515245u + 12345u;
        door::StepKey(a, static_cast<int>(seed >> 16) % 4, requests);
        Settle(a);
    }
    for (int i = 0; i < 3; ++i) {
        door::Undo(a, requests);
        Settle(a);
    }
    ASSERT_GT(a.game.history.end, a.game.history.cursor) << "the game needs a redo tail";
    ASSERT_GT(door::Totals(a).totalPushes, 0u) << "and pushes";
    const std::string letters(a.game.history.text.get(), a.game.history.end);
    const std::uint32_t cursor = a.game.history.cursor;

    // Come back to the level from another one, in the middle of an animation.
    ASSERT_TRUE(door::ShowFileLevel(b, SAMPLES.c_str(), 2));
    door::StepKey(b, 1, requests);
    ASSERT_TRUE(door::ResumeGame(b, letters.c_str(), cursor, requests));
    EXPECT_EQ(b.view.animMode, AnimMode::IDLE);
    ExpectSameGame(a, b);
    for (int i = 0; i < 2; ++i) {
        door::Redo(a, requests);
        door::Redo(b, requests);
        Settle(a);
        Settle(b);
        ExpectSameGame(a, b);
    }
    for (int i = 0; i < 6; ++i) {
        door::Undo(a, requests);
        door::Undo(b, requests);
        Settle(a);
        Settle(b);
        ExpectSameGame(a, b);
    }

    // A cursor past the letters stops at their end; letters that stop fitting end the game
    // there; the editor and a state without a level take nothing.
    ASSERT_TRUE(door::ResumeGame(b, letters.c_str(), 1u << 30, requests));
    EXPECT_EQ(b.game.history.cursor, b.game.history.end);
    EXPECT_FALSE(door::ResumeGame(b, (letters.substr(0, 5) + "X" + letters).c_str(), 9, requests));
    EXPECT_EQ(b.game.history.end, 5u);
    EXPECT_EQ(b.game.history.cursor, 5u);
    EXPECT_TRUE(CheckInvariants(b).Holds());
    Core fresh;
    EXPECT_FALSE(door::ResumeGame(*fresh.state, "r", 1, requests));
}

// The move letters and the solved position are each one rule of the core, which the progress
// store, the solver job, the Solver button and the bundled solver all ask.
TEST(CoreDoorTest, MoveLettersAndEveryBoxOnAGoalAreOneRule) {
    std::string taken;
    for (int byte = 0; byte < 256; ++byte)
        if (door::IsMoveLetter(static_cast<char>(byte))) taken += static_cast<char>(byte);
    EXPECT_EQ(taken, "DLRUdlru");

    Core core;
    CoreState& state = *core.state;
    WindowRequests requests;
    LoadText(state, "#####\n#@ *#\n#####");  // solved as it stands, with no push shown
    EXPECT_TRUE(door::EveryBoxOnAGoal(state));
    EXPECT_FALSE(door::SolvedOnScreen(state));

    LoadText(state, "#######\n#@$ .*#\n#######");
    EXPECT_FALSE(door::EveryBoxOnAGoal(state));  // one box on a goal is not every box
    ASSERT_TRUE(door::ImportMoves(state, "RR"));
    door::Redo(state, requests);
    Settle(state);
    EXPECT_TRUE(door::EveryBoxOnAGoal(state));
    EXPECT_TRUE(door::SolvedOnScreen(state));
    door::Undo(state, requests);
    Settle(state);
    EXPECT_FALSE(door::EveryBoxOnAGoal(state));
    EXPECT_FALSE(door::SolvedOnScreen(state));
}

}  // namespace
}  // namespace ruk::test
