// Move text with run lengths (see move_runs.h).
#include "textio/move_runs.h"

namespace ruk {

const char* MoveTextErrorText(MoveTextError error) {
    switch (error) {
        case MoveTextError::NONE:
            return "";
        case MoveTextError::NO_MOVES:
            return "no moves";
        case MoveTextError::BAD_CHARACTER:
            return "a character that is not a move";
        case MoveTextError::ZERO_COUNT:
            return "a count of 0";
        case MoveTextError::COUNT_WITHOUT_MOVE:
            return "a count without a move letter after it";
        case MoveTextError::COUNT_TOO_LARGE:
            return "a count over 1000000";
        case MoveTextError::OPEN_GROUP:
            return "a bracket that is never closed";
        case MoveTextError::STRAY_CLOSE:
            return "a closing bracket without an opening one";
        case MoveTextError::EMPTY_GROUP:
            return "brackets without a move between them";
        case MoveTextError::GROUPS_TOO_DEEP:
            return "brackets nested more than 8 deep";
        case MoveTextError::TOO_LONG:
            return "more than 4194304 moves";
    }
    return "";
}

bool HasRunLengths(const char* text) {
    for (const char* p = text; *p != '\0'; ++p)
        if (move_runs_detail::IsDigit(*p) || *p == '(' || *p == ')') return true;
    return false;
}

}  // namespace ruk
