// Which of the browser's rows are listed: a filter on their progress and a search over their
// titles and numbers.
#pragma once

#include <string>
#include <vector>

#include "level_browser/level_rows.h"

namespace ruk {

enum class RowFilter { ALL, UNSOLVED, SOLVED, KEPT_GAME };

// Whether row number passes filter and search. search matches a title that holds it (letters of
// either case) or a number whose digits hold it; an empty search matches every row. A row not
// read yet passes only the whole list with no search, since nothing is known of it.
bool RowListed(int number, const BrowserRow& row, RowFilter filter, const std::string& search);

// The numbers of rows' listed rows, in file order.
std::vector<int> ListedRows(const LevelRows& rows, RowFilter filter, const std::string& search);

}  // namespace ruk
