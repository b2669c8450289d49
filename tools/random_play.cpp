// ruk-random-play: seeded random events through the front door, invariants checked after each.
// Prints one summary line, preceded by the details of any break.
//   ruk-random-play [--seed N] [--events N] LEVEL_FILE_OR_FOLDER...
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core_door.h"
#include "core_invariants.h"

namespace {

using namespace ruk;

struct LevelFile {
    std::string path;
    int count = 0;
};

constexpr int MAX_REPORTED = 10;

// Level files named on the command line; a folder gives its .txt files that hold no solutions.
std::vector<std::string> LevelPaths(const std::vector<std::string>& args) {
    std::vector<std::string> paths;
    for (const std::string& arg : args) {
        std::error_code error;
        if (!std::filesystem::is_directory(arg, error)) {
            paths.push_back(arg);
            continue;
        }
        std::vector<std::string> inside;
        for (const auto& entry : std::filesystem::directory_iterator(arg, error)) {
            const std::string name = entry.path().filename().string();
            if (entry.path().extension() == ".txt" && name.find("solution") == std::string::npos)
                inside.push_back(entry.path().string());
        }
        std::sort(inside.begin(), inside.end());
        paths.insert(paths.end(), inside.begin(), inside.end());
    }
    return paths;
}

class RandomPlayer {
  public:
    RandomPlayer(CoreState& core, std::vector<LevelFile> files, unsigned seed)
        : core_(core), files_(std::move(files)), rng_(seed), seed_(seed) {}

    // Plays events and returns the number of invariant breaks seen.
    int Play(long events) {
        ChangeLevel();
        for (long i = 0; i < events; ++i) {
            const char* kind = Event();
            const InvariantCheck check = CheckInvariants(core_);
            if (check.Holds()) continue;
            if (++breaks_ <= MAX_REPORTED)
                std::printf("break: seed %u event %ld (%s) on %s level %d: %d rule(s), first: %s\n",
                            seed_, i, kind, shownPath_.c_str(), shownLevel_, check.breaks,
                            check.firstBreak);
            // Go on from a fresh level, so that one fault is not counted at every later event.
            ChangeLevel();
        }
        return breaks_;
    }

    std::size_t LevelsShown() const { return shown_.size(); }

  private:
    int Pick(int n) { return n <= 0 ? 0 : static_cast<int>(rng_() % static_cast<unsigned>(n)); }

    const char* Event() {
        WindowRequests requests;
        const char* kind = "step tick";
        const int roll = Pick(100);
        if (roll < 7) {
            kind = "click";
            ClickCell(RandomCell(), requests);
        } else if (roll < 12) {
            kind = "key step";
            door::StepKey(core_, Pick(4), requests);
        } else if (roll < 22) {
            kind = "walk";
            ClickCell(ReachableCell(), requests);
        } else if (roll < 32) {
            kind = "box selection";
            ClickCell(BoxCell(), requests);
        } else if (roll < 42) {
            // A box selected and one of its targets clicked, as a player pushes.
            kind = "push";
            if (!core_.view.boxSelected) ClickCell(BoxCell(), requests);
            if (core_.view.boxSelected) ClickCell(TargetCell(), requests);
        } else if (roll < 45) {
            kind = "right click";
            door::RightClick(core_, requests);
        } else if (roll < 51) {
            kind = "undo";
            door::Undo(core_, requests);
        } else if (roll < 56) {
            kind = "redo";
            door::Redo(core_, requests);
        } else if (roll < 58) {
            kind = "restart";
            door::Restart(core_, requests);
        } else if (roll < 62) {
            kind = "auto-play";
            door::AutoPlay(core_, requests);
        } else if (roll < 64) {
            kind = "options";
            core_.view.guardOn = Pick(2) == 0;
            core_.view.instantMove = Pick(3) == 0;
            door::SetReplaySlowdown(core_, 1 << Pick(5));
        } else if (roll < 65 || (roll < 72 && !Plays())) {
            // A level that does not play has nothing more to try after a few events.
            kind = "level change";
            ChangeLevel();
        } else if (roll < 67 && Pick(2) == 0) {
            kind = "text level";
            TextLevel();
        } else if (roll < 69 && Pick(3) == 0) {
            kind = "game resume";
            ResumeGame(requests);
        } else if (roll < 69) {
            kind = "move import";
            ImportLetters();
        } else if (roll < 77 && autoTimer_) {
            kind = "auto-play tick";
            door::AutoPlayTick(core_, requests);
        } else {
            door::StepTick(core_, requests);
        }
        autoTimer_ = (autoTimer_ || requests.startAutoTimer) && !requests.killAutoTimer;
        return kind;
    }

    void ClickCell(std::pair<int, int> cell, WindowRequests& requests) {
        door::Click(core_, cell.first, cell.second, requests);
    }

    // Mostly on the level's rectangle, sometimes anywhere on the grid.
    std::pair<int, int> RandomCell() {
        const Grids& grids = core_.level.grids;
        const Board& board = core_.level.board;
        if (Pick(4) == 0 || board.width <= 0 || board.height <= 0)
            return {Pick(grids.maxHeight), Pick(grids.maxWidth)};
        return {grids.rowOffset + Pick(std::min(board.height, grids.maxHeight - grids.rowOffset)),
                grids.colOffset + Pick(std::min(board.width, grids.maxWidth - grids.colOffset))};
    }

