// The exhaustive search of small levels (see small_solver.h).
#include "small_solver.h"

#include <bit>
#include <deque>
#include <sstream>
#include <unordered_map>

namespace ruk::test {

namespace {

struct PositionKey {
    std::uint64_t boxes;
    int keeper;
    bool operator==(const PositionKey&) const = default;
};

struct PositionHash {
    std::size_t operator()(const PositionKey& k) const {
        return std::hash<std::uint64_t>()(k.boxes * 0x9E3779B97F4A7C15ull + k.keeper);
    }
};

constexpr char kWalk[] = "urdl";
constexpr char kPush[] = "URDL";

}  // namespace

SmallSolver::SmallSolver(const std::string& text) {
    std::vector<std::string> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(' ') == std::string::npos) continue;
        rows.push_back(line);
        if (static_cast<int>(line.size()) > width_) width_ = static_cast<int>(line.size());
    }
    height_ = static_cast<int>(rows.size());
    if (width_ * height_ > 64 || width_ == 0) {
        width_ = height_ = 0;
        return;
    }
    for (int r = 0; r < height_; ++r) {
        for (int c = 0; c < static_cast<int>(rows[r].size()); ++c) {
            const std::uint64_t bit = std::uint64_t{1} << (r * width_ + c);
            const char ch = rows[r][c];
            if (ch == '#') continue;
            floor_ |= bit;
            if (ch == '.' || ch == '*' || ch == '+') goals_ |= bit;
            if (ch == '$' || ch == '*') startBoxes_ |= bit;
            if (ch == '@' || ch == '+') startKeeper_ = r * width_ + c;
        }
    }
    // Only closed rooms: the keeper's area must not reach the rectangle's edge.
    const bool fair = startKeeper_ >= 0 && std::popcount(goals_) == std::popcount(startBoxes_) &&
                      startBoxes_ != 0;
    if (fair) {
        const std::uint64_t reach = Reach(startBoxes_, startKeeper_);
        for (int cell = 0; cell < width_ * height_; ++cell) {
            const int r = cell / width_;
            const int c = cell % width_;
            if ((reach >> cell & 1) && (r == 0 || c == 0 || r == height_ - 1 || c == width_ - 1))
                startKeeper_ = -1;
        }
    }
    if (!fair || startKeeper_ < 0) width_ = height_ = 0;
}

int SmallSolver::Step(int direction) const {
    const int steps[4] = {-width_, 1, width_, -1};
    return steps[direction];
}

std::uint64_t SmallSolver::Reach(std::uint64_t boxes, int cell) const {
    std::uint64_t seen = std::uint64_t{1} << cell;
    int stack[64];
    int top = 0;
    stack[top++] = cell;
    while (top > 0) {
        const int at = stack[--top];
        for (int d = 0; d < 4; ++d) {
            const int next = at + Step(d);
            if (!Floor(next) || (boxes >> next & 1) || (seen >> next & 1)) continue;
            seen |= std::uint64_t{1} << next;
            stack[top++] = next;
        }
    }
    return seen;
}

int SmallSolver::Find(std::uint64_t boxes, int keeperCell) const {
    const auto it = byBoxes_.find(boxes);
    if (it == byBoxes_.end()) return -1;
    const std::uint64_t reach = Reach(boxes, keeperCell);
    for (int i : it->second)
        if (reach >> positions_[static_cast<std::size_t>(i)].keeper & 1) return i;
    return -1;
}

bool SmallSolver::Explore(int maxPositions) {
    return Search(maxPositions, false);
}

bool SmallSolver::Solve(int maxPositions) {
    return Search(maxPositions, true);
}

