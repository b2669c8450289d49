// The main window (see main_window.h). Every handler follows the same pattern: a core call,
// then the drawing and the panel updates the call asked for.
#include "window/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>

#include "board/jump_number.h"
#include "core_door.h"
#include "editor/editor_grid.h"
#include "panel/command_rules.h"
#include "panel/control_states.h"
#include "panel/palette_hit.h"
#include "panel/replay_speed.h"
#include "panel/window_layout.h"
#include "render/board_renderer.h"
#include "render/palette_renderer.h"
#include "render/text_drawing.h"
#include "render/zoomed_board.h"
#include "settings/program_folder.h"
#include "window/panel_group_box.h"

namespace ruk {

namespace {

constexpr int STEP_PERIOD_MS = 10;
constexpr int SOLVER_CLOCK_MS = 1000;
constexpr int AUTO_PLAY_PERIOD_MS = 60;

// Shows one back buffer, unscaled; mouse presses on it belong to the window. The board's view
// switches between the back buffer and its zoomed picture.
class BufferView : public QWidget {
  public:
    BufferView(QWidget* parent, const QImage& image) : QWidget(parent), image_(&image) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    void Show(const QImage& image) { image_ = &image; }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(0, 0, *image_);
    }

  private:
    const QImage* image_;
};

void ShowImage(QWidget* view, const QImage& image) {
    static_cast<BufferView*>(view)->Show(image);
}

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

// Client pixels arrive as unsigned 16-bit values, so a drag beyond the left or top edge
// lands far outside every area instead of on a negative cell.
int Pixel(qreal value) {
    return static_cast<std::uint16_t>(static_cast<int>(value));
}

}  // namespace

MainWindow::MainWindow(const WindowSetup& setup)
    : core_(CreateCoreState()),
      prompts_(*setup.prompts),
      programFolder_(setup.programFolder),
      workArea_(setup.workArea),
      progressOn_(setup.progressPath.has_value()),
      progressPath_(setup.progressPath.value_or("")) {
    // A main window's frame: caption, system menu and minimize box, but no maximize or resize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(WINDOW_CAPTION);
    setWindowIcon(QIcon(":/ruk_icon.png"));
    setMouseTracking(true);
    stepTimer_.setInterval(STEP_PERIOD_MS);
    solverTimer_.setInterval(SOLVER_CLOCK_MS);
    autoPlayTimer_.setInterval(AUTO_PLAY_PERIOD_MS);
    connect(&stepTimer_, &QTimer::timeout, this, [this] { OnStepTimerTick(); });
    connect(&autoPlayTimer_, &QTimer::timeout, this, [this] { OnAutoPlayTimerTick(); });
    connect(&solverTimer_, &QTimer::timeout, this, [this] { OnSolverClockTick(); });
    CreateControls();
}

MainWindow::~MainWindow() {
    solvedCount_.Stop();
    // The window is gone by now: waiting for the last writes holds nobody up.
    FinishProgress();
    progressTimer_.stop();
    stepTimer_.stop();
    solverTimer_.stop();
    autoPlayTimer_.stop();
}

