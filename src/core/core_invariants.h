// Rules the core's records keep between any two events, checked without changing anything.
#pragma once

#include "records/core_state.h"

namespace ruk {

// The outcome of one check: how many rules are broken and the text of the first broken one
// (a string literal, so that a check allocates nothing).
struct InvariantCheck {
    int breaks = 0;
    const char* firstBreak = nullptr;
    bool Holds() const { return breaks == 0; }
};

// Checks the records as they stand after any event the player can cause: a click, a command, a
// timer tick, a load, the editor. Always:
//   - the history cursor lies within its text, the text ends where `end` says and holds move
//     letters only;
//   - with no box selected, the target overlay is empty and no DisplayGrid cell has marker bits.
// When the game's level plays (PLAYABLE or BLOCKED; in the editor, the status the game had when
// the editor opened, since the editor's own verdict says nothing about the game):
//   - the keeper stands on a free cell of the position board, shown on the DisplayGrid there
//     and nowhere else;
//   - the box list holds each box of the position board exactly once, each shown as a box;
//   - the shown counters, keeper, facing and last push are those of the letters before the
//     cursor walked from the level's start;
//   - the result totals are those of the whole history (unless growing it failed);
//   - with the cursor at the history's end in a game not solved, the recording side (PlanBoard,
//     planKeeper) is the shown position.
// Mid-animation the shown position is the cursor's, not the history end's: each timer step
// moves the cursor and the shown position together, so the rules above hold between any two
// ticks. Nothing ties the shown position to the history end or to the animation target, and
// nothing is checked about them.
InvariantCheck CheckInvariants(const CoreState& core);

}  // namespace ruk
