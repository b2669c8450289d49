// The level browser's window side: F2 shows or hides it; its rows are read from the open file
// on their own thread once it is first shown, follow the level shown and what the progress
// store says of it; a row taken there is shown as Jump shows a level. Its place is kept in the
// settings.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "browser/browser_model.h"
#include "browser/browser_window.h"
#include "browser/thumbnail_maker.h"
#include "level_browser/level_rows.h"
#include "level_browser/rows_reader.h"
#include "settings/settings.h"
#include "window/window_frame.h"

namespace ruk {

struct Skin;

class BrowserPart : public QObject {
  public:
    // jump: shows a level of the open file as the Jump button does. paths are read only once
    // the window has started up; storePath: where progress is kept, none for nothing.
    BrowserPart(const PartContext& context, const WorkingPaths& paths,
                const std::optional<std::string>& storePath, const Skin& skin,
                std::function<void(int)> jump);
    ~BrowserPart() override;

    // F2: shown (reading the open file when it has not been read yet) or hidden.
    void Toggle();
    // A level was shown: the rows of another file are read, the current row follows.
    void LevelShown();
    // The progress store answered a write: the rows of the shown and the last left level.
    void ProgressChanged();
    // The open file's solved count as the caption gives it, for the browser's note.
    void SetSolvedNote(std::function<std::string()> solvedNote) {
        solvedNote_ = std::move(solvedNote);
    }
    // The window closes: the browser's place is kept, its threads stopped.
    void Close();

    // For tests: the window (null until first shown) and whether the reading is done.
    BrowserWindow* Window() const { return window_.get(); }
    bool Idle() const { return reader_.Idle(); }

  private:
    void Create();
    void ReadIfNew();
    void Relist();
    void FollowShown();
    void SavePlace();
    QString Note() const;

    PartContext c_;
    const WorkingPaths& paths_;
    std::string storePath_;
    const Skin& skin_;
    std::function<void(int)> jump_;
    std::function<std::string()> solvedNote_;
    std::string readFile_;        // the file whose rows are held ("" for none)
    std::int64_t readSize_ = -1;  // its size then
    int shown_ = 0;               // the level number shown last
    int left_ = 0;                // the one shown before it
    QTimer relist_;               // a filtered list follows newly read rows now and then
    LevelRows rows_;
    std::unique_ptr<BrowserModel> model_;
    std::unique_ptr<BrowserWindow> window_;
    // Last, so that they stop before anything their answers reach.
    ThumbnailMaker thumbnails_;
    RowsReader reader_;
};

}  // namespace ruk
