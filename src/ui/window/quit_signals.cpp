// Quit signals turned into a close of the window (see quit_signals.h): the handler only writes
// a byte to a pipe, and the event loop does the rest.
#include "window/quit_signals.h"

#include <fcntl.h>
#include <unistd.h>
#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>
#include <csignal>
#include <cstdlib>
#include <utility>

namespace ruk {

namespace {

// The write end of the pipe; a handler may touch nothing else.
int signalPipeWrite = -1;

extern "C" void OnQuitSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(signalPipeWrite, &byte, 1);
}

}  // namespace

bool CloseOnQuitSignals(QWidget& window, std::function<void()> finish) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    signalPipeWrite = ends[1];
    auto* notifier = new QSocketNotifier(ends[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window,
                     [&window, readEnd = ends[0], finish = std::move(finish)] {
                         char bytes[16];
                         while (read(readEnd, bytes, sizeof bytes) > 0) {
                         }
                         // A modal box's own loop would keep running after the close: with one
                         // open, the program ends here once everything has been kept and
                         // written, as the end of a normal close does.
                         const bool modal = QApplication::activeModalWidget() != nullptr;
                         window.close();
                         if (!modal) return;
                         if (finish) finish();
                         std::_Exit(0);
                     });
    // With the window gone the signals end the program as they always did.
    QObject::connect(notifier, &QObject::destroyed, [] {
        for (const int signal : {SIGTERM, SIGHUP, SIGINT}) std::signal(signal, SIG_DFL);
    });
    struct sigaction action {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) sigaction(signal, &action, nullptr);
    return true;
}

}  // namespace ruk
