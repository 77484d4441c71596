// build: the whole "Make Access database" task without its windows: a fresh
// copy of the template, the emulator's lists (made by the emulator when
// missing), the listxml import, the support files and the notes.

#include <ostream>

#include "cli/Commands.h"
#include "cli/LoggedErrors.h"
#include "cli/OutcomeReport.h"
#include "core/Files.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/Task.h"
#include "core/TextTable.h"
#include "pipeline/BuildTask.h"
#include "pipeline/DatabaseBuild.h"
#include "pipeline/SoftwareStep.h"

namespace arc::cli {
namespace {

int Run(CliContext& context, const CommandArgs& args) {
    const Settings& settings = TheSettings();
    const std::string database = args.Value("--db").value_or(settings.DatabasePath);
    const std::string mame = args.Value("--mame").value_or("");
    if (database.empty()) {
        context.err << "build: no database file (give --db FILE)\n";
        return 2;
    }
    for (const std::string& file : {mame, args.Value("--listxml").value_or("")}) {
        if (!file.empty() && !FileExists(file)) {
            context.err << "build: " << file << " not found\n";
            return 2;
        }
    }
    ImportChoices choices = RememberedImportChoices(settings);
    choices.refreshList = args.Has("--fresh-list");
    if (auto data = args.Value("--data")) choices.useDefinedPaths = *data == "defined";
    if (auto method = args.Value("--method"))
        choices.method = *method == "fast" ? ImportMethod::Fast : ImportMethod::Document;
    BuildRequest request = BuildRequestFrom(settings, database, choices);
    if (!mame.empty()) request.emulator.exe = mame;
    request.listXml = args.Value("--listxml").value_or("");
    if (args.Has("--software")) request.software = SoftwareSourceOf(request.emulator);

    // The previous file stays as ".bak"; still, replacing it takes a Yes.
    if (FileExists(database) && !IsTemplatePath(database) &&
        Ui().Message(Text(kTextDatabaseExistsReplace), MsgButtons::YesNo, MsgIcon::Question) !=
            MsgAnswer::Yes) {
        context.err << "build: nothing was built (use --yes to replace an existing file)\n";
        return 1;
    }
    const int errorsBefore = ErrorBlockCount();
    BuildOutcome outcome;
    {
        outcome = RunShown([&](TaskContext& task) { return RunBuild(request, task); });
    }
    if (!outcome.ok()) return ReportOutcome(context, "build", outcome);
    // Only a build that completed becomes the settings' database.
    TheSettings().DatabasePath = database;
    SaveSettings();
    ReportOutcome(context, "build", outcome);
    return ReportLoggedErrors(context, "build", errorsBefore);
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
             {"--method", "fast|dom", "the import method of the -listxml output"},
             {"--software", "", "also import the software lists (the emulator's hash path)"}},
            Run};
}

}  // namespace arc::cli
