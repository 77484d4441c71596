#pragma once
// The database build: a fresh copy of the template, the emulator's lists, the
// XML import, the seventeen support files and the notes, under one progress
// window that can be cancelled at any point. The new database is filled beside
// the previous one and replaces it only when the build completed; whatever
// else ends the build (cancel, error, kill) leaves the previous one as it was.

#include <functional>
#include <string>

namespace arc {

/// What the build needs from its front end beyond the UI service.
struct BuildHooks {
    /// Opens the import-options window without waiting. Empty: the options
    /// (import method, UseDefinedPaths, fresh list) are taken as they are.
    std::function<void()> openImportOptions;
    /// True while that window is open; the build waits, letting events run.
    std::function<bool()> importOptionsOpen;
    /// An emulator list to import instead of the program folder's
    /// "listxml.txt"; the emulator is then not run at all.
    std::string listXml;
};

enum class BuildOutcome {
    Built,
    NotStarted,        ///< no file chosen, replacing refused or options cancelled
    TemplateMissing,   ///< "Arcanote.mdx" is not in the program folder: the program ends
    TargetIsTemplate,  ///< the chosen file is the template itself: refused
    NoEmulator,        ///< the emulator could not be found, failed or cut its list short
    NoList,            ///< the list is missing, empty or not a whole emulator list
    Cancelled,
    Failed,  ///< an error of the database or the files ended the build
};

/// The whole build ("Make Access database (MDB)"). Every outcome but Built and
/// NotStarted / Cancelled has been told to the user.
BuildOutcome BuildDatabase(const BuildHooks& hooks = {});

}  // namespace arc
