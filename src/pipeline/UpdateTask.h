#pragma once
// The update of an existing database from the sources chosen: the emulator's
// list and any of the support files, each read in one transaction.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Task.h"
#include "pipeline/MameLists.h"
#include "pipeline/SupportFiles.h"
#include "software/SoftwareImport.h"

namespace arc {

/// Source 0 is the emulator's list, sources 1..17 the support files in the
/// update window's order.
inline constexpr int kUpdateSources = 1 + kSupportFileCount;

/// The support file of source 1..17.
SupportFile UpdateSourceFile(int source);
/// Caption of source 0..17 (source 0 in the current language, then "Alltime.ini", ...).
std::string UpdateSourceCaption(int source);

/// The sources chosen and where the support files come from, as the update
/// window saves them: the 18 source values (0 or 1) and the first option's
/// value ("True"/"False"), joined by ";".
struct UpdateChoices {
    std::array<bool, kUpdateSources> sources{};
    bool useDefinedPaths = true;
};
UpdateChoices ParseUpdateChoices(std::string_view text);  ///< missing values: unticked
std::string UpdateChoicesText(const UpdateChoices& choices);

struct UpdateRequest {
    std::string databasePath;
    std::array<bool, kUpdateSources> sources{};
    EmulatorNames emulator;  ///< run for source 0
    SupportPaths supportPaths;
    /// The software lists, read after the emulator's list (none: not read).
    std::optional<SoftwareImportRequest> software;
};

/// Ok when every chosen source was read; partial, with the problems, when
/// some were not; failed when the database could not be opened or a second
/// writer holds it.
struct UpdateOutcome : Outcome {
    std::vector<std::string> problems;
};

/// Runs the chosen sources on the database, migrating an older one first.
/// The caller owns the progress window. A source read in part (a kill, an
/// engine error) leaves nothing of it in the database.
UpdateOutcome RunUpdate(const UpdateRequest& request, TaskContext& context);

}  // namespace arc
