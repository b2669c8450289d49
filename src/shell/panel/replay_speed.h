// The replay speed the minus and plus keys step through: Instant Move, then one letter every
// 1, 2, 4, 8 or 16 ticks of the step timer.
#pragma once

namespace ruk {

struct ReplaySpeed {
    int slowdown = 1;  // ticks per letter
    bool instantMove = false;
    bool operator==(const ReplaySpeed&) const = default;
};

// Half the slow-down; from 1 tick per letter, Instant Move; Instant Move stays.
ReplaySpeed FasterReplay(ReplaySpeed speed);
// Instant Move off at 1 tick per letter; otherwise twice the slow-down, at most 16.
ReplaySpeed SlowerReplay(ReplaySpeed speed);

}  // namespace ruk
