// pushbot42: solves the first level of a file and writes the answer as URDL text.
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "pushbot_search.h"

namespace {

constexpr int EXIT_NO_SOLUTION = 1;
constexpr int EXIT_USAGE = 2;
constexpr int EXIT_BAD_INPUT = 3;
constexpr int EXIT_NO_OUTPUT = 4;
constexpr double DEFAULT_SECONDS = 60.0;
// Longer limits are taken as this one: a week of search is as good as no limit, and the
// deadline stays well inside what the clock can count. The player accepts limits of up to nine
// digits, so every one of them must be taken.
constexpr double MAX_SECONDS = 7.0 * 24 * 3600;
constexpr long MAX_MB = 1L << 20;

int Usage(const char* problem) {
    std::fprintf(stderr,
                 "pushbot42: %s\n"
                 "usage: pushbot42 -in FILE -out FILE -time SECONDS [-mem MB] [-weight W]\n"
                 "                 [-threads N]\n"
                 "  solves the first level of FILE; SECONDS 0 or absent means %g, more than\n"
                 "  a week means a week;\n"
                 "  MB bounds the position stores (default 1024); W 1..100 weighs the lower\n"
                 "  bound against the pushes made (default: searches with weights 1 and 3;\n"
                 "  lower gives fewer pushes, slower); N 1..64 searches run side by side\n"
                 "  (default: one per core), sharing MB\n",
                 problem, DEFAULT_SECONDS);
    return EXIT_USAGE;
}

bool ParseSeconds(const char* text, double& seconds) {
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text, &end);
    // A number too large for a double comes back as infinity with ERANGE: it is clamped too.
    if (end == text || *end != '\0' || std::isnan(value) || value < 0) return false;
    if (errno == ERANGE && value < 1) return false;  // too small to tell from zero
    seconds = value == 0 ? DEFAULT_SECONDS : std::min(value, MAX_SECONDS);
    return true;
}

bool ParseWhole(const char* text, long low, long high, long& value) {
    char* end = nullptr;
    errno = 0;
    value = std::strtol(text, &end, 10);
    return end != text && *end == '\0' && errno == 0 && value >= low && value <= high;
}

}  // namespace

int main(int argc, char** argv) {
    std::string in, out;
    ruk::pushbot::Limits limits;
    limits.seconds = DEFAULT_SECONDS;
    for (int i = 1; i < argc; i += 2) {
        const char* flag = argv[i];
        if (i + 1 >= argc) return Usage((std::string("missing value after ") + flag).c_str());
        const char* value = argv[i + 1];
        if (std::strcmp(flag, "-in") == 0 && value[0] != '\0') {
            in = value;
        } else if (std::strcmp(flag, "-out") == 0 && value[0] != '\0') {
            out = value;
        } else if (std::strcmp(flag, "-time") == 0) {
            if (!ParseSeconds(value, limits.seconds)) return Usage("bad -time value");
        } else if (std::strcmp(flag, "-mem") == 0) {
            long mb = 0;
            if (!ParseWhole(value, 1, MAX_MB, mb)) return Usage("bad -mem value");
            limits.memoryMb = static_cast<std::uint64_t>(mb);
        } else if (std::strcmp(flag, "-threads") == 0) {
            long threads = 0;
            if (!ParseWhole(value, 1, 64, threads)) return Usage("bad -threads value");
            limits.threads = static_cast<int>(threads);
        } else if (std::strcmp(flag, "-weight") == 0) {
            long weight = 0;
            if (!ParseWhole(value, 1, 100, weight)) return Usage("bad -weight value");
            limits.weight = static_cast<int>(weight);
            limits.portfolio = false;
        } else {
            return Usage((std::string("unknown argument ") + flag).c_str());
        }
    }
    if (in.empty() || out.empty()) return Usage("-in and -out are required");

    const ruk::pushbot::Result result = ruk::pushbot::SolveFile(in, limits);
    const std::string text = ruk::pushbot::OutputText(result);
    std::FILE* file = std::fopen(out.c_str(), "wb");
    bool written = file != nullptr && std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (file != nullptr && std::fclose(file) != 0) written = false;
    if (!written) {
        std::fprintf(stderr, "pushbot42: cannot write %s\n", out.c_str());
        return EXIT_NO_OUTPUT;
    }
    std::fputs(text.substr(0, text.find('\n') + 1).c_str(), stderr);
    if (result.outcome == ruk::pushbot::Outcome::SOLVED) return EXIT_SUCCESS;
    return result.outcome == ruk::pushbot::Outcome::BAD_INPUT ? EXIT_BAD_INPUT : EXIT_NO_SOLUTION;
}
