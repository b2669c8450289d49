// The window against its screen: laid out for the work area and the window manager's frame, and
// fitted again when the frame becomes known, the window moves to another screen or a panel
// changes the work area. The arithmetic is window_fit.h's; this part watches and applies it.
#pragma once

#include <QMetaObject>
#include <QRect>
#include <QSize>
#include <functional>
#include <optional>

#include "panel/window_layout.h"
#include "window/window_frame.h"

class QScreen;
class QWidget;

namespace ruk {

class ScreenFit {
  public:
    // workArea: the screen's work area when not the window's own screen's (tests); guessFrame:
    // a typical frame is assumed until the window manager's is known, else none.
    ScreenFit(const PartContext& context, std::optional<QRect> workArea, bool guessFrame);
    ScreenFit(const ScreenFit&) = delete;
    ScreenFit& operator=(const ScreenFit&) = delete;

    // The layout before the window is shown. False: the display is too small.
    bool LayOutAtStart();
    // The window has been shown: the frame is looked for until the window manager gives it.
    void Shown();
    // The window moved: a frame reported late is taken.
    void Moved();
    // Runs then at once when the window has been fitted to its known frame, else after that
    // first fit (the last one asked for; none when the window closes first).
    void WhenFitted(std::function<void()> then);

  private:
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

    PartContext c_;
    QWidget& window_;
    std::optional<QRect> workArea_;
    std::function<void()> afterFirstFit_;
    LayoutInput laidOut_;  // the frame and work area the window was laid out or placed for
    QSize frame_;          // the window manager's frame; until it is known, the one assumed
    bool frameKnown_ = false;
    int frameChecks_ = 0;
    QMetaObject::Connection screenWatch_;
    QMetaObject::Connection workAreaWatch_;
};

// The message of a display too small for the window.
extern const char* const DISPLAY_TOO_SMALL;

}  // namespace ruk
