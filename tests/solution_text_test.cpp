// Solutions carried by level texts: run lengths, the header forms, and a level file's solutions
// read through the sliding window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core_door.h"
#include "test_files.h"

namespace ruk::test {
namespace {

struct Expanded {
    MoveTextError error;
    std::string letters;
};

Expanded Expand(const std::string& text, RunMode mode) {
    std::string letters;
    StringLetterSink sink(letters);
    const auto bytes = [&text](std::int64_t p) {
        return p < static_cast<std::int64_t>(text.size()) ? static_cast<unsigned char>(text[p])
                                                          : -1;
    };
    const MoveTextRead read = ExpandMoveRuns(bytes, 0, static_cast<std::int64_t>(text.size()), mode,
                                             MAX_EXPANDED_MOVES, sink);
    return {read.error, read.error == MoveTextError::NONE ? letters : ""};
}

TEST(MoveRunsTest, CountsApplyToTheNextLetterOrGroupAndFaultsAreNamed) {
    using E = MoveTextError;
    const struct {
        std::string text;
        E error;
        std::string letters;
    } cases[] = {
        {"3r2U", E::NONE, "rrrUU"},
        {"uDlR", E::NONE, "uDlR"},
        {"2(rU)l", E::NONE, "rUrUl"},
        {"2(r2(dL))", E::NONE, "rdLdLrdLdL"},
        {"1\n2r u", E::NONE, "rrrrrrrrrrrru"},  // a wrapped line splits a count
        {"0r", E::ZERO_COUNT, ""},
        {"r3", E::COUNT_WITHOUT_MOVE, ""},
        {"3)", E::COUNT_WITHOUT_MOVE, ""},
        {"12345678r", E::COUNT_TOO_LARGE, ""},
        {"2(rU", E::OPEN_GROUP, ""},
        {"rU)", E::STRAY_CLOSE, ""},
        {"5()", E::EMPTY_GROUP, ""},
        {"9(9(9(9(9(9(9(9(9(r)))))))))", E::GROUPS_TOO_DEEP, ""},
        {"1000000(1000000(r))", E::TOO_LONG, ""},
        {"r x", E::BAD_CHARACTER, ""},
        {" \n ", E::NO_MOVES, ""},
    };
    for (const auto& c : cases) {
        const Expanded got = Expand(c.text, RunMode::SOLUTION);
        EXPECT_EQ(got.error, c.error) << c.text;
        EXPECT_EQ(got.letters, c.letters) << c.text;
    }
    // Typed moves keep every other byte for the URDL reader to judge.
    EXPECT_EQ(Expand("2r x\n", RunMode::PASS_THROUGH).letters, "rr x\n");
    EXPECT_EQ(Expand("2 r", RunMode::PASS_THROUGH).error, MoveTextError::COUNT_WITHOUT_MOVE);
    std::string letters;
    EXPECT_EQ(door::ExpandMoveText("0u", letters).error, MoveTextError::ZERO_COUNT);
    EXPECT_EQ(door::ExpandMoveText("u2(Dl)", letters).letters, 5u);
    EXPECT_EQ(letters, "uDlDl");
}

const std::string LEVEL = "#####\n#@$.#\n#####\n";

TEST(SolutionTextTest, HeaderFormsAndWhatIsNoSolution) {
    const struct {
        std::string after;  // the text after the level's rows
        bool found;
        std::string letters;
    } cases[] = {
        {"Title: One\nSolution: R\n", true, "R"},
        {"solution:\n  2(R)\n\nuuu\n", true, "RR"},
        {"Solution (moves 1, pushes 1):\nR\nr\nAuthor: x\n", true, "Rr"},
        {"SOLUTION/Pushes\nR\n", true, "R"},
        {"Solution R\n", true, "R"},
        {"Solutions by someone\nR\n", false, ""},
        {"Solution: none\n", true, ""},
        {"Status: Solved\r\nSolution: 1 Moves 1 Pushes 1 Actions\r\nR\r\n", true, "R"},
        {"; no solution here\n", false, ""},
    };
    for (const auto& c : cases) {
        std::string letters = "stale";
        MoveTextRead read;
        EXPECT_EQ(SolutionLettersInText(LEVEL + c.after, letters, read), c.found) << c.after;
        EXPECT_EQ(letters, c.letters) << c.after;
    }
    std::string letters;
    MoveTextRead read;
    EXPECT_FALSE(SolutionLettersInText("Solution: R\n", letters, read)) << "no level before it";
}

// Collects the solutions of every level of a file, level by level, as the counting does.
std::vector<std::vector<std::string>> FileSolutions(CoreState& core, const std::string& path) {
    std::vector<std::vector<std::string>> all;
    if (!door::OpenLevelSet(core, path.c_str())) return all;
    for (int n = 1; n <= door::Levels(core).count; ++n) {
        EXPECT_TRUE(door::ReadLevel(core, n));
        all.emplace_back();
        SolutionCursor cursor;
        MoveTextRead read;
        std::string letters;
        StringLetterSink sink(letters);
        while (door::NextLevelSolution(core, cursor, sink, read)) {
            all.back().push_back(read.error == MoveTextError::NONE ? letters : "!");
            letters.clear();
        }
    }
    return all;
}

TEST(FileSolutionsTest, EachLevelGetsTheSolutionsBeforeTheNextOneThroughTheWindow) {
    TempDir dir;
    // Long comments move the window past whole halves between the levels and their solutions.
    const std::string wide(12000, 'x');
    const std::string text = "; " + wide + "\r\n" + LEVEL + "Solution: 3(R)\r\n; " + wide +
                             "\r\nSolution/Pushes\r\nR\r\n0r\r\n\r\n" + LEVEL + "\r\n" + LEVEL +
                             "Title: t\nSolution\n" + std::string(3000, 'R') + "\n" +
                             std::string(9000, 'r') + "\n";
    Core core;
    const std::vector<std::vector<std::string>> got =
        FileSolutions(*core.state, dir.Write("set.txt", text));
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0], (std::vector<std::string>{"RRR", "!"}));
    EXPECT_TRUE(got[1].empty());
    ASSERT_EQ(got[2].size(), 1u);
    EXPECT_EQ(got[2][0], std::string(3000, 'R') + std::string(9000, 'r'));
    // The window read on: the file's levels still read back the same.
    EXPECT_EQ(FirstBackwardMismatch(*core.level, VisitForward(*core.level)), 0);
}

}  // namespace
}  // namespace ruk::test
