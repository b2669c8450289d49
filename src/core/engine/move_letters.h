// Move letters: "u r d l" walk, "U R D L" push. Their directions are converted in
// board/direction.h; this adds what a letter says beyond its direction.
#pragma once

#include "board/direction.h"

namespace ruk {

constexpr bool IsPushLetter(char letter) {
    return letter >= 'A' && letter <= 'Z';
}

}  // namespace ruk
