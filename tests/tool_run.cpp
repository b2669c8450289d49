// Running ruk-tool (see tool_run.h).
#include "tool_run.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>

namespace ruk::test {

ToolRun RunTool(const std::string& arguments, const std::string& input) {
    ToolRun run;
    const std::string feed = input.empty() ? "" : "printf '%s' '" + input + "' | ";
    const std::string command = feed + std::string(RUK_TOOL_PATH) + " " + arguments + " 2>&1";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buffer{};
    while (std::fgets(buffer.data(), buffer.size(), pipe)) run.out += buffer.data();
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace ruk::test
