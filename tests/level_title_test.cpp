// Level titles: which line gives a level its title, in every line-end style, around window
// slides and beyond the window, and the same whichever way the level is reached.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "board/level_file.h"
#include "board/level_title.h"
#include "board/text_level_parser.h"
#include "core_door.h"
#include "level_generator.h"
#include "test_files.h"

namespace ruk::test {
namespace {

std::string WithLineEnds(const std::string& text, const std::string& end) {
    std::string out;
    for (char ch : text) {
        if (ch == '\n')
            out += end;
        else
            out += ch;
    }
    return out;
}

// The title of every level: forward, backward and in a shuffled jump order; the three must
// agree, and the forward list is returned.
std::vector<std::string> TitlesEveryWay(LevelModel& model, const std::string& where) {
    const int count = model.levelSet.count;
    std::vector<std::string> forward;
    for (int n = 1; n <= count; ++n) {
        EXPECT_TRUE(SelectLevel(model, n)) << where << " level " << n;
        forward.emplace_back(model.levelSet.title.data());
    }
    for (int n = count; n >= 1; --n) {
        EXPECT_TRUE(SelectLevel(model, n)) << where << " level " << n;
        EXPECT_EQ(model.levelSet.title.data(), forward[n - 1]) << where << " back to " << n;
    }
    std::vector<int> order(static_cast<std::size_t>(count));
    for (int n = 1; n <= count; ++n) order[n - 1] = n;
    std::shuffle(order.begin(), order.end(), std::mt19937(5));
    order.resize(std::min<std::size_t>(order.size(), 40));  // a jump walks level by level
    for (int n : order) {
        EXPECT_TRUE(SelectLevel(model, n)) << where << " level " << n;
        EXPECT_EQ(model.levelSet.title.data(), forward[n - 1]) << where << " jump to " << n;
    }
    return forward;
}

class LevelTitleTest : public ::testing::Test {
  protected:
    TempDir dir;
    Core core;
    LevelModel& model = *core.level;
};

TEST_F(LevelTitleTest, EachPlaceATitleComesFromInEveryLineEndStyle) {
    const std::string a = "#####\n#@$.#\n#####\n";
    const std::string b = "######\n#@ $.#\n######\n";
    const std::string longComment(12000, 'x');  // longer than the whole window
    const std::string longTitle(20000, 'y');
    const std::string utf8Cut = std::string(126, 'a') + "\xc3\xa9\xc3\xa9";  // é across the cut
    const std::string text =
        "; Collection header\n\n"
        "; before, a blank line between\n\n" +
        a +
        "\n"
        "; 2\n" +
        b +
        "Title: After Wins\nAuthor: someone\n\n"
        "Title:   Just Before  \n" +
        a +
        "\n"
        "Author: someone\n\n" +
        b +
        "\n"  // no title: the line above is no comment
        "; " +
        longComment + "\n" + a + "\n" + b + "title: " + longTitle +
        "\n\n"
        "  ;;  spaced\tcomment  \n" +
        a +
        "\n"
        "Title: First Of Two\n" +
        b + "Title: Second Of Two\n" + a +
        "Title: Third\n\n"
        "; " +
        utf8Cut + "\n" + b +
        "\n"
        "; not a title: a blank comment follows\n;   \n" +
        a;
    const std::vector<std::string> expected = {"before, a blank line between",
                                               "After Wins",
                                               "Just Before",
                                               "",
                                               std::string(127, 'x'),
                                               std::string(127, 'y'),
                                               "spaced comment",
                                               "First Of Two",
                                               "Third",
                                               std::string(126, 'a'),
                                               "not a title: a blank comment follows"};
    // "Second Of Two" runs straight into the next block: a title before that block's own
    // wins; "Third" is the last block's own, after it.
    for (const char* end : {"\n", "\r\n", "\r"}) {
        const std::string path = dir.Write("titles.txt", WithLineEnds(text, end));
        ASSERT_TRUE(OpenLevelFile(model, path.c_str()));
        ASSERT_EQ(model.levelSet.count, static_cast<int>(expected.size()));
        EXPECT_EQ(TitlesEveryWay(model, "line end " + std::to_string(end[0] + end[1])), expected);
    }
}

TEST_F(LevelTitleTest, HugeLinesAndGapsNearABlockCutTheSearchNotTheLevels) {
    const std::string a = "#####\n#@$.#\n#####\n";
    const std::string text =
        "; far away\n" + std::string(TITLE_SCAN_LIMIT + 10, '\n') + a +  // beyond the search
        "\n; " + std::string(TITLE_SCAN_LIMIT + 10, 'z') + "\n" + a +    // its start too far
        "Title: " + std::string(TITLE_SCAN_LIMIT + 10, 't') + "\n" + a;  // cut after the block
    const std::string path = dir.Write("huge.txt", text);
    ASSERT_TRUE(OpenLevelFile(model, path.c_str()));
    ASSERT_EQ(model.levelSet.count, 3);
    EXPECT_EQ(TitlesEveryWay(model, "huge"),
              (std::vector<std::string>{"", std::string(127, 't'), ""}));
}

TEST_F(LevelTitleTest, GeneratedFileTitlesAgreeAcrossWindowSlides) {
    gen::GeneratorOptions options;
    options.seed = 3;
    options.levels = 600;
    options.minBytes = 300000;
    options.lineEnds = gen::LineEnds::MIXED;
    gen::GeneratorResult written;
    const std::string path = dir.Path("big.txt");
    ASSERT_TRUE(gen::WriteLevelFile(path.c_str(), options, written));
    ASSERT_TRUE(OpenLevelFile(model, path.c_str()));
    const auto titles = TitlesEveryWay(model, "generated");
    // Every block is headed by "; N" (sometimes with more): each level has its own number.
    int previous = 0;
    for (const std::string& title : titles) {
        const int number = std::atoi(title.c_str());
        EXPECT_GT(number, previous) << title;
        previous = number;
    }
}

TEST_F(LevelTitleTest, SharedCollectionsReadTheSameTitlesEveryWay) {
    const std::string folder = RUK_SHARED_LEVELS;
    if (!std::filesystem::is_directory(folder))
        GTEST_SKIP() << "shared level collections are not beside the project";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".txt") continue;
        if (!OpenLevelFile(model, entry.path().c_str())) continue;  // a solution file
        ++files;
        const auto titles = TitlesEveryWay(model, entry.path().filename().string());
        for (std::size_t i = 0; i < titles.size(); ++i)
            EXPECT_FALSE(titles[i].empty()) << entry.path() << " level " << i + 1;
        if (entry.path().filename() == "microban-155.txt") {
            EXPECT_EQ(titles.front(), "1");
            EXPECT_EQ(titles.back(), "155");
        }
    }
    EXPECT_GT(files, 0);
}

TEST_F(LevelTitleTest, TextLevelsHaveNoTitleAndAFailedOpenKeepsTheShownOne) {
    const std::string path = dir.Write("one.txt", "; Only\n#####\n#@$.#\n#####\n");
    ASSERT_TRUE(door::OpenLevelSet(*core.state, path.c_str()));
    EXPECT_STREQ(door::Title(*core.state), "Only");
    EXPECT_FALSE(door::OpenLevelSet(*core.state, dir.Path("missing.txt").c_str()));
    EXPECT_STREQ(door::Title(*core.state), "Only");
    door::LoadText(*core.state, "; Not shown\n#####\n#@$.#\n#####\n");
    EXPECT_STREQ(door::Title(*core.state), "");
    EXPECT_FALSE(model.levelSet.fromFile);
    ASSERT_TRUE(door::ReadLevel(*core.state, 1)) << "the one Text level, selected again";
    EXPECT_STREQ(door::Title(*core.state), "");
}

}  // namespace
}  // namespace ruk::test
