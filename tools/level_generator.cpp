// Level file generator (see level_generator.h).
#include "level_generator.h"

#include <random>
#include <string>
#include <vector>

namespace ruk::gen {

namespace {

class Writer {
  public:
    Writer(std::FILE* out, const GeneratorOptions& options)
        : out_(out), options_(options), rng_(options.seed) {}

    void Line(const std::string& text) {
        std::fputs(text.c_str(), out_);
        const char* end = LineEnd();
        std::fputs(end, out_);
        bytes_ += static_cast<std::int64_t>(text.size() + std::char_traits<char>::length(end));
    }
    std::int64_t bytes() const { return bytes_; }
    std::mt19937_64& rng() { return rng_; }
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }

  private:
    const char* LineEnd() {
        switch (options_.lineEnds) {
            case LineEnds::LF:
                return "\n";
            case LineEnds::CRLF:
                return "\r\n";
            case LineEnds::CR:
                return "\r";
            case LineEnds::MIXED:
                break;
        }
        static const char* const kinds[3] = {"\n", "\r\n", "\r"};
        return kinds[Pick(0, 2)];
    }

    std::FILE* out_;
    const GeneratorOptions& options_;
    std::mt19937_64 rng_;
    std::int64_t bytes_ = 0;
};

// A closed rectangular room with scattered inner walls, boxes, goals and one keeper (two when
// broken, so that a reader must skip it). Trailing floor is cut as level authors write it.
std::vector<std::string> MakeRoom(Writer& w, bool broken) {
    const int width = w.Pick(5, 22);
    const int height = w.Pick(5, 16);
    std::vector<std::string> rows(static_cast<std::size_t>(height), std::string(width, ' '));
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            const bool edge = r == 0 || c == 0 || r == height - 1 || c == width - 1;
            if (edge || w.Pick(0, 9) == 0) rows[r][c] = '#';
        }
    }
    auto freeCell = [&](int& r, int& c) {
        for (int tries = 0; tries < 1000; ++tries) {
            r = w.Pick(1, height - 2);
            c = w.Pick(1, width - 2);
            if (rows[r][c] == ' ') return true;
        }
        return false;
    };
    int r = 0;
    int c = 0;
    const int boxes = w.Pick(1, 6);
    for (int i = 0; i < boxes; ++i) {
        if (!freeCell(r, c)) break;
        rows[r][c] = '$';
        if (!freeCell(r, c)) break;
        rows[r][c] = '.';
    }
    for (int keepers = broken ? 2 : 1; keepers > 0; --keepers) {
        if (freeCell(r, c)) rows[r][c] = '@';
    }
    for (auto& row : rows) row.erase(row.find_last_not_of(' ') + 1);
    return rows;
}

bool Counts(const std::vector<std::string>& rows) {
    int keepers = 0;
    int boxes = 0;
    int goals = 0;
    for (const auto& row : rows) {
        for (char ch : row) {
            keepers += ch == '@' || ch == '+';
            boxes += ch == '$' || ch == '*';
            goals += ch == '.' || ch == '*' || ch == '+';
        }
    }
    return keepers == 1 && boxes > 0 && goals > 0;
}

}  // namespace

GeneratorResult WriteLevelFile(std::FILE* out, const GeneratorOptions& options) {
    Writer w(out, options);
    GeneratorResult result;
    w.Line("; Generated level file, seed " + std::to_string(options.seed));
    for (std::int64_t n = 1; result.levels < options.levels || w.bytes() < options.minBytes; ++n) {
        const bool broken = options.noise && w.Pick(0, 19) == 0;
        w.Line("; " + std::to_string(n) + (options.noise && w.Pick(0, 9) == 0 ? " #title#" : ""));
        if (options.noise && w.Pick(0, 14) == 0) w.Line("'a comment line without walls'");
        const auto rows = MakeRoom(w, broken);
        for (const auto& row : rows) w.Line(row);
        if (Counts(rows)) ++result.levels;
        const int blanks = options.noise ? w.Pick(1, 4) : 1;
        for (int i = 0; i < blanks; ++i) w.Line("");
    }
    result.bytes = w.bytes();
    return result;
}

std::vector<std::string> WalledRoom(int side) {
    std::vector<std::string> rows(static_cast<std::size_t>(side), std::string(side, ' '));
    for (int i = 0; i < side; ++i)
        rows[0][i] = rows[side - 1][i] = rows[i][0] = rows[i][side - 1] = '#';
    return rows;
}

std::string LevelText(const std::vector<std::string>& rows) {
    std::string text;
    for (const auto& row : rows) text += row + "\n";
    return text;
}

std::string OpenRoomWithOneBox() {
    auto rows = WalledRoom(48);
    rows[24][24] = '$';
    rows[40][40] = '.';
    rows[2][2] = '@';
    return LevelText(rows);
}

bool WriteLevelFile(const char* path, const GeneratorOptions& options, GeneratorResult& result) {
    std::FILE* out = std::fopen(path, "wb");
    if (!out) return false;
    result = WriteLevelFile(out, options);
    return std::fclose(out) == 0;
}

}  // namespace ruk::gen
