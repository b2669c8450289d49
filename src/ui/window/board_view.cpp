// The board view (see board_view.h).
#include "window/board_view.h"

#include <QFile>
#include <QKeyEvent>
#include <QPainter>
#include <QWidget>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "panel/control_ids.h"
#include "panel/palette_hit.h"
#include "panel/status_panel.h"
#include "render/board_renderer.h"
#include "render/palette_renderer.h"
#include "render/text_drawing.h"
#include "render/zoomed_board.h"
#include "settings/program_folder.h"

namespace ruk {

// Shows one back buffer, unscaled; mouse presses on it belong to the window. The board's view
// switches between the back buffer and its zoomed picture.
class BufferView : public QWidget {
  public:
    BufferView(QWidget* parent, const QImage& image) : QWidget(parent), image_(&image) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    void Show(const QImage& image) {
        image_ = &image;
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(0, 0, *image_);
    }

  private:
    const QImage* image_;
};

namespace {

// Client pixels arrive as unsigned 16-bit values, so a drag beyond the left or top edge
// lands far outside every area instead of on a negative cell.
int Pixel(qreal value) {
    return static_cast<std::uint16_t>(static_cast<int>(value));
}

void PlaceView(QWidget* view, const PixelRect& rect) {
    view->setGeometry(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    view->raise();
}

}  // namespace

BoardView::BoardView(QWidget* parent, const CoreState& core, WindowState& window)
    : QObject(parent), core_(core), window_(window), parent_(parent) {}

QWidget* BoardView::CreateViews() {
    boardView_ = new BufferView(parent_, boardBuffer_);
    boardView_->setFocusPolicy(Qt::StrongFocus);
    paletteView_ = new BufferView(parent_, paletteBuffer_);
    wallToolView_ = new BufferView(parent_, wallToolBuffer_);
    return boardView_;
}

QWidget* BoardView::Widget() const {
    return boardView_;
}

void BoardView::LoadSkin(const std::string& programFolder, const std::string& userFolder) {
    // The paths are bytes, opened as they are: a folder name need not be UTF-8.
    for (const std::string& path : SkinPaths(programFolder, userFolder)) {
        skin_ = LoadSkinFile(path);
        if (skin_.fromFile) break;
    }
}

void BoardView::Place(const WindowLayout& layout) {
    PlaceView(paletteView_, layout.paletteRect);
    PlaceView(wallToolView_, layout.wallToolRect);
}

void BoardView::SetStoredZoom(const ZoomSetting& stored) {
    stored_ = stored;
    choice_ = {ScaleOfTile(stored.tilePixels), stored.fit};
    chosen_ = stored.chosen;
}

ZoomSetting BoardView::ZoomToSave() const {
    return {choice_.scale * CELL_PIXELS, choice_.fit, true};
}

bool BoardView::ZoomToWrite() const {
    const ZoomSetting save = ZoomToSave();
    // A fit read back keeps its stored size: only the mode counts then.
    const bool same =
        save.fit ? stored_.fit : !stored_.fit && ScaleOfTile(stored_.tilePixels) == choice_.scale;
    return !same || (chosen_ && !stored_.chosen);
}

void BoardView::Redraw() {
    zoom_ = ZoomBoard(core_.level, ShownScale(core_.level, choice_));
    if (zoom_.scale == 1) {
        RenderBoard(core_, skin_, boardBuffer_);
        boardView_->Show(boardBuffer_);
    } else {
        // Only the cells in sight are drawn, then blown up.
        RenderBoardCells(core_, skin_, boardBuffer_, VisibleCells(zoom_, core_.level.grids));
        ShowZoomedBoard(core_, boardBuffer_, zoom_, zoomedBuffer_);
        boardView_->Show(zoomedBuffer_);
    }
}

void BoardView::RedrawPalette() {
    const QColor face = parent_->palette().color(QPalette::Button);
    RenderPalette(core_.level.editor.editMode, core_.level.editor.selectedTool, skin_, face,
                  paletteBuffer_, wallToolBuffer_);
    paletteView_->update();
    wallToolView_->update();
}

void BoardView::ShowWelcome(const std::string& line) {
    welcomeLine_ = line;
    const Grids& grids = core_.level.grids;
    boardBuffer_ = MakeBoardBuffer(grids);
    RedrawPalette();
    RenderBoard(core_, skin_, boardBuffer_);
    DrawWelcomeScreen(boardBuffer_, grids.maxWidth, grids.maxHeight,
                      QFile::decodeName(line.c_str()));
    zoom_ = {};
    boardView_->Show(boardBuffer_);
}

void BoardView::ShowSolverBanner(const std::string& folder, const std::string& command) {
    DrawSolverBanner(zoom_.scale == 1 ? boardBuffer_ : zoomedBuffer_, core_.level.grids.maxHeight,
                     QFile::decodeName(folder.c_str()), QFile::decodeName(command.c_str()));
    boardView_->update();
}

void BoardView::Zoom(ZoomStep step) {
    // The board shows the solver's command line while it runs.
    if (window_.solverRunning) return;
    const ZoomChoice chosen = SteppedZoom(core_.level, choice_, step);
    if (chosen == choice_) return;
    choice_ = chosen;
    if (!chosen_) {
        chosen_ = true;
        emit ZoomFirstChosen();
    }
    if (ShownScale(core_.level, choice_) != zoom_.scale) {
        Redraw();
        // Another cell lies under the pointer now; the next move shows it.
        window_.lastShownX = window_.lastShownY = -1;
    }
}

// ---- Mouse ----------------------------------------------------------------------------------

bool BoardView::Editing() const {
    return core_.level.editor.editMode == EditMode::EDIT;
}

GridCell BoardView::Cell(const QPointF& at) const {
    // The editor always works on 24-pixel cells.
    const BoardZoom zoom = Editing() ? BoardZoom{} : zoom_;
    return ZoomedPointToCell(zoom, core_.level.grids, window_.boardRect.left, window_.boardRect.top,
                             Pixel(at.x()), Pixel(at.y()));
}

void BoardView::LeftPress(const QPointF& at) {
    window_.paintState = 1;
    emit StrokeStarted();  // a stroke starts only on a painted cell
    const PaletteHit hit =
        HitPalette(window_, core_.level.editor.editMode, Pixel(at.x()), Pixel(at.y()));
    if (hit.kind == PaletteHitKind::TOOL) {
        emit ToolChosen(hit.tool);
        return;
    }
    if (hit.kind == PaletteHitKind::IGNORED) return;
    const GridCell cell = Cell(at);
    if (!cell.valid()) return;
    if (Editing())
        emit EditPressed(cell, false);
    else
        emit PlayPressed(cell);
}

void BoardView::RightPress(const QPointF& at) {
    window_.paintState = -1;
    emit StrokeStarted();
    const GridCell cell = Cell(at);
    if (!cell.valid()) return;
    if (Editing())
        emit EditPressed(cell, true);
    else
        emit PlayRightPressed();
}

void BoardView::Release() {
    window_.paintState = 0;
    emit StrokeEnded();
}

void BoardView::MouseMove(const QPointF& at) {
    const LevelModel& level = core_.level;
    const GridCell cell = Cell(at);
    if (!cell.valid()) {
        window_.paintState = 0;
        return;
    }
    if (Editing()) {
        emit EditDragged(cell);
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
    emit CursorMoved(QString::fromLatin1(CursorText(column, row).c_str()));
}

bool BoardView::Wheel(const QPointF& at, int delta, bool ctrl) {
    const PixelRect& board = window_.boardRect;
    const int x = Pixel(at.x());
    const int y = Pixel(at.y());
    if (x < board.left || x >= board.right || y < board.top || y >= board.bottom) return false;
    const int notches = wheel_.Add(delta);
    const bool up = notches > 0;
    for (int i = 0; i < std::abs(notches); ++i) {
        if (ctrl)
            Zoom(up ? ZoomStep::IN : ZoomStep::OUT);
        else
            emit CommandKey(up ? ID_REDO : ID_UNDO);
    }
    return true;
}

// ---- Keys -----------------------------------------------------------------------------------

KeyBinding BoardView::BindingOf(const QKeyEvent& event) {
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
        {Qt::Key_F2, KeyName::F2},
        {Qt::Key_M, KeyName::M},
        {Qt::Key_P, KeyName::P},
        {Qt::Key_G, KeyName::G},
        {Qt::Key_L, KeyName::L},
        {Qt::Key_C, KeyName::C},
        {Qt::Key_S, KeyName::S},
        {Qt::Key_V, KeyName::V},
    };
    KeyPress press;
    for (const auto& [key, name] : NAMES)
        if (event.key() == key) press.key = name;
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    press.ctrl = modifiers & Qt::ControlModifier;
    press.shift = modifiers & Qt::ShiftModifier;
    press.alt = modifiers & (Qt::AltModifier | Qt::MetaModifier);
    return ruk::BindingOf(press);
}

bool BoardView::Key(const QKeyEvent& event, bool typing) {
    const KeyBinding binding = BindingOf(event);
    const KeyAction action = binding.action;
    if (action == KeyAction::NONE || (typing && action != KeyAction::HELP)) return false;
    const bool once = !event.isAutoRepeat();
    switch (action) {
        case KeyAction::STEP:
            emit StepKey(binding.value);
            break;
        case KeyAction::COMMAND:
            emit CommandKey(binding.value);
            break;
        case KeyAction::REPLAY_SLOWER:
        case KeyAction::REPLAY_FASTER:
            emit ReplaySpeedKey(action == KeyAction::REPLAY_FASTER);
            break;
        case KeyAction::ZOOM_IN:
        case KeyAction::ZOOM_OUT:
        case KeyAction::ZOOM_FIT:
            Zoom(action == KeyAction::ZOOM_IN    ? ZoomStep::IN
                 : action == KeyAction::ZOOM_OUT ? ZoomStep::OUT
                                                 : ZoomStep::FIT);
            break;
        case KeyAction::HELP:
            if (once) emit HelpKey();
            break;
        case KeyAction::BEST_BY_MOVES:
        case KeyAction::BEST_BY_PUSHES:
            if (once) emit BestSolutionKey(action == KeyAction::BEST_BY_PUSHES);
            break;
        case KeyAction::RESUME_GAME:
            if (once) emit ResumeGameKey();
            break;
        case KeyAction::REOPEN_LAST:
            if (once) emit ReopenLastKey();
            break;
        case KeyAction::BROWSER:
            if (once) emit BrowserKey();
            break;
        case KeyAction::COPY_GAME:
            if (once) emit CopyGameKey();
            break;
        case KeyAction::PASTE:
            if (once) emit PasteKey();
            break;
        case KeyAction::SAVE_LEVEL:
            if (once) emit SaveLevelKey();
            break;
        case KeyAction::NONE:
            break;
    }
    return true;
}

}  // namespace ruk
