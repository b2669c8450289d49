// The one window of the player: it places the controls, turns mouse presses, commands and
// timer ticks into calls on the core, and draws what the core holds.
#pragma once

#include <QDialog>
#include <QImage>
#include <QRect>
#include <QTimer>
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "launch/command_line.h"
#include "panel/board_zoom.h"
#include "panel/control_ids.h"
#include "panel/key_map.h"
#include "panel/prompts.h"
#include "panel/status_panel.h"
#include "panel/window_caption.h"
#include "panel/window_state.h"
#include "process/solver_process.h"
#include "progress/progress_keeper.h"
#include "progress/solved_count_task.h"
#include "records/core_state.h"
#include "records/window_requests.h"
#include "render/skin.h"
#include "settings/settings.h"
#include "solver/solver_job.h"

class QAbstractButton;
class QLabel;
class QLineEdit;

namespace ruk {
class SolverDialog;
}

namespace ruk {

struct WindowSetup {
    Prompts* prompts = nullptr;     // not owned; answers every modal interaction
    std::string programFolder;      // the executable's folder
    std::optional<QRect> workArea;  // the screen's work area when not given
    // Where solutions and games are remembered; none: the window remembers nothing and says
    // nothing about it (tests), "": no data folder, said after the caption.
    std::optional<std::string> progressPath;
};

class MainWindow : public QDialog {
  public:
    explicit MainWindow(const WindowSetup& setup);
    ~MainWindow() override;

    // Lays the window out, loads the skin and the options and shows the welcome screen. False
    // when the display is too small: the message has been shown and the window closed.
    bool StartUp();

    // The command line's FILE at its LEVEL, opened as File and then Jump open them. A file with
    // no level, a LEVEL it does not hold or one that is no number: a message, and the window
    // goes on with no level.
    void OpenFromCommandLine(const CommandLine& line);

    // A command of a control, as a click on it runs it.
    void Command(int id);
    // The bodies of timer 1 (10 ms, animation steps) and timer 4 (60 ms, auto-play by
    // actions); the Qt timers call them, and so can tests.
    void OnStepTimerTick();
    void OnAutoPlayTimerTick();
    // Timer 3, every second while a solver runs: the clock, the time limit, and the report
    // once the solver's process has ended.
    void OnSolverClockTick();
    qint64 SolverProcessId() const { return solverProcess_.ProcessId(); }
    // Waits up to ms for the solver's process to end by itself, without reporting it.
    bool WaitForSolverProcess(int ms) { return solverProcess_.WaitForEnd(ms); }
    bool AutoPlayTimerActive() const { return autoPlayTimer_.isActive(); }

    CoreState& Core() { return *core_; }
    const WindowState& State() const { return window_; }
    const WorkingPaths& Paths() const { return paths_; }
    const Skin& CurrentSkin() const { return skin_; }
    const QImage& BoardBuffer() const { return boardBuffer_; }
    // What the board area shows: the back buffer itself at 24 pixels a tile, else its zoomed
    // picture; and the zoom it is shown at.
    const QImage& ShownBoard() const { return zoom_.scale == 1 ? boardBuffer_ : zoomedBuffer_; }
    const BoardZoom& ShownZoom() const { return zoom_; }
    const QImage& PaletteBuffer() const { return paletteBuffer_; }
    const QImage& WallToolBuffer() const { return wallToolBuffer_; }
    QWidget* Control(int id) const { return controls_[id - FIRST_CONTROL_ID]; }
    QString ControlText(int id) const;
    // The board's view: it holds the keyboard focus while no control is being worked.
    QWidget* Board() const { return boardView_; }
    // Every progress write posted is done and the store closed; run after the window has
    // closed, before the program ends without unwinding (a quit signal over a modal box).
    void FinishProgress();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void reject() override;  // Escape: the window closes only through its close request

  private:
    void CreateControls();
    bool ApplyLayout(int frameWidth, int frameHeight);
    void CheckFrameAfterShow();
    void ShowWelcome();
    void LoadSettings();

    // The zoom keys: one size in or out, or the largest that fits.
    void Zoom(ZoomStep step);
    // The grid cell under client pixel (x, y), through the zoom the board is shown at.
    GridCell BoardCell(int x, int y) const;

