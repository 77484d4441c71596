#include <ostream>

#include "cli/Commands.h"
#include "cli/OutcomeReport.h"
#include "collection/ListMyRoms.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/Task.h"
#include "core/UiService.h"

namespace arc::cli {

namespace {

int Run(CliContext& context, const CommandArgs& args) {
    const ListMyRomsRequest request{args.Value("--db").value_or(TheSettings().DatabasePath),
                                    args.Value("--roms").value_or(TheSettings().RomsFolder)};
    ListMyRomsOutcome outcome =
        RunShown([&](TaskContext& taskContext) { return RunListMyRoms(request, taskContext); });
    if (outcome.cancelled()) outcome.message = std::to_string(outcome.scanned) + " entries scanned";
    return ReportOutcome(context, "list-roms", outcome);
}

}  // namespace

CliCommand ListRomsCommand() {
    return {"list-roms",
            "make the owned marks of the database match the sets of the ROM folder",
            {},
            {{"--db", "FILE", "the database (this run only; default: the settings' one)"},
             {"--roms", "DIR", "the ROM folder (this run only; default: the settings' one)"}},
            Run};
}

}  // namespace arc::cli
