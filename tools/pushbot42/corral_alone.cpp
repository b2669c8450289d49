// A corral's boxes searched alone (see corral_alone.h).
#include "corral_alone.h"

#include <algorithm>
#include <limits>

#include "search/breadth_fill.h"

namespace ruk::pushbot {

namespace {

constexpr std::size_t CORRAL_POSITIONS = 200;   // a search gives up after that many
constexpr std::size_t CORRAL_CACHE = 1u << 20;  // verdicts kept
constexpr std::size_t CORRAL_FREE = 300000;     // positions before the share applies

}  // namespace

std::size_t CorralAlone::KeyHash::operator()(const Key& key) const {
    std::uint64_t h = 0xcbf29ce484222325ull;
    for (const std::uint16_t c : key.cells) h = (h ^ c) * 0x100000001b3ull;
    return static_cast<std::size_t>(h);
}

CorralAlone::Key CorralAlone::KeyOf(const std::uint16_t* boxes, std::size_t n, int keeper) {
    Key key;
    key.cells.fill(0xffff);
    key.cells[0] = static_cast<std::uint16_t>(n);
    std::copy(boxes, boxes + n, key.cells.begin() + 1);
    key.cells[n + 1] = static_cast<std::uint16_t>(keeper);
    return key;
}

CorralAlone::CorralAlone(const LevelCells& level, const std::uint8_t* dead)
    : level_(level),
      dead_(dead),
      queue_(level.cells + 1),
      floorMin_(level.cells, 0),
      patterns_(level) {
    board_.assign(level.cells, 0);
    for (int c = 0; c < level.cells; ++c)
        if (level.wall[c]) board_[c] = WALL;
    reach_.NewStamp();
    for (int c = 0; c < level.cells; ++c) {
        if (board_[c] != 0 || reach_.Marked(c)) continue;
        int count = 1;
        const int smallest = MarkRegion(reach_, c, level.step, queue_.data(), [&](int cell) {
            if (board_[cell] != 0 || reach_.Marked(cell)) return false;
            ++count;
            return true;
        });
        for (int i = 0; i < count; ++i) floorMin_[queue_[i]] = smallest;
    }
}

// Any name that only the region fixes will do: the smallest of its cells beside a box or at
// the smallest cell of its empty floor. Every region has one (a region short of that cell is
// shut off by boxes), and the fill ends once it has met all of them.
int CorralAlone::RegionName(const std::uint16_t* boxes, std::size_t n, int keeper) {
    const std::int32_t* step = level_.step;
    reach_.NewStamp();
    targets_.NewStamp();
    int wanted = 0, found = 0;
    int smallest = std::numeric_limits<int>::max();
    auto want = [&](int cell) {
        if (board_[cell] != 0 || targets_.Marked(cell)) return;
        targets_.Mark(cell);
        ++wanted;
    };
    want(floorMin_[keeper]);
    for (std::size_t i = 0; i < n; ++i)
        for (int d = 0; d < 4; ++d) want(boxes[i] + step[d]);
    const StampedMarks seen = reach_.Current();
    BreadthFill(
        keeper, step, queue_.data(),
        [&](int next, int) { return board_[next] == 0 && !seen.Marked(next); },
        [&](int cell, int) {
            seen.Mark(cell);
            if (!targets_.Marked(cell)) return;
            ++found;
            smallest = std::min(smallest, cell);
        },
        [&] { return found == wanted; });
    return smallest;
}

bool CorralAlone::Dead(const std::uint16_t* boxes, const std::uint8_t* which, int keeper,
                       std::size_t storedPositions) {
    std::array<std::uint16_t, CORRAL_BOXES> start{};
    std::size_t n = 0;
    bool offGoal = false;
    for (int k = 0; k < level_.boxCount; ++k) {
        if (!which[k]) continue;
        if (n == CORRAL_BOXES) return false;
        start[n++] = boxes[k];
        offGoal = offGoal || !level_.Goal(boxes[k]);
    }
    // Small corrals only, and a bounded share of the work.
    if (!offGoal || spent_ > storedPositions + CORRAL_FREE) return false;
    // The keeper's cell and the boxes fix the answer.
    const Key first = KeyOf(start.data(), n, keeper);
    const auto known = verdicts_.find(first);
    if (known != verdicts_.end()) return known->second;

    const bool dead = Exhausted(start.data(), n, keeper);
    if (verdicts_.size() < CORRAL_CACHE) verdicts_.emplace(first, dead);
    if (dead) Learn(start, n, keeper);
    return dead;
}

// Each box whose set stays dead without it is left out, so that the set learnt matches more
// positions: the fewer boxes a proof needs, the more often they stand just so.
void CorralAlone::Learn(std::array<std::uint16_t, CORRAL_BOXES> set, std::size_t n, int keeper) {
    std::array<std::uint16_t, CORRAL_BOXES> fewer{};
    for (std::size_t i = 0; i < n && n > 1;) {
        std::copy(set.begin(), set.begin() + static_cast<std::ptrdiff_t>(i), fewer.begin());
        std::copy(set.begin() + static_cast<std::ptrdiff_t>(i + 1),
                  set.begin() + static_cast<std::ptrdiff_t>(n),
                  fewer.begin() + static_cast<std::ptrdiff_t>(i));
        if (Exhausted(fewer.data(), n - 1, keeper)) {
            set = fewer;
            --n;
        } else {
            ++i;
        }
    }
    patterns_.Add(set.data(), n, keeper);
}

bool CorralAlone::Exhausted(const std::uint16_t* start, std::size_t n, int keeper) {
    // Breadth-first over (boxes, keeper cell); a position is known by its keeper region.
    todo_.assign(start, start + n);
    todo_.push_back(static_cast<std::uint16_t>(keeper));
    seen_.clear();
    std::array<std::uint16_t, CORRAL_BOXES + 1> cur{};
    std::array<std::uint16_t, CORRAL_BOXES> next{};
    const std::int32_t* step = level_.step;
    bool dead = true;
    for (std::size_t head = 0; head < todo_.size() && dead; head += n + 1) {
        std::copy(todo_.begin() + static_cast<std::ptrdiff_t>(head),
                  todo_.begin() + static_cast<std::ptrdiff_t>(head + n + 1), cur.begin());
        for (std::size_t i = 0; i < n; ++i) board_[cur[i]] = BOX;
        // The fill marks every box side that the keeper reaches.
        const int region = RegionName(cur.data(), n, cur[n]);
        if (seen_.insert(KeyOf(cur.data(), n, region)).second) {
            bool solved = true;
            for (std::size_t i = 0; i < n; ++i) solved = solved && level_.Goal(cur[i]);
            // Done once solved, or too big to tell.
            if (solved || seen_.size() > CORRAL_POSITIONS) dead = false;
            for (std::size_t i = 0; i < n && dead; ++i) {
                const int b = cur[i];
                for (int d = 0; d < 4; ++d) {
                    const int from = b - step[d], to = b + step[d];
                    if (!reach_.Marked(from) || board_[to] != 0 || dead_[to]) continue;
                    std::copy(cur.begin(), cur.begin() + static_cast<std::ptrdiff_t>(n),
                              next.begin());
                    // The moved box back into its place in the ascending list.
                    std::size_t j = i;
                    next[j] = static_cast<std::uint16_t>(to);
                    for (; j > 0 && next[j - 1] > next[j]; --j) std::swap(next[j - 1], next[j]);
                    for (; j + 1 < n && next[j + 1] < next[j]; ++j) std::swap(next[j + 1], next[j]);
                    todo_.insert(todo_.end(), next.begin(),
                                 next.begin() + static_cast<std::ptrdiff_t>(n));
                    todo_.push_back(static_cast<std::uint16_t>(b));
                }
            }
        }
        for (std::size_t i = 0; i < n; ++i) board_[cur[i]] = 0;
    }
    spent_ += seen_.size();
    return dead;
}

}  // namespace ruk::pushbot
