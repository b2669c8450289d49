// Random rooms with known solutions (see solved_rooms.h).
#include "solved_rooms.h"

#include <random>

#include "small_solver.h"

namespace ruk::test {

std::string PulledRoom(std::mt19937& rng) {
    const RoomShape shape{5, 4, 5, 4, 5, 2, 3};
    const SmallSolver room(RandomRoom(rng, shape));
    if (room.Width() == 0) return "";
    std::uint64_t boxes = room.Goals();
    int keeper = room.StartKeeper();
    if (boxes >> keeper & 1) return "";
    for (int step = 0; step < 300; ++step) {
        const int d = static_cast<int>(rng() % 4);
        const int to = keeper + room.Step(d);
        const int behind = keeper - room.Step(d);
        if (!room.Floor(to) || (boxes >> to & 1)) continue;
        if (boxes >> behind & 1)
            boxes = (boxes & ~(std::uint64_t{1} << behind)) | std::uint64_t{1} << keeper;
        keeper = to;
    }
    return room.Text(boxes, keeper);
}

std::vector<SolvedRoom> SolvedRandomRooms(unsigned seed, int count) {
    std::mt19937 rng(seed);
    std::vector<SolvedRoom> rooms;
    while (static_cast<int>(rooms.size()) < count) {
        const std::string text = PulledRoom(rng);
        SmallSolver solver(text);
        if (!solver.Solve(20000) || !solver.Solvable()) continue;
        const std::string moves = solver.Solution();
        int pushes = 0;
        for (char letter : moves) pushes += letter >= 'A' && letter <= 'Z';
        if (pushes >= 4) rooms.push_back({text, moves});
    }
    return rooms;
}

SolvedCollection WriteRoomCollection(const TempDir& dir, const std::vector<SolvedRoom>& rooms) {
    std::string levels = "; Random rooms\n\n";
    std::string solutions = "; Random rooms: fewest-push solutions\n";
    for (std::size_t i = 0; i < rooms.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        levels += "; " + n + "\n" + rooms[i].text + "\n";
        solutions += n + " " + rooms[i].moves + "\n";
    }
    return {dir.Write("rooms.txt", levels), dir.Write("rooms-solutions.txt", solutions), false};
}

}  // namespace ruk::test