    void LeftPress(int x, int y);
    void RightPress(int x, int y);
    void MouseMove(int x, int y);
    void Release();

    // The keyboard: the board takes the keys back after a click, and runs what a key binds.
    void TakeKeys();
    void RunKey(const KeyBinding& binding, bool repeated);
    void ChangeReplaySpeed(bool faster);

    // The editor (main_window_editor.cpp).
    void EditorPress(GridCell cell, bool erase);
    void EditorDrag(GridCell cell);
    void EditorChecked();
    void SwitchToEdit();
    void SwitchToPlay();
    void ClearEditorCommand();

    // The text dialogs (main_window_dialogs.cpp).
    void TextCommand();
    void UrdlInputCommand();
    void OutputCommand();

    // The drawing and the panels after a level is shown.
    void LevelShown();
    void OpenFile();
    void SelectAndChange(int number);
    void Jump();
    // The solver bridge (main_window_solver.cpp).
    enum class SolverEnd { FINISHED, CANCELED, TIMED_OUT };
    void SolverButton();
    void StartSolverRun(const SolverDialog& dialog);
    void CancelSolver();
    void SolverReport(SolverEnd end);
    void SolverResultMessage(bool solved);
    void GuardChanged();
    void Apply(const WindowRequests& requests);

    // Draws the board at the zoom the level allows and shows it.
    void Redraw();
    void RedrawPalette();
    void RefreshPanel(void (*update)(const CoreState&, PanelTexts&));
    void RefreshLevelInfo();
    void ApplyPanel();
    void ApplyControlStates();
    void SetControlText(int id, const QString& text);

    void CloseSequence();

    // Progress (main_window_progress.cpp): the shown level's record, its solutions and game.
    void StartProgress();
    // The writer's answers: the record and the caption follow them.
    void TakeProgressAnswers();
    void ProgressLevelShown();
    // The game is about to be left: kept as the level's unfinished game.
    void LeaveGame();
    // After any event: a solved game's solution is written once the event has been handled,
    // never inside the animation's tick.
    void NoteSolution();
    void StoreGameNow();
    void LoadBestSolution(bool byPushes);
    void ResumeGame();
    void ReopenLastPlace();
    // FILE at LEVEL as the command line gives them; lastIfFewer: a file that has shrunk since
    // opens at its last level instead.
    void OpenFileAtLevel(const std::string& file, int level, bool lastIfFewer = false);
    void CountSolvedOfFile();

    std::unique_ptr<CoreState> core_;
    Prompts& prompts_;
    std::string programFolder_;
    std::optional<QRect> workArea_;
    WindowState window_;
    WorkingPaths paths_;
    bool pathsKnown_ = false;
    bool closed_ = false;
    int storedSlowdown_ = 1;  // SPEED as read; written back only when it changed
    GridCell lastDragCell_;   // the editor's last painted cell while a button is held
    int layoutFrameWidth_ = 0;
    int layoutFrameHeight_ = 0;
    Skin skin_;
    QImage boardBuffer_;
    QImage zoomedBuffer_;
    BoardZoom zoom_;
    int preferredScale_ = 1;  // the zoom the player chose; each level falls back as it must
    int loadedScale_ = 1;     // as read from the settings: written back only when changed
    QImage paletteBuffer_;
    QImage wallToolBuffer_;
    PanelTexts panel_;
    std::array<QWidget*, CONTROL_COUNT> controls_{};
    QWidget* boardView_ = nullptr;
    QWidget* paletteView_ = nullptr;
    QWidget* wallToolView_ = nullptr;
    QTimer stepTimer_;      // timer 1
    QTimer solverTimer_;    // timer 3
    QTimer autoPlayTimer_;  // timer 4
    SolverProcess solverProcess_;
    SolverJob solverJob_;
    SolverEnd solverStopReason_ = SolverEnd::FINISHED;
    bool progressOn_ = false;
    std::string progressPath_;
    ProgressKeeper progress_;
    QTimer progressTimer_;  // keeps the game every few seconds while it is played
    bool solutionQueued_ = false;
    std::string countingFile_;  // the file whose solved count is being worked out
    // Last, so that it is stopped before anything its answer would reach.
    SolvedCountTask solvedCount_;
};

}  // namespace ruk
