// The one window of the player: a thin frame that lays out and owns its parts (the board view,
// the panel, the level loader, the text dialogs, the solver run, the editor and the progress
// keeper's side), wires each control to one part's handler, and runs what a core call asks for.
#pragma once

#include <QDialog>
#include <QImage>
#include <QRect>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>

#include "launch/command_line.h"
#include "panel/window_layout.h"
#include "settings/settings.h"
#include "window/board_view.h"
#include "window/control_panel.h"
#include "window/solver_run.h"
#include "window/window_frame.h"

class QAction;
class QScreen;

namespace ruk {

class BrowserPart;
class EditorPart;
class LevelLoader;
class OptionsPart;
class ProgressPart;
class TextCommands;

struct WindowSetup {
    Prompts* prompts = nullptr;     // not owned; answers every modal interaction
    std::string programFolder;      // the executable's folder
    std::optional<QRect> workArea;  // the screen's work area when not given
    // Where solutions and games are remembered; none: the window remembers nothing and says
    // nothing about it (tests), "": no data folder, said after the caption.
    std::optional<std::string> progressPath;
    // Lays the window out for a typical frame until the window manager's own is known (the
    // program); false: for none (tests on a platform without frames).
    bool guessFrame = false;
};

class MainWindow : public QDialog, private WindowFrame {
  public:
    explicit MainWindow(const WindowSetup& setup);
    ~MainWindow() override;

    // Lays the window out, loads the skin and the options and shows the welcome screen. False
    // when the display is too small: the message has been shown and the window closed.
    bool StartUp();

    // The command line's FILE at its LEVEL, opened as File and then Jump open them. A file with
    // no level, a LEVEL it does not hold or one that is no number: a message, and the window
    // goes on with no level. --resume runs Ctrl+L, then Ctrl+G.
    void OpenFromCommandLine(const CommandLine& line);
    // The same once the window has been fitted to its frame and screen, so that the level is
    // not shown on a board that is about to change its size.
    void OpenOnceFitted(const CommandLine& line);

    // What a click on control id runs (its key runs it too).
    QAction* Action(int id) const { return panel_->Action(id); }
    // The bodies of the step timer (10 ms, animation steps) and the auto-play timer (60 ms,
    // auto-play by actions); the Qt timers call them, and so can tests.
    void OnStepTimerTick();
    void OnAutoPlayTimerTick();
    // The solver clock timer's body, every second while a solver runs.
    void OnSolverClockTick() { solver_->ClockTick(); }
    qint64 SolverProcessId() const { return solver_->ProcessId(); }
    // Waits up to ms for the solver's process to end by itself, without reporting it.
    bool WaitForSolverProcess(int ms) { return solver_->WaitForProcess(ms); }
    bool AutoPlayTimerActive() const { return autoPlayTimer_.isActive(); }

    CoreState& Core() { return *core_; }
    BrowserPart& Browser() { return *browser_; }
    const WindowState& State() const { return window_; }
    const WorkingPaths& Paths() const { return paths_; }
    const Skin& CurrentSkin() const { return board_->CurrentSkin(); }
    const QImage& BoardBuffer() const { return board_->BoardBuffer(); }
    const QImage& ShownBoard() const { return board_->ShownBoard(); }
    const BoardZoom& ShownZoom() const { return board_->ShownZoom(); }
    // The welcome screen's added line, as last drawn.
    const std::string& ShownWelcomeLine() const { return board_->WelcomeLine(); }
    const QImage& PaletteBuffer() const { return board_->PaletteBuffer(); }
    const QImage& WallToolBuffer() const { return board_->WallToolBuffer(); }
    QWidget* Control(int id) const { return panel_->Control(id); }
    QString ControlText(int id) const { return panel_->Text(id); }
    // The board's view: it holds the keyboard focus while no control is being worked.
    QWidget* Board() const { return board_->Widget(); }
    // Every progress write posted is done and the store closed; run after the window has
    // closed, before the program ends without unwinding (a quit signal over a modal box).
    void FinishProgress();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void reject() override;  // Escape: the window closes only through its close request

  private:
    // The frame's side, as the parts reach it (see window_frame.h).
    bool Closed() const override { return closed_; }
    void CloseSoon() override;
    void Apply(const WindowRequests& requests) override;
    void RefreshLevelInfo() override;
    void ApplyPanel() override;
    void ApplyControlStates() override;
    void LevelShown() override;
    void LeaveGame() override;
    void ProgressLevelShown() override;
    void StopAutoPlay() override;
    void ShowWelcome() override;
    void RefreshWelcome() override;
    // No level has been loaded: the welcome screen is up.
    bool WelcomeShown() const;

    // Ctrl+L: the file and level shown when the player last closed.
    void ReopenLast();
    void CreateParts(const WindowSetup& setup);
    void WireControls();
    void WireBoard();
    void WireKeys();
    // Runs handler on each trigger of control id's action, while the window is open.
    template <typename Handler>
    void On(int id, Handler handler);
    // The frame given and the work area of the window's screen (or the one set up).
    LayoutInput Measured(QSize frame) const;
    bool ApplyLayout(const LayoutInput& input);
    void CheckFrameAfterShow();
    void WatchScreens();
    void WatchWorkArea(QScreen* screen);
    bool BoardMayChange() const;
    // Fits the window, frame included, into the work area again; first: the frame has just
    // become known, and a display too small for the window ends the program as at start-up.
    void FitToScreen(bool first);
    void SaveSettings();

    // The board takes the keys back after a click.
    void TakeKeys();
    // The play commands: a core call, then what it asked for.
    void Play(void (*call)(CoreState&, WindowRequests&));
    void AutoPlay();
    void CloseSequence();

    std::unique_ptr<CoreState> core_;
    Prompts& prompts_;
    std::string programFolder_;
    std::optional<QRect> workArea_;
    WindowState window_;
    WorkingPaths paths_;
    PanelTexts texts_;
    bool pathsKnown_ = false;
    bool closed_ = false;
    LayoutInput laidOut_;  // the frame and work area the window was laid out or placed for
    QSize frame_;          // the window manager's frame; until it is known, the one assumed
    bool frameKnown_ = false;
    int frameChecks_ = 0;
    std::optional<CommandLine> waitingLine_;  // opened once the window is fitted
    QMetaObject::Connection screenWatch_;
    QMetaObject::Connection workAreaWatch_;
    QTimer stepTimer_;
    QTimer autoPlayTimer_;
    std::unique_ptr<BoardView> board_;
    std::unique_ptr<ControlPanel> panel_;
    std::unique_ptr<LevelLoader> loader_;
    std::unique_ptr<TextCommands> textCommands_;
    std::unique_ptr<EditorPart> editor_;
    std::unique_ptr<OptionsPart> options_;
    std::unique_ptr<SolverRun> solver_;
    // After the parts, so that its background count is stopped before anything its answer
    // would reach.
    std::unique_ptr<ProgressPart> progress_;
    // Last: its threads stop first; the progress part's answers no longer reach it by then.
    std::unique_ptr<BrowserPart> browser_;
};

}  // namespace ruk
