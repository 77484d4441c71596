#pragma once
// The list pages built from the lists the game pages filled, and the site's
// index and links pages.

#include <string>
#include <vector>

#include "sheets/SheetRun.h"

namespace arc {

class TaskProgress;

/// The complete list, the manufacturer index and pages, the genre, category,
/// year and version pages, then GOT_IT.htm and NOT_GOT_IT.htm. Progress: a
/// count per family (27 letters, then one per group). False when the run was
/// cancelled.
bool WriteListPages(SheetRun& run, TaskProgress& progress);

/// "index.htm" of the destination.
void WriteIndexPage(const SheetRun& run);

/// "links.htm" of the destination.
void WriteLinksPage(const SheetRun& run);

/// The group pages of one family, as the list's entries are consumed: for
/// each group in order, the link lines of the remaining entries that begin
/// with the group's text, in list order. `list` must be sorted by character
/// code apart from the entries whose group was empty (already given the
/// unknown-group name).
std::vector<std::vector<std::string_view>> TakeGroupEntries(const std::vector<std::string>& list,
                                                            const std::vector<std::string>& groups);

/// The distinct group values of a list, in list order.
std::vector<std::string> DistinctGroups(const std::vector<std::string>& list);

/// Sorts a group list and names its empty group (the designed preparation).
void PrepareGroupList(std::vector<std::string>& list);

}  // namespace arc
