// The command line's FILE and LEVEL: the window shows that level exactly as File and Jump
// would, and a file or level it cannot show is reported once, leaving the window with no level.
#include <gtest/gtest.h>

#include "window_session.h"

namespace ruk::test {
namespace {

CommandLine Line(const std::string& file, const std::string& level = "") {
    std::vector<const char*> argv{"ruk", "--", file.c_str()};
    if (!level.empty()) argv.push_back(level.c_str());
    return ParseCommandLine(static_cast<int>(argv.size()), argv.data());
}

// Everything the player sees: caption, every control's text and state, and the board.
struct Seen {
    QString caption;
    std::vector<QString> texts;
    std::vector<bool> enabled;
    QImage board;
};
Seen Look(Session& s) {
    Seen seen{s.W().windowTitle(), {}, {}, s.W().ShownBoard()};
    for (int id = FIRST_CONTROL_ID; id <= LAST_CONTROL_ID; ++id) {
        seen.texts.push_back(s.W().ControlText(id));
        seen.enabled.push_back(s.W().Control(id)->isEnabled());
    }
    return seen;
}

void ExpectNoLevel(Session& s) {
    EXPECT_EQ(s.Core().level.levelSet.count, 0);
    EXPECT_EQ(s.Core().level.board.status, LevelStatus::NONE);
    EXPECT_EQ(s.W().windowTitle(), "RUK (Rukplayer) v2.2");
    EXPECT_FALSE(s.W().Control(ID_NEXT)->isEnabled());
}

TEST(CommandLineWindowTest, FileAndLevelShowAsFileThenJumpWould) {
    Session byHand;
    ASSERT_TRUE(byHand.Start());
    byHand.Open(SAMPLES);
    byHand.JumpTo("3");
    ASSERT_EQ(byHand.Level(), 3);

    Session launched;
    ASSERT_TRUE(launched.Start());
    launched.W().OpenFromCommandLine(Line(SAMPLES, "3"));
    EXPECT_TRUE(launched.prompts.shown.empty());
    EXPECT_EQ(launched.Level(), 3);
    EXPECT_EQ(launched.Core().level.board.status, LevelStatus::PLAYABLE);
    const Seen a = Look(byHand), b = Look(launched);
    EXPECT_EQ(b.caption, a.caption);
    EXPECT_EQ(b.texts, a.texts);
    EXPECT_EQ(b.enabled, a.enabled);
    EXPECT_TRUE(b.board == a.board);
    EXPECT_NE(b.caption.indexOf(" 3/"), -1) << b.caption.toStdString();

    // FILE alone is level 1; Next then steps on through the file as usual.
    Session first;
    ASSERT_TRUE(first.Start());
    first.W().OpenFromCommandLine(Line(SAMPLES));
    EXPECT_EQ(first.Level(), 1);
    first.Toggle(ID_NEXT);
    EXPECT_EQ(first.Level(), 2);
}

TEST(CommandLineWindowTest, AFileOrLevelThatCannotBeShownIsReportedAndNoLevelShown) {
    Session fresh, s;
    ASSERT_TRUE(fresh.Start());
    ASSERT_TRUE(s.Start());
    const std::string level = "#####\n#@$.#\n#####\n";
    const std::string twoLevels = s.dir.Write("two.sok", level + "\n" + level);
    const std::string noLevel = s.dir.Write("empty.xsb", "; nothing here\n");

    struct Case {
        std::string file, level, message;
    };
    for (const Case& c : std::vector<Case>{
             {twoLevels, "3",
              "There is no level 3 in\r\n" + twoLevels + "\r\n\r\nIt holds 2 levels."},
             {twoLevels, "junk", "Not a level number: junk"},
             {twoLevels, "0", "Not a level number: 0"},
             {noLevel, "", "No level can be read from\r\n" + noLevel},
             {s.dir.Path("missing.sok"), "1",
              "No level can be read from\r\n" + s.dir.Path("missing.sok")},
             {s.dir.Path(""), "", "No level can be read from\r\n" + s.dir.Path("")},
         }) {
        s.prompts.shown.clear();
        s.W().OpenFromCommandLine(Line(c.file, c.level));
        EXPECT_EQ(s.prompts.shown, (std::vector<Shown>{{"RUK", c.message, PromptIcon::ERROR}}))
            << c.file << " " << c.level;
        ExpectNoLevel(s);
        EXPECT_TRUE(s.W().ShownBoard() == fresh.W().ShownBoard()) << "the welcome screen";
    }
    // The player goes on: File opens a level as ever.
    s.Open(twoLevels);
    EXPECT_EQ(s.Level(), 1);
    EXPECT_EQ(s.Core().level.levelSet.count, 2);
    EXPECT_TRUE(s.W().Control(ID_NEXT)->isEnabled());
}

}  // namespace
}  // namespace ruk::test
