#pragma once
// The database build as a task: a fresh copy of the template filled beside
// the database from the emulator's list, the support files and the notes,
// which takes the database's place only when the build completed. Whatever
// else ends the build (cancel, error, kill) leaves the previous file as it was.

#include <optional>
#include <string>

#include "core/Task.h"
#include "pipeline/MameLists.h"
#include "pipeline/SupportFiles.h"
#include "software/SoftwareImport.h"
#include "xmlimport/ImportChoices.h"
#include "xmlimport/ListXmlImport.h"

namespace arc {

struct BuildRequest {
    std::string databasePath;  ///< the file the build makes (or replaces)
    EmulatorNames emulator;    ///< the emulator run when its lists are missing
    /// An emulator list to import instead of the program folder's
    /// "listxml.txt"; the emulator is then not run at all.
    std::string listXml;
    bool refreshList = false;  ///< have the emulator make its list again
    ImportMethod method = ImportMethod::Fast;
    SupportPaths supportPaths;
    /// The software lists, imported after the emulator's list (none: no step).
    std::optional<SoftwareImportRequest> software;
};

enum class BuildResult {
    Built,
    NotStarted,        ///< no file chosen, replacing refused or options cancelled
    TemplateMissing,   ///< "Arcanote.mdx" is not in the program folder: the program ends
    TargetIsTemplate,  ///< the chosen file is the template itself: refused
    Busy,              ///< another build or update of this database is running
    NoEmulator,        ///< the emulator could not be found, failed or cut its list short
    NoList,            ///< the list is missing, empty or not a whole emulator list
    Cancelled,
    Failed,  ///< an error of the database or the files ended the build
};

struct BuildOutcome : Outcome {
    BuildResult result = BuildResult::Built;
    /// The reason was already shown through the UI service (the emulator's
    /// failure, a list fault, the missing template); `message` then only
    /// says that nothing was built.
    bool told = false;
};

/// The request of a build of `databasePath` with `choices`, the emulator and
/// the defined support-file paths from `settings`.
BuildRequest BuildRequestFrom(const Settings& settings, std::string databasePath,
                              const ImportChoices& choices);

/// The whole build. The caller owns the progress window and has confirmed
/// that an existing file may be replaced. The database file is not changed
/// unless the outcome is Built; the settings are never touched.
BuildOutcome RunBuild(const BuildRequest& request, TaskContext& context);

}  // namespace arc
