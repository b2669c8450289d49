// The player's command line: what it opens, what it prints instead, and what it refuses.
#include "launch/command_line.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace ruk {
namespace {

CommandLine Parse(std::initializer_list<const char*> args) {
    std::vector<const char*> argv{"ruk"};
    argv.insert(argv.end(), args);
    return ParseCommandLine(static_cast<int>(argv.size()), argv.data());
}

TEST(CommandLineTest, OperandsNameTheFileAndTheLevel) {
    const CommandLine none = Parse({});
    EXPECT_EQ(none.action, LaunchAction::RUN);
    EXPECT_EQ(none.file, "");
    EXPECT_EQ(none.level, 1);

    const CommandLine file = Parse({"levels/microban.sok"});
    EXPECT_EQ(file.action, LaunchAction::RUN);
    EXPECT_EQ(file.file, "levels/microban.sok");
    EXPECT_EQ(file.levelText, "");
    EXPECT_EQ(file.level, 1);

    const CommandLine both = Parse({"a b.xsb", "42"});
    EXPECT_EQ(both.action, LaunchAction::RUN);
    EXPECT_EQ(both.file, "a b.xsb");
    EXPECT_EQ(both.levelText, "42");
    EXPECT_EQ(both.level, 42);

    // After "--" a name that starts with '-' is a file; a lone "-" always is.
    const CommandLine dashed = Parse({"--", "-odd.sok", "3"});
    EXPECT_EQ(dashed.action, LaunchAction::RUN);
    EXPECT_EQ(dashed.file, "-odd.sok");
    EXPECT_EQ(dashed.level, 3);
    EXPECT_EQ(Parse({"-"}).file, "-");
}

TEST(CommandLineTest, AJunkLevelIsKeptForTheWindowToReport) {
    for (const char* junk :
         {"abc", "0", "-0", "+3", "3x", " 3", "", "1e3", "1000000000", "99999999999999999999"}) {
        const CommandLine line = Parse({"--", "f.sok", junk});
        EXPECT_EQ(line.action, LaunchAction::RUN) << junk;
        EXPECT_EQ(line.levelText, junk);
        EXPECT_EQ(line.level, 0) << junk;
    }
    EXPECT_EQ(ParseLevelNumber("007"), 7);
    EXPECT_EQ(ParseLevelNumber("999999999"), 999999999);
    EXPECT_EQ(ParseLevelNumber("0000000000001"), 1);
}

TEST(CommandLineTest, UnknownOptionsAndExtraOperandsAreRefused) {
    const CommandLine unknown = Parse({"f.sok", "--level=3"});
    EXPECT_EQ(unknown.action, LaunchAction::FAULT);
    EXPECT_NE(unknown.fault.find("'--level=3'"), std::string::npos) << unknown.fault;
    EXPECT_EQ(Parse({"-x"}).action, LaunchAction::FAULT);
    // A negative level is an option nobody knows, not a level.
    EXPECT_EQ(Parse({"f.sok", "-3"}).action, LaunchAction::FAULT);

    const CommandLine extra = Parse({"a.sok", "1", "2"});
    EXPECT_EQ(extra.action, LaunchAction::FAULT);
    EXPECT_FALSE(extra.fault.empty());
}

// --resume stands alone: with a FILE it would say two things at once.
TEST(CommandLineTest, ResumeTakesNoFile) {
    const CommandLine resume = Parse({"--resume"});
    EXPECT_EQ(resume.action, LaunchAction::RUN);
    EXPECT_TRUE(resume.resume);
    EXPECT_EQ(resume.file, "");
    EXPECT_FALSE(Parse({}).resume);
    for (const auto& args : {Parse({"--resume", "f.sok"}), Parse({"f.sok", "2", "--resume"}),
                             Parse({"--resume", "--", "f.sok"})}) {
        EXPECT_EQ(args.action, LaunchAction::FAULT);
        EXPECT_NE(args.fault.find("--resume"), std::string::npos) << args.fault;
    }
    EXPECT_EQ(Parse({"--resume", "--help"}).action, LaunchAction::HELP);
    const CommandLine file = Parse({"--", "--resume"});
    EXPECT_FALSE(file.resume);
    EXPECT_EQ(file.file, "--resume");
}

TEST(CommandLineTest, HelpAndVersionWinOverEverythingElse) {
    EXPECT_EQ(Parse({"--help"}).action, LaunchAction::HELP);
    EXPECT_EQ(Parse({"-h"}).action, LaunchAction::HELP);
    EXPECT_EQ(Parse({"f.sok", "2", "--help"}).action, LaunchAction::HELP);
    EXPECT_EQ(Parse({"--bogus", "--help"}).action, LaunchAction::HELP);
    EXPECT_EQ(Parse({"--version", "--help"}).action, LaunchAction::HELP);
    EXPECT_EQ(Parse({"--version"}).action, LaunchAction::VERSION);
    EXPECT_EQ(Parse({"a", "b", "c", "--version"}).action, LaunchAction::VERSION);
    // After "--" they are file names.
    const CommandLine file = Parse({"--", "--help"});
    EXPECT_EQ(file.action, LaunchAction::RUN);
    EXPECT_EQ(file.file, "--help");

    EXPECT_EQ(UsageText().rfind("Usage: ruk [FILE [LEVEL]]\n", 0), 0u);
    EXPECT_EQ(VersionText(), std::string("ruk ") + RUK_VERSION + "\nRUK (Rukplayer) v2.2\n");
}

}  // namespace
}  // namespace ruk
