// ruk-screenshot: shows the player's window with a level loaded and, when asked, a box
// selected, and saves a picture of it. On an X server the picture is taken from the screen,
// so it shows the real window; elsewhere the window draws itself into it.
//
//   ruk-screenshot OUT.png [LEVELFILE [LEVEL] [--moves URDL] [--box X,Y] [--edit]
//                  [--dialog NAME] [--zoom TILE]]
//
// --zoom shows the board at 24, 48, 72 or 96 pixels a tile (or the largest the level fits),
// chosen with the zoom keys as a player would.
// --moves plays a move string (as URDL Input and Auto-play would) before anything else.
// --edit switches to the editor once the level is loaded, with the box tool chosen.
// --dialog takes the picture of one of the program's dialogs instead of the window: text,
// urdl (the URDL input), out (Text out), solver, help (the box F1 shows), or browser (the level
// browser F2 shows, once its rows and the thumbnails of its first screen are in).
// --progress names the progress store the window reads and writes (none by default).
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "browser/browser_window.h"
#include "engine/urdl_parser.h"
#include "panel/control_ids.h"
#include "render/text_drawing.h"
#include "settings/program_folder.h"
#include "window/browser_part.h"
#include "window/main_window.h"
#include "window/qt_prompts.h"

namespace {

// Answers the window's prompts without a person: the level file for "File", and every
// message is printed.
void Settle(int milliseconds);
QPixmap Picture(QWidget& widget);

class ScriptedPrompts : public ruk::Prompts {
  public:
    explicit ScriptedPrompts(std::string file) : file_(std::move(file)) {}
    QPixmap dialogPicture;
    bool pictureMessages = false;  // shows the next message box as the program would
    QWidget* parent = nullptr;
    void Message(const std::string& caption, const std::string& text,
                 ruk::PromptIcon icon) override {
        if (pictureMessages) {
            pictureMessages = false;
            const auto box = ruk::MakeMessageBox(parent, caption, text, icon);
            box->show();
            Settle(600);
            dialogPicture = Picture(*box);
            box->close();
            return;
        }
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    }
    bool Confirm(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> OpenFile(const std::string&, const std::string&) override {
        return file_;
    }
    void RunDialog(QDialog& dialog) override {
        dialog.show();
        Settle(600);
        dialogPicture = Picture(dialog);
        dialog.close();
    }

  private:
    std::string file_;
};

// Lets the window system and the window's timers run for a while.
void Settle(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

// On an X server the picture comes from the screen, so it shows the real window.
QPixmap Picture(QWidget& widget) {
    if (QGuiApplication::platformName() == "xcb") {
        const QRect frame = widget.frameGeometry();
        return widget.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    }
    return widget.grab();
}

void Click(ruk::MainWindow& window, int x, int y) {
    const QPointF at(x, y);
    QMouseEvent press(QEvent::MouseButtonPress, at, window.mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, window.mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &release);
}

void ZoomKey(ruk::MainWindow& window, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::ControlModifier);
    QApplication::sendEvent(&window, &press);
}

// F2, then the picture once the rows are read and the first screen's thumbnails drawn.
QPixmap BrowserPicture(ruk::MainWindow& window) {
    QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QApplication::sendEvent(window.focusWidget(), &f2);
    ruk::BrowserWindow* browser = window.Browser().Window();
    if (!browser) return QPixmap();
    for (int i = 0; i < 500 && !window.Browser().Idle(); ++i) Settle(20);
    Settle(1500);
    return Picture(*browser);
}

int Usage() {
    std::fprintf(stderr,
                 "usage: ruk-screenshot OUT.png [LEVELFILE [LEVEL] [--moves URDL] [--box X,Y] "
                 "[--edit] [--dialog text|urdl|out|solver|help|browser] [--zoom 24|48|72|96] "
                 "[--progress PATH]]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const char* out = argv[1];
    std::string file;
    int level = 1;
    int boxX = 0;
    int boxY = 0;
    bool edit = false;
    std::string dialog;
    std::optional<std::string> progress;
    std::string moves;
    int zoomTile = 0;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--edit") == 0) {
            edit = true;
        } else if (std::strcmp(argv[i], "--dialog") == 0 && i + 1 < argc) {
            dialog = argv[++i];
        } else if (std::strcmp(argv[i], "--progress") == 0 && i + 1 < argc) {
            progress = argv[++i];
        } else if (std::strcmp(argv[i], "--moves") == 0 && i + 1 < argc) {
            moves = argv[++i];
        } else if (std::strcmp(argv[i], "--zoom") == 0 && i + 1 < argc) {
            zoomTile = std::atoi(argv[++i]);
            if (zoomTile % 24 != 0 || zoomTile < 24 || zoomTile > 96) return Usage();
        } else if (std::strcmp(argv[i], "--box") == 0 && i + 1 < argc) {
            if (std::sscanf(argv[++i], "%d,%d", &boxX, &boxY) != 2) return Usage();
        } else if (file.empty()) {
            file = argv[i];
        } else {
            level = std::atoi(argv[i]);
        }
    }

