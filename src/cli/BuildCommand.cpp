// build: the whole "Make Access database" task without its windows: a fresh
// copy of the template, the emulator's lists (made by the emulator when
// missing), the listxml import, the support files and the notes.

#include <ostream>

#include "build/BuildPipeline.h"
#include "cli/Commands.h"
#include "cli/LoggedErrors.h"
#include "core/AppState.h"
#include "core/Files.h"
#include "core/ProgramFolder.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "xmlimport/ImportOptionsWindowState.h"

namespace arc::cli {
namespace {

constexpr const char* kUsage =
    "build [--db FILE] [--listxml FILE] [--mame EXE] [--fresh-list] [--data defined|program] "
    "[--method fast|dom]";

}  // namespace

int RunBuildCommand(CliContext& context, const std::vector<std::string>& args) {
    Settings& settings = TheSettings();
    std::string database = settings.DatabasePath;
    std::string mame;
    std::string listXml;
    // The import options as the options window opens them, changed by the options.
    ImportOptionsWindowState options;
    options.refreshList = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--db" && hasValue) {
            database = args[++i];
        } else if (arg == "--mame" && hasValue) {
            mame = args[++i];
        } else if (arg == "--listxml" && hasValue) {
            listXml = args[++i];
        } else if (arg == "--fresh-list") {
            options.refreshList = true;
        } else if (arg == "--data" && hasValue &&
                   (args[i + 1] == "defined" || args[i + 1] == "program")) {
            options.useDefinedPaths = args[++i] == "defined";
        } else if (arg == "--method" && hasValue &&
                   (args[i + 1] == "fast" || args[i + 1] == "dom")) {
            options.method = args[++i] == "fast" ? 1 : 2;
        } else {
            context.err << "build: unexpected argument '" << arg << "' (usage: " << kUsage << ")\n";
            return 2;
        }
    }
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
        context.out << Text(230) << '\n';
        return ReportLoggedErrors(context, "build", errorsBefore);
    }
    // Every other outcome leaves the previous database as it was.
    if (outcome == BuildOutcome::NotStarted && !context.assumeYes)
        context.err << "build: nothing was built (use --yes to replace an existing file)\n";
    else
        context.err << "build: no database was built\n";
    return 1;
}

}  // namespace arc::cli
