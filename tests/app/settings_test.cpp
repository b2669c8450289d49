// The settings file: reading and rewriting ruk.ini without losing a byte, the options and solver
// settings it holds, bad files of every kind, and where the program keeps its files.
#include "settings/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "../test_files.h"
#include "settings/profile_file.h"
#include "settings/program_folder.h"

namespace ruk {
namespace {

namespace fs = std::filesystem;
using test::ReadWholeFile;
using test::TempDir;
using namespace std::string_literals;

std::string Folder(const TempDir& dir) {
    std::string path = dir.Path("");
    path.pop_back();
    return path;
}

std::string Get(const std::string& path, const char* section, const char* key, int width = 100) {
    return GetProfileString(path, section, key, "<none>", width);
}

// The settings as the numbers stored for them.
auto Fields(const SolverSettings& s) {
    return std::tuple(static_cast<int>(s.solverChoice), s.solverFileName, s.solverTimeLimit,
                      static_cast<int>(s.autoPlayWhenSolved));
}
auto Fields(int choice, const std::string& name, int time, int play) {
    return std::tuple(choice, name, time, play);
}

// Every name in dir, temporary files included.
std::vector<std::string> Listing(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

TEST(ProfileRead, WidthCutsTheValueAsACBufferWould) {
    TempDir dir;
    const std::string path = dir.Write("a.ini", "[S]\nN=10\nLONG=" + std::string(150, 'x') + "\n");
    EXPECT_EQ(Get(path, "S", "N", 2), "1");
    EXPECT_EQ(Get(path, "S", "N", 1), "");
    EXPECT_EQ(Get(path, "S", "N", -4), "");
    EXPECT_EQ(Get(path, "S", "LONG", 100), std::string(99, 'x'));
    EXPECT_EQ(GetProfileString(path, "S", "MISSING", "1234", 3), "12");  // the default too
}

TEST(ProfileRead, DefaultsNamesQuotesCommentsAndLineEnds) {
    TempDir dir;
    const std::string path =
        dir.Write("a.ini",
                  "EARLY=1\r\n; [S]\r\n;K=comment\r\n  [ s ]  \r\n  k  =  v w  \r\nk=second\r\n"
                  "Q1=\"a b\"\r\nQ2='c'\r\nQ3=\"d'\r\nQ4=\"\r\nQ5=''\rCR=yes\rX=a=b\n[S]\nDUP=no\n"
                  "[T]\nEARLY=2\nNUL=a\0b\n"
                  "[U]\nLAST=end"s);
    EXPECT_EQ(Get(path, "S", "K"), "v w");         // first key, names any case, blanks trimmed
    EXPECT_EQ(Get(path, "S", "EARLY"), "<none>");  // keys before any section belong to none
    EXPECT_EQ(Get(path, "T", "EARLY"), "2");
    EXPECT_EQ(Get(path, "S", "DUP"), "<none>");  // only the first [S] counts
    EXPECT_EQ(Get(path, "S", "Q1"), "a b");
    EXPECT_EQ(Get(path, "S", "Q2"), "c");
    EXPECT_EQ(Get(path, "S", "Q3"), "\"d'");
    EXPECT_EQ(Get(path, "S", "Q4"), "\"");
    EXPECT_EQ(Get(path, "S", "Q5"), "");
    EXPECT_EQ(Get(path, "S", "CR"), "yes");
    EXPECT_EQ(Get(path, "S", "X"), "a=b");
    EXPECT_EQ(Get(path, "T", "NUL"), "a");
    EXPECT_EQ(Get(path, "U", "LAST"), "end");
    EXPECT_EQ(Get(path, "V", "K"), "<none>");
    EXPECT_EQ(Get(dir.Path("missing.ini"), "S", "K"), "<none>");
    EXPECT_EQ(GetProfileString(path, "S", "MISSING", nullptr, 10), "");
    EXPECT_EQ(GetProfileString(path, nullptr, "K", "d", 10), "d");
}

TEST(ProfileNumber, ConvertsLikeAtoiAndSaturates) {
    EXPECT_EQ(ProfileNumber(" \t-12x"), -12);
    EXPECT_EQ(ProfileNumber("+7"), 7);
    EXPECT_EQ(ProfileNumber("007"), 7);
    EXPECT_EQ(ProfileNumber("x1"), 0);
    EXPECT_EQ(ProfileNumber("-"), 0);
    EXPECT_EQ(ProfileNumber("+-1"), 0);
    EXPECT_EQ(ProfileNumber(""), 0);
    EXPECT_EQ(ProfileNumber("2147483647"), INT_MAX);
    EXPECT_EQ(ProfileNumber("-2147483648"), INT_MIN);
    EXPECT_EQ(ProfileNumber("2147483648"), INT_MAX);
    EXPECT_EQ(ProfileNumber("-" + std::string(5000, '9')), INT_MIN);
}

TEST(ProfileWrite, ChangesOnlyTheLineItMust) {
    TempDir dir;
    const std::string head = "; settings\r\n\r\n[Other]\r\nA = 1\r\n[option]\r\n";
    const std::string path =
        dir.Write("a.ini", head + "  imove = 0 ; old\r\nX=2\r\n\r\n\r\n[Z]\r\nB=3");
    ASSERT_TRUE(WriteProfileString(path, "OPTION", "IMOVE", "1"));
    ASSERT_TRUE(WriteProfileString(path, "OPTION", "GUARD", "0"));  // after the last non-blank
    ASSERT_TRUE(WriteProfileString(path, "Z", "C", "4"));           // the last line had no break
    ASSERT_TRUE(WriteProfileString(path, "NEW", "D", "5"));
    EXPECT_EQ(ReadWholeFile(path),
              head + "IMOVE=1\r\nX=2\r\nGUARD=0\r\n\r\n\r\n[Z]\r\nB=3\r\nC=4\r\n[NEW]\r\nD=5\r\n");
    EXPECT_EQ(Listing(Folder(dir)), std::vector<std::string>{"a.ini"});  // no temporaries left

    const std::string fresh = dir.Path("fresh.ini");
    ASSERT_TRUE(WriteProfileString(fresh, "S", "K", "v"));
    EXPECT_EQ(ReadWholeFile(fresh), "[S]\nK=v\n");
    const std::string noBreak = dir.Write("nobreak.ini", "x");
    ASSERT_TRUE(WriteProfileString(noBreak, "S", "K", "v"));
    EXPECT_EQ(ReadWholeFile(noBreak), "x\n[S]\nK=v\n");
}

TEST(ProfileWrite, RefusesWhatWouldNotReadBackAndKeepsModeAndLinks) {
    TempDir dir;
    const std::string path = dir.Write("a.ini", "[S]\nK=v\n");
    EXPECT_FALSE(WriteProfileString(path, "S", "K", "two\nlines"));
    EXPECT_FALSE(WriteProfileString(path, "S", "K=", "v"));
    EXPECT_FALSE(WriteProfileString(path, "S]", "K", "v"));
    EXPECT_FALSE(WriteProfileString(path, "S", " ", "v"));
    EXPECT_FALSE(WriteProfileString(path, "S", nullptr, "v"));
    EXPECT_FALSE(WriteProfileString(path, "S", "K", nullptr));
    EXPECT_EQ(ReadWholeFile(path), "[S]\nK=v\n");

    fs::permissions(path, fs::perms(0640));
    fs::create_symlink(path, dir.Path("link.ini"));
    ASSERT_TRUE(WriteProfileString(dir.Path("link.ini"), "S", "K", "w"));
    EXPECT_TRUE(fs::is_symlink(dir.Path("link.ini")));
    EXPECT_EQ(ReadWholeFile(path), "[S]\nK=w\n");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640));
}

TEST(Settings, FirstStartWritesGuardOnAndSolverDefaults) {
    TempDir dir;
    const WorkingPaths paths = BuildWorkingPaths(Folder(dir));
    EXPECT_EQ(paths.settings, Folder(dir) + "/ruk.ini");
    const Options options = LoadOptions(paths);
    EXPECT_FALSE(options.instantMove);
    EXPECT_TRUE(options.guardEnabled);
    EXPECT_EQ(ReadWholeFile(paths.settings), "[OPTION]\nIMOVE=0\nGUARD=1\n");

    EXPECT_EQ(Fields(LoadSolverSettings(paths)), Fields(0, "pushbot42", 120, 1));
    EXPECT_EQ(ReadWholeFile(paths.settings),
              "[OPTION]\nIMOVE=0\nGUARD=1\n[SOLVER]\nSELECT=0\n"
              "SOLVER=pushbot42\nTIME=120\nPLAY=1\n");

    SaveSolverSettings(paths, {SolverKind::OtherProgram, "/opt/my solver", 7, AutoPlay::Off});
    EXPECT_EQ(Fields(LoadSolverSettings(paths)), Fields(1, "/opt/my solver", 7, 0));
}

TEST(Settings, StoredValuesAreReadThroughTheirWidths) {
    TempDir dir;
    const WorkingPaths paths = BuildWorkingPaths(Folder(dir));
    struct Case {
        std::string file;
        bool instantMove, guard, rewritten;
    };
    const Case cases[] = {
        {"[OPTION]\r\nGUARD=0\r\n", false, false, false},
        {"[option]\nimove=12\nguard=10\n", true, true, false},
        {"[OPTION]\nGUARD=-1\n", false, false, false},
        {"[OPTION]\nIMOVE=1\nGUARD=9\n", true, true, true},
        {"[OPTION]\nIMOVE=1\nGUARD=97\n", true, true, true},
    };
    for (const Case& c : cases) {
        dir.Write("ruk.ini", c.file);
        const Options options = LoadOptions(paths);
        EXPECT_EQ(options.instantMove, c.instantMove) << c.file;
        EXPECT_EQ(options.guardEnabled, c.guard) << c.file;
        EXPECT_EQ(ReadWholeFile(paths.settings) != c.file, c.rewritten) << c.file;
    }

    dir.Write("ruk.ini", "[SOLVER]\nSELECT=1\nSOLVER=" + std::string(120, 's') +
                             "\nTIME=12345678901\nPLAY=31\n");
    EXPECT_EQ(Fields(LoadSolverSettings(paths)), Fields(1, std::string(99, 's'), 123456789, 3));
    dir.Write("ruk.ini", "[SOLVER]\nSELECT=0\n");
    EXPECT_EQ(Fields(LoadSolverSettings(paths)), Fields(0, "", 0, 0));
    EXPECT_EQ(ReadWholeFile(paths.settings), "[SOLVER]\nSELECT=0\n");
}

// The zoom key: a file without it is the 24-pixel board, never chosen; only the four sizes and
// FIT are taken, and writing it changes no other line.
TEST(Settings, ZoomReadFromFilesWithoutWithAndWithJunk) {
    TempDir dir;
    const WorkingPaths paths = BuildWorkingPaths(Folder(dir));
    EXPECT_EQ(LoadZoom(paths).tilePixels, 24);  // no file at all
    EXPECT_FALSE(LoadZoom(paths).chosen);
    EXPECT_FALSE(fs::exists(paths.settings));
    const std::pair<std::string, int> cases[] = {
        {"[OPTION]\nIMOVE=1\nGUARD=0\n", 24},
        {"[OPTION]\nZOOM=48\n", 48},
        {"[option]\r\nzoom = 72\r\n", 72},
        {"[OPTION]\nZOOM=96\n", 96},
        {"[OPTION]\nZOOM=24\n", 24},
        {"[OPTION]\nZOOM=0\n", 24},
        {"[OPTION]\nZOOM=\n", 24},
        {"[OPTION]\nZOOM=-48\n", 24},
        {"[OPTION]\nZOOM=50\n", 24},
        {"[OPTION]\nZOOM=120\n", 24},
        {"[OPTION]\nZOOM=480\n", 24},
        {"[OPTION]\nZOOM=48px\n", 24},
        {"[OPTION]\nZOOM=2\n", 24},
        {"[OPTION]\nZOOM=\x01\xff\n", 24},
        {"[SOLVER]\nZOOM=96\n", 24},
        {"[OPTION]\nZOOM=" + std::string(5000, '9'), 24},
        {"[OPTION]\nZOOM=fit\n", 24},
        {"[OPTION]\nZOOM=FITS\n", 24},
    };
    for (const auto& [file, tile] : cases) {
        dir.Write("ruk.ini", file);
        const ZoomSetting zoom = LoadZoom(paths);
        EXPECT_EQ(zoom.tilePixels, tile) << file;
        EXPECT_FALSE(zoom.fit) << file;
        // A size the file names is a choice, also the default's; junk is none.
        EXPECT_EQ(zoom.chosen, file.find("ZOOM=24") != std::string::npos || tile != 24) << file;
        EXPECT_EQ(ReadWholeFile(paths.settings), file) << "reading never writes";
    }
    dir.Write("ruk.ini", "[OPTION]\nIMOVE=1\nGUARD=0\n[SOLVER]\nSELECT=0\n");
    SaveZoom(paths, {72, false, true});
    EXPECT_EQ(ReadWholeFile(paths.settings),
              "[OPTION]\nIMOVE=1\nGUARD=0\nZOOM=72\n[SOLVER]\nSELECT=0\n");
    EXPECT_EQ(LoadZoom(paths).tilePixels, 72);
    SaveZoom(paths, {72, true, true});
    EXPECT_EQ(ReadWholeFile(paths.settings),
              "[OPTION]\nIMOVE=1\nGUARD=0\nZOOM=FIT\n[SOLVER]\nSELECT=0\n");
    EXPECT_TRUE(LoadZoom(paths).fit && LoadZoom(paths).chosen);
    EXPECT_EQ(LoadOptions(paths).instantMove, true);
}

TEST(Settings, SaveOptionsKeepsTheRestOfACrlfFile) {
    TempDir dir;
    const std::string before = "; mine\r\n\r\n[SOLVER]\r\nSELECT=1\r\n\r\n[Option]\r\n";
    const std::string after = "; trailing\r\n\r\n[Extra]\r\nk = 'v'\r\n";
    dir.Write("ruk.ini", before + "Guard=0\r\n  IMove = 0\r\n" + after);
    const WorkingPaths paths = BuildWorkingPaths(Folder(dir));
    SaveOptions(paths, {true, true});
    EXPECT_EQ(ReadWholeFile(paths.settings), before + "GUARD=1\r\nIMOVE=1\r\n" + after);
}

TEST(SettingsBadInput, RandomBytesAndHugeFilesNeverLoseData) {
    TempDir dir;
    const WorkingPaths paths = BuildWorkingPaths(Folder(dir));
    std::mt19937 rng(7);
    std::string noise(65536, '\0');
    for (char& c : noise) c = static_cast<char>(rng() % 256);
    noise[0] = '\0';
    dir.Write("ruk.ini", noise);
    EXPECT_TRUE(LoadOptions(paths).guardEnabled);
    const std::string written = ReadWholeFile(paths.settings);
    EXPECT_EQ(written.substr(0, noise.size()), noise);
    EXPECT_EQ(Get(paths.settings, "OPTION", "GUARD"), "1");

    // Within the cap a long line is just a line; past it the file is neither read nor rewritten.
    const std::string longLine = std::string(900000, 'a') + "\n[OPTION]\nIMOVE=1\nGUARD=0\n";
    dir.Write("ruk.ini", longLine);
    EXPECT_TRUE(LoadOptions(paths).instantMove);
    const std::string huge = std::string(5 << 20, 'a') + "\n[OPTION]\nIMOVE=1\nGUARD=0\n";
    dir.Write("ruk.ini", huge);
    const Options options = LoadOptions(paths);
    EXPECT_FALSE(options.instantMove);
    EXPECT_TRUE(options.guardEnabled);
    EXPECT_EQ(ReadWholeFile(paths.settings), huge);

    fs::resize_file(paths.settings, 100u << 20);  // sparse, quick to make
    EXPECT_FALSE(WriteProfileString(paths.settings, "OPTION", "IMOVE", "1"));
    EXPECT_EQ(fs::file_size(paths.settings), 100u << 20);
}

TEST(SettingsBadInput, UnwritableOrOddSettingsPaths) {
    TempDir dir;
    const WorkingPaths paths = BuildWorkingPaths(Folder(dir));
    // Marked read-only: left alone even when running as root.
    const std::string content = "[OPTION]\nIMOVE=0\n";
    dir.Write("ruk.ini", content);
    fs::permissions(paths.settings, fs::perms(0444));
    EXPECT_TRUE(LoadOptions(paths).guardEnabled);
    SaveOptions(paths, {true, false});
    EXPECT_EQ(ReadWholeFile(paths.settings), content);
    fs::remove(paths.settings);

    fs::create_directory(paths.settings);
    EXPECT_TRUE(LoadOptions(paths).guardEnabled);
    EXPECT_EQ(LoadSolverSettings(paths).solverFileName, "pushbot42");
    EXPECT_TRUE(fs::is_directory(paths.settings));
    fs::remove(paths.settings);

    ASSERT_EQ(::mkfifo(paths.settings.c_str(), 0600), 0);  // opening it to read would block
    EXPECT_FALSE(LoadOptions(paths).instantMove);
    EXPECT_FALSE(WriteProfileString(paths.settings, "S", "K", "v"));
    fs::remove(paths.settings);

    const WorkingPaths nowhere = BuildWorkingPaths(dir.Path("no/such/folder"));
    EXPECT_TRUE(LoadOptions(nowhere).guardEnabled);
    EXPECT_FALSE(fs::exists(dir.Path("no")));
}

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(ProgramFolder, ExecutableFolderHoldsThisTest) {
    const std::string folder = ExecutableFolder(nullptr);
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '/');
    EXPECT_TRUE(fs::is_regular_file(folder + "/ruk_shell_tests"));
}

