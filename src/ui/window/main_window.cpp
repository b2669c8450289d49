// The main window's frame (see main_window.h). Every handler follows the same pattern: a core
// call, then the drawing and the panel updates the call asked for.
#include "window/main_window.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QScreen>
#include <QWheelEvent>
#include <QWindow>

#include "panel/control_states.h"
#include "panel/welcome_line.h"
#include "panel/window_caption.h"
#include "panel/window_fit.h"
#include "settings/program_folder.h"
#include "window/browser_part.h"
#include "window/editor_part.h"
#include "window/level_loader.h"
#include "window/options_part.h"
#include "window/progress_part.h"
#include "window/text_commands.h"

namespace ruk {

namespace {

constexpr int STEP_PERIOD_MS = 10;
constexpr int AUTO_PLAY_PERIOD_MS = 60;
constexpr int FRAME_CHECK_MS = 50;
constexpr int FRAME_CHECKS = 20;
constexpr const char* DISPLAY_TOO_SMALL = "Display size is small.\r\n\r\nrequired (1920 x 1080)";

}  // namespace

MainWindow::MainWindow(const WindowSetup& setup)
    : core_(CreateCoreState()),
      prompts_(*setup.prompts),
      programFolder_(setup.programFolder),
      workArea_(setup.workArea),
      frame_(setup.guessFrame ? QSize(GUESSED_FRAME_WIDTH, GUESSED_FRAME_HEIGHT) : QSize(0, 0)) {
    // A main window's frame: caption, system menu and minimize box, but no maximize or resize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(WINDOW_CAPTION);
    setWindowIcon(QIcon(":/ruk_icon.png"));
    setMouseTracking(true);
    stepTimer_.setInterval(STEP_PERIOD_MS);
    autoPlayTimer_.setInterval(AUTO_PLAY_PERIOD_MS);
    connect(&stepTimer_, &QTimer::timeout, this, [this] { OnStepTimerTick(); });
    connect(&autoPlayTimer_, &QTimer::timeout, this, [this] { OnAutoPlayTimerTick(); });
    if (core_) CreateParts(setup);
}

MainWindow::~MainWindow() {
    stepTimer_.stop();
    autoPlayTimer_.stop();
    if (progress_) progress_->SetAnswered(nullptr);
    if (browser_) browser_->SetSolvedNote(nullptr);
}

void MainWindow::CreateParts(const WindowSetup& setup) {
    board_ = std::make_unique<BoardView>(this, *core_, window_);
    panel_ = std::make_unique<ControlPanel>(this, [this] { return board_->CreateViews(); });
    const PartContext context{*core_, prompts_, window_, texts_, *panel_, *board_, *this, this};
    loader_ = std::make_unique<LevelLoader>(context);
    textCommands_ = std::make_unique<TextCommands>(context);
    editor_ = std::make_unique<EditorPart>(context);
    options_ = std::make_unique<OptionsPart>(context);
    solver_ = std::make_unique<SolverRun>(context, paths_, programFolder_);
    progress_ = std::make_unique<ProgressPart>(context, setup.progressPath);
    browser_ =
        std::make_unique<BrowserPart>(context, paths_, setup.progressPath, board_->CurrentSkin(),
                                      [this](int number) { loader_->JumpTo(number); });
    progress_->SetAnswered([this] { browser_->ProgressChanged(); });
    browser_->SetSolvedNote([this] { return progress_->FileSolvedNote(); });
    WireControls();
    WireBoard();
}

template <typename Handler>
void MainWindow::On(int id, Handler handler) {
    connect(panel_->Action(id), &QAction::triggered, this, [this, handler] {
        if (!closed_) handler();
    });
}

void MainWindow::WireControls() {
    // A click leaves the keys with the board (the button never keeps the focus).
    panel_->SetAfterClick([this] { TakeKeys(); });
    On(ID_FILE, [this] { loader_->OpenFile(); });
    On(ID_PREV, [this] { loader_->Prev(); });
    On(ID_NEXT, [this] { loader_->Next(); });
    On(ID_JUMP, [this] { loader_->Jump(); });
    On(ID_TEXT, [this] { textCommands_->LevelText(); });
    On(ID_URDL_INPUT, [this] { textCommands_->MovesIn(); });
    On(ID_URDL_OUTPUT, [this] { textCommands_->Output(); });
    On(ID_SOLVER, [this] { solver_->Button(); });
    On(ID_RESTART, [this] { Play(door::Restart); });
    On(ID_UNDO, [this] { Play(door::Undo); });
    On(ID_REDO, [this] { Play(door::Redo); });
    On(ID_AUTO_PLAY, [this] { AutoPlay(); });
    On(ID_GUARD, [this] { options_->GuardChanged(); });
    On(ID_INSTANT_MOVE, [this] { options_->InstantMoveChanged(); });
    On(ID_CLEAR, [this] { editor_->Clear(); });
    On(ID_PLAY, [this] { editor_->SwitchToPlay(); });
    On(ID_EDIT, [this] { editor_->SwitchToEdit(); });
}

void MainWindow::WireBoard() {
    BoardView* board = board_.get();
    EditorPart* editor = editor_.get();
    connect(board, &BoardView::StrokeStarted, this, [editor] { editor->StrokeStarted(); });
    connect(board, &BoardView::ToolChosen, this, [editor](CellCode t) { editor->ChooseTool(t); });
    connect(board, &BoardView::EditPressed, this,
            [editor](GridCell cell, bool erase) { editor->Press(cell, erase); });
    connect(board, &BoardView::EditDragged, this, [editor](GridCell cell) { editor->Drag(cell); });
    connect(board, &BoardView::StrokeEnded, this, [editor] { editor->StrokeEnded(); });
    connect(board, &BoardView::PlayPressed, this, [this](GridCell cell) {
        WindowRequests requests;
        door::Click(*core_, cell.row, cell.col, requests);
        Apply(requests);
    });
    connect(board, &BoardView::PlayRightPressed, this, [this] { Play(door::RightClick); });
    connect(board, &BoardView::CursorMoved, this,
            [this](const QString& text) { panel_->SetText(ID_INFO_LINE, text); });
    WireKeys();
}

void MainWindow::WireKeys() {
    BoardView* board = board_.get();
    connect(board, &BoardView::StepKey, this, [this](int direction) {
        WindowRequests requests;
        door::StepKey(*core_, direction, requests);
        Apply(requests);
    });
    // Exactly where its control could be clicked.
    connect(board, &BoardView::CommandKey, this, [this](int id) { panel_->RunKeyCommand(id); });
    connect(board, &BoardView::ReplaySpeedKey, this,
            [this](bool faster) { options_->ChangeReplaySpeed(faster); });
    connect(board, &BoardView::HelpKey, this,
            [this] { prompts_.Message("RUK", KeyHelpText(), PromptIcon::INFORMATION); });
    connect(board, &BoardView::BestSolutionKey, this,
            [this](bool byPushes) { progress_->LoadBestSolution(byPushes); });
    connect(board, &BoardView::ResumeGameKey, this, [this] { progress_->ResumeGame(); });
    connect(board, &BoardView::ZoomFirstChosen, this, [this] { RefreshWelcome(); });
    connect(board, &BoardView::ReopenLastKey, this, [this] { ReopenLast(); });
    connect(board, &BoardView::BrowserKey, this, [this] { browser_->Toggle(); });
    connect(board, &BoardView::CopyGameKey, this, [this] { textCommands_->CopyGame(); });
    connect(board, &BoardView::PasteKey, this, [this] { textCommands_->Paste(); });
    connect(board, &BoardView::SaveLevelKey, this, [this] { editor_->Save(); });
}

// ---- Start-up -------------------------------------------------------------------------------

LayoutInput MainWindow::Measured(QSize frame) const {
    QRect work = workArea_ ? *workArea_ : QRect();
    if (!workArea_) {
        const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
        if (shown) work = shown->availableGeometry();
    }
    return {frame.width(), frame.height(), work.x(), work.y(), work.width(), work.height()};
}

bool MainWindow::ApplyLayout(const LayoutInput& input) {
    const WindowLayout layout = LayoutWindow(input);
    if (!layout.fits) return false;
    laidOut_ = input;
    door::SetBoardLimits(*core_, layout.maxWidth, layout.maxHeight);
    window_.boardRect = layout.boardRect;
    window_.paletteRect = layout.paletteRect;
    window_.wallToolRect = layout.wallToolRect;
    panel_->Place(layout);
    board_->Place(layout);
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
    if (!ApplyLayout(Measured(frame_))) {
        prompts_.Message("RUK", DISPLAY_TOO_SMALL, PromptIcon::ERROR);
        CloseSequence();
        return false;
    }
    paths_ = BuildWorkingPaths(WorkingFolder(programFolder_));
    pathsKnown_ = true;
    board_->LoadSkin(programFolder_, paths_.folder);
    options_->Load(paths_);
    board_->SetStoredZoom(LoadZoom(paths_));
    progress_->Start();
    TakeKeys();
    panel_->SetChecked(ID_PLAY, true);
    ShowWelcome();
    stepTimer_.start();
    ApplyControlStates();
    return true;
}

void MainWindow::SaveSettings() {
    if (!pathsKnown_ || !core_) return;
    options_->Save(paths_);
    if (board_->ZoomToWrite()) SaveZoom(paths_, board_->ZoomToSave());
}

void MainWindow::ShowWelcome() {
    door::BlankDisplay(*core_);
    board_->ShowWelcome(WelcomeLine(progress_->PlaceForWelcome(), board_->ZoomChosen()));
}

void MainWindow::RefreshWelcome() {
    if (WelcomeShown()) ShowWelcome();
}

bool MainWindow::WelcomeShown() const {
    return door::Levels(*core_).count == 0 && door::Status(*core_) == LevelStatus::NONE;
}

void MainWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    WatchScreens();
    // Window managers report the frame only after the window is mapped.
    frameChecks_ = 0;
    QTimer::singleShot(FRAME_CHECK_MS, this, [this] { CheckFrameAfterShow(); });
}

