// The texts of the panel's statics, recomputed from the program state after every change. The
// update operations own disjoint sets of controls and overwrite every one of them; the window
// writes the texts that changed into its widgets.
#pragma once

#include <array>
#include <string>

#include "panel/control_ids.h"
#include "panel/window_state.h"
#include "records/core_state.h"

namespace ruk {

struct PanelTexts {
    std::array<std::string, CONTROL_COUNT> text;
    std::array<bool, CONTROL_COUNT> written{};  // set by the updates since the window last applied

    void Set(int id, std::string value);
    const std::string& Get(int id) const { return text[id - FIRST_CONTROL_ID]; }
};

void UpdateSolverClock(const WindowState& window, PanelTexts& panel);
void UpdateCounters(const CoreState& core, PanelTexts& panel);
void UpdateResult(const CoreState& core, PanelTexts& panel);
void UpdateEditorStatus(const CoreState& core, PanelTexts& panel);
// The level panel, then the solver clock, the counters, the result and the editor status.
void UpdateLevelInfo(const CoreState& core, const WindowState& window, PanelTexts& panel);
// "UnSolvable" while a playable position is proved lost or the level is hopeless from its
// start; empty for every other level, so the label never carries over from an earlier one.
void UpdateUnsolvableLabel(const CoreState& core, PanelTexts& panel);

// The info line for the level cell under the mouse (1-based), or empty for (-1, -1).
std::string CursorText(int x, int y);

}  // namespace ruk
