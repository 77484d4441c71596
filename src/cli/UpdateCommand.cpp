// update: the chosen sources read again into an existing database, without
// the update window; the saved choices are the default and are not changed.

#include <array>
#include <ostream>

#include "cli/Commands.h"
#include "cli/LoggedErrors.h"
#include "cli/OutcomeReport.h"
#include "core/Files.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/Task.h"
#include "core/TextTable.h"
#include "pipeline/SoftwareStep.h"
#include "pipeline/UpdateTask.h"

namespace arc::cli {
namespace {

constexpr std::string_view kEmulatorOption = "--xml";

/// The option of each source: --xml, then the catalogue's update options.
std::string_view SourceOption(int source) {
    return source == 0 ? kEmulatorOption : RowOf(UpdateSourceFile(source)).option;
}

int Run(CliContext& context, const CommandArgs& args) {
    const Settings& settings = TheSettings();
    // Without source options, the choices saved by the update window.
    UpdateChoices choices = ParseUpdateChoices(settings.UpdateFileChoices);
    const bool all = args.Has("--all");
    std::array<bool, kUpdateSources> given{};
    bool anyGiven = all;
    for (int source = 0; source < kUpdateSources; ++source) {
        given[source] = all || args.Has(SourceOption(source));
        anyGiven = anyGiven || given[source];
    }
    if (anyGiven || args.Has("--software")) choices.sources = given;
    if (auto data = args.Value("--data")) choices.useDefinedPaths = *data == "defined";

    UpdateRequest request;
    request.databasePath = args.Value("--db").value_or(
        settings.UpdateDatabasePath.empty() ? settings.DatabasePath : settings.UpdateDatabasePath);
    request.sources = choices.sources;
    request.emulator = {args.Value("--mame").value_or(settings.MameExe), settings.MameFolder};
    request.supportPaths = {choices.useDefinedPaths, settings.DataFilePaths};
    if (!FileExists(request.databasePath)) {
        context.err << "update: " << request.databasePath << ": " << Text(kTextUpdateNoFile)
                    << '\n';
        return 1;
    }
    if (all || args.Has("--software")) request.software = SoftwareSourceOf(request.emulator);
    bool anySource = request.software.has_value();
    for (bool source : request.sources)
        anySource = anySource || source;
    if (!anySource) {
        context.err << "update: " << Text(kTextUpdateNoChoice) << '\n';
        return 1;
    }
    const int errorsBefore = ErrorBlockCount();
    UpdateOutcome outcome;
    {
        outcome = RunShown([&](TaskContext& task) {
            task.progress().SetLabel(Text(kTextUpdating));
            return RunUpdate(request, task);
        });
    }
    const int code = ReportOutcome(context, "update", outcome);
    return code != 0 ? code : ReportLoggedErrors(context, "update", errorsBefore);
}

}  // namespace

CliCommand UpdateCommand() {
    CliCommand command{
        "update",
        "update the database from the sources chosen (default: those of the last update)",
        {},
        {{"--db", "FILE", "the database to update (default: the one of the last update)"},
         {"--mame", "EXE", "the emulator to run (this run only)"},
         {"--data", "defined|program",
          "support files from the folders of the settings or from the program folder"},
         {"--all", "", "every source below"}},
        Run};
    for (int source = 0; source < kUpdateSources; ++source) {
        // The help is a view: the catalogue's caption, never a temporary string.
        command.options.push_back({SourceOption(source), "",
                                   source == 0 ? std::string_view("the emulator's data (-listxml)")
                                               : RowOf(UpdateSourceFile(source)).caption});
    }
    command.options.push_back({"--software", "", "the software lists (the emulator's hash path)"});
    return command;
}

}  // namespace arc::cli