bool SmallSolver::Search(int maxPositions, bool toFirstSolution) {
    if (width_ == 0) return false;
    std::unordered_map<PositionKey, int, PositionHash> index;
    auto add = [&](std::uint64_t boxes, int keeperCell, int push) {
        const int keeper = std::countr_zero(Reach(boxes, keeperCell));
        const auto [it, fresh] =
            index.emplace(PositionKey{boxes, keeper}, static_cast<int>(positions_.size()));
        if (fresh) {
            positions_.push_back({boxes, keeper});
            parent_.push_back(push);
        }
        return it->second;
    };
    add(startBoxes_, startKeeper_, -1);
    for (std::size_t i = 0; i < positions_.size(); ++i) {
        if (static_cast<int>(positions_.size()) > maxPositions) {
            positions_.clear();
            pushes_.clear();
            return false;
        }
        const SmallPosition here = positions_[i];
        if (here.boxes == goals_ && solvedAt_ < 0) {
            solvedAt_ = static_cast<int>(i);
            if (toFirstSolution) return true;
        }
        const std::uint64_t reach = Reach(here.boxes, here.keeper);
        for (int box = 0; box < width_ * height_; ++box) {
            if (!(here.boxes >> box & 1)) continue;
            for (int d = 0; d < 4; ++d) {
                const int behind = box - Step(d);
                const int ahead = box + Step(d);
                if (!Floor(behind) || !(reach >> behind & 1)) continue;
                if (!Floor(ahead) || (here.boxes >> ahead & 1)) continue;
                const std::uint64_t after =
                    (here.boxes & ~(std::uint64_t{1} << box)) | std::uint64_t{1} << ahead;
                const int push = static_cast<int>(pushes_.size());
                pushes_.push_back({static_cast<int>(i), 0, box, d});
                pushes_.back().to = add(after, box, push);
            }
        }
    }
    for (std::size_t i = 0; i < positions_.size(); ++i)
        byBoxes_[positions_[i].boxes].push_back(static_cast<int>(i));
    // Solvable positions: those from which a chain of pushes reaches the goals.
    std::vector<std::vector<int>> into(positions_.size());
    for (const SmallPush& p : pushes_) into[static_cast<std::size_t>(p.to)].push_back(p.from);
    canSolve_.assign(positions_.size(), 0);
    std::deque<int> queue;
    for (std::size_t i = 0; i < positions_.size(); ++i) {
        if (positions_[i].boxes == goals_) {
            canSolve_[i] = 1;
            queue.push_back(static_cast<int>(i));
        }
    }
    while (!queue.empty()) {
        const int at = queue.front();
        queue.pop_front();
        for (int from : into[static_cast<std::size_t>(at)]) {
            if (canSolve_[static_cast<std::size_t>(from)]) continue;
            canSolve_[static_cast<std::size_t>(from)] = 1;
            queue.push_back(from);
        }
    }
    return true;
}

std::string SmallSolver::Walk(std::uint64_t boxes, int from, int to) const {
    std::vector<int> came(static_cast<std::size_t>(width_ * height_), -1);
    std::deque<int> queue{from};
    came[static_cast<std::size_t>(from)] = from;
    while (!queue.empty() && came[static_cast<std::size_t>(to)] < 0) {
        const int at = queue.front();
        queue.pop_front();
        for (int d = 0; d < 4; ++d) {
            const int next = at + Step(d);
            if (!Floor(next) || (boxes >> next & 1) || came[static_cast<std::size_t>(next)] >= 0)
                continue;
            came[static_cast<std::size_t>(next)] = at;
            queue.push_back(next);
        }
    }
    std::string letters;
    for (int at = to; at != from;) {
        const int back = came[static_cast<std::size_t>(at)];
        for (int d = 0; d < 4; ++d)
            if (back + Step(d) == at) letters.insert(letters.begin(), kWalk[d]);
        at = back;
    }
    return letters;
}

std::string SmallSolver::Solution() const {
    if (solvedAt_ < 0) return "";
    std::vector<int> chain;
    for (int at = solvedAt_; parent_[static_cast<std::size_t>(at)] >= 0;) {
        const int push = parent_[static_cast<std::size_t>(at)];
        chain.insert(chain.begin(), push);
        at = pushes_[static_cast<std::size_t>(push)].from;
    }
    std::string moves;
    std::uint64_t boxes = startBoxes_;
    int keeper = startKeeper_;
    for (int push : chain) {
        const SmallPush& p = pushes_[static_cast<std::size_t>(push)];
        moves += Walk(boxes, keeper, p.box - Step(p.direction));
        moves += kPush[p.direction];
        boxes = (boxes & ~(std::uint64_t{1} << p.box)) | std::uint64_t{1}
                                                             << (p.box + Step(p.direction));
        keeper = p.box;
    }
    return moves;
}

std::string SmallSolver::Text(std::uint64_t boxes, int keeperCell) const {
    std::string text;
    for (int r = 0; r < height_; ++r) {
        std::string row;
        for (int c = 0; c < width_; ++c) {
            const int cell = r * width_ + c;
            const bool goal = goals_ >> cell & 1;
            if (!Floor(cell))
                row += '#';
            else if (boxes >> cell & 1)
                row += goal ? '*' : '$';
            else if (cell == keeperCell)
                row += goal ? '+' : '@';
            else
                row += goal ? '.' : ' ';
        }
        text += row + "\n";
    }
    return text;
}

}  // namespace ruk::test
