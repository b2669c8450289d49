// ruk-levelgen: writes a generated level file.
//   ruk-levelgen OUT [--levels N] [--bytes B] [--seed S] [--ends lf|crlf|cr|mixed] [--clean]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "level_generator.h"

int main(int argc, char** argv) {
    using namespace ruk::gen;
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: ruk-levelgen OUT [--levels N] [--bytes B] [--seed S] "
                     "[--ends lf|crlf|cr|mixed] [--clean]\n");
        return 2;
    }
    GeneratorOptions options;
    options.minBytes = 0;
    for (int i = 2; i < argc; ++i) {
        const std::string word = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : "";
        if (word == "--levels")
            options.levels = std::atoll(value), ++i;
        else if (word == "--bytes")
            options.minBytes = std::atoll(value), ++i;
        else if (word == "--seed")
            options.seed = std::strtoull(value, nullptr, 10), ++i;
        else if (word == "--clean")
            options.noise = false;
        else if (word == "--ends") {
            const std::string kind = value;
            ++i;
            options.lineEnds = kind == "crlf"    ? LineEnds::CRLF
                               : kind == "cr"    ? LineEnds::CR
                               : kind == "mixed" ? LineEnds::MIXED
                                                 : LineEnds::LF;
        }
    }
    GeneratorResult result;
    if (!WriteLevelFile(argv[1], options, result)) {
        std::fprintf(stderr, "ruk-levelgen: cannot write %s\n", argv[1]);
        return 2;
    }
    std::printf("levels %lld bytes %lld\n", static_cast<long long>(result.levels),
                static_cast<long long>(result.bytes));
    return 0;
}