TEST(ProgramFolder, WorkingFolderFallsBackToTheConfigFolder) {
    TempDir dir;
    const std::string program = dir.Path("program");
    fs::create_directory(program);
    EXPECT_EQ(WorkingFolder(program), program);
    EXPECT_TRUE(fs::is_empty(program));  // the probe file is gone

    // A folder inside a regular file can't be written, not even by root.
    const std::string blocked = dir.Write("file", "") + "/program";
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", dir.Path("config").c_str());
        EXPECT_EQ(WorkingFolder(blocked), dir.Path("config/ruk"));
        EXPECT_TRUE(fs::is_directory(dir.Path("config/ruk")));
    }
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "relative");
        ScopedEnv home("HOME", dir.Path("home").c_str());
        EXPECT_EQ(WorkingFolder(blocked), dir.Path("home/.config/ruk"));
    }
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
        ScopedEnv home("HOME", (dir.Path("file") + "/home").c_str());
        EXPECT_EQ(WorkingFolder(blocked), blocked);
    }
}

TEST(ProgramFolder, SkinsAreLookedForBesideTheProgramThenInTheUserConfigFolder) {
    ScopedEnv xdg("XDG_CONFIG_HOME", "/config");
    ScopedEnv home("HOME", "/home/player");
    using Paths = std::vector<std::string>;
    EXPECT_EQ(SkinPaths("/opt/ruk", "/config/ruk"),
              (Paths{"/opt/ruk/ruk_skin.bmp", "/config/ruk/ruk_skin.bmp"}));
    EXPECT_EQ(SkinPaths("/opt/ruk", "/opt/ruk"),
              (Paths{"/opt/ruk/ruk_skin.bmp", "/config/ruk/ruk_skin.bmp"}));
    {
        ScopedEnv relative("XDG_CONFIG_HOME", "relative");
        // The working folder fell back to another folder: it is still looked in, last.
        EXPECT_EQ(SkinPaths("", "/elsewhere"),
                  (Paths{"/home/player/.config/ruk/ruk_skin.bmp", "/elsewhere/ruk_skin.bmp"}));
    }
    ScopedEnv noHome("HOME", nullptr);
    ScopedEnv noConfig("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(SkinPaths("/opt/ruk", "/opt/ruk"), (Paths{"/opt/ruk/ruk_skin.bmp"}));
}

}  // namespace
}  // namespace ruk
