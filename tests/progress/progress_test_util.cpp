// Helpers of the progress tests (see progress_test_util.h).
#include "progress_test_util.h"

#include "test_files.h"

namespace ruk::test {

Board BoardOf(const std::string& text) {
    Core core;
    LoadText(*core.state, text);
    return core.level->board;
}

}  // namespace ruk::test
