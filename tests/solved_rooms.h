// Random small rooms solved by the exhaustive search: known solutions of our own, written as a
// level file and a solution file like the collections'.
#pragma once

#include <random>
#include <string>
#include <vector>

#include "test_files.h"

namespace ruk::test {

struct SolvedRoom {
    std::string text;
    std::string moves;
};

// A closed room of up to 8 x 8 cells with 2 to 4 boxes, its boxes pulled off the goals by a
// random walk of the keeper, so that it can be solved (rooms with boxes strewn at random mostly
// cannot); "" when the room drawn had no fair start.
std::string PulledRoom(std::mt19937& rng);

// count closed rooms of up to 8 x 8 cells with 2 to 4 boxes, each with a solution of fewest
// pushes (at least four) found by the exhaustive search; the same rooms for the same seed.
std::vector<SolvedRoom> SolvedRandomRooms(unsigned seed, int count);

// The rooms as "rooms.txt" and "rooms-solutions.txt" in dir.
SolvedCollection WriteRoomCollection(const TempDir& dir, const std::vector<SolvedRoom>& rooms);

}  // namespace ruk::test
