// Saving the editor's level to a file without a window: the lines and the rule a drawing breaks,
// a new file, a level appended in the file's own line ends with every other byte kept, and
// failures (a full disk, a read-only folder, a missing folder) that leave the old file whole.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../test_files.h"
#include "core_door.h"
#include "level_save/file_tail.h"
#include "level_save/level_file_writer.h"
#include "level_save/saved_level.h"
#include "progress/progress_test_util.h"

namespace ruk::test {
namespace {

namespace fs = std::filesystem;

const std::string SAMPLES = std::string(RUK_SAMPLE_LEVELS) + "/ruk-samples.txt";
const std::vector<std::string> LEVEL = {"#######", "#@ $ .#", "#######", "Title: Drawn"};

// The editor of a fresh state with rows drawn at its top-left corner, and its verdict.
std::unique_ptr<CoreState> Drawn(const std::vector<std::string>& rows) {
    std::unique_ptr<CoreState> core = door::CreateState();
    door::SetBoardLimits(*core, GRID_SIDE, GRID_SIDE);
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            door::PlaceTool(*core, static_cast<int>(r) + 2, static_cast<int>(c) + 3,
                            static_cast<CellCode>(CellCodeOf(rows[r][c])));
    door::ValidateEditor(*core);
    return core;
}

std::string Reason(const std::vector<std::string>& rows) {
    const std::unique_ptr<CoreState> core = Drawn(rows);
    return UnloadableReason(*core, SavedLevelLines(*core, ""));
}

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// The names in a folder: a failed save leaves no temporary file behind.
std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

TEST(SavedLevelTest, LinesAreTheTrimmedRowsThenTheTitle) {
    const std::unique_ptr<CoreState> core = Drawn({"  #####", "  #@$.#", "  #####"});
    EXPECT_EQ(SavedLevelLines(*core, "A\r\nB"),
              (std::vector<std::string>{"#####", "#@$.#", "#####", "Title: AB"}));
    EXPECT_EQ(SavedLevelLines(*core, "").size(), 3u);
    EXPECT_EQ(UnloadableReason(*core, SavedLevelLines(*core, "")), "");
    EXPECT_TRUE(SavedLevelLines(*Drawn({}), "Title").empty());
}

TEST(SavedLevelTest, TheReasonNamesTheFirstRuleBroken) {
    EXPECT_EQ(Reason({"#####", "# $.#", "#####"}), "it has no keeper");
    EXPECT_EQ(Reason({"#####", "#@ .#", "#####"}), "it has no box");
    EXPECT_EQ(Reason({"######", "#@$$.#", "######"}), "it has fewer goals (1) than boxes (2)");
    EXPECT_EQ(Reason({"######", "#@$..#", "######"}), "it has more goals (2) than boxes (1)");
    EXPECT_EQ(Reason({"#####", "#@$. ", "#####"}), "walls do not close the keeper's room");
    EXPECT_EQ(Reason({"#####", "#@$.#", "#####", "", "#$.#"}),
              "a box or goal lies outside the keeper's room");
    // It plays in the editor, but a file would end the level at the empty row.
    EXPECT_EQ(Reason({"#####", "#@$.#", "#####", "", "#####"}),
              "its row 4 holds no wall, and a level file ends a level at such a row");
}

TEST(FileTailTest, LineEndAndSeparatorOfEveryKindOfEnding) {
    struct Case {
        std::string file;
        LineEnd ends;
        std::string separator;
    };
    const Case cases[] = {
        {"", LineEnd::LF, ""},
        {"#", LineEnd::LF, "\n\n"},
        {"#\n", LineEnd::LF, "\n"},
        {"#\n\n", LineEnd::LF, ""},
        {"#\n  \t", LineEnd::LF, "\n"},
        {"#\r\n#", LineEnd::CRLF, "\r\n\r\n"},
        {"#\r\n#\n", LineEnd::CRLF, "\r\n"},
        {"#\r\n\r\n", LineEnd::CRLF, ""},
        {"#\r#\r", LineEnd::CR, "\r"},
        {"#\r", LineEnd::CR, "\r"},
        {"#\r\r", LineEnd::CR, ""},
    };
    for (const Case& c : cases) {
        // Whole, and a byte at a time: a CR LF split between two reads is one line end.
        FileTail whole, bytes;
        whole.Feed(c.file.data(), c.file.size());
        for (const char ch : c.file) bytes.Feed(&ch, 1);
        for (const FileTail* tail : {&whole, &bytes}) {
            EXPECT_EQ(tail->Ends(), c.ends) << c.file;
            EXPECT_EQ(tail->Separator(), c.separator) << c.file;
        }
    }
}

TEST(LevelFileWriterTest, ANewFileHasLfLinesAndTheUsualMode) {
    TempDir dir;
    const std::string path = dir.Path("new.txt");
    const mode_t old = ::umask(027);
    const LevelSaveResult result = SaveLevelLines(path, LEVEL);
    ::umask(old);
    ASSERT_TRUE(result.saved) << result.message;
    EXPECT_FALSE(result.appended);
    EXPECT_EQ(ReadWholeFile(path), "#######\n#@ $ .#\n#######\nTitle: Drawn\n");
    EXPECT_EQ(ModeOf(path), 0640u);
    EXPECT_EQ(Names(dir.Path("")), std::vector<std::string>{"new.txt"});
    EXPECT_EQ(LevelsInFile(path), 1);
}

TEST(LevelFileWriterTest, AppendingKeepsEveryOtherByteTheModeAndTheLineEnds) {
    const std::string samples = ReadWholeFile(SAMPLES);
    ASSERT_FALSE(samples.empty());
    const int count = LevelsInFile(SAMPLES);
    std::string crlf;
    for (const char ch : samples) crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    // One blank line between the file and the level: the samples end with one already.
    struct Case {
        std::string old, end, gap;
    };
    const Case cases[] = {
        {samples, "\n", ""}, {crlf, "\r\n", ""}, {"#\n", "\n", "\n"}, {"#\r#", "\r", "\r\r"}};
    for (const Case& c : cases) {
        TempDir dir;
        const std::string path = dir.Write("levels.txt", c.old);
        ASSERT_EQ(::chmod(path.c_str(), 0604), 0);
        const LevelSaveResult result = SaveLevelLines(path, LEVEL);
        ASSERT_TRUE(result.saved) << result.message;
        EXPECT_TRUE(result.appended);
        const std::string now = ReadWholeFile(path);
        ASSERT_EQ(now.substr(0, c.old.size()), c.old);
        std::string level;
        for (const std::string& line : LEVEL) level += line + c.end;
        EXPECT_EQ(now.substr(c.old.size()), c.gap + level) << c.old.size();
        EXPECT_EQ(ModeOf(path), 0604u);
        EXPECT_EQ(Names(dir.Path("")), std::vector<std::string>{"levels.txt"});
    }
    TempDir dir;
    const std::string copy = dir.Write("samples.txt", samples);
    ASSERT_TRUE(SaveLevelLines(copy, LEVEL).saved);
    ASSERT_EQ(LevelsInFile(copy), count + 1);
    const std::unique_ptr<CoreState> core = door::CreateState();
    door::SetBoardLimits(*core, GRID_SIDE, GRID_SIDE);
    ASSERT_TRUE(door::LoadFileLevel(*core, copy.c_str(), count + 1));
    EXPECT_EQ(door::Status(*core), LevelStatus::PLAYABLE);
    EXPECT_STREQ(door::Title(*core), "Drawn");
}

// A full disk, as a limit on the size of the files this process writes: the copy of the old
// file stops short, and the old file must stay as it was.
TEST(LevelFileWriterTest, AFullDiskLeavesTheOldFileWhole) {
    TempDir dir;
    const std::string samples = ReadWholeFile(SAMPLES);
    const std::string path = dir.Write("levels.txt", samples);
    for (const rlim_t limit : {rlim_t{4096}, static_cast<rlim_t>(samples.size() + 4)}) {
        const ChildRun run = RunInChild(
            [limit] {
                const rlimit size{limit, limit};
                return ::signal(SIGXFSZ, SIG_IGN) != SIG_ERR &&
                       ::setrlimit(RLIMIT_FSIZE, &size) == 0;
            },
            [&] {
                const LevelSaveResult result = SaveLevelLines(path, LEVEL);
                EXPECT_FALSE(result.saved);
                EXPECT_EQ(result.message, "The level could not be saved to " + path +
                                              ": the file would grow past the size allowed.");
            });
        if (run == ChildRun::UNAVAILABLE) GTEST_SKIP() << "no file size limit could be set";
        EXPECT_EQ(run, ChildRun::PASSED) << limit;
        EXPECT_EQ(ReadWholeFile(path), samples) << limit;
        EXPECT_EQ(Names(dir.Path("")), std::vector<std::string>{"levels.txt"}) << limit;
    }
}

TEST(LevelFileWriterTest, AReadOnlyFolderOrFileOrAMissingFolderChangesNothing) {
    TempDir dir;
    const std::string folder = dir.Path("shelf");
    ASSERT_TRUE(fs::create_directory(folder));
    const std::string writable = dir.Write("shelf/open.txt", "#####\n");
    const std::string locked = dir.Write("shelf/locked.txt", "#####\n");
    ASSERT_EQ(::chmod(writable.c_str(), 0666), 0);
    ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
    ASSERT_EQ(::chmod(dir.Path("").c_str(), 0755), 0);
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    const ChildRun run = RunUnprivileged([&] {
        // The folder may not take a temporary file; the locked file may not be written at all.
        for (const std::string& path : {writable, locked, folder + "/new.txt"}) {
            const LevelSaveResult result = SaveLevelLines(path, LEVEL);
            EXPECT_FALSE(result.saved) << path;
            EXPECT_EQ(result.message,
                      "The level could not be saved to " + path + ": permission denied.");
        }
    });
    if (run == ChildRun::UNAVAILABLE) GTEST_SKIP() << "could not run as an unprivileged user";
    EXPECT_EQ(run, ChildRun::PASSED);
    EXPECT_EQ(ReadWholeFile(writable), "#####\n");
    EXPECT_EQ(ReadWholeFile(locked), "#####\n");
    EXPECT_EQ(Names(folder).size(), 2u);
    ::chmod(folder.c_str(), 0755);  // for the folder's removal
    const std::string gone = dir.Path("gone/levels.txt");
    EXPECT_EQ(SaveLevelLines(gone, LEVEL).message,
              "The level could not be saved to " + gone + ": the folder does not exist.");
}

}  // namespace
}  // namespace ruk::test
