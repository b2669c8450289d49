// CheckInvariants: a game played every way holds, and each kind of broken record is caught.
#include <gtest/gtest.h>

#include <string>

#include "core_door.h"
#include "core_invariants.h"
#include "test_files.h"

namespace ruk::test {
namespace {

// Two boxes in two rows, each pushed right onto its goal: "rRRR" and "llldRRR".
constexpr const char* ROOM =
    "########\n"
    "#@ $  .#\n"
    "#  $  .#\n"
    "########\n";
constexpr const char* SOLUTION = "rRRRllldRRR";

std::string Described(const InvariantCheck& check) {
    return std::to_string(check.breaks) +
           " break(s), first: " + (check.firstBreak ? check.firstBreak : "none");
}

// Runs the timers until the animation ends, checking after every tick.
void SettleChecked(CoreState& core, bool autoTimer = false) {
    for (int tick = 0; tick < 1000 && core.view.animMode != AnimMode::IDLE; ++tick) {
        WindowRequests requests;
        if (autoTimer)
            door::AutoPlayTick(core, requests);
        else
            door::StepTick(core, requests);
        const InvariantCheck check = CheckInvariants(core);
        ASSERT_TRUE(check.Holds()) << "tick " << tick << ": " << Described(check);
    }
    ASSERT_EQ(core.view.animMode, AnimMode::IDLE);
}

// The room with the whole solution in the history and the first action shown.
void PlayFirstAction(CoreState& core) {
    ASSERT_TRUE(door::LoadText(core, ROOM));
    ASSERT_TRUE(door::ImportMoves(core, SOLUTION));
    WindowRequests requests;
    door::Redo(core, requests);
    SettleChecked(core);
    ASSERT_EQ(door::Shown(core).shownPushes, 3);
    ASSERT_LT(core.game.history.cursor, core.game.history.end);
}

TEST(CoreInvariantsTest, AGamePlayedEveryWayHolds) {
    Core core;
    CoreState& state = *core.state;
    EXPECT_TRUE(CheckInvariants(state).Holds()) << "a fresh state";
    ASSERT_NO_FATAL_FAILURE(PlayFirstAction(state));

    // A box selected, its overlay filled; then mid-animation steps of undo, auto-play and a
    // redo stepped by the action timer.
    const int box = door::Shown(state).boxList[1] == 19 ? 19 : door::Shown(state).boxList[0];
    const GridCell g = BoardToGrid(state.level.board, state.level.grids, box);
    WindowRequests requests;
    door::Click(state, g.row, g.col, requests);
    ASSERT_TRUE(state.view.boxSelected);
    EXPECT_TRUE(CheckInvariants(state).Holds()) << Described(CheckInvariants(state));
    door::Undo(state, requests);
    SettleChecked(state);
    EXPECT_EQ(door::Shown(state).shownMoves, 0);
    door::AutoPlay(state, requests);
    SettleChecked(state);
    EXPECT_TRUE(door::Totals(state).solved);
    door::Restart(state, requests);
    EXPECT_TRUE(CheckInvariants(state).Holds()) << Described(CheckInvariants(state));
    state.view.instantMove = true;
    WindowRequests autoRequests;
    door::AutoPlay(state, autoRequests);
    ASSERT_TRUE(autoRequests.startAutoTimer);
    SettleChecked(state, true);
    EXPECT_EQ(door::Shown(state).shownPushes, 6);

    // A text that is no level, and the editor open on a game whose level did play.
    door::LoadText(state, "no level here");
    EXPECT_TRUE(CheckInvariants(state).Holds()) << Described(CheckInvariants(state));
    ASSERT_NO_FATAL_FAILURE(PlayFirstAction(state));
    state.level.editor.editMode = EditMode::EDIT;
    state.level.editor.statusBeforeEdit = state.level.board.status;
    state.level.board.status = LevelStatus::BAD_LEVEL;  // the editor's verdict on its grid
    EXPECT_TRUE(CheckInvariants(state).Holds()) << Described(CheckInvariants(state));
    --state.game.shown.shownMoves;
    EXPECT_FALSE(CheckInvariants(state).Holds()) << "the game is still checked in the editor";
}

TEST(CoreInvariantsTest, EachBrokenRecordIsCaught) {
    struct Case {
        const char* name;
        void (*breakIt)(CoreState&);
        const char* rule;  // a piece of the first broken rule's text
    };
    const Case cases[] = {
        {"cursor past the text",
         [](CoreState& s) { s.game.history.cursor = s.game.history.end + 1; }, "cursor"},
        {"a box missing from the list", [](CoreState& s) { --s.game.shown.boxListCount; },
         "missing from the box list"},
        {"a listed box on a free cell", [](CoreState& s) { s.game.shown.boxList[0] = 10; },
         "cell with no box"},
        {"a box listed twice",
         [](CoreState& s) { s.game.shown.boxList[0] = s.game.shown.boxList[1]; }, "twice"},
        {"the pushes counter off", [](CoreState& s) { ++s.game.shown.shownPushes; },
         "shown pushes"},
        {"the actions counter off", [](CoreState& s) { --s.game.shown.shownActions; },
         "shown actions"},
        {"the result totals off", [](CoreState& s) { ++s.game.totals.totalActions; },
         "result totals"},
        {"a stale target flag", [](CoreState& s) { s.view.targets.targetFlag[60] = 1; },
         "target flag"},
        {"a stale side marker",
         [](CoreState& s) { s.level.grids.displayGrid[GridIndex(0, 0)] |= 2u << MARKER_SHIFT; },
         "marker bits"},
        {"the keeper on a box", [](CoreState& s) { s.game.shown.keeperCell = 14; },
         "not on a free cell"},
    };
    for (const Case& c : cases) {
        Core core;
        CoreState& state = *core.state;
        ASSERT_NO_FATAL_FAILURE(PlayFirstAction(state));
        ASSERT_TRUE(CheckInvariants(state).Holds()) << c.name;
        c.breakIt(state);
        const InvariantCheck check = CheckInvariants(state);
        ASSERT_FALSE(check.Holds()) << c.name;
        EXPECT_NE(std::string(check.firstBreak).find(c.rule), std::string::npos)
            << c.name << ": " << Described(check);
    }

    // At the history's end the recording side is the shown position.
    Core core;
    CoreState& state = *core.state;
    ASSERT_TRUE(door::LoadText(state, ROOM));
    WindowRequests requests;
    door::WalkTo(state, 10, requests);
    ASSERT_NO_FATAL_FAILURE(SettleChecked(state));
    ASSERT_EQ(state.game.history.cursor, state.game.history.end);
    state.game.planBoard[11] = 0;
    const InvariantCheck check = CheckInvariants(state);
    EXPECT_NE(std::string(check.firstBreak ? check.firstBreak : "").find("recording side"),
              std::string::npos)
        << Described(check);
}

}  // namespace
}  // namespace ruk::test
