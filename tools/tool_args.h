// Command-line arguments of ruk-tool: options and the one-line error exit.
#pragma once

#include <string>
#include <vector>

#include "board/grids.h"

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

constexpr const char* GRID_OPTION_ERROR = "--grid takes WxH, each from 1 to 50";

// Sets the usable grid from --grid (50 x 50 when absent); false when its value is not WxH.
bool ApplyGridOption(const Args& args, Grids& grids);

// Prints "ruk-tool: message" on standard error and returns EXIT_ERROR.
int Fail(const std::string& message);

}  // namespace ruk::tool
