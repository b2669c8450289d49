// Deadlock proofs: every mechanism proves a crafted lost position and refuses the push that
// makes it; no known solution is ever called lost, nor any of its pushes dead.
#include <gtest/gtest.h>

#include "core_door.h"
#include "engine/urdl_parser.h"
#include "game_audit.h"
#include "planner/corral_search.h"
#include "planner/deadlock_checks.h"
#include "planner/start_position.h"
#include "planner/unsolvable_check.h"
#include "solved_rooms.h"
#include "test_files.h"

namespace ruk::test {
namespace {

class UnsolvableTest : public ::testing::Test {
  protected:
    Core core;
    CoreState& state = *core.state;

    void SetUp() override { state.level.grids.maxHeight = GRID_SIDE; }

    // Loads a level and plays moves through to the end; the check's answer there.
    int Check(const std::string& level, const std::string& moves = "") {
        door::LoadText(state, level.c_str());
        EXPECT_EQ(state.level.board.status, LevelStatus::PLAYABLE) << level;
        EXPECT_TRUE(ParseUrdl(state.level, state.game, moves.c_str())) << moves;
        tool::UnsolvableAtEnd(state);
        return UnsolvableCheck(state) == DeadVerdict::Dead ? 1 : 0;
    }
    // Whether the last push of moves is dead by IsDeadAfterPush, the keeper after it.
    DeadVerdict DeadLastPush(const std::string& level, const std::string& moves) {
        Check(level, moves);
        const char last = moves.back();
        const int d = std::string("URDL").find(last);
        const int box = state.game.shown.keeperCell + state.level.directions.stepOffset[d];
        return IsDeadAfterPush(state, state.game.shown.positionBoard.data(),
                               state.planner.goalMap.data(), box, state.game.shown.keeperCell);
    }
};

TEST_F(UnsolvableTest, EachMechanismProvesItsLostPosition) {
    // A box frozen off goal: pushed into a corner (along the top wall it could still slide).
    const std::string corner = "#######\n#   . #\n# $   #\n#  @  #\n#######";
    EXPECT_EQ(Check(corner), 0);
    EXPECT_EQ(Check(corner, "lU"), 0);
    EXPECT_EQ(Check(corner, "lUruL"), 1);
    EXPECT_EQ(DeadLastPush(corner, "lUruL"), DeadVerdict::Dead);

    // Two boxes frozen against each other along a wall.
    const std::string pair = "########\n#   .. #\n# $$   #\n#  @   #\n########";
    EXPECT_EQ(Check(pair, "U"), 0);
    EXPECT_EQ(Check(pair, "UdlU"), 1);
    EXPECT_EQ(DeadLastPush(pair, "UdlU"), DeadVerdict::Dead);

    // A box frozen on a goal in a corner seals the area below it, whose box is off goal. (One
    // push earlier the fence of that area is already a dead corral.)
    const std::string seal = "########\n#@ $  .#\n#    # #\n###### #\n####.$ #\n########";
    EXPECT_EQ(Check(seal), 0);
    EXPECT_EQ(Check(seal, "rRRR"), 1);
    EXPECT_EQ(DeadLastPush(seal, "rRRR"), DeadVerdict::Dead) << "by the closed-area test";
    EXPECT_EQ(Check(seal, "rR"), 1) << "by the corral search";

    // A Hall conflict: along the bottom wall both boxes can reach only the goal there.
    const std::string hall = "#########\n#   .   #\n#   @ $ #\n# $ .   #\n#########";
    EXPECT_EQ(Check(hall), 0);
    EXPECT_EQ(Check(hall, "urrD"), 1);
    EXPECT_EQ(DeadLastPush(hall, "urrD"), DeadVerdict::NotProven)
        << "not frozen: the assignment test refuses it";

    // A one-box corral: pushed into a doorway above an empty pocket.
    const std::string oneBox = "#######\n# @   #\n# $  .#\n## ####\n##  ###\n#######";
    EXPECT_EQ(Check(oneBox), 0);
    EXPECT_EQ(Check(oneBox, "D"), 1);
    EXPECT_EQ(DeadLastPush(oneBox, "D"), DeadVerdict::NotProven)
        << "not frozen: the corral check refuses it";
    ResetCorralTable(state, state.game.shown.positionBoard.data(), state.planner.goalMap.data(),
                     state.planner.goalReach.data());
    EXPECT_EQ(
        CorralCheck(state, state.game.shown.positionBoard.data(), state.game.shown.boxList.data(),
                    state.game.shown.boxListCount, 2 * 7 + 2 + 7, state.game.shown.keeperCell),
        DeadVerdict::Dead);

    // A two-box corral: the second box closes a doorway two cells wide.
    const std::string twoBox = "########\n# . @. #\n#   $  #\n###$ ###\n##    ##\n########";
    EXPECT_EQ(Check(twoBox), 0);
    EXPECT_EQ(Check(twoBox, "D"), 1);
}

TEST_F(UnsolvableTest, FencesAndAssignments) {
    // Nine boxes fence the pocket: more than a corral search takes, so no proof from it.
    std::string nine =
        "############\n#  .......@#\n#  ..      #\n# $$$$$$$$$#\n#          #\n############";
    door::LoadText(state, nine.c_str());
    ResetCorralTable(state, state.game.shown.positionBoard.data(), state.planner.goalMap.data(),
                     state.planner.goalReach.data());
    std::uint32_t marks[MAX_CELLS] = {};
    const int cells = state.level.board.cellCount;
    for (int i = 4 * 12 + 1; i < 4 * 12 + 11; ++i) marks[i] = 5;
    EXPECT_EQ(
        CorralSearch(state, state.game.shown.positionBoard.data(), state.game.shown.boxList.data(),
                     state.game.shown.boxListCount, state.game.shown.keeperCell, marks, 5),
        CorralVerdict::NotDead);
    (void)cells;

    // A fence one push can open is not dead.
    const std::string door = "#######\n# @   #\n# $  .#\n#  ####\n#   ###\n#######";
    EXPECT_EQ(Check(door, "D"), 0) << "the pocket now has a second way round";

    // The assignment test itself.
    const std::uint64_t masks[4] = {0b01, 0b01, 0b11, 0b10};
    const std::int32_t boxes[3] = {0, 1, 2};
    EXPECT_EQ(AssignmentTest(masks, boxes, 2), DeadVerdict::Dead)
        << "two boxes, one goal between them";
    const std::int32_t fine[2] = {0, 3};
    EXPECT_EQ(AssignmentTest(masks, fine, 2), DeadVerdict::NotProven);
    EXPECT_EQ(AssignmentTest(masks, boxes, 0), DeadVerdict::NotProven);
}

TEST_F(UnsolvableTest, SixtyFourBoxesTakeTheAssignmentPathMoreTheLiveMap) {
    auto level = [](int boxes, bool lost) {
        std::string text = "############\n";
        int placed = 0;
        for (int r = 0; r < 34; ++r) {
            std::string row = "#          #";
            for (int c = 2; c <= 6 && placed < boxes; c += 4, ++placed) {
                row[c] = '$';
                row[c + 1] = '.';
            }
            text += row + "\n";
        }
        text += "#@         #\n############\n";
        if (lost) text[13 + 1] = '$', text[13 + 4] = '.';  // a box in the top-left corner
        return text;
    };
    EXPECT_EQ(Check(level(64, false)), 0);
    EXPECT_FALSE(state.planner.manyBoxes);
    EXPECT_EQ(Check(level(66, false)), 0);
    EXPECT_TRUE(state.planner.manyBoxes);
    EXPECT_EQ(Check(level(66, true)), 1) << "a box in a corner, on the live-map path";
    EXPECT_TRUE(state.planner.manyBoxes);
}

TEST_F(UnsolvableTest, ABlockedLevelAfterRestartStillFollowsTheKeeper) {
    LoadText(state, "######\n#$ . #\n#@   #\n#.$  #\n######");
    RefreshUnsolvable(state);
    EXPECT_TRUE(state.planner.unsolvable) << "a box in a corner off goal";
    RestartRebuild(state);
    EXPECT_EQ(state.level.board.status, LevelStatus::BLOCKED);
    state.scratch.keeperReach.fill(0);
    RefreshUnsolvable(state);
    EXPECT_FALSE(state.planner.unsolvable);
    const GridCell keeper = BoardToGrid(state.level.board, state.level.grids, 13);
    EXPECT_EQ(state.scratch.keeperReach[GridIndex(keeper.row, keeper.col)], 1u);
}

TEST_F(UnsolvableTest, ASolvedPositionIsNeverLost) {
    EXPECT_EQ(Check("#######\n#@ $ .#\n#######", "rRR"), 0);
}

TEST_F(UnsolvableTest, NoKnownSolutionIsCalledLostNorAnyOfItsPushesDead) {
    // Our samples and random rooms with solutions found here keep the check biting where no
    // public collection is beside the project; with them it also runs theirs.
    TempDir dir;
    std::vector<SolvedCollection> collections = SolvedCollections();
    collections.push_back(WriteRoomCollection(dir, SolvedRandomRooms(16, 800)));
    int positions = 0;
    int pushes = 0;
    int ownPositions = 0;
    int ownPushes = 0;
    bool shared = false;
    for (const SolvedCollection& collection : collections) {
        shared = shared || collection.shared;
        for (const KnownSolution& known : ReadSolutions(collection.solutions)) {
            const std::string where =
                collection.solutions + " level " + std::to_string(known.level);
            ASSERT_TRUE(LoadLevel(state, collection.levels, known.level)) << where;
            ASSERT_TRUE(ParseUrdl(state.level, state.game, known.moves.c_str())) << where;
            const tool::AuditResult audit = tool::AuditGame(state);
            EXPECT_EQ(audit.unsolvableClaims, 0)
                << where << " first claim at move " << audit.firstClaimMove;
            EXPECT_EQ(audit.guardRefusals, 0)
                << where << " first refusal at move " << audit.firstRefusalMove;
            positions += audit.positions;
            if (!collection.shared) ownPositions += audit.positions;

            // Every push of the solution, with the keeper where it stands after it.
            ASSERT_TRUE(LoadLevel(state, collection.levels, known.level));
            auto board = state.game.shown.positionBoard;
            int keeper = state.game.shown.keeperCell;
            const auto& step = state.level.directions.stepOffset;
            for (std::size_t p = 0; p < known.moves.size(); ++p) {
                const char letter = known.moves[p];
                const int d = std::string("urdl").find(static_cast<char>(std::tolower(letter)));
                keeper += step[d];
                if (letter >= 'a') continue;
                board[keeper] = 0;
                board[keeper + step[d]] = BOX;
                const bool manyBoxes = state.game.shown.boxListCount > MAX_GOAL_LIST;
                EXPECT_EQ(IsDeadAfterPush(state, board.data(), state.planner.goalMap.data(),
                                          keeper + step[d], manyBoxes ? 0 : keeper),
                          DeadVerdict::NotProven)
                    << where << " push at move " << p;
                ++pushes;
                if (!collection.shared) ++ownPushes;
            }
        }
    }
    EXPECT_GT(ownPositions, 3000);
    EXPECT_GT(ownPushes, 4000);
    if (shared) {
        EXPECT_GT(positions, 3000);
        EXPECT_GT(pushes, 10000);
    }
}

}  // namespace
}  // namespace ruk::test
