// The browser's thumbnails: drawn on a thread of its own (QImages only) for the rows the list
// asks for, newest request first, and kept in a cache of a bounded number of images.
#pragma once

#include <QImage>
#include <QSize>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <unordered_set>

#include "board/level_set.h"
#include "render/skin.h"

namespace ruk {

constexpr int THUMBNAIL_CACHE = 300;

class ThumbnailMaker {
  public:
    // A thumbnail of level number is ready; called on the maker's thread.
    using Ready = std::function<void(int number)>;

    ThumbnailMaker() = default;
    ~ThumbnailMaker() { Stop(); }
    ThumbnailMaker(const ThumbnailMaker&) = delete;
    ThumbnailMaker& operator=(const ThumbnailMaker&) = delete;

    // Forgets every image and draws from now on the levels of set's file, fitted to box.
    void Start(const LevelSet& set, const Skin& skin, QSize box, Ready ready);
    void Stop();
    // The thumbnail of level number when drawn; otherwise a null image, and the level (whose
    // first row starts at fileStart) is drawn soon.
    QImage Get(int number, std::int64_t fileStart);
    // Images held now (at most THUMBNAIL_CACHE).
    int Held() const;

  private:
    struct Request {
        int number;
        std::int64_t fileStart;
    };
    void Run(std::unique_ptr<LevelSet> set, Skin skin, QSize box, Ready ready);
    void Keep(int number, const QImage& image);

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    std::deque<Request> requests_;
    std::unordered_map<int, QImage> images_;
    std::list<int> used_;            // numbers of images_, most recently used first
    std::unordered_set<int> asked_;  // numbers requested and not yet drawn
    std::thread thread_;
};

}  // namespace ruk
