// The best-first push search (see push_search.h).
#include "push_search.h"

#include <algorithm>
#include <cassert>

#include "best_first.h"
#include "planner/deadlock_checks.h"
#include "pushbot_search.h"

namespace ruk::pushbot {

namespace {

constexpr std::uint32_t SEAL_PENALTY = 8;  // added to the bound per sealed free goal
constexpr int TUNNEL_MAX = 200;            // pushes one tunnel macro makes at most
// Position::fill: 0, a single push or a tunnel; 1 + the room's fill index after a push to its
// entrance; MACRO_ROOM + that after a macro to the entrance; MACRO_FILL, a macro to a goal.
constexpr int MACRO_ROOM = 128;
constexpr int MACRO_FILL = 255;

bool IsMacro(int fill) {
    return fill >= MACRO_ROOM;
}
int RoomFill(int fill) {
    return fill == MACRO_FILL ? 0 : fill >= MACRO_ROOM ? fill - MACRO_ROOM : fill;
}

}  // namespace

PushSearch::PushSearch(DeadlockContext& context, const LevelCells& level,
                       const GoalDistances& distances, const GoalRoom& room, double deadline)
    : context_(context),
      level_(level),
      distances_(distances),
      room_(room),
      keys_(level.cells),
      bound_(distances, level.boxCount),
      reach_(level),
      corrals_(level, distances.DeadCells()),
      settled_(level, keys_),
      features_(level),
      regions_(level),
      paths_(level),
      childBoxes_(level.boxCount),
      allowed_(level.boxCount, 1),
      held_(level.cells, 0) {
    context.deadCells = distances.DeadCells();
    board_.assign(level.cells, 0);
    for (int c = 0; c < level.cells; ++c)
        if (level.wall[c]) board_[c] = WALL;
    layers_.Build(level);
    rooms_.Build(level);
    order_.Build(level, deadline);
}

void PushSearch::Allocate(std::size_t memoryBytes) {
    const std::size_t maxPositions =
        PositionsFitting(memoryBytes, level_.boxCount, sizeof(OpenEntry));
    open_.SetCapacity(maxPositions);
    store_.Allocate(level_.boxCount, maxPositions);
    Reset(maxPositions);
}

void PushSearch::Reset(std::size_t cap) {
    store_.Clear(cap);
    open_.Clear(byFeature_ ? FeatureCells(level_.boxCount) : 0);
    dropped_ = false;
    found_ = false;
    corrals_.NewSearch();
    features_.UseOrder(guidance_.packingOrder ? &order_ : nullptr);
    features_.UseRooms(guidance_.rooms ? &rooms_ : nullptr);
}

bool PushSearch::StageDone(const std::uint16_t* boxes) const {
    for (int i = 0; i < level_.boxCount; ++i)
        if (!held_[boxes[i]] && !level_.Goal(boxes[i])) return false;
    return true;
}

void PushSearch::Open(std::uint32_t index, bool advised) {
    const Position& position = store_.At(index);
    const std::uint64_t priority =
        static_cast<std::uint64_t>(position.g) + static_cast<std::uint64_t>(weight_) * position.h;
    open_.Push(priority, position.g, index, position.feature);
    if (advised) open_.PushAdvised(priority, position.g, index);
}

void PushSearch::AddChild(std::uint32_t parent, const std::uint16_t* boxes, int k, int target,
                          int from, int d, int length, int keeper, int fill) {
    const int nb = level_.boxCount;
    assert(k >= 0 && k < nb && boxes[k] == from);
    MoveBox(boxes, nb, k, target, childBoxes_.data());
    const Position& p = store_.At(parent);
    const std::uint64_t boxHash =
        p.hash ^ keys_.Keeper(p.anchor) ^ keys_.Box(from) ^ keys_.Box(target);
    const int anchor =
        reach_.ChildAnchor(board_.data(), p.anchor, from, target, fill > 0 ? 2 : length, keeper);
    const std::uint64_t hash = boxHash ^ keys_.Keeper(anchor);
    std::uint32_t g = p.g + static_cast<std::uint32_t>(length);
    if (RoomFill(fill) > 0)
        g += static_cast<std::uint32_t>(room_.FillPushes(RoomFill(fill)).size());
    // A macro's pushes are found again from its parent, so its length only has to fit.
    length = std::min(length, 255);
    const std::uint32_t known = store_.Find(hash, childBoxes_.data(), anchor);
    if (known != NO_POSITION) {
        Position& position = store_.At(known);
        if (position.h == DEAD_BOUND || g >= position.g) return;
        position.g = g;
        position.parent = parent;
        position.from = static_cast<std::uint16_t>(from);
        position.dir = static_cast<std::uint8_t>(d);
        position.length = static_cast<std::uint8_t>(length);
        position.fill = static_cast<std::uint8_t>(fill);
        position.closed = 0;
        Open(known);
        return;
    }
    std::uint32_t h = bound_.AfterMove(k, target);
    if (h != DEAD_BOUND && h != 0) h += SEAL_PENALTY * features_.SealedGoals(board_.data());
    if (h == 0 || (staged_ && h != DEAD_BOUND && StageDone(childBoxes_.data()))) {
        found_ = true;
        goalParent_ = parent;
        goalPush_.from = static_cast<std::uint16_t>(from);
        goalPush_.dir = static_cast<std::uint8_t>(d);
        goalPush_.length = static_cast<std::uint8_t>(length);
        goalPush_.fill = static_cast<std::uint8_t>(fill);
        goalTarget_ = target;
        return;
    }
    if (store_.Full()) {
        dropped_ = true;
        return;
    }
    const auto feature = static_cast<std::uint16_t>(
        byFeature_ && h != DEAD_BOUND
            ? features_.FeatureOf(
                  board_.data(), PackedBy(),
                  guidance_.rooms ? -1 : regions_.AfterPush(board_.data(), from, target, reach_))
            : 0);
    const int childRooms =
        guidance_.roomAdvisor && byFeature_ && h != DEAD_BOUND ? rooms_.Blocked(board_.data()) : 0;
    const Position child{hash,
                         parent,
                         g,
                         h,
                         static_cast<std::uint16_t>(anchor),
                         static_cast<std::uint16_t>(from),
                         static_cast<std::uint8_t>(d),
                         static_cast<std::uint8_t>(length),
                         0,
                         static_cast<std::uint8_t>(fill),
                         feature};
    // Read before the store may move.
    const bool advised = guidance_.advisors && byFeature_ && h != DEAD_BOUND &&
                         Advised(store_.At(parent).feature, feature, childRooms);
    if (!store_.Add(child, childBoxes_.data())) {
        dropped_ = true;
        return;
    }
    if (h != DEAD_BOUND) Open(static_cast<std::uint32_t>(store_.Size() - 1), advised);
}

// Whether a push from a position of feature cell parent to one of cell child is an advisor's:
// it packs a box or, with the connectivity advisor, joins floor areas (or unblocks doorways,
// when the cell counts those) and packs as many; so, with the room advisor, does a push that
// unblocks doorways.
bool PushSearch::Advised(int parent, int child, int childRooms) const {
    if (PackedOf(child) != PackedOf(parent)) return PackedOf(child) > PackedOf(parent);
    return (guidance_.connectivity && RegionsOf(child) < RegionsOf(parent)) ||
           (guidance_.roomAdvisor && childRooms < parentRooms_);
}

void PushSearch::Expand(std::uint32_t index) {
    const int nb = level_.boxCount;
    const std::int32_t* step = level_.step;
    std::uint32_t* board = board_.data();
    // A copy: the store may move while children are added.
    std::vector<std::uint16_t>& boxes = expandBoxes_;
    boxes.assign(store_.Boxes(index), store_.Boxes(index) + nb);
    for (int i = 0; i < nb; ++i) board[boxes[i]] = BOX;
    const int parentAnchor = store_.At(index).anchor;
    reach_.Mark(board, parentAnchor);
    // The children's bounds start from this position's matching.
    bound_.SetBase(boxes.data());
    std::fill(allowed_.begin(), allowed_.end(), 1);
    const CorralVerdict corral = corrals_.Pick(board, reach_, held_.data(), boxes.data(), allowed_,
                                               parentAnchor, store_.Size());
    regions_.NewParent(corrals_.Areas() + 1);
    if (guidance_.roomAdvisor && byFeature_) parentRooms_ = rooms_.Blocked(board);
    const int parentSettled = settled_.SetOf(board, boxes.data());
    for (int k = 0; k < nb && corral != CorralVerdict::DEAD && !found_; ++k) {
        if (!allowed_[k]) continue;
        const int b = boxes[k];
        if (held_[b]) continue;
        for (int d = 0; d < 4 && !found_; ++d) {
            const int from = b - step[d];
            int to = b + step[d];
            if (!reach_.Reached(from) || board[to] != 0 || distances_.Dead(to)) continue;
            board[b] = 0;
            board[to] = BOX;
            int length = 1;
            // Tunnel macro: box and keeper both between walls, the box not on a goal: the box
            // goes on to the tunnel's last cell, since nothing else can use the cells it passes.
            while (length < TUNNEL_MAX && !level_.Goal(to) && level_.Tunnel(to, d) &&
                   level_.Tunnel(to - step[d], d)) {
                const int next = to + step[d];
                if (board[next] != 0 || distances_.Dead(next) || level_.Goal(next) ||
                    !level_.Tunnel(next, d))
                    break;
                board[to] = 0;
                board[next] = BOX;
                to = next;
                ++length;
            }
            int keeper = to - step[d];
            int fill = 0;
            if (useRoom_ && to == room_.Entrance() && d == room_.EntranceDir()) {
                fill = room_.NextFill(board);
                if (fill > 0) {
                    // The box goes on to its goal; other pushes from the entrance are cut.
                    roomUsed_ = true;
                    board[to] = 0;
                    to = room_.FillGoal(fill);
                    board[to] = BOX;
                    keeper = room_.FillPushes(fill).back().from;
                }
            }
            // No keeper: the core's closed-area test runs a reverse search per goal on every
            // box frozen on a goal; the settled-set check covers that once per set instead.
            if (IsDeadAfterPush(context_, board, level_.goalMap, to, 0) == DeadVerdict::NotProven &&
                !corrals_.Patterns().Dead(board, to, keeper) &&
                settled_.Allows(board, parentSettled, boxes.data(), b, to))
                AddChild(index, boxes.data(), k, to, b, d, length, keeper, fill);
            board[to] = 0;
            board[b] = BOX;
        }
        if (macros_ != GoalMacros::OFF && !found_ && !level_.Goal(b)) {
            paths_.Fill(board, b, distances_.DeadCells(),
                        [&](int cell) { return reach_.Reached(cell); });
            AddGoalMacros(index, boxes.data(), k, parentSettled);
        }
    }
    for (int i = 0; i < nb; ++i) board[boxes[i]] = 0;
}

// The box k taken to each free goal it reaches by two pushes or more, by the fewest pushes; the
// single pushes are children already. Checked by the same rules as a push, at its last cell.
void PushSearch::AddGoalMacros(std::uint32_t index, const std::uint16_t* boxes, int k,
                               int parentSettled) {
    std::uint32_t* board = board_.data();
    const int b = boxes[k];
    const int sealed = features_.SealedGoals(board);
    for (const int goal : level_.goals) {
        // The goal room fills in its own order, from its entrance.
        if (board[goal] != 0 || found_ || (useRoom_ && room_.InRoom(goal))) continue;
        int best = 0, dir = 0;
        for (int d = 0; d < 4; ++d) {
            const int pushes = paths_.Pushes(goal, d);
            if (pushes > 0 && (best == 0 || pushes < best)) {
                best = pushes;
                dir = d;
            }
        }
        if (best >= 2) AddMacro(index, boxes, k, goal, dir, best, 0, sealed, parentSettled);
    }
    const int entrance = room_.Entrance();
    if (useRoom_ && !found_ && paths_.Pushes(entrance, room_.EntranceDir()) >= 2) {
        board[b] = 0;
        board[entrance] = BOX;
        const int fill = room_.NextFill(board);
        board[entrance] = 0;
        board[b] = BOX;
        if (fill > 0) {
            roomUsed_ = true;
            AddMacro(index, boxes, k, room_.FillGoal(fill), room_.EntranceDir(),
                     paths_.Pushes(entrance, room_.EntranceDir()), fill, sealed, parentSettled);
        }
    }
}

// One macro child: the box k to target (by pushes, the last in direction dir); with fill, on
// from the room's entrance to that fill goal. Checked by the same rules as a push.
void PushSearch::AddMacro(std::uint32_t index, const std::uint16_t* boxes, int k, int target,
                          int dir, int pushes, int fill, int sealed, int parentSettled) {
    std::uint32_t* board = board_.data();
    const int b = boxes[k];
    board[b] = 0;
    board[target] = BOX;
    const int keeper = fill > 0 ? room_.FillPushes(fill).back().from : target - level_.step[dir];
    // A macro that seals goals off is left to single pushes: taken in one step it would rush
    // boxes into a goal area in the wrong order.
    if (features_.SealedGoals(board) <= sealed &&
        (macros_ == GoalMacros::ANY || layers_.DeeperFilled(board, target)) &&
        IsDeadAfterPush(context_, board, level_.goalMap, target, 0) == DeadVerdict::NotProven &&
        !corrals_.Patterns().Dead(board, target, keeper) &&
        settled_.Allows(board, parentSettled, boxes, b, target))
        AddChild(index, boxes, k, target, b, dir, pushes, keeper,
                 fill > 0 ? MACRO_ROOM + fill : MACRO_FILL);
    board[target] = 0;
    board[b] = BOX;
}

// A search whose macros keep the packing order counts only boxes packed in that order.
const PackingLayers* PushSearch::PackedBy() const {
    return macros_ == GoalMacros::IN_LAYERS && !guidance_.packingOrder ? &layers_ : nullptr;
}

// The cell that the push into stored position index left its box on.
int PushSearch::MovedTo(std::uint32_t index) const {
    const std::uint16_t* child = store_.Boxes(index);
    const std::uint16_t* parent = store_.Boxes(store_.At(index).parent);
    const int nb = level_.boxCount;
    for (int i = 0; i < nb; ++i)
        if (!std::binary_search(parent, parent + nb, child[i])) return child[i];
    return 0;
}

// A position's pushes, last first, onto a list that is reversed later; target: where its box
// ended.
void PushSearch::AppendSteps(std::vector<PushStep>& reversed, const Position& position,
                             int target) {
    const int fill = RoomFill(position.fill);
    if (fill > 0) {
        const std::vector<PushStep>& path = room_.FillPushes(fill);
        reversed.insert(reversed.end(), path.rbegin(), path.rend());
    }
    if (IsMacro(position.fill)) {
        // The macro's path again, from its parent's boxes and keeper region.
        std::uint32_t* board = board_.data();
        const std::uint16_t* boxes = store_.Boxes(position.parent);
        const int nb = level_.boxCount;
        for (int i = 0; i < nb; ++i) board[boxes[i]] = BOX;
        reach_.Mark(board, store_.At(position.parent).anchor);
        paths_.Fill(board, position.from, distances_.DeadCells(),
                    [&](int cell) { return reach_.Reached(cell); });
        for (int i = 0; i < nb; ++i) board[boxes[i]] = 0;
        macroSteps_.clear();
        paths_.AppendSteps(fill > 0 ? room_.Entrance() : target, position.dir, macroSteps_);
        reversed.insert(reversed.end(), macroSteps_.rbegin(), macroSteps_.rend());
        return;
    }
    reversed.push_back({position.from, position.dir, position.length});
}

SearchEnd PushSearch::Run(const std::vector<std::uint16_t>& start, int keeper, double deadline,
                          std::vector<PushStep>& steps) {
    const int nb = level_.boxCount;
    std::uint64_t hash = 0;
    for (int i = 0; i < nb; ++i) {
        hash ^= keys_.Box(start[i]);
        board_[start[i]] = BOX;
    }
    const int anchor = reach_.Mark(board_.data(), keeper);
    const std::uint32_t h = bound_.Of(start.data());
    const bool done = h == 0 || (staged_ && h != DEAD_BOUND && StageDone(start.data()));
    const auto rootFeature =
        static_cast<std::uint16_t>(byFeature_ ? features_.FeatureOf(board_.data(), PackedBy()) : 0);
    for (int i = 0; i < nb; ++i) board_[start[i]] = 0;
    if (done) return SearchEnd::FOUND;
    if (h == DEAD_BOUND) return SearchEnd::EXHAUSTED;
    const Position root{hash ^ keys_.Keeper(anchor),
                        NO_POSITION,
                        0,
                        h,
                        static_cast<std::uint16_t>(anchor),
                        0,
                        0,
                        0,
                        0,
                        0,
                        rootFeature};
    if (!store_.Add(root, start.data())) return SearchEnd::FULL;
    Open(0);

    if (!ExpandBestFirst(
            open_, store_, weight_, deadline, stop_, [&] { return found_ || dropped_; },
            [&](std::uint32_t index) { Expand(index); }))
        return SearchEnd::LATE;
    if (!found_) return dropped_ || open_.Dropped() ? SearchEnd::FULL : SearchEnd::EXHAUSTED;
    const std::size_t first = steps.size();
    goalPush_.parent = goalParent_;
    AppendSteps(steps, goalPush_, goalTarget_);
    for (std::uint32_t i = goalParent_; store_.At(i).parent != NO_POSITION; i = store_.At(i).parent)
        AppendSteps(steps, store_.At(i), MovedTo(i));
    std::reverse(steps.begin() + static_cast<std::ptrdiff_t>(first), steps.end());
    return SearchEnd::FOUND;
}

}  // namespace ruk::pushbot
