#pragma once
// "STAT.htm": counts over the whole game database for six subsets.

#include <string>
#include <string_view>
#include <vector>

#include "sheets/SheetRun.h"

namespace arc {

/// The counts text for the games satisfying `condition` (all games when empty).
std::string StatisticsBlock(std::string_view condition);
/// The counts texts of several conditions, read in a few passes over the table.
std::vector<std::string> StatisticsBlocks(const std::vector<std::string_view>& conditions);

/// Writes run.PagesFolder() + "STAT.htm".
void WriteStatisticsPage(const SheetRun& run);

}  // namespace arc