void MainWindow::CreateControls() {
    for (const ControlEntry& entry : CONTROL_TABLE) {
        QWidget* widget = nullptr;
        const QString text = entry.text;
        switch (entry.kind) {
            case ControlEntry::BUTTON:
            case ControlEntry::DEFAULT_BUTTON: {
                auto* button = new QPushButton(text, this);
                if (entry.kind == ControlEntry::DEFAULT_BUTTON) button->setDefault(true);
                widget = button;
                break;
            }
            case ControlEntry::CHECK:
                widget = new QCheckBox(text, this);
                break;
            case ControlEntry::RADIO: {
                // Push-like radio buttons: checkable buttons that exclude each other.
                auto* button = new QPushButton(text, this);
                button->setCheckable(true);
                button->setAutoExclusive(true);
                widget = button;
                break;
            }
            case ControlEntry::GROUP:
                widget = new PanelGroupBox(text, this);
                widget->setAttribute(Qt::WA_TransparentForMouseEvents);
                break;
            case ControlEntry::LABEL:
                widget = new QLabel(this);
                widget->setAttribute(Qt::WA_TransparentForMouseEvents);
                break;
            case ControlEntry::EDIT: {
                auto* edit = new NumberBox(this);
                edit->setAlignment(Qt::AlignRight);
                edit->setValidator(
                    new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
                // Enter in the box is Jump's click (Jump comes later in the table).
                connect(edit, &QLineEdit::returnPressed, this, [this] {
                    auto* jump = static_cast<QPushButton*>(Control(ID_JUMP));
                    if (jump->isEnabled()) jump->click();
                });
                widget = edit;
                break;
            }
            case ControlEntry::LOGO: {
                auto* logo = new QLabel(this);
                logo->setPixmap(QPixmap(":/ruk_logo.png"));
                logo->setAttribute(Qt::WA_TransparentForMouseEvents);
                widget = logo;
                break;
            }
            case ControlEntry::FRAME:
                widget = boardView_ = new BufferView(this, boardBuffer_);
                boardView_->setFocusPolicy(Qt::StrongFocus);
                break;
        }
        if (IsRed(entry.id)) Colour(widget, QColor(255, 0, 0));
        if (IsBlue(entry.id)) Colour(widget, QColor(0, 0, 255));
        controls_[entry.id - FIRST_CONTROL_ID] = widget;
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            button->setFocusPolicy(Qt::TabFocus);
            const int id = entry.id;
            // A click leaves the keys with the board (the button never keeps the focus).
            connect(button, &QAbstractButton::clicked, this, [this, id] {
                Command(id);
                TakeKeys();
            });
        }
    }
    paletteView_ = new BufferView(this, paletteBuffer_);
    wallToolView_ = new BufferView(this, wallToolBuffer_);
}

QString MainWindow::ControlText(int id) const {
    QWidget* widget = Control(id);
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->text();
    if (auto* group = qobject_cast<QGroupBox*>(widget)) return group->title();
    return {};
}

void MainWindow::SetControlText(int id, const QString& text) {
    QWidget* widget = Control(id);
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (label->text() != text) label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        if (button->text() != text) button->setText(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        if (edit->text() != text) edit->setText(text);
    }
}

// ---- Start-up -------------------------------------------------------------------------------

bool MainWindow::ApplyLayout(int frameWidth, int frameHeight) {
    QRect work = workArea_ ? *workArea_ : QRect();
    if (!workArea_) {
        const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
        if (shown) work = shown->availableGeometry();
    }
    const WindowLayout layout =
        LayoutWindow({frameWidth, frameHeight, work.x(), work.y(), work.width(), work.height()});
    if (!layout.fits) return false;
    layoutFrameWidth_ = frameWidth;
    layoutFrameHeight_ = frameHeight;
    Grids& grids = core_->level.grids;
    grids.maxWidth = layout.maxWidth;
    grids.maxHeight = layout.maxHeight;
    window_.boardRect = layout.boardRect;
    window_.paletteRect = layout.paletteRect;
    window_.wallToolRect = layout.wallToolRect;
    for (const ControlPlace& place : layout.controls)
        if (place.id >= FIRST_CONTROL_ID && place.id <= LAST_CONTROL_ID)
            Control(place.id)->setGeometry(place.x, place.y, place.width, place.height);
    const PixelRect& palette = layout.paletteRect;
    const PixelRect& wallTool = layout.wallToolRect;
    paletteView_->setGeometry(palette.left, palette.top, palette.right - palette.left,
                              palette.bottom - palette.top);
    wallToolView_->setGeometry(wallTool.left, wallTool.top, wallTool.right - wallTool.left,
                               wallTool.bottom - wallTool.top);
    paletteView_->raise();
    wallToolView_->raise();
    setFixedSize(layout.clientWidth, layout.clientHeight);
    move(layout.windowX, layout.windowY);
    return true;
}

bool MainWindow::StartUp() {
    if (!core_) {
        prompts_.Message("RUK", "Out of memory. Close RUK.", PromptIcon::ERROR);
        CloseSequence();
        return false;
    }
    // Before the window is shown no frame is known; the layout runs again once it is.
    if (!ApplyLayout(0, 0)) {
        prompts_.Message("RUK", "Display size is small.\r\n\r\nrequired (1920 x 1080)",
                         PromptIcon::ERROR);
        CloseSequence();
        return false;
    }
    paths_ = BuildWorkingPaths(WorkingFolder(programFolder_));
    pathsKnown_ = true;
    // A skin beside the program wins over one in the user's folder. The paths are bytes,
    // opened as they are: a folder name need not be UTF-8.
    for (const std::string& path : SkinPaths(programFolder_, paths_.folder)) {
        skin_ = LoadSkinFile(path);
        if (skin_.fromFile) break;
    }
    LoadSettings();
    StartProgress();
    TakeKeys();
    static_cast<QPushButton*>(Control(ID_PLAY))->setChecked(true);
    ShowWelcome();
    stepTimer_.start();
    ApplyControlStates();
    return true;
}

