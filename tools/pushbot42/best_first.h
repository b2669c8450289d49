// The best-first loop that the push and pull searches share: the open list's best entry is
// expanded unless it is stale (closed, or its priority since improved), until done() holds, the
// list is empty, the deadline passes or stop is set.
#pragma once

#include <atomic>
#include <cstdint>

#include "open_list.h"
#include "position_store.h"
#include "pushbot_search.h"

namespace ruk::pushbot {

// False when the deadline or stop ended it.
template <typename Done, typename Expand>
bool ExpandBestFirst(OpenList& open, PositionStore& store, int weight, double deadline,
                     const std::atomic<bool>* stop, Done&& done, Expand&& expand) {
    OpenEntry top{};
    while (!done() && open.Pop(top)) {
        // At every position: one expansion of a level with many boxes can take milliseconds,
        // and a reading of the clock costs next to nothing beside it.
        CountExpansion();
        if (Now() > deadline || (stop != nullptr && stop->load(std::memory_order_relaxed)))
            return false;
        Position& position = store.At(top.position);
        if (position.closed) continue;
        const std::uint64_t priority = static_cast<std::uint64_t>(position.g) +
                                       static_cast<std::uint64_t>(weight) * position.h;
        if (top.Priority() != priority) continue;  // a stale entry for a since-improved one
        position.closed = 1;
        expand(top.position);
    }
    return true;
}

}  // namespace ruk::pushbot
