// The panel (see control_panel.h).
#include "window/control_panel.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTimer>

#include "window/panel_group_box.h"

namespace ruk {

namespace {

// The level-number box selects all of its text when it gets the focus, after the focus change
// has settled (a click would otherwise place the caret over the selection).
class NumberBox : public QLineEdit {
  public:
    using QLineEdit::QLineEdit;

  protected:
    void focusInEvent(QFocusEvent* event) override {
        QLineEdit::focusInEvent(event);
        QTimer::singleShot(0, this, [this] { selectAll(); });
    }
    // Its Enter has clicked Jump already (returnPressed): kept from the window, which would
    // click it once more.
    void keyPressEvent(QKeyEvent* event) override {
        QLineEdit::keyPressEvent(event);
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) event->accept();
    }
};

struct ControlEntry {
    int id;
    enum Kind { BUTTON, DEFAULT_BUTTON, CHECK, RADIO, GROUP, LABEL, EDIT, LOGO, FRAME } kind;
    const char* text;
};

constexpr ControlEntry CONTROL_TABLE[] = {
    {ID_LOGO, ControlEntry::LOGO, ""},
    {ID_LOADER_GROUP, ControlEntry::GROUP, "Level Loader"},
    {ID_SELECTOR_GROUP, ControlEntry::GROUP, "Level Selector"},
    {ID_OPTIONS_GROUP, ControlEntry::GROUP, "Options"},
    {ID_VIEWER_GROUP, ControlEntry::GROUP, "Solution Viewer"},
    {ID_RESULT_GROUP, ControlEntry::GROUP, "Result"},
    {ID_EDITOR_GROUP, ControlEntry::GROUP, "Editor"},
    {ID_TEXT, ControlEntry::BUTTON, "Text"},
    {ID_FILE, ControlEntry::BUTTON, "File"},
    {ID_SET_NAME, ControlEntry::LABEL, ""},
    {ID_LEVEL_COUNT, ControlEntry::LABEL, ""},
    {ID_PREV, ControlEntry::BUTTON, "Prev"},
    {ID_NEXT, ControlEntry::BUTTON, "Next"},
    {ID_LEVEL_NUMBER, ControlEntry::EDIT, ""},
    {ID_JUMP, ControlEntry::DEFAULT_BUTTON, "Jump"},
    {ID_LEVEL_SIZE, ControlEntry::LABEL, ""},
    {ID_STATUS_LINE, ControlEntry::LABEL, ""},
    {ID_INSTANT_MOVE, ControlEntry::CHECK, "Instant Move"},
    {ID_GUARD, ControlEntry::CHECK, "Guard"},
    {ID_SOLVER, ControlEntry::BUTTON, "Solver"},
    {ID_INFO_LINE, ControlEntry::LABEL, ""},
    {ID_URDL_INPUT, ControlEntry::BUTTON, "URDL Input"},
    {ID_RESTART, ControlEntry::BUTTON, "Restart"},
    {ID_UNDO, ControlEntry::BUTTON, "Undo"},
    {ID_REDO, ControlEntry::BUTTON, "Redo"},
    {ID_AUTO_PLAY, ControlEntry::BUTTON, "Auto-play"},
    {ID_SHOWN_MOVES, ControlEntry::LABEL, ""},
    {ID_SHOWN_PUSHES, ControlEntry::LABEL, ""},
    {ID_SHOWN_ACTIONS, ControlEntry::LABEL, ""},
    {ID_SOLVED, ControlEntry::LABEL, ""},
    {ID_UNSOLVABLE, ControlEntry::LABEL, ""},
    {ID_TOTAL_MOVES, ControlEntry::LABEL, ""},
    {ID_TOTAL_PUSHES, ControlEntry::LABEL, ""},
    {ID_TOTAL_ACTIONS, ControlEntry::LABEL, ""},
    {ID_URDL_OUTPUT, ControlEntry::BUTTON, "URDL Output"},
    {ID_PLAY, ControlEntry::RADIO, "Play"},
    {ID_EDIT, ControlEntry::RADIO, "Edit"},
    {ID_CLEAR, ControlEntry::BUTTON, "Clear"},
    {ID_EDITOR_BOXES, ControlEntry::LABEL, ""},
    {ID_EDITOR_GOALS, ControlEntry::LABEL, ""},
    {ID_EDITOR_STATUS, ControlEntry::LABEL, ""},
    {ID_BOARD_FRAME, ControlEntry::FRAME, ""},
};

bool IsRed(int id) {
    return id == ID_STATUS_LINE || id == ID_EDITOR_STATUS || id == ID_UNSOLVABLE;
}

bool IsBlue(int id) {
    return id == ID_INFO_LINE || id == ID_RESULT_GROUP || id == ID_SOLVED || id == ID_TOTAL_MOVES ||
           id == ID_TOTAL_PUSHES || id == ID_TOTAL_ACTIONS;
}

void Colour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

QWidget* MakeControl(const ControlEntry& entry, QWidget* parent,
                     const std::function<QWidget*()>& makeBoard) {
    const QString text = entry.text;
    switch (entry.kind) {
        case ControlEntry::BUTTON:
        case ControlEntry::DEFAULT_BUTTON: {
            auto* button = new QPushButton(text, parent);
            if (entry.kind == ControlEntry::DEFAULT_BUTTON) button->setDefault(true);
            return button;
        }
        case ControlEntry::CHECK:
            return new QCheckBox(text, parent);
        case ControlEntry::RADIO: {
            // Push-like radio buttons: checkable buttons that exclude each other.
            auto* button = new QPushButton(text, parent);
            button->setCheckable(true);
            button->setAutoExclusive(true);
            return button;
        }
        case ControlEntry::GROUP: {
            auto* group = new PanelGroupBox(text, parent);
            group->setAttribute(Qt::WA_TransparentForMouseEvents);
            return group;
        }
        case ControlEntry::LABEL: {
            auto* label = new QLabel(parent);
            label->setAttribute(Qt::WA_TransparentForMouseEvents);
            return label;
        }
        case ControlEntry::EDIT: {
            auto* edit = new NumberBox(parent);
            edit->setAlignment(Qt::AlignRight);
            edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
            return edit;
        }
        case ControlEntry::LOGO: {
            auto* logo = new QLabel(parent);
            logo->setPixmap(QPixmap(":/ruk_logo.png"));
            logo->setAttribute(Qt::WA_TransparentForMouseEvents);
            return logo;
        }
        case ControlEntry::FRAME:
            return makeBoard();
    }
    return nullptr;
}

}  // namespace

