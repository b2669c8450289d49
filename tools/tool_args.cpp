// ruk-tool argument handling (see tool_args.h).
#include "tool_args.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace ruk::tool {

bool Args::Has(const std::string& name) const {
    return std::any_of(options.begin(), options.end(),
                       [&](const auto& option) { return option.first == name; });
}

std::string Args::Value(const std::string& name, const std::string& fallback) const {
    for (const auto& option : options)
        if (option.first == name) return option.second;
    return fallback;
}

Args ParseArgs(int argc, char** argv, int first, const std::vector<std::string>& valued) {
    Args args;
    for (int i = first; i < argc; ++i) {
        const std::string word = argv[i];
        if (word.rfind("--", 0) != 0) {
            args.positional.push_back(word);
            continue;
        }
        const bool takesValue = std::find(valued.begin(), valued.end(), word) != valued.end();
        std::string value;
        if (takesValue && i + 1 < argc) value = argv[++i];
        args.options.emplace_back(word, value);
    }
    return args;
}

bool ParseGridSize(const std::string& text, int& width, int& height) {
    const auto x = text.find('x');
    if (x == std::string::npos || x == 0 || x + 1 >= text.size()) return false;
    const std::string w = text.substr(0, x);
    const std::string h = text.substr(x + 1);
    auto digits = [](const std::string& s) {
        return s.size() <= 3 &&
               std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (!digits(w) || !digits(h)) return false;
    width = std::atoi(w.c_str());
    height = std::atoi(h.c_str());
    return width >= 1 && width <= 50 && height >= 1 && height <= 50;
}

bool ApplyGridOption(const Args& args, Grids& grids) {
    int width = 0;
    int height = 0;
    if (!ParseGridSize(args.Value("--grid", "50x50"), width, height)) return false;
    grids.maxWidth = width;
    grids.maxHeight = height;
    return true;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "ruk-tool: %s\n", message.c_str());
    return EXIT_ERROR;
}

}  // namespace ruk::tool
