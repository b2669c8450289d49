// The panel: every control of the window from the shell's table of ids, their places, their
// texts and whether they can be clicked. Each clickable control carries a QAction that its click
// and its key trigger; the frame connects one handler to each.
#pragma once

#include <QAction>
#include <QString>
#include <array>
#include <functional>

#include "panel/control_ids.h"
#include "panel/control_states.h"
#include "panel/status_panel.h"
#include "panel/window_layout.h"

class QWidget;

namespace ruk {

class ControlPanel {
  public:
    // Creates the controls on parent; makeBoard makes the board's view at the board frame's
    // place in the table.
    ControlPanel(QWidget* parent, const std::function<QWidget*()>& makeBoard);

    QWidget* Control(int id) const { return controls_[id - FIRST_CONTROL_ID]; }
    // What a click on control id does; none for labels, groups, the logo and the number box.
    QAction* Action(int id) const { return actions_[id - FIRST_CONTROL_ID]; }
    // Runs after every click on a control (the board takes the keys back).
    void SetAfterClick(std::function<void()> afterClick) { afterClick_ = std::move(afterClick); }
    // A key's command: run exactly where its control could be clicked.
    void RunKeyCommand(int id) const;

    bool Enabled(int id) const;
    QString Text(int id) const;
    void SetText(int id, const QString& text);
    bool Checked(int id) const;
    void SetChecked(int id, bool checked);
    // The number typed into the level-number box, as bytes.
    QByteArray TypedNumber() const;
    bool Typing() const;  // the level-number box holds the keys

    void Place(const WindowLayout& layout);
    // The panel texts written since the last call, shown. True when the info line was among
    // them.
    bool ShowTexts(PanelTexts& texts);
    void Enable(const ControlStates& states);

  private:
    void Create(QWidget* parent, const std::function<QWidget*()>& makeBoard);

    std::array<QWidget*, CONTROL_COUNT> controls_{};
    std::array<QAction*, CONTROL_COUNT> actions_{};
    std::function<void()> afterClick_;
};

}  // namespace ruk
