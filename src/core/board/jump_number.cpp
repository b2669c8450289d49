// Jump box text to level number (see jump_number.h).
#include "board/jump_number.h"

namespace ruk {

int JumpLevelNumber(const char* text, int count) {
    int i = 0;
    while (i < JUMP_DIGITS && text[i] == ' ') ++i;
    bool negative = false;
    if (i < JUMP_DIGITS && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long value = 0;  // nine digits at most: no overflow
    for (; i < JUMP_DIGITS && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10 + (text[i] - '0');
    if (negative) value = -value;
    if (value > count) value = count;
    if (value < 1) value = 1;
    return static_cast<int>(value);
}

}  // namespace ruk
