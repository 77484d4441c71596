#pragma once
// The game pages: the selection, one page per selected game, and the lists
// the list pages are built from.

#include <string>

#include "sheets/GamePageTemplate.h"
#include "sheets/SheetRun.h"

namespace arc {

class TaskProgress;

/// The selection statement for the run's choices.
std::string GameSelectionQuery(const SheetChoices& choices);

/// Reads the first Versions row into the run's version texts (left as they
/// are when the table is empty).
void ReadVersionTexts(SheetRun& run);

/// "0" in front of a version that begins with "." (".36" gives "0.36").
std::string CorrectedVersion(std::string_view version);

/// The first character of a title, ASCII letters upper-cased (a title that
/// is empty sorts as a blank).
std::string SortLetter(std::string_view title);

enum class PagesOutcome { Written, EmptySelection, Cancelled };

/// Writes every page of the selection into run.PagesFolder() and fills the
/// run's lists. Progress: one step per game; stops once the user cancelled.
/// An empty selection writes nothing.
PagesOutcome WriteGamePages(SheetRun& run, const GamePageTemplate& page, TaskProgress& progress);

}  // namespace arc
