// Generated level files for tests and benchmarks: many random closed rooms with title lines,
// blank lines, comments and blocks that are not levels, in a chosen line-end style.
#pragma once

#include <cstdint>
#include <cstdio>

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

// Writes to a path; false when the file cannot be written.
bool WriteLevelFile(const char* path, const GeneratorOptions& options, GeneratorResult& result);

}  // namespace ruk::gen
