// Plans written as text: the plans of one and two threads read back as PlanLanes makes them, and
// text that is not a plan changes nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plan_text.h"
#include "search_lanes.h"

namespace ruk {
namespace {

using pushbot::Phase;

std::string Describe(const std::vector<std::vector<Phase>>& lanes) {
    std::string text;
    for (const auto& lane : lanes) {
        text += "|";
        for (const Phase& p : lane)
            text += std::to_string(p.staged) + std::to_string(p.weight) +
                    std::to_string(p.byFeature) + std::to_string(p.share) +
                    std::to_string(static_cast<int>(p.macros)) +
                    std::to_string(p.guidance.packingOrder) + std::to_string(p.guidance.advisors) +
                    std::to_string(p.guidance.connectivity) + std::to_string(p.pull) + ",";
    }
    return text;
}

TEST(PushbotPlanText, ReadsThePlansOfOneAndTwoThreads) {
    std::vector<std::vector<Phase>> lanes;
    ASSERT_TRUE(pushbot::ReadPlan("P9f@0.1,P9@0.12,F1apvc@0.55,S3@0.3,F1lv", lanes));
    EXPECT_EQ(Describe(lanes), Describe(pushbot::PlanLanes(1, 3, true)));
    ASSERT_TRUE(pushbot::ReadPlan("F1apvc|P9f@0.15,P9@0.15,S3@0.3,F1lv@0.5,F1l", lanes));
    EXPECT_EQ(Describe(lanes), Describe(pushbot::PlanLanes(2, 3, true)));
    ASSERT_TRUE(pushbot::ReadPlan("B5", lanes));
    EXPECT_EQ(Describe(lanes), Describe({{Phase{false, 5, false, 1.0, {}, {}}}}));
    ASSERT_TRUE(pushbot::ReadPlan("P3f", lanes));
    EXPECT_TRUE(lanes[0][0].pull && lanes[0][0].byFeature && lanes[0][0].weight == 3);
    ASSERT_TRUE(pushbot::ReadPlan("F1r,F1o", lanes));
    EXPECT_TRUE(lanes[0][0].guidance.rooms && !lanes[0][0].guidance.roomAdvisor);
    EXPECT_TRUE(lanes[0][1].guidance.roomAdvisor && !lanes[0][1].guidance.rooms);
}

TEST(PushbotPlanText, TextThatIsNoPlanChangesNothing) {
    std::vector<std::vector<Phase>> lanes = {{Phase{}}};
    const std::string before = Describe(lanes);
    for (const char* text :
         {"", "F", "F0", "X1", "F1q", "F1f", "F1a@", "F1a@2", "F1,", "F1||S3", "F1@0.5x"})
        EXPECT_FALSE(pushbot::ReadPlan(text, lanes)) << text;
    EXPECT_EQ(Describe(lanes), before);
}

}  // namespace
}  // namespace ruk
