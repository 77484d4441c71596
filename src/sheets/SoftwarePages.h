#pragma once
// The site's software-list pages: one page per list with its items, links to
// them from the index and the pages of the machines that use them, and their
// counts on the statistics page. Nothing changes when the database holds no
// software lists.

#include <string>
#include <string_view>
#include <unordered_map>

#include "sheets/SheetRun.h"

namespace arc {

/// Texts are in French when `french` (the pages' language).

/// The file name of a list's page, inside "html/".
std::string SoftwareListPageName(std::string_view list);

/// The "Software lists" line of each machine page, by machine name (links to
/// the list pages); empty without software lists.
std::unordered_map<std::string, std::string> SoftwareLinesByMachine(bool french);

/// Puts `block` before the page's closing body tag, else at its end.
void InsertBeforeBodyEnd(std::string& page, std::string_view block);

/// Writes "html/SOFTWARE.htm" and one page per list; the number of list pages.
int WriteSoftwarePages(const SheetRun& run);

/// The index's link to "html/SOFTWARE.htm"; "" without software lists.
std::string SoftwareIndexBlock(bool french);

/// The counts of lists, items and owned items for the statistics page; ""
/// without software lists.
std::string SoftwareStatisticsBlock(bool french);

}  // namespace arc
