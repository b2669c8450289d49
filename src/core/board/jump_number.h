// The level number typed into the Jump box, turned into a level of the file.
#pragma once

namespace ruk {

constexpr int JUMP_DIGITS = 9;  // characters of the box that are read

// The decimal value of at most the first 9 characters (leading blanks and a sign allowed, the
// digits up to the first other character; 0 when there are none), raised to 1 and lowered to
// count.
int JumpLevelNumber(const char* text, int count);

}  // namespace ruk
