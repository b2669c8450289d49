// The room-by-room search (see room_by_room.h).
#include "room_by_room.h"

#include <algorithm>

#include "goal_room.h"
#include "pushbot_search.h"

namespace ruk::pushbot {

namespace {

constexpr std::size_t FIRST_BUDGET = 4096;  // positions for a stage, at first

}  // namespace

bool SolveRoomByRoom(PushSearch& search, const LevelCells& level, double deadline,
                     std::vector<PushStep>& steps) {
    const int nb = level.boxCount;
    if (nb > MATCHING_MAX_BOXES) return false;
    std::vector<std::vector<int>> groups = GoalGroups(level);
    if (groups.size() < 2) return false;
    std::vector<std::uint16_t> boxes(level.startBoxes);
    int keeper = level.startKeeper;
    std::vector<int> goalOf(nb);
    std::vector<std::uint8_t>& held = search.HeldCells();
    std::size_t budget = FIRST_BUDGET;
    search.SetStaged(true);
    bool ok = false;
    while (Now() < deadline && !search.Stopped()) {
        std::vector<int> groupOfGoal(level.goals.size(), -1);  // -1: a group already done
        for (std::size_t gi = 0; gi < groups.size(); ++gi)
            for (const int goal : groups[gi]) groupOfGoal[goal] = static_cast<int>(gi);
        if (search.Bound().Matching(boxes.data(), goalOf.data()) == DEAD_BOUND) break;
        bool progress = false;
        bool capped = false;
        for (std::size_t gi = 0; gi < groups.size() && !progress; ++gi) {
            // A box sent to a finished group's goal but off goals moves in every stage.
            for (int i = 0; i < nb; ++i) {
                const int group = groupOfGoal[goalOf[i]];
                held[boxes[i]] =
                    group != static_cast<int>(gi) && (group >= 0 || level.Goal(boxes[i]));
            }
            search.Reset(budget);
            const std::size_t before = steps.size();
            const SearchEnd found = search.Run(boxes, keeper, deadline, steps);
            for (int i = 0; i < nb; ++i) held[boxes[i]] = 0;
            if (found == SearchEnd::LATE) break;
            capped = capped || found == SearchEnd::FULL;
            if (found != SearchEnd::FOUND) continue;
            // Play the stage's pushes on the box list.
            for (std::size_t k = before; k < steps.size(); ++k) {
                const PushStep& st = steps[k];
                const int to = st.from + st.length * level.step[st.dir];
                for (auto& b : boxes)
                    if (b == st.from) b = static_cast<std::uint16_t>(to);
                keeper = to - level.step[st.dir];
            }
            std::sort(boxes.begin(), boxes.end());
            groups.erase(groups.begin() + static_cast<std::ptrdiff_t>(gi));
            progress = true;
        }
        if (groups.empty()) {
            ok = std::all_of(boxes.begin(), boxes.end(),
                             [&](std::uint16_t b) { return level.Goal(b); });
            break;
        }
        if (!progress) {
            if (!capped || budget >= search.MaxPositions()) break;
            budget *= 4;
        }
    }
    search.SetStaged(false);
    return ok;
}

}  // namespace ruk::pushbot