void MainWindow::LoadSettings() {
    const Options options = LoadOptions(paths_);
    core_->view.instantMove = options.instantMove;
    core_->view.guardOn = options.guardEnabled;
    static_cast<QCheckBox*>(Control(ID_GUARD))->setChecked(options.guardEnabled);
    static_cast<QCheckBox*>(Control(ID_INSTANT_MOVE))->setChecked(options.instantMove);
    door::SetReplaySlowdown(*core_, LoadReplaySlowdown(paths_));
    storedSlowdown_ = door::ReplaySlowdown(*core_);
    preferredScale_ = loadedScale_ = ScaleOfTile(LoadZoomTile(paths_));
}

void MainWindow::ShowWelcome() {
    Grids& grids = core_->level.grids;
    for (int row = 0; row < grids.maxHeight; ++row)
        for (int col = 0; col < grids.maxWidth; ++col)
            grids.displayGrid[GridIndex(row, col)] = EXTERIOR;
    boardBuffer_ = MakeBoardBuffer(grids);
    RedrawPalette();
    RenderBoard(*core_, skin_, boardBuffer_);
    DrawWelcomeScreen(boardBuffer_, grids.maxWidth, grids.maxHeight);
    zoom_ = {};
    ShowImage(boardView_, boardBuffer_);
    boardView_->update();
}

void MainWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Window managers report the frame only after the window is mapped.
    QTimer::singleShot(200, this, [this] { CheckFrameAfterShow(); });
}

void MainWindow::CheckFrameAfterShow() {
    if (closed_ || !core_) return;
    const int frameWidth = frameGeometry().width() - width();
    const int frameHeight = frameGeometry().height() - height();
    if (frameWidth == layoutFrameWidth_ && frameHeight == layoutFrameHeight_) return;
    // Only the empty start-up board can change its size under the player's eyes.
    if (core_->level.levelSet.count != 0 || core_->level.board.status != LevelStatus::NONE) return;
    if (!ApplyLayout(frameWidth, frameHeight)) {
        prompts_.Message("RUK", "Display size is small.\r\n\r\nrequired (1920 x 1080)",
                         PromptIcon::ERROR);
        close();
        return;
    }
    ShowWelcome();
}

// ---- Drawing and the panel ------------------------------------------------------------------

void MainWindow::Redraw() {
    zoom_ = ZoomBoard(core_->level, ShownScale(core_->level, preferredScale_));
    if (zoom_.scale == 1) {
        RenderBoard(*core_, skin_, boardBuffer_);
        ShowImage(boardView_, boardBuffer_);
    } else {
        // Only the cells in sight are drawn, then blown up.
        RenderBoardCells(*core_, skin_, boardBuffer_, VisibleCells(zoom_, core_->level.grids));
        ShowZoomedBoard(*core_, boardBuffer_, zoom_, zoomedBuffer_);
        ShowImage(boardView_, zoomedBuffer_);
    }
    boardView_->update();
}

void MainWindow::RedrawPalette() {
    RenderPalette(core_->level.editor.editMode, core_->level.editor.selectedTool, skin_,
                  palette().color(QPalette::Button), paletteBuffer_, wallToolBuffer_);
    paletteView_->update();
    wallToolView_->update();
}

void MainWindow::RefreshPanel(void (*update)(const CoreState&, PanelTexts&)) {
    update(*core_, panel_);
    ApplyPanel();
}

void MainWindow::RefreshLevelInfo() {
    UpdateLevelInfo(*core_, window_, panel_);
    UpdateUnsolvableLabel(*core_, panel_);
    ApplyPanel();
}

