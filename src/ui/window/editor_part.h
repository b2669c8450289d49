// The editor's window side: painting with the palette's tool, the verdict after each stroke,
// Clear, and the switches between playing and editing.
#pragma once

#include "window/window_frame.h"

namespace ruk {

class EditorPart {
  public:
    explicit EditorPart(const PartContext& context) : c_(context) {}

    void ChooseTool(CellCode tool);
    void StrokeStarted() { lastDragCell_ = {}; }
    void Press(GridCell cell, bool erase);
    void Drag(GridCell cell);
    // The button is up: the verdict on the drawn level.
    void StrokeEnded();
    void Clear();
    // The Edit and Play buttons: each switches only from the other mode.
    void SwitchToEdit();
    void SwitchToPlay();
    // The verdict and the editor's panel.
    void Check();
    // Ctrl+S in Edit mode: the drawn level saved to a file the user chooses, a new one or at
    // the end of one that is there, after a warning when it would not load.
    void Save();

  private:
    PartContext c_;
    GridCell lastDragCell_;  // the last painted cell while a button is held
};

}  // namespace ruk
