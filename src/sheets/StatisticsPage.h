#pragma once
// "STAT.htm": counts over the whole game database for six subsets.

#include <string>
#include <string_view>
#include <vector>

#include "database/BackgroundRead.h"
#include "sheets/SheetRun.h"

namespace arc {

class TaskProgress;

/// The counts text for the games satisfying `condition` (all games when empty).
std::string StatisticsBlock(std::string_view condition);
/// The counts texts of several conditions, read in a few passes over the table.
/// On `own` when given, else on the shared connection.
std::vector<std::string> StatisticsBlocks(const std::vector<std::string_view>& conditions,
                                          const ReadOnlyDatabase* own = nullptr);

/// The counts of the page, taken on a thread and a connection of their own
/// from construction on, while steps that do not read the database run.
class StatisticsCounts {
  public:
    StatisticsCounts();
    /// Waits for the counts; takes them on the shared connection when the
    /// database is no file or cannot be opened again.
    std::vector<std::string> Blocks();

  private:
    BackgroundRead<std::vector<std::string>> blocks_;
};

/// Writes run.PagesFolder() + "STAT.htm", with the counts taken meanwhile when
/// given. Progress: 0 to 100; never cancelled.
void WriteStatisticsPage(const SheetRun& run, TaskProgress& progress,
                         StatisticsCounts* counts = nullptr);

}  // namespace arc
