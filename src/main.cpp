// The player: one window, run until it is closed.
#include <QApplication>
#include <QIcon>

#include "render/text_drawing.h"
#include "settings/program_folder.h"
#include "window/main_window.h"
#include "window/qt_prompts.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setWindowIcon(QIcon(":/ruk_icon.png"));
    ruk::InstallProgramFont();
    ruk::QtPrompts prompts;
    ruk::MainWindow window({&prompts, ruk::ExecutableFolder(argv[0]), std::nullopt});
    prompts.SetParent(&window);
    if (!window.StartUp()) return 0;
    window.exec();
    return 0;
}
