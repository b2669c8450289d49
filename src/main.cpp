// The player: one window, run until it is closed. ruk [FILE [LEVEL]] opens a level file at a
// level once the window is up, ruk --resume the last level and its game; --help and --version
// answer without a window.
#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "launch/command_line.h"
#include "launch/display_check.h"
#include "progress_path.h"
#include "render/text_drawing.h"
#include "settings/program_folder.h"
#include "window/main_window.h"
#include "window/qt_prompts.h"
#include "window/quit_signals.h"

namespace {

// Qt's messages while the platform starts, held back: a display that does not answer ends the
// program with one line of ours instead of Qt's lines and its abort (a core dump).
std::vector<std::string>* startMessages = nullptr;

void HoldStartMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fputs("ruk: no display answers (see DISPLAY); RUK needs a graphical desktop\n",
                   stderr);
        std::_Exit(1);
    }
    if (startMessages)
        startMessages->push_back(qFormatLogMessage(type, context, text).toStdString());
}

}  // namespace

int main(int argc, char** argv) {
    // Help and version need no display, so they are answered before Qt starts.
    const ruk::CommandLine asked = ruk::ParseCommandLine(argc, argv);
    if (asked.action == ruk::LaunchAction::HELP || asked.action == ruk::LaunchAction::VERSION) {
        const std::string text =
            asked.action == ruk::LaunchAction::HELP ? ruk::UsageText() : ruk::VersionText();
        std::fputs(text.c_str(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    // Qt's X11 platform aborts with a core dump when there is no display: one line instead.
    const std::string noDisplay =
        ruk::NoDisplayFault(argc, argv, std::getenv("QT_QPA_PLATFORM"), std::getenv("DISPLAY"),
                            std::getenv("WAYLAND_DISPLAY"));
    if (!noDisplay.empty()) {
        std::fprintf(stderr, "ruk: %s\n", noDisplay.c_str());
        return 1;
    }
    std::vector<std::string> held;
    startMessages = &held;
    const QtMessageHandler previous = qInstallMessageHandler(HoldStartMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
    startMessages = nullptr;
    for (const std::string& message : held) std::fprintf(stderr, "%s\n", message.c_str());
    // Qt has taken its own options (-platform, -style, ...) out of argv by now.
    const ruk::CommandLine line = ruk::ParseCommandLine(argc, argv);
    if (line.action != ruk::LaunchAction::RUN) {
        std::fprintf(stderr, "ruk: %s\nTry 'ruk --help'.\n", line.fault.c_str());
        return 2;
    }
    app.setWindowIcon(QIcon(":/ruk_icon.png"));
    ruk::InstallProgramFont();
    ruk::QtPrompts prompts;
    ruk::MainWindow window(
        {&prompts, ruk::ExecutableFolder(argv[0]), std::nullopt, ruk::ProgressFilePath(), true});
    prompts.SetParent(&window);
    // Before start-up, so that no signal finds the window up and the handler not yet set.
    ruk::CloseOnQuitSignals(window, [&window] { window.FinishProgress(); });
    if (!window.StartUp()) return 0;
    // Once the window is on screen and fitted to its frame, so that a message about the file
    // stands over it and the level is not shown on a board about to change its size.
    window.OpenOnceFitted(line);
    window.exec();
    return 0;
}
