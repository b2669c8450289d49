// The last place's key on its own thread (see place_key_task.h).
#include "progress_keeping/place_key_task.h"

#include <memory>

#include "core_door.h"
#include "file_level_keys.h"

namespace ruk {

void PlaceKeyTask::Start(const LastPlace& place, Done done) {
    Stop();
    stop_ = false;
    thread_ = std::thread([this, place, done = std::move(done)] {
        // A state of its own: the window's is not touched from here.
        const std::unique_ptr<CoreState> core = door::CreateState();
        const std::string key =
            core ? FileLevelKey(*core, place.file.c_str(), place.level, &stop_) : std::string();
        if (!stop_) done(place, key);
    });
}

void PlaceKeyTask::Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
}

}  // namespace ruk