void MainWindow::ApplyPanel() {
    // The caption follows the level panel: the set, the level number and the level's title,
    // then what is remembered of the level and the file.
    std::string text = WindowCaption(core_->level.levelSet);
    if (progressOn_) text += progress_.CaptionNote(*core_);
    const QString caption = QString::fromLatin1(text.c_str());
    if (caption != windowTitle()) setWindowTitle(caption);
    for (int id = FIRST_CONTROL_ID; id <= LAST_CONTROL_ID; ++id) {
        if (!panel_.written[id - FIRST_CONTROL_ID]) continue;
        panel_.written[id - FIRST_CONTROL_ID] = false;
        SetControlText(id, QString::fromLatin1(panel_.Get(id).c_str()));
        // The panel took the info line over: the cell under the mouse is shown again on the
        // next move, even when it has not changed.
        if (id == ID_INFO_LINE) window_.lastShownX = window_.lastShownY = -1;
    }
}

void MainWindow::ApplyControlStates() {
    const ControlStates states = UpdateControlStates(*core_, window_);
    for (int id = FIRST_CONTROL_ID; id <= LAST_CONTROL_ID; ++id) {
        QWidget* widget = Control(id);
        if (qobject_cast<QLabel*>(widget) || qobject_cast<QGroupBox*>(widget) ||
            widget == boardView_)
            continue;
        widget->setEnabled(states.Enabled(id));
    }
}

void MainWindow::Apply(const WindowRequests& requests) {
    if (requests.startAutoTimer) autoPlayTimer_.start();
    if (requests.killAutoTimer) autoPlayTimer_.stop();
    if (requests.caption == AutoPlayCaption::STOP) SetControlText(ID_AUTO_PLAY, "Stop");
    if (requests.caption == AutoPlayCaption::AUTO_PLAY) SetControlText(ID_AUTO_PLAY, "Auto-play");
    if (requests.redraw) Redraw();
    if (requests.counters) UpdateCounters(*core_, panel_);
    if (requests.result) UpdateResult(*core_, panel_);
    if (requests.levelInfo) UpdateLevelInfo(*core_, window_, panel_);
    UpdateUnsolvableLabel(*core_, panel_);
    ApplyPanel();
    // Before the congratulation's box, so that the solution is written while it is up and the
    // caption follows at once.
    NoteSolution();
    if (requests.congratulate)
        prompts_.Message("RUK", "Status: Solved\r\n\r\nCongratulations !!",
                         PromptIcon::INFORMATION);
    if (requests.controlStates) ApplyControlStates();
}

// ---- Timers ---------------------------------------------------------------------------------

void MainWindow::OnStepTimerTick() {
    // Runs every 10 ms for the life of the window: nothing at all while no animation runs.
    const AnimMode mode = core_->view.animMode;
    if (mode == AnimMode::IDLE || mode == AnimMode::AUTO_ACTIONS || closed_) return;
    WindowRequests requests;
    door::StepTick(*core_, requests);
    Apply(requests);
}

void MainWindow::OnAutoPlayTimerTick() {
    if (closed_) return;
    WindowRequests requests;
    door::AutoPlayTick(*core_, requests);
    Apply(requests);
}

// ---- Mouse ----------------------------------------------------------------------------------

void MainWindow::mousePressEvent(QMouseEvent* event) {
    TakeKeys();  // a press anywhere but on a control ends typing a level number
    const int x = Pixel(event->position().x());
    const int y = Pixel(event->position().y());
    if (event->button() == Qt::LeftButton) LeftPress(x, y);
    if (event->button() == Qt::RightButton) RightPress(x, y);
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) Release();
}

void MainWindow::Release() {
    if (closed_) return;
    window_.paintState = 0;
    lastDragCell_ = {};
    if (core_->level.editor.editMode == EditMode::EDIT) EditorChecked();
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    MouseMove(Pixel(event->position().x()), Pixel(event->position().y()));
}

GridCell MainWindow::BoardCell(int x, int y) const {
    // The editor always works on 24-pixel cells.
    const BoardZoom zoom = core_->level.editor.editMode == EditMode::EDIT ? BoardZoom{} : zoom_;
    return ZoomedPointToCell(zoom, core_->level.grids, window_.boardRect.left,
                             window_.boardRect.top, x, y);
}

void MainWindow::LeftPress(int x, int y) {
    if (closed_) return;
    window_.paintState = 1;
    lastDragCell_ = {};  // a stroke starts only on a painted cell
    LevelModel& level = core_->level;
    const PaletteHit hit = HitPalette(window_, level.editor.editMode, x, y);
    if (hit.kind == PaletteHitKind::TOOL) {
        level.editor.selectedTool = hit.tool;
        RedrawPalette();
        return;
    }
    if (hit.kind == PaletteHitKind::IGNORED) return;
    const GridCell cell = BoardCell(x, y);
    if (!cell.valid()) return;
    if (level.editor.editMode == EditMode::EDIT) {
        EditorPress(cell, false);
        return;
    }
    const LevelStatus status = level.board.status;
    if (status != LevelStatus::PLAYABLE && status != LevelStatus::BLOCKED) return;
    WindowRequests requests;
    door::Click(*core_, cell.row, cell.col, requests);
    Apply(requests);
}

