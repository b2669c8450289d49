// The box route search (see box_route.h).
#include "engine/box_route.h"

#include <algorithm>

#include "engine/move_letters.h"
#include "engine/walk_path.h"
#include "planner/fill_region.h"
#include "search/breadth_fill.h"

namespace ruk {

namespace {

struct Layer {
    std::int32_t head = -1;
    std::int32_t tail = -1;
};

struct Best {
    std::int32_t state = -1;
    std::uint32_t pushes = 0;
    std::uint32_t moves = 0;
    bool Beaten(std::uint32_t p, std::uint32_t m) const {
        return state < 0 || p < pushes || (p == pushes && m < moves);
    }
};

void Unlink(RouteStore& store, Layer& layer, int state) {
    RouteNode& node = store.nodes[state];
    if (node.previous >= 0)
        store.nodes[node.previous].next = node.next;
    else
        layer.head = node.next;
    if (node.next >= 0)
        store.nodes[node.next].previous = node.previous;
    else
        layer.tail = node.previous;
}

void Append(RouteStore& store, Layer& layer, int state) {
    RouteNode& node = store.nodes[state];
    node.previous = layer.tail;
    node.next = -1;
    if (layer.tail >= 0)
        store.nodes[layer.tail].next = state;
    else
        layer.head = state;
    layer.tail = state;
}

class RouteSearch {
  public:
    RouteSearch(const LevelModel& level, GameRecord& game, RouteStore& route, int box, int target)
        : level_(level),
          game_(game),
          store_(route),
          box_(box),
          target_(target),
          step_(level.directions.stepOffset.data()) {}

    // A candidate push of the box from `from` in direction k with these totals; recorded when
    // it improves its state, and a solution when it ends on the target with the side open.
    void Offer(int from, int k, std::uint32_t pushes, std::uint32_t moves, int parent,
               Layer& layer) {
        const int to = from + step_[k];
        const int state = to * 4 + k;
        RouteNode& node = store_.nodes[state];
        if (node.pushes != 0 &&
            (node.pushes < pushes || (node.pushes == pushes && node.moves <= moves)))
            return;
        if (node.pushes == pushes) Unlink(store_, layer, state);
        node = RouteNode{from, to, pushes, moves, parent, -1, -1};
        Append(store_, layer, state);
        if (to == target_ && store_.sideMap[from] != 0 && best_.Beaten(pushes, moves))
            best_ = {state, pushes, moves};
    }

    Best Run(int side) {
        std::uint32_t* plan = game_.planBoard.data();
        const int cells = level_.board.cellCount;
        for (int s = 0; s < cells * 4; ++s) store_.nodes[s].pushes = 0;
        plan[box_] = 0;
        plan[target_] = BOX;
        Distances(store_.sideMap.data(), side);
        plan[target_] = 0;
        plan[box_] = BOX;
        Distances(store_.startMap.data(), game_.planKeeper);

        Layer layer;
        for (int k = 0; k < 4; ++k) {
            const int ahead = box_ + step_[k];
            const std::uint32_t walk = store_.startMap[box_ - step_[k]];
            if (plan[ahead] == 0 && walk != 0) Offer(box_, k, 1, walk, -1, layer);
        }
        if (best_.state >= 0) return best_;

        plan[box_] = 0;
        for (std::uint32_t pushes = 1; layer.head >= 0; ++pushes) {
            if (best_.state >= 0 && pushes >= best_.pushes) break;
            Layer next;
            for (int state = layer.head; state >= 0; state = store_.nodes[state].next)
                Expand(state, next);
            layer = next;
        }
        plan[box_] = BOX;
        return best_;
    }

  private:
    void Distances(std::uint32_t* map, int start) {
        DistanceMap(map, start, game_.planBoard.data(), level_.board.cellCount, level_.directions,
                    store_.queue.data());
    }

    // Keeper distances from start (1 there) over the PlanBoard, measured only until every
    // wanted cell has its distance: a breadth-first distance is final once it is set.
    void DistancesTo(int start, const int* wanted, int wantedCount) {
        MarkMap& marks = store_.distanceMarks;
        marks.NewStamp();
        const std::uint32_t* plan = game_.planBoard.data();
        std::uint32_t* distance = store_.distance.data();
        int left = wantedCount;
        BreadthFill(
            start, step_, store_.queue.data(),
            [&](int next, int) { return plan[next] == 0 && !marks.Marked(next); },
            [&](int cell, int from) {
                distance[cell] = from < 0 ? 1 : distance[from] + 1;
                marks.Mark(cell);
                for (int w = 0; w < wantedCount; ++w) left -= wanted[w] == cell;
            },
            [&] { return left <= 0; });
    }

    std::uint32_t DistanceAt(int cell) const {
        return store_.distanceMarks.Marked(cell) ? store_.distance[cell] : 0;
    }

    void Expand(int state, Layer& next) {
        const RouteNode node = store_.nodes[state];
        std::uint32_t* plan = game_.planBoard.data();
        int wanted[4];
        int wantedCount = 0;
        for (int k = 0; k < 4; ++k) {
            const int behind = node.boxTo - step_[k];
            if (plan[node.boxTo + step_[k]] == 0 && plan[behind] == 0)
                wanted[wantedCount++] = behind;
        }
        plan[node.boxTo] = BOX;
        DistancesTo(node.boxFrom, wanted, wantedCount);
        plan[node.boxTo] = 0;
        const int k0 = state % 4;
        for (int i = 0; i < 4; ++i) {
            const int k = (k0 + i) % 4;
            const int ahead = node.boxTo + step_[k];
            const std::uint32_t walk = DistanceAt(node.boxTo - step_[k]);
            if (plan[ahead] == 0 && walk != 0)
                Offer(node.boxTo, k, node.pushes + 1, node.moves + walk, state, next);
        }
    }

    const LevelModel& level_;
    GameRecord& game_;
    RouteStore& store_;
    const int box_;
    const int target_;
    const std::int32_t* step_;
    Best best_;
};

int DirectionOf(const LevelModel& level, int offset) {
    for (int k = 0; k < 4; ++k)
        if (level.directions.stepOffset[k] == offset) return k;
    return 0;
}

}  // namespace

bool AppendBoxRoute(const LevelModel& level, GameRecord& game, RouteStore& route, int box,
                    int target, int side) {
    if (game.history.failed) return false;
    RouteSearch search(level, game, route, box, target);
    const Best best = search.Run(side);
    if (best.state < 0) return false;

    RouteStore& store = route;
    int count = 0;
    for (int state = best.state; state >= 0; state = store.nodes[state].parent)
        store.chain[count++] = state;
    std::reverse(store.chain.begin(), store.chain.begin() + count);
    for (int i = 0; i < count; ++i) {
        const RouteNode& push = store.nodes[store.chain[i]];
        const int behind = 2 * push.boxFrom - push.boxTo;
        if (game.planKeeper != behind && !AppendWalk(level, game, route, game.planKeeper, behind))
            return false;
        if (!AppendLetter(game.history, PushLetter(DirectionOf(level, push.boxTo - push.boxFrom))))
            return false;
        game.planBoard[push.boxFrom] = 0;
        game.planBoard[push.boxTo] = BOX;
        game.planKeeper = push.boxFrom;
    }
    return true;
}

}  // namespace ruk
