// The push search (see pushbot_search.h).
#include "pushbot_search.h"

#include <algorithm>
#include <cassert>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <queue>
#include <unordered_map>
#include <vector>

#include "core_door.h"
#include "planner/deadlock_checks.h"
#include "search/breadth_fill.h"
#include "search/mark_map.h"

namespace ruk::pushbot {

namespace {

constexpr std::uint16_t FAR = 0xffff;
constexpr int HUNGARIAN_MAX = 64;  // more boxes than this: the cheaper sum of nearest goals
// Cached sets of boxes frozen on goals, one byte per cell each, on top of the -mem budget.
constexpr std::size_t SETTLED_BYTES = 32u << 20;
constexpr std::uint32_t SEAL_PENALTY = 8;       // added to the bound per sealed free goal
constexpr double STAGED_SHARE = 0.3;            // of the time limit, for the room-by-room search
constexpr std::size_t CORRAL_BOXES = 8;         // largest corral searched on its own
constexpr std::size_t CORRAL_POSITIONS = 200;   // its search gives up after that many
constexpr std::size_t CORRAL_CACHE = 1u << 20;  // verdicts kept
constexpr std::size_t CORRAL_FREE = 300000;     // positions before the share applies
constexpr double PORTFOLIO_SHARE = 0.6;         // of the time then left, for the feature space
// The feature space: boxes on goals x floor areas x sealed goals.
constexpr int FEATURE_REGIONS = 16;
constexpr int FEATURE_SEALED = 3;
constexpr std::uint32_t NO_PARENT = 0xffffffffu;
constexpr std::uint32_t DEAD_H = 0xffffffffu;
constexpr const char* WALK = "urdl";
constexpr const char* PUSH = "URDL";

struct Node {
    std::uint64_t hash;
    std::uint32_t parent;
    std::uint32_t g;  // pushes from the start
    std::uint32_t h;  // lower bound on the pushes left; DEAD_H for a proved dead position
    std::uint16_t anchor;
    std::uint16_t from;  // the pushed box's cell before the push
    std::uint8_t dir;
    std::uint8_t length;  // pushes in a row (tunnel macro)
    std::uint8_t closed;
    std::uint8_t fill;      // 1 + the goal room's fill index when the push went on to that goal
    std::uint16_t feature;  // the position's cell in the feature space (see FeatureOf)
};

struct OpenEntry {
    std::uint64_t key;
    std::uint32_t node;
    bool operator<(const OpenEntry& other) const { return key > other.key; }  // min-heap
};

std::uint64_t SplitMix(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

class Solver {
  public:
    Solver(CoreState& core, const Limits& limits, double deadline)
        : core_(core), limits_(limits), deadline_(deadline) {}

    Result Run();

  private:
    struct Step {
        int from, dir, length;
    };
    void FindGoalRoom();
    bool PullOut(int goal, std::vector<Step>& pushes);
    int RoomFill() const;
    void AppendSteps(std::vector<Step>& reversed, const Node& node) const;
    enum class Search { FOUND, EXHAUSTED, LATE, FULL };
    void Reset(std::size_t nodeCap);
    Search SearchFrom(const std::vector<std::uint16_t>& start, int keeper, double deadline,
                      std::vector<Step>& steps);
    bool StageDone(const std::uint16_t* boxes) const;
    std::vector<std::vector<int>> GoalGroups() const;
    bool Staged(double deadline, std::vector<Step>& steps);
    bool Setup();
    void BuildDistances();
    std::uint32_t LowerBound(const std::uint16_t* boxes);
    std::uint32_t Hungarian(const std::uint16_t* boxes, int* goalOf = nullptr);
    int Anchor(MarkMap& marks, int keeper) { return Anchor(work_.data(), marks, keeper); }
    int Anchor(const std::uint32_t* board, MarkMap& marks, int keeper);
    int Fill(const std::uint32_t* board, MarkMap& marks, int start);
    int ChildAnchor(int parentAnchor, int from, int to, int length, int keeper);
    bool OneArc(int cell) const;
    bool Reached(int cell) const { return marks_.Marked(cell); }
    int PickCorral(const std::uint16_t* boxes, std::vector<std::uint8_t>& allowed, int keeper);
    bool CorralDead(const std::uint16_t* boxes, const std::vector<std::uint8_t>& which, int keeper,
                    int inside);
    bool Tunnel(int cell, int d) const;
    FreezeVerdict Frozen(int cell);
    int SealedGoals() const;
    int Settled(const std::uint16_t* boxes);
    bool SettledAllows(int parentSettled, const std::uint16_t* boxes, int from, int to);
    void Expand(std::uint32_t index);
    void AddChild(std::uint32_t parent, const std::uint16_t* boxes, int k, int target, int from,
                  int d, int length, int keeper, int fill = 0);
    std::uint32_t Find(std::uint64_t hash, const std::uint16_t* boxes, int anchor) const;
    bool Insert(std::uint32_t index);
    bool GrowTable();
    void Push(std::uint32_t index);
    int FeatureOf();
    bool PopOpen(OpenEntry& top);
    bool Rebuild(const std::vector<Step>& steps, Result& result);

    CoreState& core_;
    Limits limits_;
    double deadline_;

    int cells_ = 0;
    int nb_ = 0;
    std::int32_t off_[4] = {};
    const std::uint32_t* goalMap_ = nullptr;  // 1 goal, 8 wall
    std::vector<std::uint32_t> work_;         // 0 free, 2 box, 8 wall
    std::vector<std::uint8_t> wall_;
    std::vector<std::uint8_t> dead_;
    std::vector<int> goals_;
    std::vector<std::uint16_t> dist_;  // [goal * cells + cell]: pushes of a lone box
    std::vector<std::uint16_t> nearest_;
    std::vector<std::uint64_t> zobBox_, zobKeeper_;
    std::vector<std::uint16_t> startBoxes_;
    int startKeeper_ = 0;

    MarkMap marks_, childMarks_;  // keeper regions
    std::vector<std::int32_t> queue_;
    std::vector<std::uint16_t> child_, expandBoxes_;
    std::vector<std::uint8_t> allowed_;
    // Boxes that stay put in the current stage (all zero for the whole-level search).
    std::vector<std::uint8_t> fixed_;
    bool staged_ = false;
    std::size_t nodeCap_ = 0;

    // Corral scratch.
    MarkMap areaMarks_;  // areaOf_[c] holds when c is marked
    std::vector<std::int32_t> areaOf_;
    std::vector<std::int32_t> parent_, seed_;  // union-find of areas; a cell of each area
    std::vector<std::uint8_t> attention_, violated_;
    std::vector<std::int32_t> pushCount_;

    struct SettledSet {
        std::vector<std::uint8_t> live;
        std::vector<std::uint16_t> sealed;
    };
    std::vector<SettledSet> settled_;
    std::unordered_map<std::uint64_t, int> settledIndex_;
    std::vector<std::uint16_t> settledBoxes_;

    std::vector<Node> nodes_;
    std::vector<std::uint16_t> boxes_;
    std::vector<std::uint32_t> table_;  // node index + 1; 0 empty
    std::uint64_t tableMask_ = 0;
    std::priority_queue<OpenEntry> open_;
    // The feature-space search: one queue per cell, visited in turn.
    bool byFeature_ = false;
    std::vector<std::priority_queue<OpenEntry>> featureOpen_;
    std::size_t openCount_ = 0;
    std::size_t featureCursor_ = 0;
    MarkMap regionMarks_;
    std::size_t maxNodes_ = 0;
    std::size_t maxTable_ = 0;
    std::size_t maxOpen_ = 0;
    bool dropped_ = false;

    bool found_ = false;
    std::uint32_t goalParent_ = 0;
    int goalFrom_ = 0, goalDir_ = 0, goalLength_ = 0, goalFill_ = 0;

    // A room of goals with one entrance: boxes arriving there go on to the goals in an order
    // that leaves the rest fillable. Cuts other pushes, so a search using it proves nothing.
    int entrance_ = -1, entranceDir_ = 0;
    std::vector<std::uint8_t> room_;
    std::vector<int> fillOrder_;
    std::vector<std::vector<Step>> fillPushes_;  // from the entrance, per fill index
    bool useRoom_ = false, roomUsed_ = false;
    int weight_ = 3;

    // Corral boxes alone on the board: their positions searched (exact keys), and the verdicts.
    std::vector<std::uint32_t> relBoard_;
    MarkMap relMarks_;
    std::size_t relSpent_ = 0;  // positions searched so far
    std::unordered_map<std::string, bool> corralDead_;
};

bool Solver::Setup() {
    const Board& board = core_.level.board;
    cells_ = board.cellCount;
    for (int d = 0; d < 4; ++d) off_[d] = core_.level.directions.stepOffset[d];
    goalMap_ = core_.play.goalMap.data();
    const std::uint32_t* position = core_.play.shown.positionBoard.data();
    work_.assign(cells_, 0);
    wall_.assign(cells_, 0);
    for (int c = 0; c < cells_; ++c) {
        if (position[c] != 0 && position[c] != BOX) {
            work_[c] = WALL;
            wall_[c] = 1;
        }
        if (position[c] == BOX) startBoxes_.push_back(static_cast<std::uint16_t>(c));
        if (goalMap_[c] == GOAL) goals_.push_back(c);
    }
    nb_ = static_cast<int>(startBoxes_.size());
    startKeeper_ = core_.play.shown.keeperCell;
    if (static_cast<int>(goals_.size()) != nb_) return false;

    std::uint64_t seed = 0x2545f4914f6cdd1dull;
    zobBox_.resize(cells_);
    zobKeeper_.resize(cells_);
    for (int c = 0; c < cells_; ++c) {
        zobBox_[c] = SplitMix(seed);
        zobKeeper_[c] = SplitMix(seed);
    }
    queue_.assign(cells_ + 1, 0);
    child_.resize(nb_);
    settledBoxes_.resize(nb_);
    allowed_.assign(nb_, 1);
    fixed_.assign(cells_, 0);
    relBoard_.assign(work_.begin(), work_.end());
    areaOf_.assign(cells_, -1);
    BuildDistances();
    FindGoalRoom();
    return true;
}

// Pull search from every goal with the keeper's side of the box: a state is (cell, side), and
// sides that the keeper can walk between with the box in place count as one.
void Solver::BuildDistances() {
    const int n = cells_;
    // side groups: for each cell, a label per side; equal labels = connected around the box.
    std::vector<std::int8_t> group(static_cast<std::size_t>(n) * 4, -1);
    MarkMap seen;
    for (int c = 0; c < n; ++c) {
        if (wall_[c]) continue;
        std::int8_t* g = &group[c * 4];
        std::int8_t label = 0;
        for (int k = 0; k < 4; ++k) {
            const int s = c + off_[k];
            if (wall_[s] || g[k] >= 0) continue;
            g[k] = label;
            int remaining = 0;
            for (int j = k + 1; j < 4; ++j)
                if (!wall_[c + off_[j]] && g[j] < 0) ++remaining;
            if (remaining > 0) {
                // The fill goes round the box on c, looking for its other free sides.
                seen.NewStamp();
                seen.Mark(c);
                BreadthFill(
                    s, off_, queue_.data(),
                    [&](int y, int) { return !wall_[y] && !seen.Marked(y); },
                    [&](int y, int) {
                        seen.Mark(y);
                        for (int j = k + 1; j < 4; ++j) {
                            if (y == c + off_[j] && g[j] < 0) {
                                g[j] = label;
                                --remaining;
                            }
                        }
                    },
                    [&] { return remaining <= 0; });
            }
            ++label;
        }
    }

    const int goalCount = static_cast<int>(goals_.size());
    dist_.assign(static_cast<std::size_t>(goalCount) * n, FAR);
    std::vector<std::uint16_t> state(static_cast<std::size_t>(n) * 4);
    std::vector<std::int32_t> q(static_cast<std::size_t>(n) * 4 + 4);
    for (int gi = 0; gi < goalCount; ++gi) {
        std::fill(state.begin(), state.end(), FAR);
        int head = 0, tail = 0;
        auto reach = [&](int c, int k, std::uint16_t v) {
            // every side in the same group is reached at the same cost
            const std::int8_t label = group[c * 4 + k];
            for (int j = 0; j < 4; ++j) {
                if (group[c * 4 + j] != label || state[c * 4 + j] != FAR) continue;
                state[c * 4 + j] = v;
                q[tail++] = c * 4 + j;
            }
        };
        const int goal = goals_[gi];
        for (int k = 0; k < 4; ++k)
            if (!wall_[goal + off_[k]]) reach(goal, k, 0);
        while (head < tail) {
            const int st = q[head++];
            const int c = st / 4, k = st % 4;
            const int p = c + off_[k];  // the keeper's cell; the box is pulled onto it
            const int behind = p + off_[k];
            if (wall_[behind]) continue;
            if (state[p * 4 + k] != FAR) continue;
            reach(p, k, static_cast<std::uint16_t>(state[st] + 1));
        }
        std::uint16_t* row = &dist_[static_cast<std::size_t>(gi) * n];
        for (int c = 0; c < n; ++c) {
            std::uint16_t best = FAR;
            for (int k = 0; k < 4; ++k) best = std::min(best, state[c * 4 + k]);
            row[c] = best;
        }
    }
    nearest_.assign(n, FAR);
    dead_.assign(n, 1);
    const std::uint64_t* reach = core_.planner.goalReach.data();
    for (int c = 0; c < n; ++c) {
        if (wall_[c]) continue;
        for (int gi = 0; gi < goalCount; ++gi)
            nearest_[c] = std::min(nearest_[c], dist_[static_cast<std::size_t>(gi) * n + c]);
        // the core's own live map must agree that a lone box here can reach a goal
        dead_[c] = nearest_[c] == FAR || reach[c] == 0;
    }
}

std::uint32_t Solver::Hungarian(const std::uint16_t* boxes, int* goalOf) {
    // Minimum-cost perfect matching of boxes (rows) to goals (columns), potentials form.
    constexpr int BIG = 1 << 20;
    const int n = nb_;
    static thread_local int a[HUNGARIAN_MAX + 1][HUNGARIAN_MAX + 1];
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) {
            const std::uint16_t d = dist_[static_cast<std::size_t>(j - 1) * cells_ + boxes[i - 1]];
            a[i][j] = d == FAR ? BIG : d;
        }
    }
    int u[HUNGARIAN_MAX + 1] = {}, v[HUNGARIAN_MAX + 1] = {}, p[HUNGARIAN_MAX + 1] = {},
                          way[HUNGARIAN_MAX + 1] = {}, minv[HUNGARIAN_MAX + 1];
    bool used[HUNGARIAN_MAX + 1];
    constexpr int INF = std::numeric_limits<int>::max() / 2;
    for (int i = 1; i <= n; ++i) {
        p[0] = i;
        int j0 = 0;
        for (int j = 0; j <= n; ++j) {
            minv[j] = INF;
            used[j] = false;
        }
        do {
            used[j0] = true;
            const int i0 = p[j0];
            int delta = INF, j1 = 0;
            for (int j = 1; j <= n; ++j) {
                if (used[j]) continue;
                const int cur = a[i0][j] - u[i0] - v[j];
                if (cur < minv[j]) {
                    minv[j] = cur;
                    way[j] = j0;
                }
                if (minv[j] < delta) {
                    delta = minv[j];
                    j1 = j;
                }
            }
            for (int j = 0; j <= n; ++j) {
                if (used[j]) {
                    u[p[j]] += delta;
                    v[j] -= delta;
                } else {
                    minv[j] -= delta;
                }
            }
            j0 = j1;
        } while (p[j0] != 0);
        do {
            const int j1 = way[j0];
            p[j0] = p[j1];
            j0 = j1;
        } while (j0 != 0);
    }
    const int cost = -v[0];
    if (goalOf != nullptr)
        for (int j = 1; j <= n; ++j) goalOf[p[j] - 1] = j - 1;
    return cost >= BIG ? DEAD_H : static_cast<std::uint32_t>(cost);
}

std::uint32_t Solver::LowerBound(const std::uint16_t* boxes) {
    if (nb_ <= HUNGARIAN_MAX) return Hungarian(boxes);
    std::uint32_t sum = 0;
    for (int i = 0; i < nb_; ++i) sum += nearest_[boxes[i]];
    return sum;
}

// The keeper's region on board (work_ unless told), marked with a fresh stamp; returns its
// smallest cell.
int Solver::Anchor(const std::uint32_t* board, MarkMap& marks, int keeper) {
    marks.NewStamp();
    return Fill(board, marks, keeper);
}

// Marks the free cells of board joined to start with the current stamp; returns the smallest.
int Solver::Fill(const std::uint32_t* board, MarkMap& marks, int start) {
    return MarkRegion(marks, start, off_, queue_.data(),
                      [&](int cell) { return board[cell] == 0; });
}

// Whether the free cells around cell, which has just been filled, still connect all its free
// side neighbours: then filling it split no region.
bool Solver::OneArc(int cell) const {
    const std::int32_t* ring = core_.level.directions.ringOffset.data();  // clockwise from north
    int start = -1;
    for (int i = 0; i < 8 && start < 0; ++i)
        if (work_[cell + ring[i]] != 0) start = i;
    if (start < 0) return true;
    int arcs = 0;
    bool inArc = false, counted = false;
    for (int j = 1; j <= 8; ++j) {
        const int i = (start + j) & 7;
        if (work_[cell + ring[i]] != 0) {
            inArc = false;
            continue;
        }
        if (!inArc) {
            inArc = true;
            counted = false;
        }
        if ((i & 1) == 0 && !counted) {  // a side neighbour
            counted = true;
            ++arcs;
        }
    }
    return arcs <= 1;
}

// The child's keeper region from its parent's (marks_, for the position before the push): a
// single push that merges no other area into the region and splits none off only swaps the
// box's new cell for its old one.
int Solver::ChildAnchor(int parentAnchor, int from, int to, int length, int keeper) {
    if (length == 1 && to != parentAnchor) {
        bool local = true;
        for (int d = 0; d < 4 && local; ++d) {
            const int n = from + off_[d];
            if (work_[n] == 0 && !Reached(n)) local = false;
        }
        if (local && (!Reached(to) || OneArc(to))) return std::min(parentAnchor, from);
    }
    return Anchor(childMarks_, keeper);
}

// The boxes frozen on goals of the position in work_, as a table entry: they are walls for good,
// so a lone box must still reach a free goal past them, and a free goal that no push can fill
// any more seals the level.
int Solver::Settled(const std::uint16_t* boxes) {
    std::uint64_t key = 0x5bd1e995ull;
    int count = 0;
    for (int i = 0; i < nb_; ++i) {
        const int b = boxes[i];
        if (goalMap_[b] != GOAL) continue;
        if (IsFrozen(work_.data(), goalMap_, b, core_.level.directions) !=
            FreezeVerdict::FrozenOnGoals)
            continue;
        key ^= zobBox_[b];
        ++count;
    }
    if (count == 0) return -1;
    const auto known = settledIndex_.find(key);
    if (known != settledIndex_.end()) return known->second;
    if (settled_.size() * cells_ >= SETTLED_BYTES) return -1;
    SettledSet set;
    set.live.assign(cells_, 0);
    std::vector<std::uint8_t> blocked(wall_);
    for (int i = 0; i < nb_; ++i) {
        const int b = boxes[i];
        if (goalMap_[b] == GOAL && IsFrozen(work_.data(), goalMap_, b, core_.level.directions) ==
                                       FreezeVerdict::FrozenOnGoals)
            blocked[b] = 1;
    }
    for (const int g : goals_) {
        set.live[g] = 1;  // a frozen box stands on a goal of its own
        bool fillable = false;
        for (int k = 0; k < 4; ++k)
            if (!blocked[g + off_[k]] && !blocked[g + 2 * off_[k]]) fillable = true;
        if (!blocked[g] && !fillable) set.sealed.push_back(static_cast<std::uint16_t>(g));
    }
    // The cells a box can be pulled to from a free goal, the keeper on the far side.
    for (const int g : goals_) {
        if (blocked[g]) continue;
        BreadthFill(
            g, off_, queue_.data(),
            [&](int p, int c) { return !blocked[p] && !blocked[2 * p - c] && !set.live[p]; },
            [&](int p, int) { set.live[p] = 1; });
    }
    settled_.push_back(std::move(set));
    const int id = static_cast<int>(settled_.size()) - 1;
    settledIndex_.emplace(key, id);
    return id;
}

// Whether the push of the box at from to `to` (already made in work_) keeps every box able to
// reach a free goal and every sealed goal filled.
bool Solver::SettledAllows(int parentSettled, const std::uint16_t* boxes, int from, int to) {
    int id = parentSettled;
    bool full = false;
    if (goalMap_[to] == GOAL && IsFrozen(work_.data(), goalMap_, to, core_.level.directions) ==
                                    FreezeVerdict::FrozenOnGoals) {
        // The set grew: look it up with the child's boxes.
        std::copy(boxes, boxes + nb_, settledBoxes_.begin());
        for (int i = 0; i < nb_; ++i)
            if (settledBoxes_[i] == from) settledBoxes_[i] = static_cast<std::uint16_t>(to);
        id = Settled(settledBoxes_.data());
        full = true;
    }
    if (id < 0) return true;
    const SettledSet& set = settled_[id];
    for (const std::uint16_t g : set.sealed)
        if (work_[g] != BOX) return false;
    if (!full) return set.live[to] != 0;
    for (int i = 0; i < nb_; ++i) {
        const int b = boxes[i] == from ? to : boxes[i];
        if (!set.live[b]) return false;
    }
    return true;
}

// Free goals that no box could be pushed onto while the boxes on goals stay where they are: a
// packing order gone wrong, usually. Not a proof, so it only ranks the position later.
int Solver::SealedGoals() const {
    auto stopper = [&](int c) { return wall_[c] || (work_[c] == BOX && goalMap_[c] == GOAL); };
    int sealed = 0;
    for (const int g : goals_) {
        if (work_[g] == BOX) continue;
        bool open = false;
        for (int k = 0; k < 4 && !open; ++k)
            open = !stopper(g + off_[k]) && !stopper(g + 2 * off_[k]);
        if (!open) ++sealed;
    }
    return sealed;
}

// The core's freeze test, with one more way to block an axis: dead cells on both sides, where
// the box may not go. work_ is changed while it runs and restored.
FreezeVerdict Solver::Frozen(int cell) {
    FreezeVerdict result =
        goalMap_[cell] == GOAL ? FreezeVerdict::FrozenOnGoals : FreezeVerdict::FrozenOffGoal;
    work_[cell] = WALL;  // the box is a wall for the boxes beside it
    bool freeAxis = false;
    for (int a = 0; a < 2 && !freeAxis; ++a) {
        const int sides[2] = {cell - off_[a], cell + off_[a]};
        if (work_[sides[0]] == WALL || work_[sides[1]] == WALL) continue;
        if (dead_[sides[0]] && dead_[sides[1]]) continue;
        bool frozenSide = false;
        for (const int side : sides) {
            if (work_[side] != BOX) continue;
            const FreezeVerdict r = Frozen(side);
            if (r == FreezeVerdict::FrozenOffGoal) result = FreezeVerdict::FrozenOffGoal;
            if (r != FreezeVerdict::NotFrozen) frozenSide = true;
        }
        freeAxis = !frozenSide;
    }
    work_[cell] = BOX;
    return freeAxis ? FreezeVerdict::NotFrozen : result;
}

bool Solver::Tunnel(int cell, int d) const {
    const int side = off_[(d + 1) & 3];
    return wall_[cell + side] && wall_[cell - side];
}

// A corral: floor the keeper cannot reach, with the boxes around it. When every push of those
// boxes goes into it and the keeper stands beside each of them, some push of theirs must come
// next in any solution, so the others need not be tried. Marks allowed boxes; returns whether
// such a corral was chosen.
int Solver::PickCorral(const std::uint16_t* boxes, std::vector<std::uint8_t>& allowed, int keeper) {
    areaMarks_.NewStamp();
    int areas = 0;
    parent_.clear();
    seed_.clear();
    attention_.clear();
    for (int c = 0; c < cells_; ++c) {
        if (work_[c] != 0 || Reached(c) || areaMarks_.Marked(c)) continue;
        const int id = areas++;
        parent_.push_back(id);
        seed_.push_back(c);
        attention_.push_back(0);
        BreadthFill(
            c, off_, queue_.data(),
            [&](int y, int) { return work_[y] == 0 && !areaMarks_.Marked(y); },
            [&](int y, int) {
                areaMarks_.Mark(y);
                areaOf_[y] = id;
                if (goalMap_[y] == GOAL) attention_[id] = 1;  // an empty goal inside
            });
    }
    if (areas == 0) return 0;
    auto root = [&](int x) {
        while (parent_[x] != x) x = parent_[x] = parent_[parent_[x]];
        return x;
    };
    auto areaAt = [&](int cell) {
        return work_[cell] == 0 && areaMarks_.Marked(cell) ? areaOf_[cell] : -1;
    };
    // Areas that share a box are one corral.
    for (int i = 0; i < nb_; ++i) {
        int first = -1;
        for (int d = 0; d < 4; ++d) {
            const int a = areaAt(boxes[i] + off_[d]);
            if (a < 0) continue;
            if (first < 0) {
                first = root(a);
            } else {
                const int r = root(a);
                if (r != first) parent_[r] = first;
            }
        }
    }
    violated_.assign(areas, 0);
    pushCount_.assign(areas, 0);
    for (int a = 0; a < areas; ++a)
        if (attention_[a]) attention_[root(a)] = 1;
    // A box cell's stamp and area entry name the corral it fences (-1 for none).
    for (int i = 0; i < nb_; ++i) {
        const int b = boxes[i];
        int r = -1;
        for (int d = 0; d < 4; ++d) {
            const int a = areaAt(b + off_[d]);
            if (a >= 0) r = root(a);
        }
        areaMarks_.Mark(b);
        areaOf_[b] = r;
        if (r >= 0 && goalMap_[b] != GOAL) attention_[r] = 1;
    }
    auto fenceOf = [&](int cell) { return work_[cell] == BOX ? areaOf_[cell] : -1; };
    // Any push of a fence box that some other push could make possible first (the keeper's
    // side or the target held by a box outside, a target outside the corral) spoils it.
    for (int i = 0; i < nb_; ++i) {
        const int b = boxes[i];
        const int r = areaOf_[b];
        if (r < 0) continue;
        if (fixed_[b]) violated_[r] = 1;  // a box held for a later stage: not this corral
        for (int d = 0; d < 4; ++d) {
            const int from = b - off_[d], to = b + off_[d];
            if (wall_[from] || wall_[to] || dead_[to]) continue;
            const int fromArea = areaAt(from);
            if (fromArea >= 0 && root(fromArea) == r) continue;    // the keeper would be inside
            if (fenceOf(from) == r || fenceOf(to) == r) continue;  // waits for a fence push
            const int toArea = areaAt(to);
            if (!Reached(from) || work_[from] != 0 || toArea < 0 || root(toArea) != r) {
                violated_[r] = 1;
                continue;
            }
            ++pushCount_[r];
        }
    }
    // Any corral whose boxes alone are lost makes the position dead.
    for (int a = 0; a < areas; ++a) {
        if (root(a) != a || !attention_[a]) continue;
        for (int i = 0; i < nb_; ++i) allowed[i] = areaOf_[boxes[i]] == a ? 1 : 0;
        if (CorralDead(boxes, allowed, keeper, seed_[a])) return 2;
    }
    int best = -1;
    for (int a = 0; a < areas; ++a) {
        if (root(a) != a || violated_[a] || !attention_[a]) continue;
        if (pushCount_[a] == 0) return 2;  // it can never be opened
        if (best < 0 || pushCount_[a] < pushCount_[best]) best = a;
    }
    if (best < 0) {
        std::fill(allowed.begin(), allowed.end(), 1);
        return 0;
    }
    for (int i = 0; i < nb_; ++i) allowed[i] = areaOf_[boxes[i]] == best ? 1 : 0;
    return 1;
}

// Whether the boxes marked in which, alone on the board, can never all reach goals:
// then the position is dead, since any answer's pushes of those boxes would do that there. The
// search is exhaustive up to a small size and keyed exactly, so a dead verdict is a proof.
bool Solver::CorralDead(const std::uint16_t* boxes, const std::vector<std::uint8_t>& which,
                        int keeper, int inside) {
    std::vector<std::uint16_t> start;
    bool offGoal = false;
    for (int k = 0; k < nb_; ++k) {
        if (!which[k]) continue;
        start.push_back(boxes[k]);
        offGoal = offGoal || goalMap_[boxes[k]] != GOAL;
    }
    const std::size_t n = start.size();
    // Small corrals only, and a bounded share of the work.
    if (!offGoal || n > CORRAL_BOXES || relSpent_ > nodes_.size() + CORRAL_FREE) return false;
    // The keeper's region on the relaxed board: marks in relMarks_, smallest cell returned.
    auto region = [&](int from) { return Anchor(relBoard_.data(), relMarks_, from); };
    auto keyOf = [&](const std::uint16_t* cells, int anchor) {
        std::string key(reinterpret_cast<const char*>(cells), n * sizeof(std::uint16_t));
        const auto a = static_cast<std::uint16_t>(anchor);
        key.append(reinterpret_cast<const char*>(&a), sizeof a);
        return key;
    };
    // The keeper's cell and the boxes fix the answer.
    const std::string first = keyOf(start.data(), keeper);
    const auto known = corralDead_.find(first);
    if (known != corralDead_.end()) return known->second;

    // Breadth-first over (boxes, keeper cell); a position is known by its keeper region.
    std::vector<std::uint16_t> todo(start);
    todo.push_back(static_cast<std::uint16_t>(keeper));
    std::unordered_map<std::string, bool> seen;
    std::vector<std::uint16_t> cur(n + 1), next(n);
    bool dead = true;
    for (std::size_t head = 0; head < todo.size() && dead; head += n + 1) {
        std::copy(todo.begin() + static_cast<std::ptrdiff_t>(head),
                  todo.begin() + static_cast<std::ptrdiff_t>(head + n + 1), cur.begin());
        for (std::size_t i = 0; i < n; ++i) relBoard_[cur[i]] = BOX;
        const int anchor = region(cur[n]);
        if (seen.emplace(keyOf(cur.data(), anchor), true).second) {
            bool solved = true;
            for (std::size_t i = 0; i < n; ++i) solved = solved && goalMap_[cur[i]] == GOAL;
            // Done once solved or opened (the keeper inside), or too big to tell.
            if (solved || (inside < 0 && relMarks_.Stamps()[0] == 1) ||
                seen.size() > CORRAL_POSITIONS)
                dead = false;
            for (std::size_t i = 0; i < n && dead; ++i) {
                const int b = cur[i];
                for (int d = 0; d < 4; ++d) {
                    const int from = b - off_[d], to = b + off_[d];
                    if (!relMarks_.Marked(from) || relBoard_[to] != 0 || dead_[to]) continue;
                    std::copy(cur.begin(), cur.begin() + static_cast<std::ptrdiff_t>(n),
                              next.begin());
                    next[i] = static_cast<std::uint16_t>(to);
                    std::sort(next.begin(), next.end());
                    todo.insert(todo.end(), next.begin(), next.end());
                    todo.push_back(static_cast<std::uint16_t>(b));
                }
            }
        }
        for (std::size_t i = 0; i < n; ++i) relBoard_[cur[i]] = 0;
    }
    relSpent_ += seen.size();
    if (corralDead_.size() < CORRAL_CACHE) corralDead_.emplace(first, dead);
    return dead;
}

// The position in work_ as a feature-space cell: boxes on goals, the number of floor areas the
// boxes cut the level into, and sealed free goals. Taking the cells in turn keeps a search from
// sinking into one plateau of the bound.
int Solver::FeatureOf() {
    int packed = 0;
    for (const int g : goals_) packed += work_[g] == BOX ? 1 : 0;
    regionMarks_.NewStamp();
    int regions = 0;
    for (int c = 0; c < cells_; ++c) {
        if (work_[c] != 0 || regionMarks_.Marked(c)) continue;
        ++regions;
        Fill(work_.data(), regionMarks_, c);
    }
    regions = std::min(regions, FEATURE_REGIONS) - 1;
    const int sealed = std::min(SealedGoals(), FEATURE_SEALED - 1);
    return (packed * FEATURE_REGIONS + regions) * FEATURE_SEALED + sealed;
}

// The next position to expand: the best of the open list, or of the next feature cell in turn.
bool Solver::PopOpen(OpenEntry& top) {
    if (openCount_ == 0) return false;
    --openCount_;
    if (!byFeature_) {
        top = open_.top();
        open_.pop();
        return true;
    }
    while (featureOpen_[featureCursor_].empty())
        featureCursor_ = (featureCursor_ + 1) % featureOpen_.size();
    top = featureOpen_[featureCursor_].top();
    featureOpen_[featureCursor_].pop();
    featureCursor_ = (featureCursor_ + 1) % featureOpen_.size();
    return true;
}

std::uint32_t Solver::Find(std::uint64_t hash, const std::uint16_t* boxes, int anchor) const {
    for (std::uint64_t slot = hash & tableMask_;; slot = (slot + 1) & tableMask_) {
        const std::uint32_t entry = table_[slot];
        if (entry == 0) return NO_PARENT;
        const Node& node = nodes_[entry - 1];
        if (node.hash == hash && node.anchor == anchor &&
            std::memcmp(&boxes_[static_cast<std::size_t>(entry - 1) * nb_], boxes,
                        sizeof(std::uint16_t) * nb_) == 0)
            return entry - 1;
    }
}

bool Solver::GrowTable() {
    const std::size_t size = table_.size() * 2;
    if (size > maxTable_) return false;
    std::vector<std::uint32_t> bigger;
    try {
        bigger.assign(size, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    const std::uint64_t mask = size - 1;
    for (std::uint32_t entry : table_) {
        if (entry == 0) continue;
        std::uint64_t slot = nodes_[entry - 1].hash & mask;
        while (bigger[slot] != 0) slot = (slot + 1) & mask;
        bigger[slot] = entry;
    }
    table_.swap(bigger);
    tableMask_ = mask;
    return true;
}

bool Solver::Insert(std::uint32_t index) {
    // Keep the table at most half full while it may grow, at most 7/8 when it may not.
    if ((nodes_.size()) * 2 > table_.size() && !GrowTable() &&
        nodes_.size() * 8 > table_.size() * 7)
        return false;
    std::uint64_t slot = nodes_[index].hash & tableMask_;
    while (table_[slot] != 0) slot = (slot + 1) & tableMask_;
    table_[slot] = index + 1;
    return true;
}

void Solver::Push(std::uint32_t index) {
    const Node& node = nodes_[index];
    const std::uint64_t primary =
        static_cast<std::uint64_t>(node.g) + static_cast<std::uint64_t>(weight_) * node.h;
    // Ties: the deeper position first.
    const std::uint64_t key =
        (primary << 24) | (0xffffffu - std::min<std::uint32_t>(node.g, 0xffffffu));
    if (openCount_ >= maxOpen_) {
        dropped_ = true;
        return;
    }
    ++openCount_;
    if (byFeature_)
        featureOpen_[node.feature].push({key, index});
    else
        open_.push({key, index});
}

void Solver::AddChild(std::uint32_t parent, const std::uint16_t* boxes, int k, int target, int from,
                      int d, int length, int keeper, int fill) {
    assert(k >= 0 && k < nb_ && boxes[k] == from);
    // The child's box list: boxes with boxes[k] moved to target, kept sorted.
    std::copy(boxes, boxes + nb_, child_.begin());
    int i = k;
    child_[i] = static_cast<std::uint16_t>(target);
    while (i > 0 && child_[i - 1] > child_[i]) {
        std::swap(child_[i - 1], child_[i]);
        --i;
    }
    while (i + 1 < nb_ && child_[i + 1] < child_[i]) {
        std::swap(child_[i + 1], child_[i]);
        ++i;
    }
    const Node& p = nodes_[parent];
    const std::uint64_t boxHash = p.hash ^ zobKeeper_[p.anchor] ^ zobBox_[from] ^ zobBox_[target];
    const int anchor = ChildAnchor(p.anchor, from, target, fill > 0 ? 2 : length, keeper);
    const std::uint64_t hash = boxHash ^ zobKeeper_[anchor];
    std::uint32_t g = p.g + static_cast<std::uint32_t>(length);
    if (fill > 0) g += static_cast<std::uint32_t>(fillPushes_[fill - 1].size());
    const std::uint32_t known = Find(hash, child_.data(), anchor);
    if (known != NO_PARENT) {
        Node& node = nodes_[known];
        if (node.h == DEAD_H || g >= node.g) return;
        node.g = g;
        node.parent = parent;
        node.from = static_cast<std::uint16_t>(from);
        node.dir = static_cast<std::uint8_t>(d);
        node.length = static_cast<std::uint8_t>(length);
        node.fill = static_cast<std::uint8_t>(fill);
        node.closed = 0;
        Push(known);
        return;
    }
    std::uint32_t h = LowerBound(child_.data());
    if (h != DEAD_H && h != 0) h += SEAL_PENALTY * SealedGoals();
    if (h == 0 || (staged_ && h != DEAD_H && StageDone(child_.data()))) {
        found_ = true;
        goalParent_ = parent;
        goalFrom_ = from;
        goalDir_ = d;
        goalLength_ = length;
        goalFill_ = fill;
        return;
    }
    if (nodes_.size() >= nodeCap_) {
        dropped_ = true;
        return;
    }
    const auto index = static_cast<std::uint32_t>(nodes_.size());
    const auto feature = static_cast<std::uint16_t>(byFeature_ && h != DEAD_H ? FeatureOf() : 0);
    nodes_.push_back({hash, parent, g, h, static_cast<std::uint16_t>(anchor),
                      static_cast<std::uint16_t>(from), static_cast<std::uint8_t>(d),
                      static_cast<std::uint8_t>(length), 0, static_cast<std::uint8_t>(fill),
                      feature});
    boxes_.insert(boxes_.end(), child_.begin(), child_.end());
    if (!Insert(index)) {
        nodes_.pop_back();
        boxes_.resize(boxes_.size() - nb_);
        dropped_ = true;
        return;
    }
    if (h != DEAD_H) Push(index);
}

void Solver::Expand(std::uint32_t index) {
    const std::size_t at = static_cast<std::size_t>(index) * nb_;
    // A copy: the store may move while children are added.
    std::vector<std::uint16_t>& boxes = expandBoxes_;
    boxes.assign(boxes_.begin() + at, boxes_.begin() + at + nb_);
    for (int i = 0; i < nb_; ++i) work_[boxes[i]] = BOX;
    Anchor(marks_, nodes_[index].anchor);
    std::fill(allowed_.begin(), allowed_.end(), 1);
    const int corral = PickCorral(boxes.data(), allowed_, nodes_[index].anchor);
    const int parentSettled = Settled(boxes.data());
    for (int k = 0; k < nb_ && corral != 2 && !found_; ++k) {
        if (!allowed_[k]) continue;
        const int b = boxes[k];
        if (fixed_[b]) continue;
        for (int d = 0; d < 4 && !found_; ++d) {
            const int from = b - off_[d];
            int to = b + off_[d];
            if (!Reached(from) || work_[to] != 0 || dead_[to]) continue;
            work_[b] = 0;
            work_[to] = BOX;
            int length = 1;
            // Tunnel macro: box and keeper both between walls, the box not on a goal: the box
            // goes on to the tunnel's last cell, since nothing else can use the cells it passes.
            while (length < 200 && goalMap_[to] != GOAL && Tunnel(to, d) &&
                   Tunnel(to - off_[d], d)) {
                const int next = to + off_[d];
                if (work_[next] != 0 || dead_[next] || goalMap_[next] == GOAL || !Tunnel(next, d))
                    break;
                work_[to] = 0;
                work_[next] = BOX;
                to = next;
                ++length;
            }
            int keeper = to - off_[d];
            int fill = 0;
            if (useRoom_ && to == entrance_ && d == entranceDir_) {
                fill = RoomFill();
                if (fill > 0) {
                    // The box goes on to its goal; other pushes from the entrance are cut.
                    roomUsed_ = true;
                    const std::vector<Step>& path = fillPushes_[fill - 1];
                    work_[to] = 0;
                    to = path.back().from + off_[path.back().dir];
                    work_[to] = BOX;
                    keeper = path.back().from;
                }
            }
            // No keeper: the core's closed-area test runs a reverse search per goal on every
            // box frozen on a goal; the settled-set check covers that once per set instead.
            if (IsDeadAfterPush(core_, work_.data(), goalMap_, to, 0) == DeadVerdict::NotProven &&
                Frozen(to) != FreezeVerdict::FrozenOffGoal &&
                SettledAllows(parentSettled, boxes.data(), b, to))
                AddChild(index, boxes.data(), k, to, b, d, length, keeper, fill);
            work_[to] = 0;
            work_[b] = BOX;
        }
    }
    for (int i = 0; i < nb_; ++i) work_[boxes[i]] = 0;
}

// The smallest area holding a goal group and no box or keeper that one cell, the entrance,
// cuts off from the rest; its fill order comes from pulling the boxes out of a full room one
// at a time, the last one out filled first.
void Solver::FindGoalRoom() {
    if (nb_ > HUNGARIAN_MAX) return;
    std::vector<std::uint8_t> box(cells_, 0), seen(cells_, 0), best;
    for (const std::uint16_t b : startBoxes_) box[b] = 1;
    int bestSize = cells_ / 2;
    for (const std::vector<int>& group : GoalGroups()) {
        for (int e = 0; e < cells_; ++e) {
            if (wall_[e] || goalMap_[e] == GOAL || dead_[e]) continue;
            std::fill(seen.begin(), seen.end(), 0);
            seen[e] = 1;
            // Only a whole area, free of boxes and the keeper, smaller than the best so far.
            int size = 0;
            bool clean = true;
            BreadthFill(
                goals_[group[0]], off_, queue_.data(),
                [&](int n, int) { return !wall_[n] && !seen[n]; },
                [&](int c, int) {
                    seen[c] = 1;
                    ++size;
                    if (box[c] || c == startKeeper_) clean = false;
                },
                [&] { return !clean || size >= bestSize; });
            if (!clean || size >= bestSize) continue;
            seen[e] = 0;
            bool all = true;
            for (const int gi : group) all = all && seen[goals_[gi]];
            int inside = 0, dir = -1;
            for (int d = 0; d < 4; ++d) {
                if (seen[e + off_[d]]) {
                    ++inside;
                    dir = d;
                }
            }
            if (!all || inside != 1 || wall_[e - off_[dir]] || seen[e - off_[dir]]) continue;
            bestSize = size;
            best = seen;
            entrance_ = e;
            entranceDir_ = dir;
        }
    }
    if (entrance_ < 0) return;
    room_ = best;
    // Goals in pull-out order: the nearest to the entrance tried first.
    std::vector<int> inRoom;
    for (const int g : goals_)
        if (room_[g]) inRoom.push_back(g);
    std::vector<std::vector<Step>> paths;
    std::vector<int> order;
    for (const int g : inRoom) work_[g] = BOX;
    while (!inRoom.empty()) {
        bool out = false;
        for (std::size_t i = 0; i < inRoom.size() && !out; ++i) {
            std::vector<Step> pushes;
            work_[inRoom[i]] = 0;
            if (PullOut(inRoom[i], pushes)) {
                order.push_back(inRoom[i]);
                paths.push_back(std::move(pushes));
                inRoom.erase(inRoom.begin() + static_cast<std::ptrdiff_t>(i));
                out = true;
            } else {
                work_[inRoom[i]] = BOX;
            }
        }
        if (!out) break;
    }
    for (int c = 0; c < cells_; ++c)
        if (work_[c] == BOX) work_[c] = 0;
    if (!inRoom.empty()) {
        entrance_ = -1;
        return;
    }
    fillOrder_.assign(order.rbegin(), order.rend());
    fillPushes_.assign(paths.rbegin(), paths.rend());
    useRoom_ = true;
}

// Whether a box on goal can be pulled out to the entrance, the keeper coming in through it and
// leaving behind the box, with the boxes in work_ in place; the pushes that bring it back, in
// order. Box and keeper stay in the room and the entrance.
bool Solver::PullOut(int goal, std::vector<Step>& pushes) {
    std::vector<int> local(cells_, -1), cellOf;
    for (int c = 0; c < cells_; ++c) {
        if (room_[c] || c == entrance_) {
            local[c] = static_cast<int>(cellOf.size());
            cellOf.push_back(c);
        }
    }
    const int n = static_cast<int>(cellOf.size());
    const int outside = entrance_ - off_[entranceDir_];
    std::vector<std::int32_t> came(static_cast<std::size_t>(n) * n, -2);
    std::vector<std::int32_t> q;
    auto free = [&](int c, int boxCell) { return local[c] >= 0 && work_[c] == 0 && c != boxCell; };
    const int startState = local[goal] * n + local[entrance_];
    came[startState] = -1;
    q.push_back(startState);
    for (std::size_t head = 0; head < q.size(); ++head) {
        const int st = q[head];
        const int b = cellOf[st / n], k = cellOf[st % n];
        for (int d = 0; d < 4; ++d) {
            const int next = k + off_[d];
            if (free(next, b)) {  // a walk
                const int ns = (st / n) * n + local[next];
                if (came[ns] == -2) {
                    came[ns] = st;
                    q.push_back(ns);
                }
            }
            if (next != b) continue;
            // A pull: the keeper steps back away from the box, the box follows.
            const int back = k - off_[d];
            if (k == entrance_ && back == outside) {
                pushes.clear();
                pushes.push_back({entrance_, d, 1});
                for (int x = st; came[x] != -1; x = came[x]) {
                    const int from = came[x];
                    if (from / n != x / n) {
                        // a pull from box cell cellOf[from / n] to cellOf[x / n]
                        const int to = cellOf[from / n], at = cellOf[x / n];
                        for (int dd = 0; dd < 4; ++dd)
                            if (at + off_[dd] == to) pushes.push_back({at, dd, 1});
                    }
                }
                return true;
            }
            if (!free(back, b)) continue;
            const int ns = local[k] * n + local[back];
            if (came[ns] == -2) {
                came[ns] = st;
                q.push_back(ns);
            }
        }
    }
    return false;
}

// 1 + the next fill index when the room holds exactly the boxes of a fill order's prefix.
int Solver::RoomFill() const {
    int inside = 0;
    for (int c = 0; c < cells_; ++c)
        if (room_[c] && work_[c] == BOX) ++inside;
    if (inside >= static_cast<int>(fillOrder_.size())) return 0;
    for (int j = 0; j < inside; ++j)
        if (work_[fillOrder_[j]] != BOX) return 0;
    return inside + 1;
}

// A node's pushes, last first, onto a list that is reversed later.
void Solver::AppendSteps(std::vector<Step>& reversed, const Node& node) const {
    if (node.fill > 0) {
        const std::vector<Step>& path = fillPushes_[node.fill - 1];
        reversed.insert(reversed.end(), path.rbegin(), path.rend());
    }
    reversed.push_back({node.from, node.dir, node.length});
}

// Walks the keeper to each pushing side by a shortest path and writes the letters.
bool Solver::Rebuild(const std::vector<Step>& steps, Result& result) {
    for (int i = 0; i < nb_; ++i) work_[startBoxes_[i]] = BOX;
    int keeper = startKeeper_;
    std::vector<std::int32_t> cameFrom(cells_, -1);
    std::string letters;
    std::uint32_t pushes = 0;
    bool ok = true;
    for (const Step& s : steps) {
        const int target = s.from - off_[s.dir];
        std::fill(cameFrom.begin(), cameFrom.end(), -1);
        BreadthFill(
            keeper, off_, queue_.data(),
            [&](int y, int) { return work_[y] == 0 && cameFrom[y] < 0; },
            [&](int y, int x) { cameFrom[y] = x < 0 ? y : x; },
            [&] { return cameFrom[target] >= 0; });
        if (cameFrom[target] < 0 || work_[s.from] != BOX) {
            ok = false;
            break;
        }
        std::string walk;
        for (int x = target; x != keeper; x = cameFrom[x]) {
            const int diff = x - cameFrom[x];
            for (int dir = 0; dir < 4; ++dir)
                if (off_[dir] == diff) walk.push_back(WALK[dir]);
        }
        letters.append(walk.rbegin(), walk.rend());
        int box = s.from;
        for (int j = 0; j < s.length; ++j) {
            const int next = box + off_[s.dir];
            if (work_[next] != 0) {
                ok = false;
                break;
            }
            work_[box] = 0;
            work_[next] = BOX;
            letters.push_back(PUSH[s.dir]);
            box = next;
            ++pushes;
        }
        if (!ok) break;
        keeper = box - off_[s.dir];
    }
    for (int c = 0; c < cells_; ++c)
        if (work_[c] == BOX) work_[c] = 0;
    if (!ok) return false;
    result.moves = letters;
    result.pushes = pushes;
    result.moveCount = static_cast<std::uint32_t>(letters.size());
    return true;
}

void Solver::Reset(std::size_t nodeCap) {
    nodes_.clear();
    boxes_.clear();
    table_.assign(std::min<std::size_t>(maxTable_, 1 << 16), 0);
    tableMask_ = table_.size() - 1;
    open_ = {};
    featureOpen_.assign(
        byFeature_ ? static_cast<std::size_t>(nb_ + 1) * FEATURE_REGIONS * FEATURE_SEALED : 0, {});
    openCount_ = 0;
    featureCursor_ = 0;
    nodeCap_ = std::min(nodeCap, maxNodes_);
    dropped_ = false;
    found_ = false;
}

// Whether every box free to move in this stage stands on a goal.
bool Solver::StageDone(const std::uint16_t* boxes) const {
    for (int i = 0; i < nb_; ++i)
        if (!fixed_[boxes[i]] && goalMap_[boxes[i]] != GOAL) return false;
    return true;
}

// Best-first search from the given position until the stage is done; the pushes from the
// given position are appended to steps.
Solver::Search Solver::SearchFrom(const std::vector<std::uint16_t>& start, int keeper,
                                  double deadline, std::vector<Step>& steps) {
    std::uint64_t hash = 0;
    for (int i = 0; i < nb_; ++i) {
        hash ^= zobBox_[start[i]];
        work_[start[i]] = BOX;
    }
    const int anchor = Anchor(marks_, keeper);
    const std::uint32_t h = LowerBound(start.data());
    const bool done = h == 0 || (staged_ && h != DEAD_H && StageDone(start.data()));
    const auto rootFeature = static_cast<std::uint16_t>(byFeature_ ? FeatureOf() : 0);
    for (int i = 0; i < nb_; ++i) work_[start[i]] = 0;
    if (done) return Search::FOUND;
    if (h == DEAD_H) return Search::EXHAUSTED;
    nodes_.push_back({hash ^ zobKeeper_[anchor], NO_PARENT, 0, h,
                      static_cast<std::uint16_t>(anchor), 0, 0, 0, 0, 0, rootFeature});
    boxes_.insert(boxes_.end(), start.begin(), start.end());
    Insert(0);
    Push(0);

    std::uint64_t expanded = 0;
    OpenEntry top{};
    while (!found_ && PopOpen(top)) {
        if ((++expanded & 63) == 0 && Now() > deadline) return Search::LATE;
        Node& node = nodes_[top.node];
        if (node.closed) continue;
        const std::uint64_t primary =
            static_cast<std::uint64_t>(node.g) + static_cast<std::uint64_t>(weight_) * node.h;
        if ((top.key >> 24) != primary) continue;  // a stale entry for a since-improved node
        node.closed = 1;
        Expand(top.node);
    }
    if (!found_) return dropped_ ? Search::FULL : Search::EXHAUSTED;
    const std::size_t first = steps.size();
    Node last{};
    last.from = static_cast<std::uint16_t>(goalFrom_);
    last.dir = static_cast<std::uint8_t>(goalDir_);
    last.length = static_cast<std::uint8_t>(goalLength_);
    last.fill = static_cast<std::uint8_t>(goalFill_);
    AppendSteps(steps, last);
    for (std::uint32_t i = goalParent_; nodes_[i].parent != NO_PARENT; i = nodes_[i].parent)
        AppendSteps(steps, nodes_[i]);
    std::reverse(steps.begin() + static_cast<std::ptrdiff_t>(first), steps.end());
    return Search::FOUND;
}

// Goals near one another (two cells at most, either way) form a group, which usually means a
// room or a storage area of its own.
std::vector<std::vector<int>> Solver::GoalGroups() const {
    const int stride = off_[2];
    const int n = static_cast<int>(goals_.size());
    std::vector<int> root(n);
    for (int i = 0; i < n; ++i) root[i] = i;
    auto find = [&](int x) {
        while (root[x] != x) x = root[x] = root[root[x]];
        return x;
    };
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            const int dx = goals_[i] % stride - goals_[j] % stride;
            const int dy = goals_[i] / stride - goals_[j] / stride;
            if (std::abs(dx) <= 2 && std::abs(dy) <= 2) root[find(i)] = find(j);
        }
    }
    std::vector<std::vector<int>> groups;
    std::vector<int> groupOf(n, -1);
    for (int i = 0; i < n; ++i) {
        const int r = find(i);
        if (groupOf[r] < 0) {
            groupOf[r] = static_cast<int>(groups.size());
            groups.emplace_back();
        }
        groups[groupOf[r]].push_back(i);
    }
    return groups;
}

// Rooms one at a time: the boxes that the matching sends to one goal group move while all the
// others stay put, group after group, with node budgets that double while no group gets done.
// Several rooms searched together multiply one another's positions; this does not, but it
// may miss answers that need boxes of several groups moved in turn, so it proves nothing.
bool Solver::Staged(double deadline, std::vector<Step>& steps) {
    if (nb_ > HUNGARIAN_MAX) return false;
    std::vector<std::vector<int>> groups = GoalGroups();
    if (groups.size() < 2) return false;
    std::vector<std::uint16_t> boxes(startBoxes_);
    int keeper = startKeeper_;
    std::vector<int> goalOf(nb_);
    std::size_t budget = 4096;
    staged_ = true;
    bool ok = false;
    while (Now() < deadline) {
        std::vector<int> groupOfGoal(goals_.size(), -1);  // -1: a group already done
        for (std::size_t gi = 0; gi < groups.size(); ++gi)
            for (const int goal : groups[gi]) groupOfGoal[goal] = static_cast<int>(gi);
        if (Hungarian(boxes.data(), goalOf.data()) == DEAD_H) break;
        bool progress = false;
        bool capped = false;
        for (std::size_t gi = 0; gi < groups.size() && !progress; ++gi) {
            // A box sent to a finished group's goal but off goals moves in every stage.
            for (int i = 0; i < nb_; ++i) {
                const int group = groupOfGoal[goalOf[i]];
                fixed_[boxes[i]] =
                    group != static_cast<int>(gi) && (group >= 0 || goalMap_[boxes[i]] == GOAL);
            }
            Reset(budget);
            const std::size_t before = steps.size();
            const Search found = SearchFrom(boxes, keeper, deadline, steps);
            for (int i = 0; i < nb_; ++i) fixed_[boxes[i]] = 0;
            if (found == Search::LATE) break;
            capped = capped || found == Search::FULL;
            if (found != Search::FOUND) continue;
            // Play the stage's pushes on the box list.
            for (std::size_t k = before; k < steps.size(); ++k) {
                const Step& st = steps[k];
                const int to = st.from + st.length * off_[st.dir];
                for (auto& b : boxes)
                    if (b == st.from) b = static_cast<std::uint16_t>(to);
                keeper = to - off_[st.dir];
            }
            std::sort(boxes.begin(), boxes.end());
            groups.erase(groups.begin() + static_cast<std::ptrdiff_t>(gi));
            progress = true;
        }
        if (groups.empty()) {
            ok = std::all_of(boxes.begin(), boxes.end(),
                             [&](std::uint16_t b) { return goalMap_[b] == GOAL; });
            break;
        }
        if (!progress) {
            if (!capped || budget >= maxNodes_) break;
            budget *= 4;
        }
    }
    staged_ = false;
    return ok;
}

Result Solver::Run() {
    Result result;
    if (!Setup()) {
        result.outcome = Outcome::NO_SOLUTION;
        result.reason = "boxes and goals differ in number";
        return result;
    }
    // What one stored position costs: its record, its boxes, two table slots, one open entry.
    const std::size_t perNode =
        sizeof(Node) + sizeof(std::uint16_t) * nb_ + 2 * sizeof(std::uint32_t) + sizeof(OpenEntry);
    const std::size_t budget = static_cast<std::size_t>(limits_.memoryMb) * 1024 * 1024;
    maxNodes_ = std::max<std::size_t>(budget / perNode, 16);
    maxNodes_ = std::min<std::size_t>(maxNodes_, 0xfffffff0u);
    maxTable_ = 16;
    while (maxTable_ < maxNodes_ * 2) maxTable_ *= 2;
    maxOpen_ = maxNodes_;
    try {
        nodes_.reserve(maxNodes_);
        boxes_.reserve(maxNodes_ * nb_);
        Reset(maxNodes_);
    } catch (const std::bad_alloc&) {
        result.outcome = Outcome::MEMORY_LIMIT;
        result.reason = "not enough memory for the position store";
        return result;
    }

    std::vector<Step> steps;
    // The rooms one by one first, for a part of the time; then the whole level.
    const double now = Now();
    if (Staged(now + (deadline_ - now) * STAGED_SHARE, steps)) {
        result.nodes = nodes_.size();
        if (!Rebuild(steps, result)) {
            result.outcome = Outcome::NO_SOLUTION;
            result.reason = "internal error: the push list could not be walked";
            return result;
        }
        result.outcome = Outcome::SOLVED;
        return result;
    }
    steps.clear();
    Reset(maxNodes_);
    // First the feature space with weight 1 for a share of the time left, then the given weight
    // on one open list; a weight chosen by hand runs alone.
    const bool second = limits_.portfolio;
    const double split = Now() + (deadline_ - Now()) * (second ? PORTFOLIO_SHARE : 1.0);
    Search search = Search::LATE;
    for (int phase = 0; phase < (second ? 2 : 1); ++phase) {
        const double until = phase == 0 ? split : deadline_;
        byFeature_ = second && phase == 0;
        weight_ = byFeature_ ? 1 : limits_.weight;
        Reset(maxNodes_);
        roomUsed_ = false;
        search = SearchFrom(startBoxes_, startKeeper_, until, steps);
        if (search == Search::EXHAUSTED && roomUsed_) {
            // The goal room's order cut pushes: only a search without it can prove anything.
            useRoom_ = false;
            Reset(maxNodes_);
            search = SearchFrom(startBoxes_, startKeeper_, until, steps);
        }
        if (search == Search::FOUND || search == Search::EXHAUSTED) break;
    }
    result.nodes = nodes_.size();
    if (search == Search::FOUND) {
        if (!Rebuild(steps, result)) {
            result.outcome = Outcome::NO_SOLUTION;
            result.reason = "internal error: the push list could not be walked";
            return result;
        }
        result.outcome = Outcome::SOLVED;
        return result;
    }
    if (search == Search::LATE) {
        result.outcome = Outcome::TIME_LIMIT;
        result.reason = "time limit reached";
    } else if (search == Search::FULL) {
        result.outcome = Outcome::MEMORY_LIMIT;
        result.reason = "memory limit reached";
    } else if (nodes_.empty()) {
        result.outcome = Outcome::NO_SOLUTION;
        result.reason = "the boxes cannot all reach goals of their own";
    } else {
        result.outcome = Outcome::NO_SOLUTION;
        result.reason = "no solution exists (every reachable position searched)";
    }
    return result;
}

}  // namespace

