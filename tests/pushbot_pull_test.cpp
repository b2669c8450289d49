// The pull search: its answers replay as solved, it never answers a room that has no answer, and
// neither the cells dead for pulling nor the boxes frozen for pulls cut a position that lies on
// a solution.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/solved_check.h"
#include "engine/urdl_parser.h"
#include "goal_distances.h"
#include "pull_freeze.h"
#include "pull_search.h"
#include "push_letters.h"
#include "pushbot_rooms.h"
#include "pushbot_search.h"
#include "search_lanes.h"
#include "small_solver.h"
#include "test_files.h"

namespace ruk {
namespace {

using test::SmallSolver;

const std::string SAMPLES = std::string(RUK_SAMPLE_LEVELS) + "/ruk-samples.txt";
constexpr std::size_t STORE_BYTES = 16u << 20;  // ends the search on rooms without an answer

// The pull search's answer for the level shown in core, as letters; false when it found none.
bool PullAnswer(const CoreState& state, int weight, bool byFeature, std::string& letters) {
    pushbot::LevelCells level;
    if (!pushbot::ReadLevelCells(state, level)) return false;
    pushbot::PullSearch search(level);
    search.Allocate(STORE_BYTES);
    search.Configure(weight, byFeature);
    std::vector<pushbot::PushStep> steps;
    // No deadline: the store's size ends it.
    if (search.Run(1e300, steps) != pushbot::SearchEnd::FOUND) return false;
    std::uint32_t pushes = 0;
    return pushbot::PushLetters(level, steps, letters, pushes);
}

bool ReplaysSolved(const std::string& text, const std::string& letters) {
    test::Core core;
    test::LoadText(*core.state, text);
    return ParseUrdl(*core.level, *core.game, letters.c_str()) &&
           SolvedTest(*core.level, *core.game, *core.scratch);
}

TEST(PushbotPull, AnswersReplayAsSolved) {
    const struct {
        int weight;
        bool byFeature;
    } variants[] = {{1, false}, {3, false}, {1, true}};
    // Sample levels, which need walks between the pulls and several keeper regions at the end,
    // and a corridor the box is pulled along in one move.
    std::vector<std::string> levels = {
        "##########\n#   ######\n#@ $    .#\n#   ######\n##########\n"};
    for (int n = 1; n <= 4; ++n) {
        test::Core core;
        ASSERT_TRUE(test::LoadLevel(*core.state, SAMPLES, n));
        levels.emplace_back();
        for (const std::string& row : test::BoardRows(core.level->board))
            levels.back() += row + "\n";
    }
    for (const std::string& text : levels) {
        test::Core core;
        test::LoadText(*core.state, text);
        std::string letters;
        ASSERT_TRUE(PullAnswer(*core.state, 3, false, letters)) << text;
        EXPECT_TRUE(ReplaysSolved(text, letters)) << text;
    }
    // Random rooms and lost positions of them: every one with an answer is answered in each
    // variant, none without.
    std::mt19937 rng(31);
    int solvable = 0, lost = 0;
    for (int rooms = 0; rooms < 100;) {
        const std::string room = test::PulledRoom(rng);
        SmallSolver solver(room);
        if (room.empty() || !solver.Explore(20000)) continue;
        const auto& all = solver.Positions();
        if (all.front().boxes == solver.Goals()) continue;  // solved as it stands
        ++rooms;
        std::vector<std::string> texts = {room};
        for (std::size_t i = 0; i < all.size(); i += 7) {
            if (!solver.CanSolve(static_cast<int>(i))) {
                texts.push_back(solver.Text(all[i].boxes, all[i].keeper));
                break;
            }
        }
        for (std::size_t t = 0; t < texts.size(); ++t) {
            test::Core core;
            test::LoadText(*core.state, texts[t]);
            for (const auto& variant : variants) {
                std::string letters;
                const bool found =
                    PullAnswer(*core.state, variant.weight, variant.byFeature, letters);
                EXPECT_EQ(found, t == 0) << "weight " << variant.weight << "\n" << texts[t];
                if (found) {
                    EXPECT_TRUE(ReplaysSolved(texts[t], letters)) << texts[t];
                }
            }
            (t == 0 ? solvable : lost)++;
        }
    }
    EXPECT_EQ(solvable, 100);
    EXPECT_GT(lost, 20);
}

// A position from which the room can be solved lies on a solution from the start, so the pull
// search must reach it: none of its boxes dead for pulling or frozen. (The bound by pulls is
// held against the known solutions, in pushbot_soundness_test.cpp.)
void CheckPullRules(const SmallSolver& solver, const std::string& text, int& checked) {
    test::RoomRules r;
    ASSERT_TRUE(r.Load(solver)) << text;
    pushbot::GoalDistances pulls;
    pulls.Build(r.level, pushbot::BoxMoves::PULLS);
    pushbot::PullFreeze freeze(r.level);
    const auto& all = solver.Positions();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (!solver.CanSolve(static_cast<int>(i))) continue;
        const std::string where = "\n" + solver.Text(all[i].boxes, all[i].keeper);
        const std::vector<std::uint16_t> boxes = r.Boxes(all[i].boxes);
        for (const std::uint16_t b : boxes)
            ASSERT_FALSE(pulls.Dead(b)) << "dead for pulling" << where;
        ASSERT_FALSE(freeze.Dead(boxes.data())) << "called frozen for pulls" << where;
        ++checked;
    }
}

TEST(PushbotPull, NoPullRuleCutsAPositionOnASolution) {
    std::mt19937 rng(5);
    int checked = 0;
    for (int rooms = 0; rooms < 200 && !HasFatalFailure();) {
        const std::string text = test::PulledRoom(rng);
        SmallSolver solver(text);
        if (text.empty() || !solver.Explore(20000) || !solver.Solvable()) continue;
        ++rooms;
        CheckPullRules(solver, text, checked);
    }
    EXPECT_GT(checked, 5000);
}

TEST(PushbotPull, RunsFirstInTheLanes) {
    // In the portfolio it runs first on one thread, on the second lane with more.
    EXPECT_TRUE(pushbot::PlanLanes(1, 3, true)[0].front().pull);
    EXPECT_TRUE(pushbot::PlanLanes(2, 3, true)[1].front().pull);
    EXPECT_FALSE(pushbot::PlanLanes(2, 3, true)[0].front().pull);
}

}  // namespace
}  // namespace ruk
