// The window against its screen (see screen_fit.h).
#include "window/screen_fit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <string>
#include <utility>

#include "panel/window_fit.h"
#include "window/board_view.h"
#include "window/control_panel.h"

namespace ruk {

const char* const DISPLAY_TOO_SMALL = "Display size is small.\r\n\r\nrequired (1920 x 1080)";

namespace {

constexpr int FRAME_CHECK_MS = 50;
constexpr int FRAME_CHECKS = 20;

}  // namespace

ScreenFit::ScreenFit(const PartContext& context, std::optional<QRect> workArea, bool guessFrame)
    : c_(context),
      window_(*context.parent),
      workArea_(workArea),
      frame_(guessFrame ? QSize(GUESSED_FRAME_WIDTH, GUESSED_FRAME_HEIGHT) : QSize(0, 0)) {}

void ScreenFit::WhenFitted(std::function<void()> then) {
    if (frameKnown_) {
        then();
    } else {
        afterFirstFit_ = std::move(then);
    }
}

LayoutInput ScreenFit::Measured(QSize frame) const {
    QRect work = workArea_ ? *workArea_ : QRect();
    if (!workArea_) {
        const QScreen* shown =
            window_.screen() ? window_.screen() : QGuiApplication::primaryScreen();
        if (shown) work = shown->availableGeometry();
    }
    return {frame.width(), frame.height(), work.x(), work.y(), work.width(), work.height()};
}

bool ScreenFit::ApplyLayout(const LayoutInput& input) {
    const WindowLayout layout = LayoutWindow(input);
    if (!layout.fits) return false;
    laidOut_ = input;
    door::SetBoardLimits(c_.core, layout.maxWidth, layout.maxHeight);
    c_.window.boardRect = layout.boardRect;
    c_.window.paletteRect = layout.paletteRect;
    c_.window.wallToolRect = layout.wallToolRect;
    c_.panel.Place(layout);
    c_.board.Place(layout);
    window_.setFixedSize(layout.clientWidth, layout.clientHeight);
    window_.move(layout.windowX, layout.windowY);
    return true;
}

bool ScreenFit::LayOutAtStart() {
    // Before the window is shown no frame is known; the layout runs again once it is.
    return ApplyLayout(Measured(frame_));
}

void ScreenFit::Shown() {
    WatchScreens();
    // Window managers report the frame only after the window is mapped.
    frameChecks_ = 0;
    QTimer::singleShot(FRAME_CHECK_MS, &window_, [this] { CheckFrameAfterShow(); });
}

void ScreenFit::CheckFrameAfterShow() {
    if (c_.frame.Closed()) return;
    const QSize frame = window_.frameGeometry().size() - window_.size();
    // A platform without frames never reports one: after a second, none it is.
    if (frame.isNull() && ++frameChecks_ < FRAME_CHECKS) {
        QTimer::singleShot(FRAME_CHECK_MS, &window_, [this] { CheckFrameAfterShow(); });
        return;
    }
    frame_ = frame;
    const bool first = !frameKnown_;
    frameKnown_ = true;
    FitToScreen(first);
    if (first && afterFirstFit_ && !c_.frame.Closed()) std::exchange(afterFirstFit_, nullptr)();
}

void ScreenFit::Moved() {
    // A window manager slower than the checks after the show reports its frame later.
    const QSize frame = window_.frameGeometry().size() - window_.size();
    if (!frameKnown_ || frame.isNull() || frame == frame_) return;
    frame_ = frame;
    FitToScreen(false);
}

void ScreenFit::WatchScreens() {
    QWindow* shown = window_.windowHandle();
    if (!shown || screenWatch_) return;
    screenWatch_ =
        QObject::connect(shown, &QWindow::screenChanged, &window_, [this](QScreen* screen) {
            WatchWorkArea(screen);
            if (frameKnown_) FitToScreen(false);
        });
    WatchWorkArea(shown->screen());
}

void ScreenFit::WatchWorkArea(QScreen* screen) {
    QObject::disconnect(workAreaWatch_);
    if (!screen) return;
    // A panel that comes or goes changes the work area of the same screen.
    workAreaWatch_ = QObject::connect(screen, &QScreen::availableGeometryChanged, &window_, [this] {
        if (frameKnown_) FitToScreen(false);
    });
}

bool ScreenFit::BoardMayChange() const {
    if (c_.window.solverRunning || c_.core.level.editor.editMode == EditMode::EDIT) return false;
    if (c_.frame.WelcomeShown()) return true;
    // A level from a file with nothing played on it is read and shown again: placed on more
    // rows, a level that was too tall may play.
    return door::Levels(c_.core).window.fileSize > 0 && door::History(c_.core).end == 0;
}

void ScreenFit::FitToScreen(bool first) {
    const LayoutInput now = Measured(frame_);
    const Refit refit = ChooseRefit(laidOut_, now, BoardMayChange());
    if (refit == Refit::NONE) return;
    if (refit == Refit::LAYOUT && ApplyLayout(now)) {
        if (c_.frame.WelcomeShown()) {
            c_.frame.ShowWelcome();
            return;
        }
        // Read afresh: the verdict on its size was the old board's. A file gone meanwhile leaves
        // the level the board holds, placed afresh.
        const std::string path = door::Levels(c_.core).path.data();
        if (!door::LoadFileLevel(c_.core, path.c_str(), door::Levels(c_.core).current))
            door::ShowCurrentLevel(c_.core);
        c_.frame.LevelShown();
        return;
    }
    if (refit == Refit::LAYOUT && first) {
        c_.prompts.Message("RUK", DISPLAY_TOO_SMALL, PromptIcon::ERROR);
        window_.close();
        return;
    }
    // The board keeps its rows: the window is only placed again, its caption kept in sight.
    laidOut_ = now;
    const WindowSpot spot = PlaceWindow(now, window_.width(), window_.height());
    window_.move(spot.x, spot.y);
}

}  // namespace ruk
