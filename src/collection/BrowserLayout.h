#pragma once
// How the user set the game browser (sort, column widths, hidden columns,
// splitter), kept as one line of text between sessions.

#include <string>
#include <string_view>
#include <vector>

#include "collection/GameBrowserQuery.h"

namespace arc {

struct BrowserLayout {
    BrowserColumn sortColumn = BrowserColumn::Title;
    bool descending = false;
    std::vector<int> widths;         ///< pixels per column, in column order; 0 for the default
    std::vector<int> hiddenColumns;  ///< the columns the user chose not to see
    std::vector<int> splitter;       ///< sizes of the splitter's panes

    bool operator==(const BrowserLayout&) const = default;
};

/// The layout as one line: "sort=1 descending=0 widths=80,300 hidden=4 splitter=600,400".
std::string BrowserLayoutText(const BrowserLayout& layout);

/// Reads a line of BrowserLayoutText. What cannot be read (an unknown field, a
/// column that does not exist, a negative or huge size) is left at its default.
BrowserLayout ParseBrowserLayout(std::string_view text);

}  // namespace arc
