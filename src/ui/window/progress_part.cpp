// The progress keeper's window side (see progress_part.h).
#include "window/progress_part.h"

#include <QMetaObject>

#include "window/control_panel.h"

namespace ruk {

namespace {

// How often a game being played is kept, at most.
constexpr int GAME_KEEP_PERIOD_MS = 5000;

}  // namespace

ProgressPart::ProgressPart(const PartContext& context, const std::optional<std::string>& path)
    : c_(context), on_(path.has_value()), path_(path.value_or("")) {}

ProgressPart::~ProgressPart() {
    solvedCount_.Stop();
    placeKeyTask_.Stop();
    // The window is gone by now: waiting for the last writes holds nobody up.
    Finish();
    gameKeepTimer_.stop();
}

void ProgressPart::Start() {
    if (!on_) return;
    // The writer's answers come back as events, so that they are taken on this thread.
    keeper_.SetWake([this] {
        QMetaObject::invokeMethod(
            this, [this] { TakeAnswers(); }, Qt::QueuedConnection);
    });
    keeper_.Open(path_);
    gameKeepTimer_.setInterval(GAME_KEEP_PERIOD_MS);
    connect(&gameKeepTimer_, &QTimer::timeout, this, [this] { StoreGameNow(); });
    gameKeepTimer_.start();
    // A store that keeps nothing says so from the start.
    c_.frame.ApplyPanel();
}

void ProgressPart::TakeAnswers() {
    if (!keeper_.TakeAnswers() || c_.frame.Closed()) return;
    c_.frame.ApplyPanel();
    if (answered_) answered_();
    // A solve that landed while the file was being counted asks for another count.
    CountSolvedOfFile();
}

void ProgressPart::Finish() {
    if (!on_) return;
    keeper_.SetWake(nullptr);
    keeper_.Close();
}

void ProgressPart::Close() {
    // The game and the place are kept while the state they stand in is still whole.
    LeaveGame();
    if (on_) keeper_.KeepPlace(c_.core);
    solvedCount_.Stop();
    placeKeyTask_.Stop();
    gameKeepTimer_.stop();
}

std::string ProgressPart::CaptionNote() const {
    return on_ ? keeper_.CaptionNote(c_.core) : std::string();
}

void ProgressPart::LevelShown() {
    if (!on_) return;
    keeper_.LevelShown(c_.core);
    CountSolvedOfFile();
}

void ProgressPart::LeaveGame() {
    if (!on_) return;
    // A solution whose posted write has not run yet goes first, while its level is still shown.
    keeper_.StoreSolution(c_.core);
    keeper_.StoreGame(c_.core);
}

void ProgressPart::StoreGameNow() {
    // A replay in progress is kept once it stops; nothing is written while it runs.
    if (c_.frame.Closed() || c_.core.view.animMode != AnimMode::IDLE) return;
    LeaveGame();
}

void ProgressPart::NoteSolution() {
    if (!on_ || solutionQueued_ || !keeper_.SolutionWaiting(c_.core)) return;
    solutionQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        solutionQueued_ = false;
        // The caption follows once the writer answers.
        if (!c_.frame.Closed()) keeper_.StoreSolution(c_.core);
    });
}

void ProgressPart::CountSolvedOfFile() {
    if (c_.frame.Closed()) return;
    const std::string file = keeper_.FileToCount(c_.core);
    if (file.empty() || file == countingFile_) return;
    countingFile_ = file;
    // The solutions the file carries go to the store on the count's thread, when it can be
    // written; the shown level's record is read again when some were new bests.
    const bool readSolutions = keeper_.State() == ProgressState::READY;
    const auto done = [this](const std::string& path, const FileSolvedCount& count) {
        QMetaObject::invokeMethod(
            this,
            [this, path, count] {
                if (countingFile_ == path) countingFile_.clear();
                keeper_.SetFileCount(path, count);
                if (count.imported > 0) keeper_.RereadRecord();
                c_.frame.ApplyPanel();
                if (answered_) answered_();
                CountSolvedOfFile();
            },
            Qt::QueuedConnection);
    };
    solvedCount_.Start(path_, file, done, readSolutions);
}

void ProgressPart::LoadBestSolution(bool byPushes) {
    if (!c_.panel.Enabled(ID_URDL_INPUT)) return;
    const std::string letters = on_ ? keeper_.BestLetters(byPushes) : "";
    if (letters.empty()) {
        c_.prompts.Message("RUK", "No solution of this level is kept yet.",
                           PromptIcon::INFORMATION);
        return;
    }
    // As URDL Input takes a string: after the cursor, shown by Redo or Auto-play.
    door::ImportMoves(c_.core, letters.c_str());
    c_.frame.RefreshLevelInfo();
    c_.frame.ApplyControlStates();
}

void ProgressPart::ResumeGame() {
    if (!c_.panel.Enabled(ID_URDL_INPUT)) return;
    // The letters are read only now: a long kept game does not slow showing its level.
    const std::optional<KeptGame> game = on_ ? keeper_.GameToResume() : std::nullopt;
    if (!game) {
        c_.prompts.Message("RUK", "No unfinished game of this level is kept.",
                           PromptIcon::INFORMATION);
        return;
    }
    WindowRequests requests;
    door::ResumeGame(c_.core, game->letters.c_str(), game->cursor, requests);
    c_.frame.Apply(requests);
}

std::optional<LastPlace> ProgressPart::PlaceToReopen() {
    if (!c_.panel.Enabled(ID_FILE)) return std::nullopt;
    const std::optional<LastPlace> place = on_ ? keeper_.LastPlaceShown() : std::nullopt;
    if (!place)
        c_.prompts.Message("RUK", "No level file was shown when RUK was last closed.",
                           PromptIcon::INFORMATION);
    return place;
}

std::optional<WelcomePlace> ProgressPart::PlaceForWelcome() {
    const std::optional<LastPlace> place = on_ ? keeper_.LastPlaceShown() : std::nullopt;
    if (!place) return std::nullopt;
    std::array<char, NAME_CAPACITY> name{};
    door::NameOfLevelFile(place->file.c_str(), name);
    return WelcomePlace{name.data(), place->level, GameKeptAtPlace(*place)};
}

bool ProgressPart::GameKeptAtPlace(const LastPlace& place) {
    const bool asked =
        placeAsked_ && placeAsked_->file == place.file && placeAsked_->level == place.level;
    if (asked) return placeKey_ && keeper_.GameKeptFor(*placeKey_);
    placeAsked_ = place;
    placeKey_.reset();
    placeKeyTask_.Start(place, [this](const LastPlace& read, const std::string& key) {
        QMetaObject::invokeMethod(
            this,
            [this, read, key] {
                if (!placeAsked_ || placeAsked_->file != read.file ||
                    placeAsked_->level != read.level)
                    return;
                placeKey_ = key;
                if (!c_.frame.Closed()) c_.frame.RefreshWelcome();
            },
            Qt::QueuedConnection);
    });
    return false;
}

}  // namespace ruk
