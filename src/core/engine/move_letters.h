// Move letters: "u r d l" walk, "U R D L" push. Their directions are converted in
// board/direction.h; this adds what a letter says beyond its direction.
#pragma once

#include "board/direction.h"

namespace ruk {

// The one set of move letters: u d l r and U D L R; every reader of moves tests with this.
constexpr bool IsMoveLetter(char letter) {
    return LetterDirection(letter).has_value();
}

constexpr bool IsPushLetter(char letter) {
    return letter >= 'A' && letter <= 'Z';
}

}  // namespace ruk
