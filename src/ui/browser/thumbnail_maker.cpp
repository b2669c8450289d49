// The browser's thumbnail maker (see thumbnail_maker.h).
#include "browser/thumbnail_maker.h"

#include <algorithm>

#include "browser/level_thumbnail.h"
#include "core_door.h"

namespace ruk {

void ThumbnailMaker::Start(const LevelSet& set, const Skin& skin, QSize box, Ready ready) {
    Stop();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = false;
        requests_.clear();
        images_.clear();
        used_.clear();
        asked_.clear();
    }
    auto copy = std::make_unique<LevelSet>(set);
    thread_ =
        std::thread([this, copy = std::move(copy), skin, box, ready = std::move(ready)]() mutable {
            Run(std::move(copy), skin, box, std::move(ready));
        });
}

void ThumbnailMaker::Stop() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable()) thread_.join();
}

QImage ThumbnailMaker::Get(int number, std::int64_t fileStart) {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = images_.find(number);
    if (found != images_.end()) {
        used_.remove(number);
        used_.push_front(number);
        return found->second;
    }
    if (fileStart < 0 || asked_.count(number) != 0) return QImage();
    asked_.insert(number);
    requests_.push_back({number, fileStart});
    // Rows scrolled past long ago are not drawn any more.
    while (requests_.size() > static_cast<std::size_t>(THUMBNAIL_CACHE)) {
        asked_.erase(requests_.front().number);
        requests_.pop_front();
    }
    wake_.notify_one();
    return QImage();
}

int ThumbnailMaker::Held() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int>(images_.size());
}

void ThumbnailMaker::Keep(int number, const QImage& image) {
    std::lock_guard<std::mutex> lock(mutex_);
    asked_.erase(number);
    images_[number] = image;
    used_.remove(number);
    used_.push_front(number);
    while (used_.size() > static_cast<std::size_t>(THUMBNAIL_CACHE)) {
        images_.erase(used_.back());
        used_.pop_back();
    }
}

void ThumbnailMaker::Run(std::unique_ptr<LevelSet> set, Skin skin, QSize box, Ready ready) {
    // A state of its own: each level is read at once from its offset.
    const std::unique_ptr<CoreState> core = door::CreateState();
    if (!core) return;
    door::AdoptLevelSet(*core, *set);
    set.reset();
    for (;;) {
        Request request{};
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return stop_ || !requests_.empty(); });
            if (stop_) return;
            // The newest request is a row just scrolled to.
            request = requests_.back();
            requests_.pop_back();
        }
        QImage image;
        if (door::ReadLevelAfter(*core, request.number, request.fileStart - 1))
            image = DrawLevelThumbnail(door::ReadBoard(*core), skin, box);
        // A level that cannot be read gets an empty image, so that it is not asked again.
        if (image.isNull()) image = QImage(1, 1, QImage::Format_RGB32), image.fill(Qt::white);
        Keep(request.number, image);
        if (ready) ready(request.number);
    }
}

}  // namespace ruk
