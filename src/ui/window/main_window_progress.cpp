// The main window's memory of each level: the record read when a level is shown, a solution
// written once the level is solved on screen, the game kept when it is left and every few
// seconds, the keys that load them back, and the open file's solved count.
#include <QMetaObject>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <system_error>

#include "core_door.h"
#include "window/main_window.h"

namespace ruk {

namespace {

// How often a game being played is kept, at most.
constexpr int GAME_KEEP_PERIOD_MS = 5000;

}  // namespace

void MainWindow::StartProgress() {
    if (!progressOn_) return;
    // The writer's answers come back as events, so that they are taken on this thread.
    progress_.SetWake([this] {
        QMetaObject::invokeMethod(
            this, [this] { TakeProgressAnswers(); }, Qt::QueuedConnection);
    });
    progress_.Open(progressPath_);
    progressTimer_.setInterval(GAME_KEEP_PERIOD_MS);
    connect(&progressTimer_, &QTimer::timeout, this, [this] { StoreGameNow(); });
    progressTimer_.start();
    // A store that keeps nothing says so from the start.
    ApplyPanel();
}

void MainWindow::TakeProgressAnswers() {
    if (!progress_.TakeAnswers() || closed_) return;
    ApplyPanel();
    // A solve that landed while the file was being counted asks for another count.
    CountSolvedOfFile();
}

void MainWindow::FinishProgress() {
    if (!progressOn_) return;
    progress_.SetWake(nullptr);
    progress_.Close();
}

void MainWindow::ProgressLevelShown() {
    if (!progressOn_) return;
    progress_.LevelShown(*core_);
    CountSolvedOfFile();
}

void MainWindow::LeaveGame() {
    if (!progressOn_ || !core_) return;
    // A solution whose posted write has not run yet goes first, while its level is still shown.
    progress_.StoreSolution(*core_);
    progress_.StoreGame(*core_);
}

void MainWindow::StoreGameNow() {
    // A replay in progress is kept once it stops; nothing is written while it runs.
    if (closed_ || core_->view.animMode != AnimMode::IDLE) return;
    LeaveGame();
}

void MainWindow::NoteSolution() {
    if (!progressOn_ || solutionQueued_ || !progress_.SolutionWaiting(*core_)) return;
    solutionQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        solutionQueued_ = false;
        // The caption follows once the writer answers.
        if (!closed_) progress_.StoreSolution(*core_);
    });
}

void MainWindow::CountSolvedOfFile() {
    if (closed_) return;
    const std::string file = progress_.FileToCount(*core_);
    if (file.empty() || file == countingFile_) return;
    countingFile_ = file;
    solvedCount_.Start(progressPath_, file,
                       [this](const std::string& path, const FileSolvedCount& count) {
                           QMetaObject::invokeMethod(
                               this,
                               [this, path, count] {
                                   if (countingFile_ == path) countingFile_.clear();
                                   progress_.SetFileCount(path, count);
                                   ApplyPanel();
                                   CountSolvedOfFile();
                               },
                               Qt::QueuedConnection);
                       });
}

void MainWindow::LoadBestSolution(bool byPushes) {
    if (!Control(ID_URDL_INPUT)->isEnabled()) return;
    const std::string letters = progressOn_ ? progress_.BestLetters(byPushes) : "";
    if (letters.empty()) {
        prompts_.Message("RUK", "No solution of this level is kept yet.", PromptIcon::INFORMATION);
        return;
    }
    // As URDL Input takes a string: after the cursor, shown by Redo or Auto-play.
    door::ImportMoves(*core_, letters.c_str());
    RefreshLevelInfo();
    ApplyControlStates();
}

void MainWindow::ResumeGame() {
    if (!Control(ID_URDL_INPUT)->isEnabled()) return;
    // The letters are read only now: a long kept game does not slow showing its level.
    const std::optional<KeptGame> game =
        progressOn_ ? progress_.GameToResume() : std::optional<KeptGame>();
    if (!game) {
        prompts_.Message("RUK", "No unfinished game of this level is kept.",
                         PromptIcon::INFORMATION);
        return;
    }
    WindowRequests requests;
    door::ResumeGame(*core_, game->letters.c_str(), game->cursor, requests);
    Apply(requests);
}

void MainWindow::ReopenLastPlace() {
    if (!Control(ID_FILE)->isEnabled()) return;
    const std::optional<LastPlace> place = progressOn_ ? progress_.LastPlaceShown() : std::nullopt;
    if (!place) {
        prompts_.Message("RUK", "No level file was shown when RUK was last closed.",
                         PromptIcon::INFORMATION);
        return;
    }
    OpenFileAtLevel(place->file, place->level, true);
}

}  // namespace ruk
