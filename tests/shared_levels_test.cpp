// Real collections: the public files beside the project and our own samples open with their
// known counts, sizes and statuses, and read the same Boards forward and backward.
#include <gtest/gtest.h>

#include <algorithm>

#include "board/level_file.h"
#include "test_files.h"

namespace ruk::test {
namespace {

struct Collection {
    const char* file;
    int levels;
    int maxWidth;
    int maxHeight;
    int maxBoxes;
    int manyBoxes;  // levels with more than 64 boxes
};

void PrintTo(const Collection& c, std::ostream* out) {
    *out << c.file;
}

class SharedLevelsTest : public ::testing::TestWithParam<Collection> {};

TEST_P(SharedLevelsTest, OpensWithItsKnownFiguresBothWays) {
    const Collection& c = GetParam();
    const std::string path = SharedLevelFile(c.file);
    if (path.empty()) GTEST_SKIP() << "shared level collections are not beside the project";
    Core core;
    LevelModel& model = *core.level;
    ASSERT_TRUE(OpenLevelFile(model, path.c_str()));
    ASSERT_EQ(model.levelSet.count, c.levels);
    int maxWidth = 0;
    int maxHeight = 0;
    int maxBoxes = 0;
    int manyBoxes = 0;
    std::vector<std::uint64_t> forward;
    for (int n = 1; n <= c.levels; ++n) {
        ASSERT_TRUE(SelectLevel(model, n));
        const Board& b = model.board;
        maxWidth = std::max(maxWidth, b.width);
        maxHeight = std::max(maxHeight, b.height);
        maxBoxes = std::max(maxBoxes, b.boxCount);
        const bool many = b.boxCount > MAX_GOAL_BOXES;
        manyBoxes += many;
        EXPECT_EQ(b.status, many ? LevelStatus::MANY_BOXES : LevelStatus::PLAYABLE) << n;
        EXPECT_EQ(b.cells[b.keeperStart] & KEEPER, KEEPER) << n;
    }
    forward = VisitForward(model);
    EXPECT_EQ(FirstBackwardMismatch(model, forward), 0);
    EXPECT_EQ(maxWidth, c.maxWidth);
    EXPECT_EQ(maxHeight, c.maxHeight);
    EXPECT_EQ(maxBoxes, c.maxBoxes);
    EXPECT_EQ(manyBoxes, c.manyBoxes);
}

INSTANTIATE_TEST_SUITE_P(Collections, SharedLevelsTest,
                         ::testing::Values(Collection{"original-90.txt", 90, 20, 17, 34, 0},
                                           Collection{"microban-155.txt", 155, 30, 17, 16, 0},
                                           Collection{"large-sasquatch-viii.txt", 50, 43, 43, 480,
                                                      8},
                                           Collection{"large-microban-iv.txt", 102, 49, 44, 26, 0},
                                           Collection{"dries-696.txt", 696, 12, 12, 10, 0}),
                         [](const auto& info) {
                             std::string name = info.param.file;
                             name = name.substr(0, name.find('.'));
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST(SampleLevelsTest, OurCollectionIsPlayableAndCoversSmallToLarge) {
    Core core;
    LevelModel& model = *core.level;
    const std::string path = std::string(RUK_SAMPLE_LEVELS) + "/ruk-samples.txt";
    ASSERT_TRUE(OpenLevelFile(model, path.c_str()));
    EXPECT_GE(model.levelSet.count, 20);
    EXPECT_STREQ(model.levelSet.name.data(), "ruk-samples");
    int maxWidth = 0;
    int maxBoxes = 0;
    for (int n = 1; n <= model.levelSet.count; ++n) {
        ASSERT_TRUE(SelectLevel(model, n));
        const Board& b = model.board;
        EXPECT_TRUE(b.status == LevelStatus::PLAYABLE || b.status == LevelStatus::MANY_BOXES)
            << "level " << n << " is " << LevelStatusName(b.status);
        maxWidth = std::max(maxWidth, b.width);
        maxBoxes = std::max(maxBoxes, b.boxCount);
    }
    EXPECT_GE(maxWidth, 40);
    EXPECT_GT(maxBoxes, MAX_GOAL_BOXES);
    EXPECT_EQ(FirstBackwardMismatch(model, VisitForward(model)), 0);
}

}  // namespace
}  // namespace ruk::test
