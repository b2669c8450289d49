// The level browser on a level file, offscreen: the time from F2 to the browser shown with the
// rows of its first screen read, the time until that screen's thumbnails are drawn, the time
// until every row is read, and the process's peak memory (VmHWM) before and after.
//
//   ruk_browser_bench FILE [LEVEL]
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTableView>
#include <QTest>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "browser/browser_window.h"
#include "window/browser_part.h"
#include "window/main_window.h"

namespace {

class SilentPrompts : public ruk::Prompts {
  public:
    void Message(const std::string&, const std::string& text, ruk::PromptIcon) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
    bool Confirm(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> OpenFile(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    void RunDialog(QDialog&) override {}
};

// A line of /proc/self/status in kB, or -1.
long StatusKb(const char* name) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(name, 0) == 0) return std::stol(line.substr(std::string(name).size()));
    return -1;
}

// The list rows the view shows now.
std::pair<int, int> VisibleRows(QTableView& view) {
    const int first = view.rowAt(0);
    int last = view.rowAt(view.viewport()->height() - 1);
    if (last < 0) last = view.model()->rowCount() - 1;
    return {first, last};
}

bool FirstScreen(QTableView& view, int role) {
    const auto [first, last] = VisibleRows(view);
    if (first < 0) return false;
    for (int row = first; row <= last; ++row) {
        const QModelIndex index = view.model()->index(row, ruk::BrowserModel::THUMBNAIL);
        if (role == Qt::DecorationRole && index.data(role).isNull()) return false;
        if (role == Qt::DisplayRole &&
            view.model()->index(row, ruk::BrowserModel::TITLE).data().toString() == "...")
            return false;
    }
    return true;
}

// Runs events until done or limit ms; the ms it took, or -1.
template <typename Done>
double WaitUntil(const QElapsedTimer& clock, Done done, int limitMs = 600000) {
    while (!done()) {
        if (clock.elapsed() > limitMs) return -1;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: ruk_browser_bench FILE [LEVEL]\n");
        return 2;
    }
    const std::string folder = std::filesystem::temp_directory_path() / "ruk-browser-bench";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    SilentPrompts prompts;
    ruk::MainWindow window(
        ruk::WindowSetup{&prompts, folder, QRect(0, 0, 1920, 1080), folder + "/progress.sqlite"});
    if (!window.StartUp()) return 1;
    window.show();
    ruk::CommandLine line;
    line.file = argv[1];
    line.level = argc > 2 ? std::atoi(argv[2]) : 1;
    QElapsedTimer openClock;
    openClock.start();
    window.OpenFromCommandLine(line);
    const double openMs = static_cast<double>(openClock.nsecsElapsed()) / 1e6;
    QCoreApplication::processEvents();
    const long before = StatusKb("VmHWM:");

    QElapsedTimer clock;
    clock.start();
    QTest::keyClick(window.Board(), Qt::Key_F2);
    ruk::BrowserWindow* browser = window.Browser().Window();
    QTableView& view = *browser->View();
    const double shownMs = WaitUntil(clock, [&] { return FirstScreen(view, Qt::DisplayRole); });
    const double thumbsMs = WaitUntil(clock, [&] { return FirstScreen(view, Qt::DecorationRole); });
    const double allMs = WaitUntil(clock, [&] { return window.Browser().Idle(); });
    std::printf("file %s levels %d open-ms %.1f\n", argv[1], view.model()->rowCount(), openMs);
    std::printf("f2-to-rows-ms %.1f first-thumbnails-ms %.1f all-rows-read-ms %.1f\n", shownMs,
                thumbsMs, allMs);
    std::printf("vmhwm-kb before-f2 %ld after %ld\n", before, StatusKb("VmHWM:"));
    window.close();
    std::filesystem::remove_all(folder);
    return 0;
}
