// build: the whole "Make Access database" task without its windows: a fresh
// copy of the template, the emulator's lists (made by the emulator when
// missing), the listxml import, the support files and the notes.

#include <ostream>

#include "cli/Commands.h"
#include "cli/LoggedErrors.h"
#include "core/AppState.h"
#include "core/Files.h"
#include "core/ProgramFolder.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "pipeline/BuildPipeline.h"
#include "xmlimport/ImportOptionsWindowState.h"

namespace arc::cli {
namespace {

int Run(CliContext& context, const CommandArgs& args) {
    Settings& settings = TheSettings();
    const std::string database = args.Value("--db").value_or(settings.DatabasePath);
    const std::string mame = args.Value("--mame").value_or("");
    const std::string listXml = args.Value("--listxml").value_or("");
    // The import options as the options window opens them, changed by the options.
    ImportOptionsWindowState options;
    options.refreshList = args.Has("--fresh-list");
    if (auto data = args.Value("--data")) options.useDefinedPaths = *data == "defined";
    if (auto method = args.Value("--method")) options.method = *method == "fast" ? 1 : 2;
    if (database.empty()) {
        context.err << "build: no database file (give --db FILE)\n";
        return 2;
    }
    for (const std::string& file : {mame, listXml}) {
        if (!file.empty() && !FileExists(file)) {
            context.err << "build: " << file << " not found\n";
            return 2;
        }
    }
    // The save dialog of the command line offers the chosen file.
    settings.DatabasePath = database;
    const std::string savedMame = settings.MameExe;
    if (!mame.empty()) settings.MameExe = mame;

    BuildHooks hooks;
    hooks.openImportOptions = [&] {
        options.Confirm();
        options.Unload();
    };
    hooks.importOptionsOpen = [] { return false; };
    hooks.listXml = listXml;
    const int errorsBefore = State().ErrorCount;
    const BuildOutcome outcome = BuildDatabase(hooks);

    // --mame is for this run only.
    if (!mame.empty()) {
        settings.MameExe = savedMame;
        SaveSettings();
    }
    if (outcome == BuildOutcome::Built) {
        context.out << Text(kTextDatabaseCreated) << '\n';
        return ReportLoggedErrors(context, "build", errorsBefore);
    }
    // Every other outcome leaves the previous database as it was.
    if (outcome == BuildOutcome::NotStarted && !context.assumeYes)
        context.err << "build: nothing was built (use --yes to replace an existing file)\n";
    else
        context.err << "build: no database was built\n";
    return 1;
}

}  // namespace

CliCommand BuildCommand() {
    return {"build",
            "build the database: the emulator's lists, the support files and the notes",
            {},
            {{"--db", "FILE", "the database to write (default: the settings' one)"},
             {"--listxml", "FILE", "read the emulator's -listxml output from FILE"},
             {"--mame", "EXE", "the emulator to run (this run only)"},
             {"--fresh-list", "", "have the emulator make its lists again"},
             {"--data", "defined|program",
              "support files from the folders of the settings or from the program folder"},
             {"--method", "fast|dom", "the import method of the -listxml output"}},
            Run};
}

}  // namespace arc::cli
