// The sliding window: big generated files, bytes read per step, Jump, long lines and blocks,
// files that change under the reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <random>

#include "board/board_checksum.h"
#include "board/level_file.h"
#include "level_generator.h"
#include "test_files.h"

namespace ruk::test {
namespace {

class LevelWindowTest : public ::testing::Test {
  protected:
    TempDir dir;
    Core core;
    LevelModel& model = *core.level;
};

TEST_F(LevelWindowTest, BigFileStepsReadOnlyTheHalvesTheySlideAndJumpAgrees) {
    gen::GeneratorOptions options;
    options.seed = 7;
    options.levels = 2000;
    options.minBytes = 1100000;
    options.lineEnds = gen::LineEnds::MIXED;
    gen::GeneratorResult written;
    const std::string path = dir.Path("big.txt");
    ASSERT_TRUE(gen::WriteLevelFile(path.c_str(), options, written));
    ASSERT_GT(written.bytes, 1000000);
    ASSERT_TRUE(OpenLevelFile(model, path.c_str()));
    ASSERT_EQ(model.levelSet.count, written.levels);
    ASSERT_GE(model.levelSet.count, 2000);

    std::vector<std::uint64_t> forward;
    const LevelWindow& w = model.levelSet.window;
    for (int n = 1; n <= model.levelSet.count; ++n) {
        const auto before = w.bytesRead;
        ASSERT_TRUE(SelectLevel(model, n));
        ASSERT_LE(w.bytesRead - before, static_cast<std::uint64_t>(WINDOW_HALF)) << n;
        forward.push_back(BoardChecksum(model.board));
    }
    for (int n = model.levelSet.count - 1; n >= 1; --n) {
        const auto before = w.bytesRead;
        ASSERT_TRUE(SelectLevel(model, n));
        ASSERT_LE(w.bytesRead - before, static_cast<std::uint64_t>(WINDOW_HALF)) << n;
        ASSERT_EQ(BoardChecksum(model.board), forward[n - 1]) << n;
    }

    std::mt19937 rng(11);
    std::vector<int> jumps(50);
    for (int& n : jumps) n = std::uniform_int_distribution<int>(1, model.levelSet.count)(rng);
    for (int n : jumps) {
        const auto before = w.bytesRead;
        ASSERT_TRUE(SelectLevel(model, n));
        EXPECT_EQ(model.levelSet.current, n);
        EXPECT_EQ(BoardChecksum(model.board), forward[n - 1]) << n;
        EXPECT_LE(w.bytesRead - before, static_cast<std::uint64_t>(written.bytes + WINDOW_SIZE))
            << "a jump walks level by level, reading each half about once";
    }
}

TEST_F(LevelWindowTest, LongSeparatorsNeverEndTheScan) {
    const std::string level = "#####\n#@$.#\n#####\n";
    std::string text = level;
    text += "; " + std::string(23000, 'x') + "\n";  // a comment longer than the window
    text += std::string(30000, '\n');               // a long run of blank lines
    text += std::string(12000, ' ') + "\n";         // a line of spaces (no wall)
    text += std::string(7000, '\r') + "\r\n";
    text += level;
    text += std::string(5003, '-') + "\n" + level;  // a floor-only line longer than a half
    const std::string path = dir.Write("long.txt", text);
    ASSERT_TRUE(OpenLevelFile(model, path.c_str()));
    EXPECT_EQ(model.levelSet.count, 3);
    const auto forward = VisitForward(model);
    EXPECT_EQ(forward.size(), 3u);
    EXPECT_EQ(FirstBackwardMismatch(model, forward), 0);
}

TEST_F(LevelWindowTest, LongBlocksAreReadWholeInBothDirections) {
    // Rows with long trailing floor: a 5 x 3 level spread over 12,000 bytes.
    const std::string pad(4000, ' ');
    const std::string longFlat = "#####" + pad + "\n#@$.#" + pad + "\n#####" + pad + "\n";
    // 60 rows of 100 characters: over 5,000 bytes and SIZE_OVER.
    std::string tall = std::string(100, '#') + "\n#@$." + std::string(95, ' ') + "#\n";
    for (int r = 0; r < 58; ++r) tall += "#" + std::string(98, ' ') + "#\n";
    const std::string small = "######\n#@ $.#\n######\n";
    const std::string text = "; start\n" + std::string(4990, ';') + "\n" + longFlat + "\n" + small +
                             "\n" + tall + "\n" + small + "\n" + longFlat;
    const std::string path = dir.Write("blocks.txt", text);
    ASSERT_TRUE(OpenLevelFile(model, path.c_str()));
    ASSERT_EQ(model.levelSet.count, 5);
    EXPECT_EQ(model.board.width, 5);
    EXPECT_EQ(model.board.height, 3);
    EXPECT_EQ(model.board.status, LevelStatus::PLAYABLE);
    const auto forward = VisitForward(model);
    ASSERT_EQ(forward.size(), 5u);
    EXPECT_EQ(FirstBackwardMismatch(model, forward), 0);
    ASSERT_TRUE(SelectLevel(model, 3));
    EXPECT_EQ(model.board.status, LevelStatus::SIZE_OVER);
    EXPECT_EQ(model.board.height, 60);
    EXPECT_EQ(model.board.width, 100);
    ASSERT_TRUE(SelectLevel(model, 5));
    EXPECT_EQ(BoardChecksum(model.board), forward[0]);
    for (int n : {2, 5, 1, 4, 3, 1}) {
        ASSERT_TRUE(SelectLevel(model, n));
        EXPECT_EQ(BoardChecksum(model.board), forward[n - 1]) << n;
    }
}

TEST_F(LevelWindowTest, ALineOverTheLongestRowIsNoRowInEitherDirection) {
    const std::string level = "#####\n#@$.#\n#####\n";
    // Walls alone, one byte over the longest row, then many windows long: neither joins the
    // level above it. A row of exactly the longest length still is one.
    std::string text = level + std::string(MAX_ROW_LENGTH + 1, '#') + "\n";
    text += level + std::string(25 * WINDOW_SIZE + 7, '#') + "\r\n";
    text += "#####\n#@$.#\n#####" + std::string(MAX_ROW_LENGTH - 5, ' ') + "\n";
    text += std::string(3 * WINDOW_SIZE, '#');
    const std::string path = dir.Write("long-rows.txt", text);
    ASSERT_TRUE(OpenLevelFile(model, path.c_str()));
    ASSERT_EQ(model.levelSet.count, 3);
    const auto forward = VisitForward(model);
    ASSERT_EQ(forward.size(), 3u);
    EXPECT_EQ(FirstBackwardMismatch(model, forward), 0);
    for (int n : {1, 2, 3}) {
        ASSERT_TRUE(SelectLevel(model, n));
        EXPECT_EQ(model.board.status, LevelStatus::PLAYABLE) << n;
        EXPECT_EQ(model.board.width, 5) << n;
        EXPECT_EQ(model.board.height, 3) << n;
        EXPECT_EQ(BoardChecksum(model.board), forward[0]) << n;
    }
}

TEST_F(LevelWindowTest, RemovedOrShortenedFileKeepsTheShownLevel) {
    const std::string level = "#####\n#@$.#\n#####\n";
    const std::string gap = std::string(25000, '\n');
    const std::string text = level + gap + level + gap + "######\n#@ $.#\n######\n";
    for (const bool remove : {true, false}) {
        const std::string path = dir.Write("changing.txt", text);
        ASSERT_TRUE(OpenLevelFile(model, path.c_str()));
        ASSERT_EQ(model.levelSet.count, 3);
        ASSERT_TRUE(SelectLevel(model, 2));
        const auto sum = BoardChecksum(model.board);
        if (remove)
            std::filesystem::remove(path);
        else
            std::filesystem::resize_file(path, level.size() + gap.size() + level.size() + 10);
        EXPECT_FALSE(SelectLevel(model, 3)) << remove;
        EXPECT_EQ(model.levelSet.current, 2);
        EXPECT_EQ(BoardChecksum(model.board), sum);
        EXPECT_EQ(model.board.status, LevelStatus::PLAYABLE);
        // Level 1 lies outside the window too: gone with the file, still there when shortened.
        EXPECT_EQ(SelectLevel(model, 1), !remove);
        EXPECT_EQ(model.levelSet.current, remove ? 2 : 1);
    }
}

}  // namespace
}  // namespace ruk::test
