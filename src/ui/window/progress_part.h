// The progress keeper's window side: the record read when a level is shown, a solution written
// once the level is solved on screen, the game kept when it is left and on the game keep timer,
// the keys that load them back, and the open file's solved count.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <optional>
#include <string>

#include "panel/welcome_line.h"
#include "progress_keeping/place_key_task.h"
#include "progress_keeping/progress_keeper.h"
#include "progress_keeping/solved_count_task.h"
#include "window/window_frame.h"

namespace ruk {

class ProgressPart : public QObject {
  public:
    // path: where solutions and games are remembered; none: nothing is remembered.
    ProgressPart(const PartContext& context, const std::optional<std::string>& path);
    ~ProgressPart() override;

    void Start();
    // The open file's solved count as the caption gives it ("12 of 155 solved"), or "".
    std::string FileSolvedNote() const { return on_ ? keeper_.FileSolvedNote(c_.core) : ""; }
    // Called on this thread after the store has answered a write (a solution, a game kept) and
    // after the open file's solved count came in.
    void SetAnswered(std::function<void()> answered) { answered_ = std::move(answered); }
    // Every write posted is done and the store closed.
    void Finish();
    // The window closes: the game and the place are kept, then nothing more is started.
    void Close();
    // The caption's note on what is remembered of the level and the file.
    std::string CaptionNote() const;

    void LevelShown();
    void LeaveGame();
    // After any event: a solved game's solution is written once the event has been handled,
    // never inside the animation's tick.
    void NoteSolution();

    // The keys: the best solution after the cursor, the unfinished game, and the last place
    // (answered by the place, or a message when none is kept).
    void LoadBestSolution(bool byPushes);
    void ResumeGame();
    std::optional<LastPlace> PlaceToReopen();
    // The last place as the welcome line names it, said nothing of when none is kept.
    std::optional<WelcomePlace> PlaceForWelcome();

  private:
    // Whether the place's level has a game kept; false until its key has been read from its
    // file on a thread, when the welcome screen is drawn again.
    bool GameKeptAtPlace(const LastPlace& place);
    void TakeAnswers();
    void StoreGameNow();
    void CountSolvedOfFile();

    PartContext c_;
    bool on_ = false;
    std::string path_;
    ProgressKeeper keeper_;
    QTimer gameKeepTimer_;  // keeps the game every few seconds while it is played
    bool solutionQueued_ = false;
    std::function<void()> answered_;
    std::string countingFile_;             // the file whose solved count is being worked out
    std::optional<LastPlace> placeAsked_;  // the last place whose key is read or being read
    std::optional<std::string> placeKey_;  // its key once read ("" when it could not be)
    // Last, so that they are stopped before anything their answers would reach.
    PlaceKeyTask placeKeyTask_;
    SolvedCountTask solvedCount_;
};

}  // namespace ruk
