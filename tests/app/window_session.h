// A main window under test: its own settings folder, prompts that record every message and
// answer the file dialog and the program's dialogs from the test, and helpers that click the
// board and run the step timer to the end of an animation.
#pragma once

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "../test_files.h"
#include "render/text_drawing.h"
#include "window/main_window.h"

namespace ruk::test {

inline const QRect FULL_HD(0, 0, 1920, 1080);
inline const std::string SAMPLES = std::string(RUK_SAMPLE_LEVELS) + "/ruk-samples.txt";

struct Shown {
    std::string caption, text;
    PromptIcon icon;
    bool operator==(const Shown&) const = default;
};

class RecordingPrompts : public Prompts {
  public:
    std::vector<Shown> shown;
    std::deque<std::string> files;  // answers to the open-file dialog, then Cancel

    // Runs while a message is up, as a modal box's own loop would.
    std::function<void(const std::string& text)> whileShown;
    void Message(const std::string& caption, const std::string& text, PromptIcon icon) override {
        shown.push_back({caption, text, icon});
        if (whileShown) whileShown(text);
    }
    bool confirmAnswer = false;  // OK or Cancel for every question
    bool Confirm(const std::string& caption, const std::string& text) override {
        shown.push_back({caption, text, PromptIcon::QUESTION});
        return confirmAnswer;
    }
    std::optional<std::string> OpenFile(const std::string&, const std::string&) override {
        if (files.empty()) return std::nullopt;
        std::string file = files.front();
        files.pop_front();
        return file;
    }
    // Questions with a named button take confirmAnswer too; the save dialog takes saveFiles.
    bool Ask(const std::string& caption, const std::string& text, const std::string&) override {
        return Confirm(caption, text);
    }
    std::deque<std::string> saveFiles;
    std::optional<std::string> SaveFile(const std::string&, const std::string&) override {
        if (saveFiles.empty()) return std::nullopt;
        std::string file = saveFiles.front();
        saveFiles.pop_front();
        return file;
    }
    // Works the controls of a dialog the window opens, instead of a person.
    std::function<void(QDialog&)> dialogScript;
    void RunDialog(QDialog& dialog) override {
        if (dialogScript) dialogScript(dialog);
    }
    int Count(const std::string& text) const {
        return static_cast<int>(std::count_if(shown.begin(), shown.end(),
                                              [&](const Shown& s) { return s.text == text; }));
    }
};

// A window with a settings folder of its own; files put there before Start are its to read.
struct Session {
    TempDir dir;
    RecordingPrompts prompts;
    std::unique_ptr<MainWindow> window;

    std::string subfolder;                // when set, the program folder is this folder inside dir
    std::optional<std::string> progress;  // the progress file; none: nothing is remembered
    // As the program: the window measures its screen's work area and assumes a frame until the
    // window manager's is known (Start's work area is not used).
    bool onScreen = false;
    std::string Folder() const {
        std::string folder = dir.Path(subfolder);
        if (subfolder.empty()) folder.pop_back();
        return folder;
    }
    std::string Ini() const { return Folder() + "/ruk.ini"; }
    bool Start(QRect work = FULL_HD) {
        InstallProgramFont();  // as the program does
        const std::optional<QRect> given = onScreen ? std::nullopt : std::optional<QRect>(work);
        window = std::make_unique<MainWindow>(
            WindowSetup{&prompts, Folder(), given, progress, onScreen});
        const bool started = window->StartUp();
        if (started) window->show();
        return started;
    }
    MainWindow& W() { return *window; }
    CoreState& Core() { return window->Core(); }

    // Runs the step timer until the animation ends.
    void Settle() {
        for (int i = 0; i < 100000 && Core().view.animMode != AnimMode::IDLE &&
                        Core().view.animMode != AnimMode::AUTO_ACTIONS;
             ++i)
            window->OnStepTimerTick();
    }
    void Open(const std::string& path) {
        prompts.files.push_back(path);
        QTest::mouseClick(window->Control(ID_FILE), Qt::LeftButton);
    }
    void JumpTo(const QString& typed) {
        static_cast<QLineEdit*>(window->Control(ID_LEVEL_NUMBER))->setText(typed);
        QTest::mouseClick(window->Control(ID_JUMP), Qt::LeftButton);
    }
    QPoint GridPoint(int row, int col) const {
        const PixelRect& board = window->State().boardRect;
        return {board.left + CELL_PIXELS * col + 12, board.top + CELL_PIXELS * row + 12};
    }
    QPoint CellPoint(int cell) {
        const GridCell g = BoardToGrid(Core().level.board, Core().level.grids, cell);
        return GridPoint(g.row, g.col);
    }
    void Click(int cell, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(window.get(), button, {}, CellPoint(cell));
        Settle();
    }
    void Toggle(int id) { QTest::mouseClick(window->Control(id), Qt::LeftButton); }
    bool Checked(int id) { return static_cast<QCheckBox*>(window->Control(id))->isChecked(); }
    int Level() { return Core().level.levelSet.current; }
    std::string Text(int id) const { return window->ControlText(id).toStdString(); }
};

}  // namespace ruk::test
