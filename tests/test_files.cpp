// Test helpers (see test_files.h).
#include "test_files.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "board/board_checksum.h"
#include "board/level_file.h"

namespace ruk::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::random_device random;
    for (;;) {
        fs::path candidate = fs::temp_directory_path() / ("ruk-test-" + std::to_string(random()));
        if (fs::create_directory(candidate)) {
            dir_ = candidate.string();
            break;
        }
    }
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(dir_, ignored);
}

std::string TempDir::Path(const std::string& name) const {
    return dir_ + "/" + name;
}

std::string TempDir::Write(const std::string& name, const std::string& bytes) const {
    const std::string path = Path(name);
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

Core::Core() : level(std::make_unique<LevelModel>()), play(std::make_unique<PlayState>()) {
    ResetLevelModel(*level);
    InitPlayState(*play);
}

std::vector<std::string> BoardRows(const Board& board) {
    static const char kChars[] = " .$*@+";
    std::vector<std::string> rows;
    const int stride = RowStride(board);
    for (int r = 0; r < StoredRows(board); ++r) {
        std::string row;
        for (int c = 0; c < stride; ++c) {
            const CellCode code = board.cells[r * stride + c];
            row += code == WALL ? '#' : code <= 5 ? kChars[code] : '?';
        }
        row.erase(row.find_last_not_of(' ') + 1);
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::uint64_t> VisitForward(LevelModel& model) {
    std::vector<std::uint64_t> sums;
    for (int n = 1; n <= model.levelSet.count; ++n) {
        if (!SelectLevel(model, n)) break;
        sums.push_back(BoardChecksum(model.board));
    }
    return sums;
}

int FirstBackwardMismatch(LevelModel& model, const std::vector<std::uint64_t>& forward) {
    for (int n = static_cast<int>(forward.size()) - 1; n >= 1; --n) {
        if (!SelectLevel(model, n) || model.levelSet.current != n ||
            BoardChecksum(model.board) != forward[static_cast<std::size_t>(n - 1)])
            return n;
    }
    return 0;
}

std::string SharedLevelFile(const std::string& name) {
    const fs::path path = fs::path(RUK_SHARED_LEVELS) / name;
    return fs::exists(path) ? path.string() : std::string();
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace ruk::test
