// The level browser's window side (see browser_part.h).
#include "window/browser_part.h"

#include <QMetaObject>
#include <QTableView>

#include "settings/browser_place.h"

namespace ruk {

namespace {

// How often a filtered list takes in the rows read meanwhile.
constexpr int RELIST_PERIOD_MS = 300;

}  // namespace

BrowserPart::BrowserPart(const PartContext& context, const WorkingPaths& paths,
                         const std::optional<std::string>& storePath, const Skin& skin,
                         std::function<void(int)> jump)
    : c_(context),
      paths_(paths),
      storePath_(storePath.value_or("")),
      skin_(skin),
      jump_(std::move(jump)) {
    relist_.setSingleShot(true);
    relist_.setInterval(RELIST_PERIOD_MS);
    connect(&relist_, &QTimer::timeout, this, [this] { Relist(); });
}

BrowserPart::~BrowserPart() {
    reader_.Stop();
    thumbnails_.Stop();
}

void BrowserPart::Create() {
    model_ = std::make_unique<BrowserModel>(rows_, thumbnails_);
    window_ = std::make_unique<BrowserWindow>(*model_, c_.parent);
    if (const std::optional<BrowserPlace> place = LoadBrowserPlace(paths_)) {
        window_->resize(place->width, place->height);
        window_->move(place->x, place->y);
    }
    connect(window_.get(), &BrowserWindow::Activated, this, [this](int number) {
        if (!c_.frame.Closed()) jump_(number);
    });
    connect(window_.get(), &BrowserWindow::FilterChanged, this, [this] { Relist(); });
    connect(window_.get(), &BrowserWindow::Hidden, this, [this] { SavePlace(); });
}

void BrowserPart::Toggle() {
    if (c_.frame.Closed()) return;
    if (!window_) Create();
    if (window_->isVisible()) {
        window_->hide();
        return;
    }
    window_->show();
    window_->raise();
    ReadIfNew();
    FollowShown();
}

void BrowserPart::ReadIfNew() {
    const LevelSet& set = door::Levels(c_.core);
    const std::string file = set.fromFile ? set.path.data() : "";
    if (file == readFile_ && set.window.fileSize == readSize_) return;
    readFile_ = file;
    readSize_ = set.window.fileSize;
    const QSize box(THUMBNAIL_WIDTH, THUMBNAIL_HEIGHT);
    thumbnails_.Start(set, skin_, box, [this](int number) {
        QMetaObject::invokeMethod(
            this, [this, number] { model_->ThumbnailReady(number); }, Qt::QueuedConnection);
    });
    reader_.Start(set, storePath_, rows_, [this](int first, int last) {
        QMetaObject::invokeMethod(
            this,
            [this, first, last] {
                model_->LevelsChanged(first, last);
                window_->SetNote(Note());
                if (window_->Filter() != RowFilter::ALL || !window_->Search().empty())
                    if (!relist_.isActive()) relist_.start();
            },
            Qt::QueuedConnection);
    });
    Relist();
}

void BrowserPart::Relist() {
    if (!window_) return;
    const int current = window_->CurrentNumber();
    model_->SetListed(ListedRows(rows_, window_->Filter(), window_->Search()));
    if (current != 0) window_->SelectNumber(current);
    window_->SetNote(Note());
}

QString BrowserPart::Note() const {
    const int count = rows_.Count();
    const int reached = rows_.Reached();
    QString note = QStringLiteral("%1 of %2 levels listed").arg(model_->Listed().size()).arg(count);
    if (reached < count) note += QStringLiteral(" (%1 read so far)").arg(reached);
    // The same count as the caption's, so that the two never disagree.
    const std::string solved = solvedNote_ ? solvedNote_() : std::string();
    if (!solved.empty()) note += QStringLiteral(", ") + QString::fromStdString(solved);
    return note;
}

void BrowserPart::FollowShown() {
    const LevelSet& set = door::Levels(c_.core);
    if (!window_ || !set.fromFile) return;
    window_->SelectNumber(set.current);
}

void BrowserPart::LevelShown() {
    const int number = door::Levels(c_.core).current;
    if (number != shown_) left_ = shown_, shown_ = number;
    if (!window_ || !window_->isVisible()) return;
    ReadIfNew();
    FollowShown();
}

void BrowserPart::ProgressChanged() {
    if (readFile_.empty()) return;
    reader_.Refresh(shown_);
    if (left_ != 0) reader_.Refresh(left_);
    if (window_) window_->SetNote(Note());
}

void BrowserPart::SavePlace() {
    if (!window_ || paths_.settings.empty()) return;
    // The frame's corner, as move() takes it back, and the inside's size, as resize() does.
    const QPoint at = window_->pos();
    const QSize size = window_->size();
    SaveBrowserPlace(paths_, {at.x(), at.y(), size.width(), size.height()});
}

void BrowserPart::Close() {
    if (window_ && window_->isVisible()) window_->hide();
    reader_.Stop();
    thumbnails_.Stop();
}

}  // namespace ruk
