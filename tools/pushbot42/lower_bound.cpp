// The matching lower bound (see lower_bound.h).
#include "lower_bound.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace ruk::pushbot {

LowerBound::LowerBound(const GoalDistances& distances, int boxCount)
    : distances_(distances), boxCount_(boxCount) {
    const std::size_t side = static_cast<std::size_t>(boxCount) + 1;
    if (boxCount > MATCHING_MAX_BOXES) return;
    cost_.assign(side * side, 0);
    boxPotential_.assign(side, 0);
    goalPotential_.assign(side, 0);
    boxOfGoal_.assign(side, 0);
    pathBack_.assign(side, 0);
    slack_.assign(side, 0);
    inTree_.assign(side, 0);
}

std::uint32_t LowerBound::Of(const std::uint16_t* boxes) {
    if (boxCount_ <= MATCHING_MAX_BOXES) return Matching(boxes);
    std::uint32_t sum = 0;
    for (int i = 0; i < boxCount_; ++i) sum += distances_.ToNearestGoal(boxes[i]);
    return sum;
}

namespace {

constexpr int BIG = 1 << 20;  // an unreachable goal: any matching using it is dead
constexpr int INF = std::numeric_limits<int>::max() / 2;

}  // namespace

// Minimum-cost perfect matching of boxes (rows) to goals (columns), potentials form.
std::uint32_t LowerBound::Matching(const std::uint16_t* boxes, int* goalOf) {
    const int n = boxCount_;
    const int side = n + 1;
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) {
            const std::uint16_t d = distances_.ToGoal(j - 1, boxes[i - 1]);
            cost_[i * side + j] = d == UNREACHABLE ? BIG : d;
        }
    }
    baseValid_ = false;  // cost_ is these boxes' now
    std::fill(boxPotential_.begin(), boxPotential_.end(), 0);
    std::fill(goalPotential_.begin(), goalPotential_.end(), 0);
    std::fill(boxOfGoal_.begin(), boxOfGoal_.end(), 0);
    std::fill(pathBack_.begin(), pathBack_.end(), 0);
    for (int i = 1; i <= n; ++i) Augment(i);
    if (goalOf != nullptr)
        for (int j = 1; j <= n; ++j) goalOf[boxOfGoal_[j] - 1] = j - 1;
    return MatchedCost();
}

