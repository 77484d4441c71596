#include <ostream>

#include "cli/Commands.h"
#include "cli/OutcomeReport.h"
#include "collection/ListMyRoms.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/UiService.h"
#include "database/Database.h"
#include "software/OwnedSoftware.h"
#include "software/SoftwareTables.h"

namespace arc::cli {

namespace {

/// The software items of <rompath>/<list>/ marked owned, when the database
/// holds software lists.
int ListOwnedSoftware(CliContext& context, const ListMyRomsRequest& request) {
    DatabaseScope database;
    if (!database.Open(request.databasePath) || !HasSoftwareTables()) return 0;
    LongTask progress(0);
    TaskContext task(progress, Ui());
    const OwnedSoftwareOutcome outcome = RunOwnedSoftwareScan({request.romsFolder}, task);
    return ReportOutcome(context, "list-roms", outcome);
}

int Run(CliContext& context, const CommandArgs& args) {
    const ListMyRomsRequest request{args.Value("--db").value_or(TheSettings().DatabasePath),
                                    args.Value("--roms").value_or(TheSettings().RomsFolder)};
    ListMyRomsOutcome outcome;
    {
        LongTask progress(0, false);
        TaskContext taskContext(progress, Ui());
        outcome = RunListMyRoms(request, taskContext);
    }
    if (outcome.cancelled()) outcome.message = std::to_string(outcome.scanned) + " entries scanned";
    const int code = ReportOutcome(context, "list-roms", outcome);
    return code != 0 ? code : ListOwnedSoftware(context, request);
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
