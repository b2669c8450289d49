// Test helpers: temporary level files, a fresh level model per test, forward and backward visits.
#pragma once

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "board/level_model.h"
#include "records/core_state.h"

namespace ruk::test {

// A folder of its own for each test, removed when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string Write(const std::string& name, const std::string& bytes) const;
    std::string Path(const std::string& name) const;

  private:
    std::string dir_;
};

// A fresh player state per test, with short names for its parts.
struct Core {
    std::unique_ptr<CoreState> state;
    LevelModel* level;
    GameRecord* game;
    ViewState* view;
    PlayScratch* scratch;
    Core();
};

// The rows of the current Board as level text (floor as space), for readable comparisons.
std::vector<std::string> BoardRows(const Board& board);

// Checksums of every level visited with SelectLevel from 1 to count.
std::vector<std::uint64_t> VisitForward(LevelModel& model);
// Visits count-1 … 1 with SelectLevel; the first level whose Board differs, or 0.
int FirstBackwardMismatch(LevelModel& model, const std::vector<std::uint64_t>& forward);

// Path of a file in the shared collections, or "" when they are not beside the project.
std::string SharedLevelFile(const std::string& name);

std::string ReadWholeFile(const std::string& path);

// A level of a known solution file: "<level number> <moves>" lines, ";" comments.
struct KnownSolution {
    int level = 0;
    std::string moves;
};
std::vector<KnownSolution> ReadSolutions(const std::string& path);

// Every collection with a solution file: the shared ones (when present) and our samples.
struct SolvedCollection {
    std::string levels;
    std::string solutions;
    bool shared;  // one of the public collections beside the project
};
std::vector<SolvedCollection> SolvedCollections();

// Fails the test (fatally) when CheckInvariants finds a broken rule; where names the event.
// The random-play tests call it after every event. The sanitizer build defines
// RUK_CHECK_INVARIANTS, and then every LoadLevel and LoadText of every test is checked too.
void ExpectInvariants(const CoreState& core, const std::string& where);

// Opens path, selects level n and runs the level-change sequence; false when that fails.
bool LoadLevel(CoreState& core, const std::string& path, int n);
// Loads level text as the Text dialog does, then the level-change sequence.
void LoadText(CoreState& core, const std::string& text);

// A closed room of random size with scattered walls, boxes with as many goals, and the keeper.
struct RoomShape {
    int minWidth, widthSpan, minHeight, heightSpan;
    int wallOneIn;  // a cell inside is a wall with chance 1 in this
    int minBoxes, boxSpan;
};
std::string RandomRoom(std::mt19937& rng, const RoomShape& shape);

// Appends the letters to the history as they are.
void LoadMoves(CoreState& core, const std::string& moves);

// The shown counters, keeper and DisplayGrid codes against a fresh replay of the letters before
// the cursor on the level text: they must be equal. Fails the test (fatally) where they are not.
void ExpectShownMatchesReplay(CoreState& state, const std::string& text, const std::string& where);

// The shown position, counters and plain grid of two states are the same.
void ExpectSameShown(const CoreState& state, const CoreState& reference, const std::string& where);

// The pushes of a move string grouped as the mouse makes them: runs of pushes of one box.
struct Action {
    int box, target, keeper;  // first push's box cell, last push's target, keeper at the end
};
std::vector<Action> ActionsOf(const CoreState& core, const std::string& moves);

}  // namespace ruk::test