void MainWindow::CheckFrameAfterShow() {
    if (closed_ || !core_) return;
    const QSize frame = frameGeometry().size() - size();
    // A platform without frames never reports one: after a second, none it is.
    if (frame.isNull() && ++frameChecks_ < FRAME_CHECKS) {
        QTimer::singleShot(FRAME_CHECK_MS, this, [this] { CheckFrameAfterShow(); });
        return;
    }
    frame_ = frame;
    const bool first = !frameKnown_;
    frameKnown_ = true;
    FitToScreen(first);
    if (first && waitingLine_ && !closed_) {
        const CommandLine line = *waitingLine_;
        waitingLine_.reset();
        OpenFromCommandLine(line);
    }
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    // A window manager slower than the checks after the show reports its frame later.
    const QSize frame = frameGeometry().size() - size();
    if (!frameKnown_ || frame.isNull() || frame == frame_) return;
    frame_ = frame;
    FitToScreen(false);
}

void MainWindow::WatchScreens() {
    QWindow* shown = windowHandle();
    if (!shown || screenWatch_) return;
    screenWatch_ = connect(shown, &QWindow::screenChanged, this, [this](QScreen* screen) {
        WatchWorkArea(screen);
        if (frameKnown_) FitToScreen(false);
    });
    WatchWorkArea(shown->screen());
}