    // A random used grid cell for which wanted holds, or a random cell when none does.
    template <typename Wanted>
    std::pair<int, int> CellWhere(Wanted wanted) {
        const Grids& grids = core_.level.grids;
        candidates_.clear();
        for (int r = 0; r < grids.maxHeight; ++r)
            for (int c = 0; c < grids.maxWidth; ++c)
                if (wanted(GridIndex(r, c))) candidates_.emplace_back(r, c);
        if (candidates_.empty()) return RandomCell();
        return candidates_[Pick(static_cast<int>(candidates_.size()))];
    }

    std::pair<int, int> ReachableCell() {
        return CellWhere([this](int g) { return core_.scratch.keeperReach[g] != 0; });
    }
    std::pair<int, int> BoxCell() {
        return CellWhere([this](int g) {
            const CellCode code = core_.level.grids.displayGrid[g] & PLAIN_MASK;
            return code != EXTERIOR && (code & BOX) != 0;
        });
    }
    // A target, a side marker or an arrival cell of the selected box.
    std::pair<int, int> TargetCell() {
        return CellWhere([this](int g) {
            const TargetOverlay& t = core_.view.targets;
            return t.targetFlag[g] != 0 || t.sideCount[g] != 0 ||
                   core_.level.grids.displayGrid[g] > PLAIN_MASK;
        });
    }

    void ChangeLevel() {
        const LevelFile& file = files_[Pick(static_cast<int>(files_.size()))];
        const int n = 1 + Pick(file.count);
        if (!door::ShowFileLevel(core_, file.path.c_str(), n)) return;
        shownPath_ = file.path;
        shownLevel_ = core_.level.levelSet.current;
        shown_.insert({file.path, shownLevel_});
    }

    // A stretch of a level file as the Text dialog's level: whole levels, cut ones, rubbish.
    void TextLevel() {
        const LevelFile& file = files_[Pick(static_cast<int>(files_.size()))];
        std::FILE* f = std::fopen(file.path.c_str(), "rb");
        if (!f) return;
        std::string text(40 + Pick(400), '\0');
        std::fseek(f, 0, SEEK_END);
        const long size = std::ftell(f);
        std::fseek(f, size > 0 ? static_cast<long>(rng_() % static_cast<unsigned long>(size)) : 0,
                   SEEK_SET);
        text.resize(std::fread(text.data(), 1, text.size(), f));
        std::fclose(f);
        if (Pick(5) == 0 && !text.empty()) text[Pick(static_cast<int>(text.size()))] = '@';
        door::LoadText(core_, text.c_str());
        shownPath_ = "(text of " + file.path + ")";
        shownLevel_ = 1;
    }

    bool Plays() const {
        const LevelStatus status = door::Status(core_);
        return status == LevelStatus::PLAYABLE || status == LevelStatus::BLOCKED;
    }

    // Letters typed into the move dialog: the player only has it while the level plays.
    void ImportLetters() {
        if (!Plays()) return;
        std::string letters;
        for (int n = Pick(60); n > 0; --n) letters += "urdlURDL"[Pick(8)];
        if (Pick(5) == 0) letters += "x?";
        door::ImportMoves(core_, letters.c_str());
    }

    // The game as it stands, kept and put back at a random cursor, as the resume key does with
    // a kept game; now and then with letters that stop fitting.
    void ResumeGame(WindowRequests& requests) {
        const MoveHistory& history = core_.game.history;
        std::string letters(history.text.get(), history.end);
        if (Pick(6) == 0) letters += "x";
        const int cursor = Pick(static_cast<int>(letters.size()) + 2);
        door::ResumeGame(core_, letters.c_str(), static_cast<std::uint32_t>(cursor), requests);
        autoTimer_ = false;  // the resume stops an auto-play and its timer
    }

    CoreState& core_;
    std::vector<LevelFile> files_;
    std::mt19937 rng_;
    unsigned seed_;
    bool autoTimer_ = false;
    int breaks_ = 0;
    std::string shownPath_ = "(none)";
    int shownLevel_ = 0;
    std::set<std::pair<std::string, int>> shown_;
    std::vector<std::pair<int, int>> candidates_;
};

int Usage() {
    std::fprintf(stderr,
                 "usage: ruk-random-play [--seed N] [--events N] LEVEL_FILE_OR_FOLDER...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    unsigned seed = 1;
    long events = 20000;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        const bool valued = i + 1 < argc;
        if (std::strcmp(argv[i], "--seed") == 0 && valued)
            seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        else if (std::strcmp(argv[i], "--events") == 0 && valued)
            events = std::strtol(argv[++i], nullptr, 10);
        else if (argv[i][0] == '-')
            return Usage();
        else
            args.push_back(argv[i]);
    }
    if (args.empty() || events < 0) return Usage();

    std::unique_ptr<CoreState> core = CreateCoreState();
    if (!core) {
        std::fprintf(stderr, "random play: no memory for the core's state\n");
        return 1;
    }
    std::vector<LevelFile> files;
    for (const std::string& path : LevelPaths(args)) {
        if (!door::OpenLevelSet(*core, path.c_str())) {
            std::fprintf(stderr, "random play: no level in %s, left out\n", path.c_str());
            continue;
        }
        files.push_back({path, door::Levels(*core).count});
    }
    if (files.empty()) {
        std::fprintf(stderr, "random play: no level file to play\n");
        return 1;
    }
    RandomPlayer player(*core, files, seed);
    const int breaks = player.Play(events);
    std::printf("random play: %ld events over %zu levels, %d invariant breaks\n", events,
                player.LevelsShown(), breaks);
    return breaks == 0 ? 0 : 1;
}