void MainWindow::RightPress(int x, int y) {
    if (closed_) return;
    window_.paintState = -1;
    lastDragCell_ = {};
    LevelModel& level = core_->level;
    const GridCell cell = BoardCell(x, y);
    if (!cell.valid()) return;
    if (level.editor.editMode == EditMode::EDIT) {
        EditorPress(cell, true);
        return;
    }
    WindowRequests requests;
    door::RightClick(*core_, requests);
    Apply(requests);
}

void MainWindow::MouseMove(int x, int y) {
    if (closed_) return;
    const LevelModel& level = core_->level;
    const GridCell cell = BoardCell(x, y);
    if (!cell.valid()) {
        window_.paintState = 0;
        return;
    }
    if (level.editor.editMode == EditMode::EDIT) {
        EditorDrag(cell);
        return;
    }
    if (window_.solverRunning) return;
    int column = cell.col - level.grids.colOffset;
    int row = cell.row - level.grids.rowOffset;
    if (column < 0 || column >= level.board.width || row < 0 || row >= level.board.height ||
        level.board.status == LevelStatus::NONE)
        column = row = -1;
    if (column == window_.lastShownX && row == window_.lastShownY) return;
    window_.lastShownX = column;
    window_.lastShownY = row;
    SetControlText(ID_INFO_LINE, QString::fromLatin1(CursorText(column, row).c_str()));
}

// ---- Keys -----------------------------------------------------------------------------------

namespace {

KeyPress PressOf(const QKeyEvent& event) {
    static constexpr std::pair<int, KeyName> NAMES[] = {
        {Qt::Key_Up, KeyName::UP},
        {Qt::Key_Right, KeyName::RIGHT},
        {Qt::Key_Down, KeyName::DOWN},
        {Qt::Key_Left, KeyName::LEFT},
        {Qt::Key_Z, KeyName::Z},
        {Qt::Key_Y, KeyName::Y},
        {Qt::Key_R, KeyName::R},
        {Qt::Key_0, KeyName::ZERO},
        {Qt::Key_Space, KeyName::SPACE},
        {Qt::Key_Backspace, KeyName::BACKSPACE},
        {Qt::Key_PageUp, KeyName::PAGE_UP},
        {Qt::Key_PageDown, KeyName::PAGE_DOWN},
        {Qt::Key_Minus, KeyName::MINUS},
        {Qt::Key_Plus, KeyName::PLUS},
        {Qt::Key_Equal, KeyName::EQUAL},
        {Qt::Key_F1, KeyName::F1},
        {Qt::Key_M, KeyName::M},
        {Qt::Key_P, KeyName::P},
        {Qt::Key_G, KeyName::G},
        {Qt::Key_L, KeyName::L},
    };
    KeyPress press;
    for (const auto& [key, name] : NAMES)
        if (event.key() == key) press.key = name;
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    press.ctrl = modifiers & Qt::ControlModifier;
    press.shift = modifiers & Qt::ShiftModifier;
    press.alt = modifiers & (Qt::AltModifier | Qt::MetaModifier);
    return press;
}

}  // namespace

void MainWindow::TakeKeys() {
    if (boardView_ && !closed_) boardView_->setFocus(Qt::OtherFocusReason);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Enter is Jump's click, as the dialog's default button, wherever the keys are (the
    // level-number box clicks it for its own Enter, see CreateControls).
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        auto* jump = static_cast<QPushButton*>(Control(ID_JUMP));
        if (!closed_ && jump->isEnabled()) jump->click();
        return;
    }
    // While a level number is typed the keys are its box's; only F1 still shows the keys.
    const KeyBinding binding = BindingOf(PressOf(*event));
    const bool typing = focusWidget() == Control(ID_LEVEL_NUMBER);
    if (closed_ || binding.action == KeyAction::NONE ||
        (typing && binding.action != KeyAction::HELP)) {
        QDialog::keyPressEvent(event);
        return;
    }
    event->accept();
    RunKey(binding, event->isAutoRepeat());
}

