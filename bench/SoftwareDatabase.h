#pragma once
// A fresh database with the software lists of a hash folder, for the
// software benchmarks.

#include <iostream>
#include <optional>
#include <string>

#include "core/Progress.h"
#include "core/ScriptedUi.h"
#include "core/Task.h"
#include "database/Database.h"
#include "software/SoftwareImport.h"

namespace arc::bench {

/// Makes the database at `database`, opens it for `use` and imports every
/// list of `hash`, written as a new file when `newFile`; the database stays
/// open. Nothing when it cannot be made (told).
inline std::optional<SoftwareImportOutcome> ImportIntoNewDatabase(
    const std::string& database, const std::string& hash, DatabaseUse use = DatabaseUse::Read,
    bool newFile = true) {
    std::string error;
    if (!CreateTemplateDatabase(database, &error) || !OpenDatabase(database, use)) {
        std::cerr << "cannot make " << database << ": " << error << '\n';
        return std::nullopt;
    }
    ScopedScriptedUi scripted;
    TaskProgress progress;
    TaskContext context(progress, scripted.ui);
    return RunSoftwareImport({hash, "", "", newFile}, context);
}

}  // namespace arc::bench