void MainWindow::WatchWorkArea(QScreen* screen) {
    disconnect(workAreaWatch_);
    if (!screen) return;
    // A panel that comes or goes changes the work area of the same screen.
    workAreaWatch_ = connect(screen, &QScreen::availableGeometryChanged, this, [this] {
        if (frameKnown_) FitToScreen(false);
    });
}

bool MainWindow::BoardMayChange() const {
    if (window_.solverRunning || core_->level.editor.editMode == EditMode::EDIT) return false;
    if (WelcomeShown()) return true;
    // A level from a file with nothing played on it is read and shown again: placed on more
    // rows, a level that was too tall may play.
    return door::Levels(*core_).window.fileSize > 0 && door::History(*core_).end == 0;
}

void MainWindow::FitToScreen(bool first) {
    const LayoutInput now = Measured(frame_);
    const Refit refit = ChooseRefit(laidOut_, now, BoardMayChange());
    if (refit == Refit::NONE) return;
    if (refit == Refit::LAYOUT && ApplyLayout(now)) {
        if (WelcomeShown()) {
            ShowWelcome();
            return;
        }
        // Read afresh: the verdict on its size was the old board's. A file gone meanwhile leaves
        // the level the board holds, placed afresh.
        const std::string path = door::Levels(*core_).path.data();
        if (!door::LoadFileLevel(*core_, path.c_str(), door::Levels(*core_).current))
            door::ShowCurrentLevel(*core_);
        LevelShown();
        return;
    }
    if (refit == Refit::LAYOUT && first) {
        prompts_.Message("RUK", DISPLAY_TOO_SMALL, PromptIcon::ERROR);
        close();
        return;
    }
    // The board keeps its rows: the window is only placed again, its caption kept in sight.
    laidOut_ = now;
    const WindowSpot spot = PlaceWindow(now, width(), height());
    move(spot.x, spot.y);
}

