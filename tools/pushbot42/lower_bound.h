// The lower bound on the pushes left: the cheapest matching of boxes to goals of their own, each
// box charged its lone-box distance to its goal. Boxes get in one another's way, never out of
// it, so no answer needs fewer pushes.
#pragma once

#include <cstdint>
#include <vector>

#include "goal_distances.h"

namespace ruk::pushbot {

constexpr std::uint32_t DEAD_BOUND = 0xffffffffu;  // some box can get no goal of its own
constexpr int MATCHING_MAX_BOXES = 64;             // more boxes: the cheaper sum of nearest goals

class LowerBound {
  public:
    LowerBound(const GoalDistances& distances, int boxCount);

    // The bound for the boxes (boxCount cells): the matching's cost, or for more than
    // MATCHING_MAX_BOXES boxes the sum of their distances to their nearest goals.
    std::uint32_t Of(const std::uint16_t* boxes);

    // The cheapest perfect matching, or DEAD_BOUND. goalOf, when given, gets each box's goal
    // index (boxCount entries).
    std::uint32_t Matching(const std::uint16_t* boxes, int* goalOf = nullptr);

  private:
    const GoalDistances& distances_;
    int boxCount_;
    // The Hungarian method's tables, 1-based: costs, potentials of boxes and goals, the box
    // matched to each goal, the augmenting path and its slack.
    std::vector<int> cost_;  // [(box) * (boxCount + 1) + goal]
    std::vector<int> boxPotential_, goalPotential_, boxOfGoal_, pathBack_, slack_;
    std::vector<std::uint8_t> inTree_;
};

}  // namespace ruk::pushbot