void MainWindow::RunKey(const KeyBinding& binding, bool repeated) {
    switch (binding.action) {
        case KeyAction::STEP: {
            WindowRequests requests;
            door::StepKey(*core_, binding.value, requests);
            Apply(requests);
            return;
        }
        case KeyAction::COMMAND:
            // Exactly where its button could be clicked.
            if (Control(binding.value)->isEnabled()) Command(binding.value);
            return;
        case KeyAction::REPLAY_SLOWER:
        case KeyAction::REPLAY_FASTER:
            ChangeReplaySpeed(binding.action == KeyAction::REPLAY_FASTER);
            return;
        case KeyAction::HELP:
            if (!repeated) prompts_.Message("RUK", KeyHelpText(), PromptIcon::INFORMATION);
            return;
        case KeyAction::ZOOM_IN:
            Zoom(ZoomStep::IN);
            return;
        case KeyAction::ZOOM_OUT:
            Zoom(ZoomStep::OUT);
            return;
        case KeyAction::ZOOM_FIT:
            Zoom(ZoomStep::FIT);
            return;
        case KeyAction::BEST_BY_MOVES:
        case KeyAction::BEST_BY_PUSHES:
            if (!repeated) LoadBestSolution(binding.action == KeyAction::BEST_BY_PUSHES);
            return;
        case KeyAction::RESUME_GAME:
            if (!repeated) ResumeGame();
            return;
        case KeyAction::REOPEN_LAST:
            if (!repeated) ReopenLastPlace();
            return;
        case KeyAction::NONE:
            return;
    }
}

void MainWindow::ChangeReplaySpeed(bool faster) {
    const ReplaySpeed now{door::ReplaySlowdown(*core_), core_->view.instantMove};
    const ReplaySpeed next = faster ? FasterReplay(now) : SlowerReplay(now);
    if (next.instantMove != now.instantMove) {
        // Instant Move changes only where its check box could be clicked.
        if (!Control(ID_INSTANT_MOVE)->isEnabled()) return;
        static_cast<QCheckBox*>(Control(ID_INSTANT_MOVE))->setChecked(next.instantMove);
        core_->view.instantMove = next.instantMove;
    }
    door::SetReplaySlowdown(*core_, next.slowdown);
}

void MainWindow::Zoom(ZoomStep step) {
    // The board shows the solver's command line while it runs.
    if (closed_ || window_.solverRunning) return;
    preferredScale_ = SteppedScale(core_->level, preferredScale_, step);
    if (ShownScale(core_->level, preferredScale_) != zoom_.scale) {
        Redraw();
        // Another cell lies under the pointer now; the next move shows it.
        window_.lastShownX = window_.lastShownY = -1;
    }
}

// ---- Commands -------------------------------------------------------------------------------

void MainWindow::LevelShown() {
    Redraw();
    if (core_->level.editor.editMode == EditMode::EDIT) {
        // A level loaded while editing comes up in the editor, checked; Play without a change
        // then plays it as loaded.
        core_->level.editor.statusBeforeEdit = core_->level.board.status;
        ValidateEditor(core_->level);
    }
    ProgressLevelShown();
    RefreshLevelInfo();
    ApplyControlStates();
}

void MainWindow::OpenFile() {
    const std::optional<std::string> chosen =
        prompts_.OpenFile("Select File", core_->level.levelSet.path.data());
    if (!chosen) return;
    LeaveGame();
    if (!door::OpenLevelSet(*core_, chosen->c_str())) return;
    door::ShowCurrentLevel(*core_);
    LevelShown();
}

void MainWindow::OpenFromCommandLine(const CommandLine& line) {
    if (closed_ || line.file.empty()) return;
    if (line.level < 1) {
        prompts_.Message("RUK", "Not a level number: " + line.levelText, PromptIcon::ERROR);
        return;
    }
    OpenFileAtLevel(line.file, line.level);
}

