// The ruk-tool commands; each returns the process exit status.
#pragma once

#include "tool_args.h"

namespace ruk::tool {

int LevelsCommand(const Args& args);
int ReplayCommand(const Args& args);
int TargetsCommand(const Args& args);
int BenchCommand(const Args& args);
int ProgressCommand(const Args& args);

}  // namespace ruk::tool
