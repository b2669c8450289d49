// The wheel's notches (see wheel_notches.h).
#include "panel/wheel_notches.h"

#include <algorithm>

namespace ruk {

int WheelNotches::Add(int delta) {
    // A turn back starts from nothing: what was turned the other way is not taken off it.
    if ((delta > 0 && rest_ < 0) || (delta < 0 && rest_ > 0)) rest_ = 0;
    rest_ += delta;
    const long long notches = rest_ / WHEEL_NOTCH;
    rest_ -= notches * WHEEL_NOTCH;
    return static_cast<int>(
        std::clamp<long long>(notches, -MAX_NOTCHES_AT_ONCE, MAX_NOTCHES_AT_ONCE));
}

}  // namespace ruk
