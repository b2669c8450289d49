// The Text-dialog level: where it starts and ends, its rows, and its acceptance rules.
#include <gtest/gtest.h>

#include "board/text_level_parser.h"
#include "test_files.h"

namespace ruk::test {
namespace {

class TextLevelTest : public ::testing::Test {
  protected:
    Core core;
    LevelModel& model = *core.level;

    bool Parse(const std::string& text) {
        CopyText(model.levelSet.sourceText, text.c_str());
        return ParseTextLevel(model);
    }
};

TEST_F(TextLevelTest, TitleSkippedAndLevelRead) {
    EXPECT_TRUE(Parse("\r\n\nTitle: my level\r\n#####\r\n#@$.#\r\n#####"));
    EXPECT_STREQ(model.levelSet.name.data(), "Text");
    EXPECT_EQ(model.levelSet.count, 1);
    EXPECT_EQ(model.levelSet.current, 1);
    EXPECT_EQ(model.board.status, LevelStatus::PLAYABLE);
    EXPECT_EQ(BoardRows(model.board), (std::vector<std::string>{"#####", "#@$.#", "#####"}));
    EXPECT_EQ(model.board.keeperStart, 6);
}

TEST_F(TextLevelTest, OnlyCommentsGiveNothing) {
    EXPECT_FALSE(Parse("; just a comment\nAnother line.\n"));
    EXPECT_EQ(model.levelSet.count, 0);
    EXPECT_EQ(model.board.status, LevelStatus::NONE);
    EXPECT_EQ(model.board.width, 0);
    EXPECT_EQ(model.board.height, 0);
    EXPECT_FALSE(Parse(""));
}

TEST_F(TextLevelTest, EmptyLinesAndLinesWithoutWallsAreRows) {
    const std::string level = "#####\n#@$.#\n#####";
    EXPECT_TRUE(Parse(level + "\n"));
    EXPECT_EQ(model.board.height, 3);
    EXPECT_TRUE(Parse(level + "\n\n"));
    EXPECT_EQ(model.board.height, 4) << "each further empty line adds a row";
    EXPECT_TRUE(Parse("  #####\n   \n#@$.#\n#####\n; end\n#####\n"));
    EXPECT_EQ(model.board.height, 4);
    EXPECT_EQ(model.board.width, 7);
    EXPECT_EQ(model.board.status, LevelStatus::BAD_LEVEL) << "open: the blank row leads out";
}

TEST_F(TextLevelTest, AcceptanceRules) {
    struct Case {
        const char* text;
        LevelStatus status;
    };
    const Case cases[] = {
        {"#####\n#@$.#\n#####", LevelStatus::PLAYABLE},
        {"@####\n#$. #\n#####", LevelStatus::BAD_LEVEL},     // keeper in the first cell
        {"#####\n#$..#\n#####", LevelStatus::BAD_LEVEL},     // no keeper
        {"#####\n#@@$.#\n######", LevelStatus::BAD_LEVEL},   // two keepers
        {"#####\n#@ .#\n#####", LevelStatus::BAD_LEVEL},     // no box
        {"######\n#@$..#\n######", LevelStatus::BAD_LEVEL},  // boxes differ from goals
        {"#####\n#@$.#", LevelStatus::BAD_LEVEL},            // two rows
        {"##\n@$\n.#", LevelStatus::BAD_LEVEL},              // two columns
        {"#####\n#@$. \n#####", LevelStatus::BAD_LEVEL},     // open
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(Parse(c.text));
        EXPECT_EQ(model.board.status, c.status) << c.text;
        EXPECT_EQ(model.levelSet.count, 1) << "the one level always counts";
    }
}

TEST_F(TextLevelTest, OversizedLevelIsSizeOverAndStoredCut) {
    std::string text = std::string(52, '#') + "\n";
    text += "#@$." + std::string(47, ' ') + "#\n";
    for (int r = 0; r < 50; ++r) text += "#\n";
    EXPECT_TRUE(Parse(text));
    EXPECT_EQ(model.board.status, LevelStatus::SIZE_OVER);
    EXPECT_EQ(model.board.width, 52);
    EXPECT_EQ(model.board.height, 52);
    EXPECT_EQ(model.board.cellCount, 2500);
    EXPECT_EQ(model.board.keeperStart, 51);
}

TEST_F(TextLevelTest, ManyBoxesStillTestedForClosedness) {
    std::string text = "###############\n";
    for (int r = 0; r < 13; ++r) text += "#$$$$$.....   #\n";
    text += "#@             \n###############\n";
    EXPECT_TRUE(Parse(text));
    EXPECT_EQ(model.board.status, LevelStatus::BAD_LEVEL);
    text[text.size() - 18] = '#';
    EXPECT_TRUE(Parse(text));
    EXPECT_EQ(model.board.status, LevelStatus::MANY_BOXES);
}

}  // namespace
}  // namespace ruk::test
