// The backward search by pulls (see pull_search.h).
#include "pull_search.h"

#include <algorithm>

#include "best_first.h"
#include "position_features.h"
#include "pushbot_search.h"
#include "search/breadth_fill.h"

namespace ruk::pushbot {

namespace {

constexpr int TUNNEL_MAX = 200;  // pulls one tunnel macro makes at most

GoalDistances PullDistances(const LevelCells& level) {
    GoalDistances distances;
    distances.Build(level, BoxMoves::PULLS);
    return distances;
}

}  // namespace

PullSearch::PullSearch(const LevelCells& level)
    : level_(level),
      distances_(PullDistances(level)),
      keys_(level.cells),
      bound_(distances_, level.boxCount),
      reach_(level),
      childReach_(level),
      freeze_(level),
      queue_(level.cells + 1),
      board_(level.cells, 0),
      start_(level.cells, 0),
      boxes_(level.boxCount),
      childBoxes_(level.boxCount) {
    for (int c = 0; c < level.cells; ++c)
        if (level.wall[c]) board_[c] = WALL;
    for (const int b : level.startBoxes) start_[b] = 1;
    for (const int b : level.startBoxes) board_[b] = BOX;
    startAnchor_ = reach_.Mark(board_.data(), level.startKeeper);
    for (const int b : level.startBoxes) board_[b] = 0;
}

void PullSearch::Allocate(std::size_t memoryBytes) {
    const std::size_t maxPositions =
        PositionsFitting(memoryBytes, level_.boxCount, sizeof(OpenEntry));
    open_.SetCapacity(maxPositions);
    store_.Allocate(level_.boxCount, maxPositions);
}

void PullSearch::Open(std::uint32_t index) {
    const Position& position = store_.At(index);
    const std::uint64_t priority =
        static_cast<std::uint64_t>(position.g) + static_cast<std::uint64_t>(weight_) * position.h;
    open_.Push(priority, position.g, index, position.feature);
}

// The feature cell of board: boxes on start cells, and the floor areas the boxes cut it into
// (the more areas, the more the keeper has yet to be let through).
int PullSearch::FeatureOf() {
    int onStart = 0;
    for (const std::uint16_t b : childBoxes_) onStart += start_[b];
    int regions = 0;
    areas_.NewStamp();
    for (int c = 0; c < level_.cells; ++c) {
        if (board_[c] != 0 || areas_.Marked(c)) continue;
        MarkRegion(areas_, c, level_.step, queue_.data(), [&](int x) { return board_[x] == 0; });
        ++regions;
    }
    regions = std::clamp(regions - 1, 0, FEATURE_REGIONS - 1);
    return (std::min(onStart, FEATURE_PACKED) * FEATURE_REGIONS + regions) * FEATURE_SEALED;
}

// The solved position with the keeper in each of its regions, all in the open list at once.
void PullSearch::AddRoots() {
    std::copy(level_.goals.begin(), level_.goals.end(), childBoxes_.begin());
    std::sort(childBoxes_.begin(), childBoxes_.end());
    std::uint64_t boxHash = 0;
    for (const std::uint16_t b : childBoxes_) {
        boxHash ^= keys_.Box(b);
        board_[b] = BOX;
    }
    const std::uint32_t h = bound_.Of(childBoxes_.data());
    const int feature = byFeature_ ? FeatureOf() : 0;
    MarkMap& covered = areas_;  // FeatureOf is done with it
    covered.NewStamp();
    for (int c = 0; c < level_.cells && h != DEAD_BOUND && !dropped_; ++c) {
        if (board_[c] != 0 || covered.Marked(c)) continue;
        // Only a region beside a box can pull one.
        bool besideBox = false;
        const int anchor = MarkRegion(covered, c, level_.step, queue_.data(), [&](int x) {
            if (board_[x] == BOX) besideBox = true;
            return board_[x] == 0;
        });
        if (h == 0 && anchor == startAnchor_) {
            found_ = true;  // solved already
            goalParent_ = NO_POSITION;
        }
        if (!besideBox) continue;
        const Position root{boxHash ^ keys_.Keeper(anchor),
                            NO_POSITION,
                            0,
                            h,
                            static_cast<std::uint16_t>(anchor),
                            0,
                            0,
                            0,
                            0,
                            0,
                            static_cast<std::uint16_t>(feature)};
        if (store_.Full() || !store_.Add(root, childBoxes_.data())) {
            dropped_ = true;
            break;
        }
        Open(static_cast<std::uint32_t>(store_.Size() - 1));
    }
    for (const std::uint16_t b : childBoxes_) board_[b] = 0;
}

void PullSearch::AddChild(std::uint32_t parent, int k, int from, int to, int d, int length) {
    MoveBox(boxes_.data(), level_.boxCount, k, to, childBoxes_.data());
    const std::uint32_t h = bound_.AfterMove(k, to);
    // Some box can reach no start cell of its own, or one can never be pulled again.
    if (h == DEAD_BOUND || (useFreeze_ && freeze_.Dead(childBoxes_.data()))) return;
    const Position& p = store_.At(parent);
    const int anchor = childReach_.Mark(board_.data(), to + level_.step[d]);
    const std::uint64_t hash =
        p.hash ^ keys_.Keeper(p.anchor) ^ keys_.Box(from) ^ keys_.Box(to) ^ keys_.Keeper(anchor);
    const std::uint32_t g = p.g + static_cast<std::uint32_t>(length);
    if (h == 0 && anchor == startAnchor_) {
        found_ = true;
        goalParent_ = parent;
        goalFrom_ = from;
        goalDir_ = d;
        goalLength_ = length;
        return;
    }
    const std::uint32_t known = store_.Find(hash, childBoxes_.data(), anchor);
    if (known != NO_POSITION) {
        Position& position = store_.At(known);
        if (g >= position.g) return;
        position.g = g;
        position.parent = parent;
        position.from = static_cast<std::uint16_t>(from);
        position.dir = static_cast<std::uint8_t>(d);
        position.length = static_cast<std::uint8_t>(length);
        position.closed = 0;
        Open(known);
        return;
    }
    if (store_.Full()) {
        dropped_ = true;
        return;
    }
    const Position child{hash,
                         parent,
                         g,
                         h,
                         static_cast<std::uint16_t>(anchor),
                         static_cast<std::uint16_t>(from),
                         static_cast<std::uint8_t>(d),
                         static_cast<std::uint8_t>(length),
                         0,
                         0,
                         static_cast<std::uint16_t>(byFeature_ ? FeatureOf() : 0)};
    if (!store_.Add(child, childBoxes_.data())) {
        dropped_ = true;
        return;
    }
    Open(static_cast<std::uint32_t>(store_.Size() - 1));
}

// Every pull from the keeper's region: the keeper beside a box in direction d steps on in d,
// the box following onto the keeper's cell.
void PullSearch::Expand(std::uint32_t index) {
    const int nb = level_.boxCount;
    const std::int32_t* step = level_.step;
    std::uint32_t* board = board_.data();
    std::copy(store_.Boxes(index), store_.Boxes(index) + nb, boxes_.begin());
    for (int i = 0; i < nb; ++i) board[boxes_[i]] = BOX;
    reach_.Mark(board, store_.At(index).anchor);
    bound_.SetBase(boxes_.data());
    for (int k = 0; k < nb && !found_; ++k) {
        const int b = boxes_[k];
        for (int d = 0; d < 4 && !found_; ++d) {
            int to = b + step[d];
            if (!reach_.Reached(to) || board[to + step[d]] != 0 || distances_.Dead(to)) continue;
            board[b] = 0;
            board[to] = BOX;
            int length = 1;
            while (useTunnels_ && length < TUNNEL_MAX && !start_[to] && level_.Tunnel(to, d) &&
                   level_.Tunnel(to + step[d], d) && board[to + 2 * step[d]] == 0 &&
                   !distances_.Dead(to + step[d])) {
                board[to] = 0;
                to += step[d];
                board[to] = BOX;
                ++length;
            }
            AddChild(index, k, b, to, d, length);
            board[to] = 0;
            board[b] = BOX;
        }
    }
    for (int i = 0; i < nb; ++i) board[boxes_[i]] = 0;
}

SearchEnd PullSearch::Run(double deadline, std::vector<PushStep>& steps) {
    store_.Clear(store_.MaxPositions());
    open_.Clear(byFeature_ ? FeatureCells(level_.boxCount) : 0);
    dropped_ = false;
    found_ = false;
    AddRoots();
    if (!ExpandBestFirst(
            open_, store_, weight_, deadline, stop_, [&] { return found_ || dropped_; },
            [&](std::uint32_t index) { Expand(index); }))
        return SearchEnd::LATE;
    if (!found_) return dropped_ || open_.Dropped() ? SearchEnd::FULL : SearchEnd::LATE;
    if (goalParent_ == NO_POSITION) return SearchEnd::FOUND;
    // The last pull is the first push: the box goes back from where the pulls left it.
    const std::int32_t* step = level_.step;
    auto push = [&](int from, int d, int length) {
        steps.push_back({from + length * step[d], (d + 2) & 3, length});
    };
    push(goalFrom_, goalDir_, goalLength_);
    for (std::uint32_t i = goalParent_; store_.At(i).parent != NO_POSITION; i = store_.At(i).parent)
        push(store_.At(i).from, store_.At(i).dir, store_.At(i).length);
    return SearchEnd::FOUND;
}

}  // namespace ruk::pushbot
