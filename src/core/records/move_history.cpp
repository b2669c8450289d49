// MoveHistory storage (see move_history.h).
#include "records/move_history.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <limits>
#include <new>

namespace ruk {

std::uint32_t GrownCapacity(std::uint32_t capacity) {
    // Half as much again keeps the copies of a long string linear in its length in all.
    const std::uint32_t limit = std::numeric_limits<std::uint32_t>::max();
    const std::uint32_t step = std::max(HISTORY_STEP, capacity / 2);
    return capacity > limit - step ? limit : capacity + step;
}

bool InitMoveHistory(MoveHistory& history) {
    history.text.reset(new (std::nothrow) char[HISTORY_STEP]);
    history.capacity = history.text ? HISTORY_STEP : 0;
    history.cursor = 0;
    history.end = 0;
    history.failed = !history.text;
    if (history.text) history.text[0] = '\0';
    return !history.failed;
}

bool AppendLetter(MoveHistory& history, char letter) {
    if (history.failed || !history.text) {
        history.failed = true;
        return false;
    }
    if (history.end == history.capacity - 1) {
        const std::uint32_t grown = GrownCapacity(history.capacity);
        if (grown <= history.capacity) {
            history.failed = true;
            return false;
        }
        std::unique_ptr<char[]> bigger(new (std::nothrow) char[grown]);
        if (!bigger) {
            history.failed = true;
            return false;
        }
        std::memcpy(bigger.get(), history.text.get(), history.end + 1);
        history.text = std::move(bigger);
        history.capacity = grown;
    }
    assert(history.end + 1 < history.capacity);
    history.text[history.end++] = letter;
    history.text[history.end] = '\0';
    return true;
}

void CutAtCursor(MoveHistory& history) {
    if (!history.text || history.cursor > history.end) return;
    history.end = history.cursor;
    history.text[history.end] = '\0';
}

void EmptyMoveHistory(MoveHistory& history) {
    history.cursor = 0;
    history.end = 0;
    history.failed = !history.text;
    if (history.text) history.text[0] = '\0';
}

}  // namespace ruk