ControlPanel::ControlPanel(QWidget* parent, const std::function<QWidget*()>& makeBoard) {
    Create(parent, makeBoard);
}

void ControlPanel::Create(QWidget* parent, const std::function<QWidget*()>& makeBoard) {
    for (const ControlEntry& entry : CONTROL_TABLE) {
        QWidget* widget = MakeControl(entry, parent, makeBoard);
        if (IsRed(entry.id)) Colour(widget, QColor(255, 0, 0));
        if (IsBlue(entry.id)) Colour(widget, QColor(0, 0, 255));
        controls_[entry.id - FIRST_CONTROL_ID] = widget;
        auto* button = qobject_cast<QAbstractButton*>(widget);
        if (!button) continue;
        button->setFocusPolicy(Qt::TabFocus);
        auto* action = new QAction(button->text(), widget);
        actions_[entry.id - FIRST_CONTROL_ID] = action;
        // A click leaves the keys with the board (the button never keeps the focus).
        QObject::connect(button, &QAbstractButton::clicked, action, [this, action] {
            action->trigger();
            if (afterClick_) afterClick_();
        });
    }
    // Enter in the box is Jump's click.
    auto* edit = static_cast<QLineEdit*>(Control(ID_LEVEL_NUMBER));
    auto* jump = static_cast<QPushButton*>(Control(ID_JUMP));
    QObject::connect(edit, &QLineEdit::returnPressed, jump, [jump] {
        if (jump->isEnabled()) jump->click();
    });
}

void ControlPanel::RunKeyCommand(int id) const {
    if (Enabled(id) && Action(id)) Action(id)->trigger();
}

bool ControlPanel::Enabled(int id) const {
    return Control(id)->isEnabled();
}

QString ControlPanel::Text(int id) const {
    QWidget* widget = Control(id);
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->text();
    if (auto* group = qobject_cast<QGroupBox*>(widget)) return group->title();
    return {};
}

void ControlPanel::SetText(int id, const QString& text) {
    QWidget* widget = Control(id);
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (label->text() != text) label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        if (button->text() != text) button->setText(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        if (edit->text() != text) edit->setText(text);
    }
}

bool ControlPanel::Checked(int id) const {
    return static_cast<QAbstractButton*>(Control(id))->isChecked();
}

void ControlPanel::SetChecked(int id, bool checked) {
    static_cast<QAbstractButton*>(Control(id))->setChecked(checked);
}

QByteArray ControlPanel::TypedNumber() const {
    return static_cast<QLineEdit*>(Control(ID_LEVEL_NUMBER))->text().toLatin1();
}

bool ControlPanel::Typing() const {
    QWidget* box = Control(ID_LEVEL_NUMBER);
    return box->window()->focusWidget() == box;
}

void ControlPanel::Place(const WindowLayout& layout) {
    for (const ControlPlace& place : layout.controls)
        if (place.id >= FIRST_CONTROL_ID && place.id <= LAST_CONTROL_ID)
            Control(place.id)->setGeometry(place.x, place.y, place.width, place.height);
}

bool ControlPanel::ShowTexts(PanelTexts& texts) {
    bool infoLine = false;
    for (int id = FIRST_CONTROL_ID; id <= LAST_CONTROL_ID; ++id) {
        if (!texts.written[id - FIRST_CONTROL_ID]) continue;
        texts.written[id - FIRST_CONTROL_ID] = false;
        SetText(id, QString::fromLatin1(texts.Get(id).c_str()));
        if (id == ID_INFO_LINE) infoLine = true;
    }
    return infoLine;
}

void ControlPanel::Enable(const ControlStates& states) {
    for (int id = FIRST_CONTROL_ID; id <= LAST_CONTROL_ID; ++id) {
        QWidget* widget = Control(id);
        if (qobject_cast<QLabel*>(widget) || qobject_cast<QGroupBox*>(widget) ||
            id == ID_BOARD_FRAME)
            continue;
        widget->setEnabled(states.Enabled(id));
    }
}

}  // namespace ruk
