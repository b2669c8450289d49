// The Options group's window side: Instant Move and Guard, the replay speed keys, and the
// options as the settings file keeps them.
#pragma once

#include "settings/settings.h"
#include "window/window_frame.h"

namespace ruk {

class OptionsPart {
  public:
    explicit OptionsPart(const PartContext& context) : c_(context) {}

    void Load(const WorkingPaths& paths);
    // Written back: the options always, the replay speed only when it changed.
    void Save(const WorkingPaths& paths) const;

    void InstantMoveChanged();
    void GuardChanged();
    // The replay speed keys: one step slower or faster, Instant Move past the fastest.
    void ChangeReplaySpeed(bool faster);

  private:
    PartContext c_;
    int storedSlowdown_ = 1;  // SPEED as read; written back only when it changed
};

}  // namespace ruk
