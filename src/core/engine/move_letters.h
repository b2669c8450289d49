// Move letters: "u r d l" walk, "U R D L" push, in the direction order up, right, down, left.
#pragma once

namespace ruk {

// The direction (0 up, 1 right, 2 down, 3 left) of a move letter, or -1 for any other byte.
constexpr int LetterDirection(char letter) {
    switch (letter) {
        case 'u':
        case 'U':
            return 0;
        case 'r':
        case 'R':
            return 1;
        case 'd':
        case 'D':
            return 2;
        case 'l':
        case 'L':
            return 3;
        default:
            return -1;
    }
}

// The one set of move letters: u d l r and U D L R; every reader of moves tests with this.
constexpr bool IsMoveLetter(char letter) {
    return LetterDirection(letter) >= 0;
}

constexpr bool IsPushLetter(char letter) {
    return letter >= 'A' && letter <= 'Z';
}

constexpr char WalkLetter(int direction) {
    return "urdl"[direction];
}
constexpr char PushLetter(int direction) {
    return "URDL"[direction];
}

}  // namespace ruk
