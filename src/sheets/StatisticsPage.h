#pragma once
// "STAT.htm": counts over the whole game database for six subsets.

#include <string>
#include <string_view>
#include <vector>

#include "sheets/SheetRun.h"

namespace arc {

class TaskProgress;

/// The counts text for the games satisfying `condition` (all games when empty).
std::string StatisticsBlock(std::string_view condition);
/// The counts texts of several conditions, read in a few passes over the table.
std::vector<std::string> StatisticsBlocks(const std::vector<std::string_view>& conditions);

/// Writes run.PagesFolder() + "STAT.htm". Progress: 0 to 100; never cancelled.
void WriteStatisticsPage(const SheetRun& run, TaskProgress& progress);

}  // namespace arc
