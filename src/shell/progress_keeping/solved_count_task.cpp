// The solved count on its own thread (see solved_count_task.h).
#include "progress_keeping/solved_count_task.h"

#include <memory>

#include "core_door.h"
#include "progress_store.h"

namespace ruk {

void SolvedCountTask::Start(const std::string& storePath, const std::string& levelPath, Done done,
                            bool readSolutions) {
    Stop();
    stop_ = false;
    thread_ = std::thread([this, storePath, levelPath, done = std::move(done), readSolutions] {
        // A state and a connection of its own: the window's are not touched from here.
        FileSolvedCount count;
        const std::unique_ptr<CoreState> core = door::CreateState();
        ProgressStore store;
        ProgressStore::Options options;
        options.readOnly = !readSolutions;
        const ProgressState state = core ? store.Open(storePath, options) : ProgressState::NONE;
        if (state != ProgressState::NONE)
            count = CountSolvedInFile(*core, store, levelPath.c_str(), stop_,
                                      state == ProgressState::READY && readSolutions);
        if (!stop_) done(levelPath, count);
    });
}

void SolvedCountTask::Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
}

}  // namespace ruk
