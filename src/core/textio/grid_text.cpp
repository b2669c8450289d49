// GridToText (see grid_text.h).
#include "textio/grid_text.h"

namespace ruk {

char LevelCharOf(CellCode code, char floor) {
    switch (code & 15) {
        case 0:
            return floor;
        case 1:
            return '.';
        case 2:
            return '$';
        case 3:
            return '*';
        case 4:
            return '@';
        case 5:
            return '+';
        case 8:
        case 9:
            return '#';
        default:
            return '\0';
    }
}

void GridToText(GridText& out, const std::array<CellCode, MAX_CELLS>& grid, int maxWidth,
                int maxHeight, char floor) {
    int top = -1;
    int bottom = -1;
    int left = maxWidth;
    for (int r = 0; r < maxHeight; ++r) {
        for (int c = 0; c < maxWidth; ++c) {
            if ((grid[GridIndex(r, c)] & 15) == 0) continue;
            if (top < 0) top = r;
            bottom = r;
            if (c < left) left = c;
        }
    }
    int length = 0;
    for (int r = top; top >= 0 && r <= bottom; ++r) {
        int last = maxWidth - 1;
        while (last >= left && (grid[GridIndex(r, last)] & 15) == 0) --last;
        for (int c = left; c <= last; ++c) {
            const char ch = LevelCharOf(grid[GridIndex(r, c)], floor);
            if (ch != '\0') out[length++] = ch;
        }
        out[length++] = '\r';
        out[length++] = '\n';
    }
    out[length] = '\0';
}

}  // namespace ruk
