// The solved count on its own thread (see solved_count_task.h).
#include "progress/solved_count_task.h"

#include <memory>

#include "progress_store.h"
#include "records/core_state.h"

namespace ruk {

void SolvedCountTask::Start(const std::string& storePath, const std::string& levelPath, Done done) {
    Stop();
    stop_ = false;
    thread_ = std::thread([this, storePath, levelPath, done = std::move(done)] {
        // A state and a connection of its own: the window's are not touched from here.
        FileSolvedCount count;
        const std::unique_ptr<CoreState> core = CreateCoreState();
        ProgressStore store;
        ProgressStore::Options options;
        options.readOnly = true;
        if (core && store.Open(storePath, options) != ProgressState::NONE)
            count = CountSolvedInFile(*core, store, levelPath.c_str(), stop_);
        if (!stop_) done(levelPath, count);
    });
}

void SolvedCountTask::Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
}

}  // namespace ruk
