// The mouse wheel turned into whole notches: a standard wheel reports 120 eighths of a degree a
// notch, a high-resolution one smaller steps that are added up until they make one.
#pragma once

namespace ruk {

constexpr int WHEEL_NOTCH = 120;
// More notches than a hand turns at once are dropped: one report never runs a long loop.
constexpr int MAX_NOTCHES_AT_ONCE = 32;

class WheelNotches {
  public:
    // The whole notches that a turn of delta (eighths of a degree, away from the user positive)
    // completes, signed; the rest waits for the next turn in the same direction.
    int Add(int delta);

  private:
    long long rest_ = 0;
};

}  // namespace ruk
