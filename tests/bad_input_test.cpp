// Bad input: random bytes, byte-order marks, tabs, NUL bytes, odd line ends. Nothing crashes,
// every file reads the same Boards forward and backward, and lines that are not rows separate.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include <sys/stat.h>

#include "board/level_file.h"
#include "board/text_level_parser.h"
#include "test_files.h"

namespace ruk::test {
namespace {

class BadInputTest : public ::testing::Test {
  protected:
    TempDir dir;
    Core core;
    LevelModel& model = *core.level;

    bool Open(const std::string& bytes) {
        return OpenLevelFile(model, dir.Write("bad.txt", bytes).c_str());
    }
    void ExpectConsistent(const std::string& what) {
        const auto forward = VisitForward(*core.level);
        EXPECT_EQ(static_cast<int>(forward.size()), model.levelSet.count) << what;
        EXPECT_EQ(FirstBackwardMismatch(model, forward), 0) << what;
    }
};

const std::string kLevel = "#####\n#@$.#\n#####\n";

TEST_F(BadInputTest, RandomBytesAndMutatedLevelsStayConsistent) {
    std::mt19937 rng(3);
    const std::string alphabet = std::string("# $.*@+-_\r\n\t;\0x", 15);
    for (int round = 0; round < 40; ++round) {
        std::string bytes;
        const int size = std::uniform_int_distribution<int>(0, 30000)(rng);
        const bool binary = round % 2 == 0;
        for (int i = 0; i < size; ++i) {
            bytes += binary ? static_cast<char>(rng() & 0xff) : alphabet[rng() % alphabet.size()];
            if (!binary && rng() % 300 == 0) bytes += kLevel;
        }
        if (Open(bytes)) ExpectConsistent("round " + std::to_string(round));
    }
}

TEST_F(BadInputTest, ForeignBytesSeparateBlocks) {
    // A byte-order mark before the first row makes that row a separator.
    ASSERT_TRUE(Open("\xEF\xBB\xBF#####\n#####\n#@$.#\n#####\n"));
    EXPECT_EQ(model.board.height, 3);
    // A tab or a NUL inside a row ends the block there; the rest is still found.
    ASSERT_TRUE(Open("#####\n#@$.#\t\n#####\n\n" + kLevel));
    EXPECT_EQ(model.levelSet.count, 1);
    ASSERT_TRUE(Open(std::string("#####\n#@$.#\0\n#####\n\n", 20) + kLevel));
    EXPECT_EQ(model.levelSet.count, 1);
    // A NUL in a comment between levels does not end the file.
    ASSERT_TRUE(Open(kLevel + std::string("; \0 comment\n", 12) + "\n" + kLevel));
    EXPECT_EQ(model.levelSet.count, 2);
    ExpectConsistent("nul in a comment");
    // NUL bytes in the Text dialog end nothing either: the text ends at its zero byte.
    CopyText(model.levelSet.sourceText, "\t\n#####\n#@$.#\n#####\nend\t");
    EXPECT_TRUE(ParseTextLevel(model));
    EXPECT_EQ(model.board.status, LevelStatus::PLAYABLE);
}

TEST_F(BadInputTest, OversizedRowsAndRowCounts) {
    std::string longRow = "#@$." + std::string(200, ' ') + "#\n";
    ASSERT_TRUE(Open("#####\n" + longRow + "#####\n"));
    EXPECT_EQ(model.board.status, LevelStatus::SIZE_OVER);
    EXPECT_EQ(model.board.width, 205);
    std::string tall = kLevel;
    for (int r = 0; r < 300; ++r) tall += "#   #\n";
    ASSERT_TRUE(Open(tall));
    EXPECT_EQ(model.board.status, LevelStatus::SIZE_OVER);
    EXPECT_EQ(model.board.height, 303);
    EXPECT_EQ(model.board.cellCount, 250);
}

TEST_F(BadInputTest, PipesAndDevicesAreRefusedWithoutWaiting) {
    ASSERT_TRUE(Open(kLevel));
    const std::string pipe = dir.Path("pipe");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(OpenLevelFile(model, pipe.c_str())) << "a pipe would block the reader";
    EXPECT_FALSE(OpenLevelFile(model, "/dev/zero"));
    EXPECT_FALSE(OpenLevelFile(model, dir.Path("").c_str())) << "a directory";
    EXPECT_EQ(model.levelSet.count, 1);
    EXPECT_EQ(model.board.width, 5);
}

TEST_F(BadInputTest, UnreadableFileFailsWithNothingChanged) {
    ASSERT_TRUE(Open(kLevel));
    const std::string locked = dir.Write("locked.txt", kLevel + kLevel);
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    if (std::FILE* probe = std::fopen(locked.c_str(), "rb")) {
        std::fclose(probe);
        GTEST_SKIP() << "running with rights that read any file";
    }
    EXPECT_FALSE(OpenLevelFile(model, locked.c_str()));
    EXPECT_EQ(model.levelSet.count, 1);
}

}  // namespace
}  // namespace ruk::test
