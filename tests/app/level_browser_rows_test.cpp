// The level browser's rows without a window: read from the file around the shown level, their
// progress from the store, the filter and search, a solve followed, a file going away.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "core_door.h"
#include "level_browser/row_filter.h"
#include "level_browser/rows_reader.h"
#include "level_key.h"
#include "progress_store.h"
#include "settings/browser_place.h"
#include "settings/profile_file.h"
#include "test_files.h"

namespace ruk {
namespace {

// Level n: a corridor with Gap(n) floor cells between the keeper and the box, solved by
// Gap(n) times "r", then "R".
int Gap(int n) {
    return (n - 1) % 40 + 1;
}

std::string Corridor(int n) {
    const int i = Gap(n);
    const std::string wall(static_cast<std::size_t>(i + 5), '#');
    return wall + "\n#@" + std::string(static_cast<std::size_t>(i), ' ') + "$.#\n" + wall + "\n";
}

std::string CorridorFile(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "; Room " + std::to_string(i) + "\n" + Corridor(i) + "\n";
    return text;
}

std::string Solution(int n) {
    return std::string(static_cast<std::size_t>(Gap(n)), 'r') + "R";
}

// Waits for the reader, with a bound that only a hang reaches.
void WaitIdle(const RowsReader& reader) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!reader.Idle() && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    ASSERT_TRUE(reader.Idle()) << "the reader hung";
}

struct Browser : ::testing::Test {
    test::TempDir dir;
    test::Core core;
    std::string storePath = dir.Path("progress.sqlite");
    LevelRows rows;
    RowsReader reader;

    // Opens path in the window's state at level shown.
    void Open(const std::string& path, int shown) {
        ASSERT_TRUE(door::OpenLevelSet(*core.state, path.c_str()));
        ASSERT_TRUE(door::ReadLevel(*core.state, shown));
    }
    void Solve(int n) {
        ASSERT_TRUE(door::ReadLevel(*core.state, n));
        ProgressStore store;
        ASSERT_EQ(store.Open(storePath), ProgressState::READY);
        ASSERT_EQ(store.SaveSolution(door::ReadBoard(*core.state), Solution(n)),
                  SolutionVerdict::IMPROVED);
    }
    void Read() {
        reader.Start(door::Levels(*core.state), storePath, rows, nullptr);
        WaitIdle(reader);
    }
};

TEST_F(Browser, EveryRowIsReadFromAroundTheShownLevelWithItsFacts) {
    const std::string path = dir.Write("rooms.txt", CorridorFile(130));
    for (const int shown : {1, 90, 130}) {
        Open(path, shown);
        Read();
        ASSERT_EQ(rows.Count(), 130);
        EXPECT_EQ(rows.Reached(), 130);
        for (int n = 1; n <= 130; ++n) {
            const BrowserRow row = rows.Row(n);
            ASSERT_EQ(row.state, RowState::READ) << n;
            EXPECT_EQ(row.title, "Room " + std::to_string(n));
            EXPECT_EQ(row.cols, Gap(n) + 5);
            EXPECT_EQ(row.rows, 3);
            EXPECT_EQ(row.boxes, 1);
            EXPECT_EQ(row.status, LevelStatus::PLAYABLE);
            ASSERT_TRUE(door::ReadLevel(*core.state, n));
            EXPECT_EQ(std::string(row.key.data()), LevelKey(door::ReadBoard(*core.state)));
        }
    }
    // A row's offset reads that level again at once.
    std::unique_ptr<CoreState> other = door::CreateState();
    door::AdoptLevelSet(*other, door::Levels(*core.state));
    ASSERT_TRUE(door::ReadLevelAfter(*other, 77, rows.Row(77).fileStart - 1));
    EXPECT_EQ(door::ReadBoard(*other).width, Gap(77) + 5);
    EXPECT_STREQ(door::Title(*other), "Room 77");
}

TEST_F(Browser, RowsCarryTheStoredProgressAndFollowASolve) {
    Open(dir.Write("rooms.txt", CorridorFile(6)), 1);
    Solve(2);
    {
        ProgressStore store;
        ASSERT_EQ(store.Open(storePath), ProgressState::READY);
        ASSERT_TRUE(door::ReadLevel(*core.state, 4));
        ASSERT_TRUE(store.SaveGame(LevelKey(door::ReadBoard(*core.state)), "rr", 1));
    }
    Read();
    EXPECT_TRUE(rows.Row(2).solved);
    EXPECT_TRUE(rows.Row(2).byMoves.present);
    EXPECT_EQ(rows.Row(2).byMoves.moves, 3u);
    EXPECT_EQ(rows.Row(2).byPushes.pushes, 1u);
    EXPECT_FALSE(rows.Row(3).solved);
    EXPECT_FALSE(rows.Row(3).byMoves.present);
    EXPECT_TRUE(rows.Row(4).hasGame);

    Solve(5);
    EXPECT_FALSE(rows.Row(5).solved);
    reader.Refresh(5);
    WaitIdle(reader);
    EXPECT_TRUE(rows.Row(5).solved);
    EXPECT_EQ(rows.Row(5).byMoves.moves, 6u);
}

TEST_F(Browser, FilterAndSearchListTheMatchingRows) {
    Open(dir.Write("rooms.txt", CorridorFile(12)), 3);
    Solve(2);
    Solve(11);
    Read();
    EXPECT_EQ(ListedRows(rows, RowFilter::ALL, "").size(), 12u);
    EXPECT_EQ(ListedRows(rows, RowFilter::SOLVED, ""), (std::vector<int>{2, 11}));
    EXPECT_EQ(ListedRows(rows, RowFilter::UNSOLVED, "").size(), 10u);
    EXPECT_TRUE(ListedRows(rows, RowFilter::KEPT_GAME, "").empty());
    // Digits find numbers (and titles holding them); words find titles in either case.
    EXPECT_EQ(ListedRows(rows, RowFilter::ALL, "1"), (std::vector<int>{1, 10, 11, 12}));
    EXPECT_EQ(ListedRows(rows, RowFilter::SOLVED, "1"), (std::vector<int>{11}));
    EXPECT_EQ(ListedRows(rows, RowFilter::ALL, "rOOm 7"), (std::vector<int>{7}));
    EXPECT_TRUE(ListedRows(rows, RowFilter::ALL, "nothing").empty());
    // Rows not read yet are listed only when nothing is asked of them.
    LevelRows unread;
    unread.Reset(3);
    EXPECT_EQ(ListedRows(unread, RowFilter::ALL, "").size(), 3u);
    EXPECT_TRUE(ListedRows(unread, RowFilter::UNSOLVED, "").empty());
}

TEST_F(Browser, AFileGoneOrChangedLeavesRowsUnreadable) {
    // Large enough that the file window holds only a few levels around the shown one.
    const std::string path = dir.Write("rooms.txt", CorridorFile(1000));
    Open(path, 500);
    std::filesystem::remove(path);
    Read();
    EXPECT_EQ(rows.Count(), 1000);
    EXPECT_EQ(rows.Reached(), 1000);
    int unreadable = 0;
    for (int n = 1; n <= 1000; ++n) unreadable += rows.Row(n).state == RowState::UNREADABLE ? 1 : 0;
    // The shown level's piece of the file is still held; the rest cannot be read.
    EXPECT_GE(unreadable, 800);

    // A file cut short: the rows past its new end are unreadable, the others read.
    dir.Write("short.txt", CorridorFile(1000));
    Open(dir.Path("short.txt"), 1);
    dir.Write("short.txt", CorridorFile(5));
    Read();
    EXPECT_EQ(rows.Row(1000).state, RowState::UNREADABLE);
    EXPECT_NE(rows.Row(1).state, RowState::UNREAD);
}

TEST_F(Browser, NoFileGivesNoRows) {
    reader.Start(LevelSet{}, storePath, rows, nullptr);
    WaitIdle(reader);
    EXPECT_EQ(rows.Count(), 0);
    EXPECT_TRUE(ListedRows(rows, RowFilter::ALL, "").empty());
    EXPECT_EQ(rows.Row(1).state, RowState::UNREAD);
    reader.Refresh(1);
    WaitIdle(reader);
}

}  // namespace
}  // namespace ruk