void MainWindow::OpenOnceFitted(const CommandLine& line) {
    if (frameKnown_) {
        OpenFromCommandLine(line);
    } else {
        waitingLine_ = line;
    }
}

void MainWindow::OpenFromCommandLine(const CommandLine& line) {
    if (!core_) return;
    if (line.resume) {
        // Exactly Ctrl+L, then Ctrl+G: each says so when it finds nothing to go back to.
        ReopenLast();
        progress_->ResumeGame();
        return;
    }
    loader_->OpenFromCommandLine(line);
}

void MainWindow::ReopenLast() {
    if (const std::optional<LastPlace> place = progress_->PlaceToReopen())
        loader_->OpenFileAtLevel(place->file, place->level, true);
}

// ---- The frame's side -----------------------------------------------------------------------

void MainWindow::CloseSoon() {
    QTimer::singleShot(0, this, [this] { close(); });
}

void MainWindow::LevelShown() {
    board_->Redraw();
    if (core_->level.editor.editMode == EditMode::EDIT) {
        // A level loaded while editing comes up in the editor, checked; Play without a change
        // then plays it as loaded.
        door::KeepStatusForEditor(*core_);
        editor_->Check();
    }
    ProgressLevelShown();
    RefreshLevelInfo();
    ApplyControlStates();
    browser_->LevelShown();
}

void MainWindow::LeaveGame() {
    if (core_) progress_->LeaveGame();
}

void MainWindow::ProgressLevelShown() {
    progress_->LevelShown();
}

void MainWindow::FinishProgress() {
    if (progress_) progress_->Finish();
}

void MainWindow::StopAutoPlay() {
    autoPlayTimer_.stop();
    panel_->SetText(ID_AUTO_PLAY, "Auto-play");
}

void MainWindow::RefreshLevelInfo() {
    UpdateLevelInfo(*core_, window_, texts_);
    UpdateUnsolvableLabel(*core_, texts_);
    ApplyPanel();
}

void MainWindow::ApplyPanel() {
    // The caption follows the level panel: the set, the level number and the level's title,
    // then what is remembered of the level and the file.
    const std::string text = WindowCaption(door::Levels(*core_)) + progress_->CaptionNote();
    const QString caption = QString::fromLatin1(text.c_str());
    if (caption != windowTitle()) setWindowTitle(caption);
    // The panel took the info line over: the cell under the mouse is shown again on the next
    // move, even when it has not changed.
    if (panel_->ShowTexts(texts_)) window_.lastShownX = window_.lastShownY = -1;
}

