// The board view: the board, the palette and the wall tool drawn from a const view of the core,
// at the zoom the player chose, and the mouse and keys on them turned into what they mean. It
// changes no core state itself: its signals say what was pressed, and the frame's parts act.
#pragma once

#include <QImage>
#include <QObject>
#include <QPointF>
#include <QString>
#include <string>

#include "core_door.h"
#include "panel/board_zoom.h"
#include "panel/key_map.h"
#include "panel/wheel_notches.h"
#include "panel/window_layout.h"
#include "panel/window_state.h"
#include "render/skin.h"
#include "settings/settings.h"

class QKeyEvent;
class QWidget;

namespace ruk {

class BufferView;

class BoardView : public QObject {
    Q_OBJECT

  public:
    BoardView(QWidget* parent, const CoreState& core, WindowState& window);

    // The board's, the palette's and the wall tool's views, made in the place the panel's table
    // gives the board among the controls; returns the board's.
    QWidget* CreateViews();
    QWidget* Widget() const;  // the board's view: it holds the keyboard focus
    const Skin& CurrentSkin() const { return skin_; }
    const QImage& BoardBuffer() const { return boardBuffer_; }
    // What the board area shows: the back buffer itself at 24 pixels a tile, else its zoomed
    // picture; and the zoom it is shown at.
    const QImage& ShownBoard() const { return zoom_.scale == 1 ? boardBuffer_ : zoomedBuffer_; }
    const BoardZoom& ShownZoom() const { return zoom_; }
    const QImage& PaletteBuffer() const { return paletteBuffer_; }
    const QImage& WallToolBuffer() const { return wallToolBuffer_; }

    // A skin beside the program wins over one in the user's folder.
    void LoadSkin(const std::string& programFolder, const std::string& userFolder);
    void Place(const WindowLayout& layout);
    // The zoom as the settings keep it; whether it is to be written back (it changed, or a key
    // chose it while the file held none), and what is then written.
    void SetStoredZoom(const ZoomSetting& stored);
    bool ZoomToWrite() const;
    ZoomSetting ZoomToSave() const;
    // A zoom key has chosen a zoom, now or in an earlier run.
    bool ZoomChosen() const { return chosen_; }

    // Draws the board at the zoom the level allows and shows it.
    void Redraw();
    void RedrawPalette();
    // The start-up board: the empty grid with the program's name, and line below it.
    void ShowWelcome(const std::string& line);
    const std::string& WelcomeLine() const { return welcomeLine_; }
    // The solver's command line over the board while it runs.
    void ShowSolverBanner(const std::string& folder, const std::string& command);
    // The zoom keys: one size in or out, or the largest that fits.
    void Zoom(ZoomStep step);

    // The window's mouse, at a point of its client area.
    void LeftPress(const QPointF& at);
    void RightPress(const QPointF& at);
    void MouseMove(const QPointF& at);
    void Release();
    // A key press on the window: false when it binds to nothing here (typing: the level-number
    // box holds the keys, and only F1 is taken).
    bool Key(const QKeyEvent& event, bool typing);
    // A wheel turn of delta (eighths of a degree, away from the user positive) at a point of the
    // window's client area: on the board, each notch down is Undo's click and each up Redo's, or
    // with Ctrl a zoom step out or in. False when the point is off the board.
    bool Wheel(const QPointF& at, int delta, bool ctrl);

  signals:
    void StrokeStarted();  // any press: the editor's last painted cell is forgotten
    void ToolChosen(CellCode tool);
    void PlayPressed(GridCell cell);
    void PlayRightPressed();
    void EditPressed(GridCell cell, bool erase);
    void EditDragged(GridCell cell);
    void StrokeEnded();
    void CursorMoved(const QString& text);  // the info line's cell under the pointer
    // The keys; those that open boxes or load games come once a press, not on its repeats.
    void StepKey(int direction);
    void CommandKey(int id);  // the click of control id
    void ReplaySpeedKey(bool faster);
    void HelpKey();
    void BestSolutionKey(bool byPushes);
    void ResumeGameKey();
    void ReopenLastKey();
    // A zoom key chose a zoom for the first time: the welcome line's hint goes.
    void ZoomFirstChosen();
    void BrowserKey();
    void CopyGameKey();
    void PasteKey();
    void SaveLevelKey();

  private:
    // The grid cell under a client point, through the zoom the board is shown at.
    GridCell Cell(const QPointF& at) const;
    bool Editing() const;
    // What a key press binds to.
    static KeyBinding BindingOf(const QKeyEvent& event);

    const CoreState& core_;
    WindowState& window_;
    QWidget* parent_;
    Skin skin_;
    QImage boardBuffer_;
    QImage zoomedBuffer_;
    BoardZoom zoom_;
    ZoomChoice choice_;        // the zoom the player chose; each level falls back as it must
    ZoomSetting stored_;       // as read from the settings
    bool chosen_ = false;      // the settings held a zoom, or a key changed it
    std::string welcomeLine_;  // the line the welcome screen was last drawn with
    QImage paletteBuffer_;
    QImage wallToolBuffer_;
    WheelNotches wheel_;
    BufferView* boardView_ = nullptr;
    BufferView* paletteView_ = nullptr;
    BufferView* wallToolView_ = nullptr;
};

}  // namespace ruk