namespace ruk {
namespace {

TEST(BrowserPlaceSetting, KeptPlaceReadsBackAndBadValuesAreIgnored) {
    test::TempDir dir;
    const WorkingPaths paths = BuildWorkingPaths(dir.Path(""));
    EXPECT_FALSE(LoadBrowserPlace(paths));
    SaveBrowserPlace(paths, {-20, 40, 640, 480});
    const std::optional<BrowserPlace> place = LoadBrowserPlace(paths);
    ASSERT_TRUE(place);
    EXPECT_EQ(place->x, -20);
    EXPECT_EQ(place->y, 40);
    EXPECT_EQ(place->width, 640);
    EXPECT_EQ(place->height, 480);
    for (const char* bad : {"", "12px", "99999999", "-", "+5", "1e3"}) {
        WriteProfileString(paths.settings, "BROWSER", "X", bad);
        EXPECT_FALSE(LoadBrowserPlace(paths)) << bad;
    }
    SaveBrowserPlace(paths, {0, 0, 50, 480});  // too small to be used
    EXPECT_FALSE(LoadBrowserPlace(paths));
}

}  // namespace
}  // namespace ruk

namespace ruk {
namespace {

// The browser asks the store for hundreds of keys at once: more than one query's worth, keys it
// does not hold, and keys repeated.
TEST(StoreSummaries, ManyKeysInOneCallAcrossQueriesAndWithoutAStore) {
    test::TempDir dir;
    ProgressStore store;
    ASSERT_EQ(store.Open(dir.Path("progress.sqlite")), ProgressState::READY);
    test::Core core;
    ASSERT_TRUE(door::OpenLevelSet(*core.state, dir.Write("rooms.txt", CorridorFile(3)).c_str()));
    ASSERT_TRUE(door::ReadLevel(*core.state, 3));
    const Board& board = door::ReadBoard(*core.state);
    ASSERT_EQ(store.SaveSolution(board, Solution(3)), SolutionVerdict::IMPROVED);
    ASSERT_TRUE(store.SaveGame(LevelKey(board), "r", 1));
    std::vector<std::string> keys(1200, std::string(32, '0'));
    keys[7] = keys[777] = LevelKey(board);
    const auto summaries = store.SummariesOf(keys);
    ASSERT_TRUE(summaries);
    ASSERT_EQ(summaries->size(), keys.size());
    for (const std::size_t i : {std::size_t{7}, std::size_t{777}}) {
        EXPECT_TRUE((*summaries)[i].solved);
        EXPECT_TRUE((*summaries)[i].hasGame);
        EXPECT_EQ((*summaries)[i].byPushes.moves, 4u);
        EXPECT_TRUE((*summaries)[i].byMoves.letters.empty());  // no letters are read
    }
    EXPECT_FALSE((*summaries)[8].solved);
    EXPECT_FALSE((*summaries)[8].byMoves.present);
    ProgressStore closed;
    EXPECT_FALSE(closed.SummariesOf(keys));
}

}  // namespace
}  // namespace ruk