void MainWindow::ApplyControlStates() {
    panel_->Enable(UpdateControlStates(*core_, window_));
}

void MainWindow::Apply(const WindowRequests& requests) {
    if (requests.startAutoTimer) autoPlayTimer_.start();
    if (requests.killAutoTimer) autoPlayTimer_.stop();
    if (requests.caption == AutoPlayCaption::STOP) panel_->SetText(ID_AUTO_PLAY, "Stop");
    if (requests.caption == AutoPlayCaption::AUTO_PLAY) panel_->SetText(ID_AUTO_PLAY, "Auto-play");
    if (requests.redraw) board_->Redraw();
    if (requests.counters) UpdateCounters(*core_, texts_);
    if (requests.result) UpdateResult(*core_, texts_);
    if (requests.levelInfo) UpdateLevelInfo(*core_, window_, texts_);
    UpdateUnsolvableLabel(*core_, texts_);
    ApplyPanel();
    // Before the congratulation's box, so that the solution is written while it is up and the
    // caption follows at once.
    progress_->NoteSolution();
    if (requests.congratulate)
        prompts_.Message("RUK", "Status: Solved\r\n\r\nCongratulations !!",
                         PromptIcon::INFORMATION);
    if (requests.controlStates) ApplyControlStates();
}

// ---- Timers and play commands ---------------------------------------------------------------

void MainWindow::OnStepTimerTick() {
    // Runs every 10 ms for the life of the window: nothing at all while no animation runs.
    const AnimMode mode = core_->view.animMode;
    if (mode == AnimMode::IDLE || mode == AnimMode::AUTO_ACTIONS || closed_) return;
    Play(door::StepTick);
}

void MainWindow::OnAutoPlayTimerTick() {
    if (!closed_) Play(door::AutoPlayTick);
}

void MainWindow::Play(void (*call)(CoreState&, WindowRequests&)) {
    WindowRequests requests;
    call(*core_, requests);
    Apply(requests);
}

void MainWindow::AutoPlay() {
    // With nothing after the cursor there is nothing to play.
    if (core_->view.animMode == AnimMode::IDLE &&
        core_->game.history.cursor >= core_->game.history.end)
        return;
    Play(door::AutoPlay);
}

// ---- Mouse and keys -------------------------------------------------------------------------

void MainWindow::mousePressEvent(QMouseEvent* event) {
    TakeKeys();  // a press anywhere but on a control ends typing a level number
    if (closed_ || !core_) return;
    if (event->button() == Qt::LeftButton) board_->LeftPress(event->position());
    if (event->button() == Qt::RightButton) board_->RightPress(event->position());
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (closed_ || !core_) return;
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) board_->Release();
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    if (closed_ || !core_) return;
    board_->MouseMove(event->position());
}

void MainWindow::TakeKeys() {
    if (board_ && !closed_) board_->Widget()->setFocus(Qt::OtherFocusReason);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Enter is Jump's click, as the dialog's default button, wherever the keys are (the
    // level-number box clicks it for its own Enter).
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        auto* jump = static_cast<QAbstractButton*>(Control(ID_JUMP));
        if (!closed_ && jump->isEnabled()) jump->click();
        return;
    }
    // While a level number is typed the keys are its box's; only F1 still shows the keys.
    if (closed_ || !core_ || !board_->Key(*event, panel_->Typing())) {
        QDialog::keyPressEvent(event);
        return;
    }
    event->accept();
}

void MainWindow::wheelEvent(QWheelEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (closed_ || !core_ || !board_->Wheel(event->position(), event->angleDelta().y(), ctrl)) {
        QDialog::wheelEvent(event);
        return;
    }
    event->accept();
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
    if (core_) progress_->Close();
    if (core_) browser_->Close();
    closed_ = true;
    stepTimer_.stop();
    autoPlayTimer_.stop();
    // A running solver goes with the window; its report is dropped.
    if (core_) solver_->Stop();
    SaveSettings();
}

}  // namespace ruk
