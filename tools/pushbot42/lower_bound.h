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

    // The children of one position differ from it in one box: its matching, kept by SetBase,
    // needs one augmenting path per child instead of a matching from scratch. SetBase returns
    // Of(boxes), starting from the last base's matching when few boxes differ (positions
    // expanded one after another are often parent and child); AfterMove the bound once the
    // base's box number k stands on cell instead. Both give the same as Of.
    std::uint32_t SetBase(const std::uint16_t* boxes);
    std::uint32_t AfterMove(int k, int cell);

  private:
    // One row into the matching held in the tables: the shortest augmenting path over
    // reduced costs, the potentials kept feasible and tight on matched pairs.
    void Augment(int row);
    // The matched pairs' cost, or DEAD_BOUND when one is an unreachable goal.
    std::uint32_t MatchedCost() const;
    void SetRowCosts(int row, int cell);
    // The row loses its goal and takes the lowest potential that keeps its reduced costs at
    // zero or above, so that Augment can put it back.
    void FreeRow(int row);

    const GoalDistances& distances_;
    int boxCount_;
    // The Hungarian method's tables, 1-based: costs, potentials of boxes and goals, the box
    // matched to each goal, the augmenting path and its slack.
    std::vector<int> cost_;  // [(box) * (boxCount + 1) + goal]
    std::vector<int> boxPotential_, goalPotential_, boxOfGoal_, pathBack_, slack_;
    std::vector<std::uint8_t> inTree_;
    // The base of AfterMove: its boxes, and its potentials and matching after SetBase, whose
    // rows are in any order: the row of each box, the cell of each row. cost_ holds the base's
    // costs while baseValid_.
    std::vector<std::uint16_t> baseBoxes_;
    std::vector<int> baseBoxPotential_, baseGoalPotential_, baseBoxOfGoal_, savedRow_;
    std::vector<int> rowOfBox_, cellOfRow_, changedRows_;
    std::vector<std::uint8_t> rowKept_;
    std::vector<int> rowAtCell_;  // a base box's cell: its row; else 0
    bool baseValid_ = false;
};

}  // namespace ruk::pushbot