void MainWindow::OpenFileAtLevel(const std::string& file, int level, bool lastIfFewer) {
    // The File dialog starts at the last path, so it is kept whole.
    std::error_code error;
    std::string path = std::filesystem::absolute(file, error).string();
    if (error) path = file;
    LeaveGame();
    if (!door::OpenLevelSet(*core_, path.c_str())) {
        prompts_.Message("RUK", "No level can be read from\r\n" + path, PromptIcon::ERROR);
        return;
    }
    const int count = core_->level.levelSet.count;
    if (lastIfFewer && level > count) level = count;
    if (level > count || !door::ShowLevel(*core_, level)) {
        door::CloseUnshownLevelSet(*core_);
        ShowWelcome();
        prompts_.Message("RUK",
                         "There is no level " + std::to_string(level) + " in\r\n" + path +
                             "\r\n\r\nIt holds " + std::to_string(count) +
                             (count == 1 ? " level." : " levels."),
                         PromptIcon::ERROR);
        return;
    }
    LevelShown();
}

void MainWindow::SelectAndChange(int number) {
    LeaveGame();
    if (door::ShowLevel(*core_, number)) LevelShown();
}

void MainWindow::Jump() {
    const QByteArray typed = static_cast<QLineEdit*>(Control(ID_LEVEL_NUMBER))->text().toLatin1();
    SelectAndChange(JumpLevelNumber(typed.constData(), core_->level.levelSet.count));
}

void MainWindow::GuardChanged() {
    const bool reselected =
        door::SetGuard(*core_, static_cast<QCheckBox*>(Control(ID_GUARD))->isChecked());
    UpdateUnsolvableLabel(*core_, panel_);
    ApplyPanel();
    if (reselected) Redraw();
}

void MainWindow::Command(int id) {
    if (closed_) return;
    const LevelSet& set = core_->level.levelSet;
    const GameRecord& game = core_->game;
    const ViewState& view = core_->view;
    WindowRequests requests;
    switch (id) {
        case ID_FILE:
            OpenFile();
            return;
        case ID_PREV:
            if (set.current > 1) SelectAndChange(set.current - 1);
            return;
        case ID_NEXT:
            if (set.current < set.count) SelectAndChange(set.current + 1);
            return;
        case ID_JUMP:
            if (set.count != 0) Jump();
            return;
        case ID_SOLVER:
            SolverButton();
            return;
        case ID_RESTART:
            door::Restart(*core_, requests);
            break;
        case ID_UNDO:
            door::Undo(*core_, requests);
            break;
        case ID_REDO:
            door::Redo(*core_, requests);
            break;
        case ID_AUTO_PLAY:
            if (view.animMode == AnimMode::IDLE && game.history.cursor >= game.history.end) return;
            door::AutoPlay(*core_, requests);
            break;
        case ID_GUARD:
            GuardChanged();
            return;
        case ID_INSTANT_MOVE:
            core_->view.instantMove =
                static_cast<QCheckBox*>(Control(ID_INSTANT_MOVE))->isChecked();
            return;
        case ID_TEXT:
            TextCommand();
            return;
        case ID_URDL_INPUT:
            UrdlInputCommand();
            return;
        case ID_URDL_OUTPUT:
            OutputCommand();
            return;
        case ID_CLEAR:
            ClearEditorCommand();
            return;
        case ID_PLAY:
            if (core_->level.editor.editMode == EditMode::EDIT) SwitchToPlay();
            return;
        case ID_EDIT:
            if (core_->level.editor.editMode == EditMode::PLAY) SwitchToEdit();
            return;
        default:
            return;
    }
    Apply(requests);
}

// ---- Closing --------------------------------------------------------------------------------

void MainWindow::reject() {}

void MainWindow::closeEvent(QCloseEvent* event) {
    CloseSequence();
    event->accept();
    QDialog::done(0);
}

void MainWindow::CloseSequence() {
    if (closed_) return;
    // The game and the place are kept while the state they stand in is still whole.
    LeaveGame();
    if (progressOn_ && core_) progress_.KeepPlace(*core_);
    closed_ = true;
    solvedCount_.Stop();
    progressTimer_.stop();
    stepTimer_.stop();
    solverTimer_.stop();
    autoPlayTimer_.stop();
    // A running solver goes with the window; its report is dropped.
    solverProcess_.Stop();
    window_.solverRunning = false;
    if (pathsKnown_ && core_) {
        SaveOptions(paths_, {core_->view.instantMove, core_->view.guardOn});
        if (door::ReplaySlowdown(*core_) != storedSlowdown_)
            SaveReplaySlowdown(paths_, door::ReplaySlowdown(*core_));
    }
    if (pathsKnown_ && preferredScale_ != loadedScale_)
        SaveZoomTile(paths_, preferredScale_ * CELL_PIXELS);
}

}  // namespace ruk
