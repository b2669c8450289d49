// Runs the built ruk-tool as a script would, for the tests of its output lines.
#pragma once

#include <string>

namespace ruk::test {

struct ToolRun {
    std::string out;  // standard output and standard error together
    int status = -1;
};

// Runs ruk-tool with the arguments (and, when given, input on its standard input).
ToolRun RunTool(const std::string& arguments, const std::string& input = "");

}  // namespace ruk::test
