// The key of the level at the last place, read from its file on a thread of its own, so that the
// welcome screen shows at once however large that file is; the answer is handed to a callback
// on that thread.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "progress_store.h"

namespace ruk {

class PlaceKeyTask {
  public:
    // key: "" when the file cannot be read or no longer holds the level.
    using Done = std::function<void(const LastPlace& place, const std::string& key)>;

    PlaceKeyTask() = default;
    ~PlaceKeyTask() { Stop(); }
    PlaceKeyTask(const PlaceKeyTask&) = delete;
    PlaceKeyTask& operator=(const PlaceKeyTask&) = delete;

    // Stops a read still running, then reads place's level in a state of its own.
    void Start(const LastPlace& place, Done done);
    // Stops a running read and waits for its thread; its answer is dropped. The file's level
    // count is read whole, the steps to the level stop at once.
    void Stop();

  private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace ruk
