// The last place's key on its own thread (see place_key_task.h).
#include "progress_keeping/place_key_task.h"

#include <memory>

#include "core_door.h"
#include "file_level_keys.h"

namespace ruk {

void PlaceKeyTask::Start(const LastPlace& place, Done done) {
    Stop();
    thread_ = std::thread([place, done = std::move(done)] {
        // A state of its own: the window's is not touched from here.
        const std::unique_ptr<CoreState> core = door::CreateState();
        done(place, core ? FileLevelKey(*core, place.file.c_str(), place.level) : std::string());
    });
}

void PlaceKeyTask::Stop() {
    if (thread_.joinable()) thread_.join();
}

}  // namespace ruk
