// What every part of the window reaches: the core (changed only through the door), the prompts,
// the window's own state, the panel and the board view, and the frame's refreshes. A part holds
// one of these and nothing of the other parts.
#pragma once

#include "core_door.h"
#include "panel/prompts.h"
#include "panel/status_panel.h"
#include "panel/window_state.h"

class QWidget;

namespace ruk {

class BoardView;
class ControlPanel;

// The frame's side: the refreshes after a change of the core and the level-change steps shared
// by several parts.
class WindowFrame {
  public:
    virtual bool Closed() const = 0;
    // Closes the window once the running handler has returned, so that nothing draws into
    // freed buffers.
    virtual void CloseSoon() = 0;
    // Runs what a core call asked for: timers, drawing, panels, the congratulation.
    virtual void Apply(const WindowRequests& requests) = 0;
    virtual void RefreshLevelInfo() = 0;
    virtual void ApplyPanel() = 0;
    virtual void ApplyControlStates() = 0;
    // A new level is shown: the drawing, the editor, the progress record and the panels.
    virtual void LevelShown() = 0;
    // The game is about to be left: kept as the level's unfinished game.
    virtual void LeaveGame() = 0;
    // The shown level changed without LevelShown (the editor's level): its progress record.
    virtual void ProgressLevelShown() = 0;
    virtual void StopAutoPlay() = 0;
    // The start-up board, with no level.
    virtual void ShowWelcome() = 0;
    // The welcome screen's line has changed: drawn again when the welcome screen is up.
    virtual void RefreshWelcome() = 0;
    // No level has been loaded: the welcome screen is up.
    virtual bool WelcomeShown() const = 0;

  protected:
    ~WindowFrame() = default;
};

struct PartContext {
    CoreState& core;
    Prompts& prompts;
    WindowState& window;
    PanelTexts& texts;
    ControlPanel& panel;
    BoardView& board;
    WindowFrame& frame;
    QWidget* parent;  // the window: the parent of the parts' dialogs
};

}  // namespace ruk
