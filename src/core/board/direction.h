// Direction: one step on the Board, with its one conversion to move letters, direction bits and
// Board offsets. Everything per direction (letters, offset tables, marker bits, the keeper's
// skin columns) uses the same order: up, right, down, left.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace ruk {

enum class Direction : std::uint8_t { UP = 0, RIGHT = 1, DOWN = 2, LEFT = 3 };

constexpr int DIRECTION_COUNT = 4;
constexpr std::array<Direction, DIRECTION_COUNT> DIRECTIONS = {Direction::UP, Direction::RIGHT,
                                                               Direction::DOWN, Direction::LEFT};

// The direction's place in the order up, right, down, left: the index of per-direction tables.
constexpr int IndexOf(Direction d) {
    return static_cast<int>(d);
}
// The direction at place index of that order; none outside 0 to 3.
constexpr std::optional<Direction> DirectionAt(int index) {
    if (index < 0 || index >= DIRECTION_COUNT) return std::nullopt;
    return DIRECTIONS[index];
}

// ---- Direction bits: a set of directions in one word, bit k for the direction at place k ----

constexpr std::uint32_t DirectionBit(Direction d) {
    return 1u << IndexOf(d);
}
constexpr std::uint32_t DIR_UP = DirectionBit(Direction::UP);
constexpr std::uint32_t DIR_RIGHT = DirectionBit(Direction::RIGHT);
constexpr std::uint32_t DIR_DOWN = DirectionBit(Direction::DOWN);
constexpr std::uint32_t DIR_LEFT = DirectionBit(Direction::LEFT);

// The first direction, in order, whose bit is set in bits; none when no direction bit is set.
constexpr std::optional<Direction> FirstDirectionIn(std::uint32_t bits) {
    for (const Direction d : DIRECTIONS)
        if (bits & DirectionBit(d)) return d;
    return std::nullopt;
}

// ---- Move letters: "u r d l" walk, "U R D L" push ----

constexpr char WalkLetter(Direction d) {
    return "urdl"[IndexOf(d)];
}
constexpr char PushLetter(Direction d) {
    return "URDL"[IndexOf(d)];
}
// The direction of a move letter; none for any other byte.
constexpr std::optional<Direction> LetterDirection(char letter) {
    for (const Direction d : DIRECTIONS)
        if (letter == WalkLetter(d) || letter == PushLetter(d)) return d;
    return std::nullopt;
}

// ---- Board offsets ----

// The row and column change of one step.
constexpr int RowStep(Direction d) {
    constexpr int ROW[DIRECTION_COUNT] = {-1, 0, 1, 0};
    return ROW[IndexOf(d)];
}
constexpr int ColStep(Direction d) {
    constexpr int COL[DIRECTION_COUNT] = {0, 1, 0, -1};
    return COL[IndexOf(d)];
}

// Board index offsets for one row stride, set with the level's geometry.
struct DirectionTables {
    std::array<std::int32_t, DIRECTION_COUNT> stepOffset{};  // indexed by IndexOf
    std::array<std::int32_t, 9> dirBitOffset{};              // indexed by a direction bit
    std::array<std::int32_t, 8> ringOffset{};                // clockwise from north
};

void SetDirectionTables(DirectionTables& tables, int stride);

constexpr int StepOffset(const DirectionTables& tables, Direction d) {
    return tables.stepOffset[IndexOf(d)];
}
// The direction whose one step is offset; none when no step is.
constexpr std::optional<Direction> DirectionOfOffset(const DirectionTables& tables, int offset) {
    for (const Direction d : DIRECTIONS)
        if (StepOffset(tables, d) == offset) return d;
    return std::nullopt;
}

}  // namespace ruk
