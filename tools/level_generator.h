// Generated level files for tests and benchmarks: many random closed rooms with title lines,
// blank lines, comments and blocks that are not levels, in a chosen line-end style.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace ruk::gen {

enum class LineEnds { LF, CRLF, CR, MIXED };

struct GeneratorOptions {
    std::uint64_t seed = 1;
    std::int64_t levels = 100;  // levels to write (at least)
    std::int64_t minBytes = 0;  // keep writing levels until the file is at least this large
    LineEnds lineEnds = LineEnds::LF;
    bool noise = true;  // comments, long blank runs and blocks that are not levels
};

struct GeneratorResult {
    std::int64_t levels = 0;  // blocks written that a reader counts as levels
    std::int64_t bytes = 0;
};

GeneratorResult WriteLevelFile(std::FILE* out, const GeneratorOptions& options);

// The rows of an empty square room of side cells, walls all round.
std::vector<std::string> WalledRoom(int side);

// Rows joined into level text, one line each.
std::string LevelText(const std::vector<std::string>& rows);

// A 48 x 48 open room with one box in the middle, its goal and the keeper near corners.
std::string OpenRoomWithOneBox();

// Writes to a path; false when the file cannot be written.
bool WriteLevelFile(const char* path, const GeneratorOptions& options, GeneratorResult& result);

}  // namespace ruk::gen
