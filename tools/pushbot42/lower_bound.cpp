// The matching lower bound (see lower_bound.h).
#include "lower_bound.h"

#include <algorithm>
#include <limits>

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

// Minimum-cost perfect matching of boxes (rows) to goals (columns), potentials form.
std::uint32_t LowerBound::Matching(const std::uint16_t* boxes, int* goalOf) {
    constexpr int BIG = 1 << 20;  // an unreachable goal: any matching using it is dead
    constexpr int INF = std::numeric_limits<int>::max() / 2;
    const int n = boxCount_;
    const int side = n + 1;
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) {
            const std::uint16_t d = distances_.ToGoal(j - 1, boxes[i - 1]);
            cost_[i * side + j] = d == UNREACHABLE ? BIG : d;
        }
    }
    int* u = boxPotential_.data();
    int* v = goalPotential_.data();
    int* p = boxOfGoal_.data();
    int* way = pathBack_.data();
    int* minv = slack_.data();
    std::uint8_t* used = inTree_.data();
    std::fill(u, u + side, 0);
    std::fill(v, v + side, 0);
    std::fill(p, p + side, 0);
    std::fill(way, way + side, 0);
    for (int i = 1; i <= n; ++i) {
        p[0] = i;
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
    const int total = -v[0];
    if (goalOf != nullptr)
        for (int j = 1; j <= n; ++j) goalOf[p[j] - 1] = j - 1;
    return total >= BIG ? DEAD_BOUND : static_cast<std::uint32_t>(total);
}

}  // namespace ruk::pushbot