    QApplication app(argc, argv);
    ruk::InstallProgramFont();
    ScriptedPrompts prompts(file);
    ruk::MainWindow window({&prompts, ruk::ExecutableFolder(argv[0]), std::nullopt, progress});
    prompts.parent = &window;
    if (!window.StartUp()) return 1;
    window.show();
    Settle(600);
    if (!file.empty()) {
        window.Action(ruk::ID_FILE)->trigger();
        if (level > 1) {
            static_cast<QLineEdit*>(window.Control(ruk::ID_LEVEL_NUMBER))
                ->setText(QString::number(level));
            window.Action(ruk::ID_JUMP)->trigger();
        }
    }
    if (!moves.empty()) {
        ruk::CoreState& core = window.Core();
        ruk::ParseUrdl(core.level, core.game, moves.c_str());
        window.Action(ruk::ID_AUTO_PLAY)->trigger();
        for (int i = 0; i < 1000 && core.view.animMode != ruk::AnimMode::IDLE; ++i) Settle(20);
    }
    if (zoomTile > 0) {
        // From 24 pixels up, whatever size the settings kept.
        for (int i = 0; i < ruk::MAX_ZOOM_SCALE; ++i) ZoomKey(window, Qt::Key_Minus);
        for (int i = 1; i < zoomTile / 24; ++i) ZoomKey(window, Qt::Key_Plus);
        std::fprintf(stderr, "ruk-screenshot: tiles of %d pixels\n",
                     window.ShownZoom().CellPixels());
    }
    if (boxX > 0 && boxY > 0) {
        const ruk::Grids& grids = window.Core().level.grids;
        const ruk::PixelRect& board = window.State().boardRect;
        const ruk::BoardPoint at = ruk::CellCentre(
            window.ShownZoom(), {grids.rowOffset + boxY - 1, grids.colOffset + boxX - 1});
        Click(window, board.left + at.x, board.top + at.y);
    }
    if (edit) {
        window.Action(ruk::ID_EDIT)->trigger();
        // The box tool: the palette's second column, first row.
        const ruk::PixelRect& palette = window.State().paletteRect;
        Click(window, palette.left + 39 + 15, palette.top + 15);
    }
    Settle(600);

    QPixmap picture;
    if (dialog == "help") {
        prompts.pictureMessages = true;
        QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(window.focusWidget(), &f1);
        picture = prompts.dialogPicture;
    } else if (dialog == "browser") {
        picture = BrowserPicture(window);
    } else if (!dialog.empty()) {
        const int id = dialog == "text"     ? ruk::ID_TEXT
                       : dialog == "urdl"   ? ruk::ID_URDL_INPUT
                       : dialog == "out"    ? ruk::ID_URDL_OUTPUT
                       : dialog == "solver" ? ruk::ID_SOLVER
                                            : 0;
        if (id == 0) return Usage();
        window.Action(id)->trigger();
        picture = prompts.dialogPicture;
    } else {
        picture = Picture(window);
    }
    if (picture.isNull() || !picture.save(out)) {
        std::fprintf(stderr, "ruk-screenshot: cannot write %s\n", out);
        return 2;
    }
    window.close();
    return 0;
}
