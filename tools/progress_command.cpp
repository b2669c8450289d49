// ruk-tool progress: what the progress store remembers of each level of a file, and the
// file's levels written out with their best solutions.
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "commands.h"
#include "core_door.h"
#include "file_level_keys.h"
#include "level_export.h"
#include "level_solutions_import.h"
#include "progress_path.h"
#include "progress_store.h"

namespace ruk::tool {

namespace {

constexpr const char* PROGRESS_USAGE =
    "usage: ruk-tool progress FILE [--db PATH] [--import] [--export OUT] [--grid WxH]";

// Opens the database for reading only. A missing or empty file is a store with nothing in it:
// true with store left closed. False (with the reason in error) when it cannot be read.
bool OpenForReading(ProgressStore& store, const std::string& path, std::string& error) {
    struct stat info {};
    if (path.empty() || stat(path.c_str(), &info) != 0 || info.st_size == 0) return true;
    ProgressStore::Options options;
    options.readOnly = true;
    if (store.Open(path, options) != ProgressState::NONE) return true;
    error = "cannot read progress from " + path + ": " + store.Reason();
    return false;
}

// Opens the database for writing, creating it when missing; false (the reason in error) when
// it cannot be written.
bool OpenForImport(ProgressStore& store, const std::string& path, std::string& error) {
    // A damaged file is an error here too, never set aside: it is read first as it would be.
    if (!OpenForReading(store, path, error)) return false;
    store.Close();
    if (!path.empty() && store.Open(path) == ProgressState::READY) return true;
    error = "cannot write progress to " + path + ": " + store.Reason();
    return false;
}

// Offers the solutions every level carries to the store, one line per level that carries one,
// then the count of levels given a new best. False (the reason in error) when the store could
// not be written or a level could not be read.
bool ImportSolutions(CoreState& core, ProgressStore& store, int count, std::string& error) {
    LevelSolutionsImport import;
    int imported = 0;
    for (int n = 1; n <= count; ++n) {
        if (!door::ReadLevel(core, n)) {
            error = "level " + std::to_string(n) + " could not be read";
            return false;
        }
        const LevelImport level = import.Import(core, store);
        if (level.carried == 0) continue;
        if (level.notWritten > 0) {
            error = "cannot write progress: " + store.Reason();
            return false;
        }
        if (level.improved > 0) {
            ++imported;
            std::printf("%d imported moves %u pushes %u\n", n, level.best.moves, level.best.pushes);
        } else {
            std::printf("%d %s\n", n, level.kept > 0 ? "kept" : "invalid");
        }
    }
    std::printf("imported %d of %d\n", imported, count);
    return true;
}

// Returns whether the line says solved: a record without its bests is not shown as solved.
bool PrintLevel(int number, const LevelRecord& record, const char* title) {
    const bool solved = record.solved && record.byMoves.present && record.byPushes.present;
    if (solved) {
        std::printf("%d solved moves %u pushes %u by-pushes %u/%u %s\n", number,
                    record.byMoves.moves, record.byMoves.pushes, record.byPushes.pushes,
                    record.byPushes.moves, title);
    } else {
        std::printf("%d unsolved %s\n", number, title);
    }
    return solved;
}

// Written beside OUT and renamed over it at the end, so that a failed export leaves an
// earlier OUT as it was.
class ExportFile {
  public:
    explicit ExportFile(std::string path) : path_(std::move(path)), temp_(path_ + ".part") {
        out_.open(temp_, std::ios::binary | std::ios::trunc);
    }
    ~ExportFile() {
        if (!done_) {
            out_.close();
            std::remove(temp_.c_str());
        }
    }
    bool good() const { return out_.good(); }
    void Write(const std::string& text) { out_ << text; }
    bool Finish() {
        out_.close();
        done_ = !out_.fail() && std::rename(temp_.c_str(), path_.c_str()) == 0;
        return done_;
    }

  private:
    std::string path_;
    std::string temp_;
    std::ofstream out_;
    bool done_ = false;
};

}  // namespace

int ProgressCommand(const Args& args) {
    if (args.positional.size() != 1) return Fail(PROGRESS_USAGE);
    if ((args.Has("--db") && args.Value("--db", "").empty()) ||
        (args.Has("--export") && args.Value("--export", "").empty()))
        return Fail(PROGRESS_USAGE);
    const std::string& file = args.positional[0];
    auto core = CreateCoreState();
    if (!core) return Fail("out of memory");
    if (!ApplyGridOption(args, core->level.grids)) return Fail(GRID_OPTION_ERROR);

    const std::vector<std::string> keys = FileLevelKeys(*core, file.c_str());
    if (keys.empty()) return Fail("no level could be read from " + file);
    const int count = static_cast<int>(keys.size());
    for (int n = 1; n <= count; ++n)
        if (keys[static_cast<std::size_t>(n - 1)].empty())
            return Fail("level " + std::to_string(n) + " could not be read");

    ProgressStore store;
    std::string error;
    const std::string db = args.Value("--db", ProgressFilePath());
    if (args.Has("--import")) {
        if (!OpenForImport(store, db, error) || !ImportSolutions(*core, store, count, error))
            return Fail(error);
    } else if (!OpenForReading(store, db, error)) {
        return Fail(error);
    }
    std::vector<bool> solved(keys.size(), false);
    if (store.State() != ProgressState::NONE) {
        auto read = store.SolvedOf(keys);
        if (!read) return Fail("cannot read progress: " + store.Reason());
        solved = *read;
    }

    std::unique_ptr<ExportFile> out;
    if (args.Has("--export")) {
        out = std::make_unique<ExportFile>(args.Value("--export", ""));
        if (!out->good()) return Fail("cannot write " + args.Value("--export", ""));
    }
    int solvedCount = 0;
    std::string rows;
    for (int n = 1; n <= count; ++n) {
        if (!door::ReadLevel(*core, n))
            return Fail("level " + std::to_string(n) + " could not be read");
        const std::size_t i = static_cast<std::size_t>(n - 1);
        const LevelRecord record = solved[i] ? store.Load(keys[i]) : LevelRecord{};
        if (PrintLevel(n, record, door::Title(*core))) ++solvedCount;
        if (out) {
            if (!LevelRows(*core, rows))
                return Fail("level " + std::to_string(n) + " could not be read");
            out->Write(ExportedLevel(rows, door::Title(*core),
                                     record.byMoves.present ? record.byMoves.letters : ""));
            if (!out->good()) return Fail("cannot write " + args.Value("--export", ""));
        }
    }
    if (out && !out->Finish()) return Fail("cannot write " + args.Value("--export", ""));
    std::printf("solved %d of %d\n", solvedCount, count);
    return 0;
}

}  // namespace ruk::tool
