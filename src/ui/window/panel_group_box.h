// A group box drawn the way the panel's places were measured for: the frame's top line runs
// through the middle of the title, which sits on it, and the frame takes no room of its own.
#pragma once

#include <QGroupBox>

namespace ruk {

class PanelGroupBox : public QGroupBox {
  public:
    PanelGroupBox(const QString& title, QWidget* parent);
    // Height of the frame's top line below the box's top edge (half the title's line).
    int FrameTop() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace ruk