void LowerBound::Augment(int row) {
    const int n = boxCount_;
    const int side = n + 1;
    int* u = boxPotential_.data();
    int* v = goalPotential_.data();
    int* p = boxOfGoal_.data();
    int* way = pathBack_.data();
    int* minv = slack_.data();
    std::uint8_t* used = inTree_.data();
    p[0] = row;
    int j0 = 0;
    for (int j = 0; j <= n; ++j) {
        minv[j] = INF;
        used[j] = 0;
    }
    do {
        used[j0] = 1;
        const int i0 = p[j0];
        int delta = INF, j1 = 0;
        for (int j = 1; j <= n; ++j) {
            if (used[j]) continue;
            const int cur = cost_[i0 * side + j] - u[i0] - v[j];
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

std::uint32_t LowerBound::MatchedCost() const {
    const int side = boxCount_ + 1;
    std::uint32_t total = 0;
    for (int j = 1; j <= boxCount_; ++j) {
        const int c = cost_[boxOfGoal_[j] * side + j];
        if (c >= BIG) return DEAD_BOUND;
        total += static_cast<std::uint32_t>(c);
    }
    return total;
}

void LowerBound::SetRowCosts(int row, int cell) {
    const int side = boxCount_ + 1;
    int* rowCost = &cost_[static_cast<std::size_t>(row) * side];
    for (int j = 1; j <= boxCount_; ++j) {
        const std::uint16_t d = distances_.ToGoal(j - 1, cell);
        rowCost[j] = d == UNREACHABLE ? BIG : d;
    }
}

void LowerBound::FreeRow(int row) {
    const int side = boxCount_ + 1;
    const int* rowCost = &cost_[static_cast<std::size_t>(row) * side];
    int lowest = INF;
    for (int j = 1; j <= boxCount_; ++j) {
        if (boxOfGoal_[j] == row) boxOfGoal_[j] = 0;
        lowest = std::min(lowest, rowCost[j] - goalPotential_[j]);
    }
    boxPotential_[row] = lowest;
}

std::uint32_t LowerBound::SetBase(const std::uint16_t* boxes) {
    const int n = boxCount_;
    baseBoxes_.assign(boxes, boxes + n);
    if (n > MATCHING_MAX_BOXES) return Of(boxes);
    if (rowAtCell_.empty()) {
        rowAtCell_.assign(distances_.Cells(), 0);
        rowOfBox_.assign(n, 0);
        cellOfRow_.assign(n + 1, 0);
        rowKept_.assign(n + 1, 0);
    }
    // Boxes on the last base's cells keep their rows; the others take the rows left over.
    changedRows_.clear();
    if (baseValid_) {
        std::fill(rowKept_.begin(), rowKept_.end(), 0);
        for (int i = 0; i < n; ++i) {
            rowOfBox_[i] = rowAtCell_[boxes[i]];
            rowKept_[rowOfBox_[i]] = 1;  // row 0 for a new cell: unused
        }
        for (int r = 1; r <= n; ++r)
            if (!rowKept_[r]) changedRows_.push_back(r);
    }
    for (int r = 1; r <= n; ++r) rowAtCell_[cellOfRow_[r]] = 0;
    std::uint32_t bound;
    if (!baseValid_ || changedRows_.size() * 3 > static_cast<std::size_t>(n)) {
        bound = Matching(boxes);
        for (int i = 0; i < n; ++i) rowOfBox_[i] = i + 1;
    } else {
        std::copy(baseBoxPotential_.begin(), baseBoxPotential_.end(), boxPotential_.begin());
        std::copy(baseGoalPotential_.begin(), baseGoalPotential_.end(), goalPotential_.begin());
        std::copy(baseBoxOfGoal_.begin(), baseBoxOfGoal_.end(), boxOfGoal_.begin());
        std::size_t next = 0;
        for (int i = 0; i < n; ++i) {
            if (rowOfBox_[i] > 0) continue;
            rowOfBox_[i] = changedRows_[next++];
            SetRowCosts(rowOfBox_[i], boxes[i]);
        }
        for (const int r : changedRows_) FreeRow(r);
        for (const int r : changedRows_) Augment(r);
        bound = MatchedCost();
    }
    for (int i = 0; i < n; ++i) {
        cellOfRow_[rowOfBox_[i]] = boxes[i];
        rowAtCell_[boxes[i]] = rowOfBox_[i];
    }
    baseBoxPotential_ = boxPotential_;
    baseGoalPotential_ = goalPotential_;
    baseBoxOfGoal_ = boxOfGoal_;
    baseValid_ = true;
    return bound;
}

std::uint32_t LowerBound::AfterMove(int k, int cell) {
    const int n = boxCount_;
    if (n > MATCHING_MAX_BOXES) {
        std::uint32_t sum = 0;
        for (int i = 0; i < n; ++i) sum += distances_.ToNearestGoal(i == k ? cell : baseBoxes_[i]);
        return sum;
    }
    const int side = n + 1;
    const int row = rowOfBox_[k];
    int* rowCost = &cost_[static_cast<std::size_t>(row) * side];
    savedRow_.assign(rowCost, rowCost + side);
    std::copy(baseBoxPotential_.begin(), baseBoxPotential_.end(), boxPotential_.begin());
    std::copy(baseGoalPotential_.begin(), baseGoalPotential_.end(), goalPotential_.begin());
    std::copy(baseBoxOfGoal_.begin(), baseBoxOfGoal_.end(), boxOfGoal_.begin());
    SetRowCosts(row, cell);
    FreeRow(row);
    Augment(row);
    const std::uint32_t bound = MatchedCost();
    std::copy(savedRow_.begin(), savedRow_.end(), rowCost);
    return bound;
}

}  // namespace ruk::pushbot