double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

Result SolveLoadedLevel(CoreState& core, const Limits& limits, double started) {
    Result result;
    const LevelStatus status = core.level.board.status;
    if (status == LevelStatus::BLOCKED ||
        (status == LevelStatus::PLAYABLE && core.planner.unsolvable)) {
        result.outcome = Outcome::NO_SOLUTION;
        result.reason = status == LevelStatus::BLOCKED ? "the level is blocked from the start"
                                                       : "the position is proved unsolvable";
    } else if (status != LevelStatus::PLAYABLE) {
        result.outcome = Outcome::BAD_INPUT;
        result.reason = std::string("the level is not playable (") + LevelStatusName(status) + ")";
    } else {
        Solver solver(core, limits, started + limits.seconds);
        result = solver.Run();
        if (result.outcome == Outcome::SOLVED) {
            // The core replays the letters from the level's start and must call it solved.
            const bool parsed = door::ImportMoves(core, result.moves.c_str());
            if (!parsed || !door::Totals(core).solved) {
                result.outcome = Outcome::NO_SOLUTION;
                result.reason = "internal error: the answer did not replay as solved";
                result.moves.clear();
            }
        }
    }
    result.seconds = Now() - started;
    return result;
}

Result SolveFile(const std::string& path, const Limits& limits) {
    const double started = Now();
    Result result;
    std::unique_ptr<CoreState> core = CreateCoreState();
    if (!core) {
        result.reason = "out of memory";
        return result;
    }
    // The player hands over levels of up to 50 x 50.
    core->level.grids.maxWidth = GRID_SIDE;
    core->level.grids.maxHeight = GRID_SIDE;
    std::FILE* probe = std::fopen(path.c_str(), "rb");
    if (probe == nullptr) {
        result.reason = "cannot open " + path;
        return result;
    }
    std::fclose(probe);
    if (!door::LoadFileLevel(*core, path.c_str(), 1)) {
        result.reason = "no level in " + path;
        return result;
    }
    return SolveLoadedLevel(*core, limits, started);
}

std::string OutputText(const Result& result) {
    char line[512];
    if (result.outcome == Outcome::SOLVED) {
        std::snprintf(line, sizeof line,
                      "; pushbot42: solved in %u pushes, %u moves, %.2f s, %llu positions "
                      "(best-first, pushes not proved minimal)\n",
                      result.pushes, result.moveCount, result.seconds,
                      static_cast<unsigned long long>(result.nodes));
        return std::string(line) + result.moves + "\n";
    }
    const char* what = result.outcome == Outcome::BAD_INPUT ? "no level" : "no solution";
    std::snprintf(line, sizeof line, "; pushbot42: %s: %s (%.2f s, %llu positions)\n", what,
                  result.reason.c_str(), result.seconds,
                  static_cast<unsigned long long>(result.nodes));
    return line;
}

}  // namespace ruk::pushbot
