// Command-line arguments of ruk-tool: options and the one-line error exit.
#pragma once

#include <string>
#include <vector>

namespace ruk::tool {

constexpr int EXIT_MISMATCH = 1;
constexpr int EXIT_ERROR = 2;

struct Args {
    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> options;  // --name value, or --flag ""
    bool Has(const std::string& name) const;
    std::string Value(const std::string& name, const std::string& fallback) const;
};

// Splits argv after the command word; the options that take a value are listed in valued.
Args ParseArgs(int argc, char** argv, int first, const std::vector<std::string>& valued);

// Reads "WxH" into width and height (each 1 to 50); false when it is not that.
bool ParseGridSize(const std::string& text, int& width, int& height);

// Prints "ruk-tool: message" on standard error and returns EXIT_ERROR.
int Fail(const std::string& message);

}  // namespace ruk::tool
