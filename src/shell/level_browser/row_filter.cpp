// The browser's filter and search (see row_filter.h).
#include "level_browser/row_filter.h"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace ruk {

namespace {

char Folded(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool Holds(const std::string& text, const std::string& part) {
    return std::search(text.begin(), text.end(), part.begin(), part.end(),
                       [](char a, char b) { return Folded(a) == Folded(b); }) != text.end();
}

bool PassesFilter(const BrowserRow& row, RowFilter filter) {
    switch (filter) {
        case RowFilter::ALL:
            return true;
        case RowFilter::UNSOLVED:
            return row.state == RowState::READ && !row.solved;
        case RowFilter::SOLVED:
            return row.state == RowState::READ && row.solved;
        case RowFilter::KEPT_GAME:
            return row.state == RowState::READ && row.hasGame;
    }
    return false;
}

}  // namespace

bool RowListed(int number, const BrowserRow& row, RowFilter filter, const std::string& search) {
    if (!PassesFilter(row, filter)) return false;
    if (search.empty()) return true;
    if (Holds(std::to_string(number), search)) return true;
    return row.state == RowState::READ && Holds(row.title, search);
}

std::vector<int> ListedRows(const LevelRows& rows, RowFilter filter, const std::string& search) {
    std::vector<int> listed;
    const int count = rows.Count();
    // Every row, read or not: nothing need be looked at.
    if (filter == RowFilter::ALL && search.empty()) {
        listed.resize(static_cast<std::size_t>(count));
        std::iota(listed.begin(), listed.end(), 1);
        return listed;
    }
    for (int number = 1; number <= count; ++number) {
        if (RowListed(number, rows.Row(number), filter, search)) listed.push_back(number);
    }
    return listed;
}

}  // namespace ruk
