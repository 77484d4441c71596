#include <ostream>

#include "cli/Commands.h"
#include "cli/OneOffPaths.h"
#include "cli/OutcomeReport.h"
#include "cli/TerminalUi.h"
#include "collection/ListMyRoms.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "database/Database.h"
#include "software/OwnedSoftware.h"
#include "software/SoftwareTables.h"

namespace arc::cli {

namespace {

/// The software items of <rompath>/<list>/ marked owned, when the database
/// holds software lists.
int ListOwnedSoftware(CliContext& context) {
    DatabaseScope database;
    if (!database.Open(TheSettings().DatabasePath) || !HasSoftwareTables()) return 0;
    LongTask progress(0);
    TaskContext task(progress, Ui());
    const OwnedSoftwareOutcome outcome = RunOwnedSoftwareScan({TheSettings().RomsFolder}, task);
    return ReportOutcome(context, "list-roms", outcome);
}

int Run(CliContext& context, const CommandArgs& args) {
    const OneOffPaths oneOff;
    if (auto database = args.Value("--db")) TheSettings().DatabasePath = *database;
    if (auto roms = args.Value("--roms")) TheSettings().RomsFolder = *roms;
    // The database of --db (or of the settings) is the one the chooser confirms.
    if (context.ui) context.ui->nextFile = TheSettings().DatabasePath;
    const ListMyRomsSummary summary = ListMyRoms();
    if (!summary.finished) {
        context.err << "list-roms: "
                    << (summary.cancelled ? "cancelled" : "the ROM folder was not scanned") << " ("
                    << summary.scanned << " entries scanned)\n";
        return 1;
    }
    context.out << Text(kTextDone) << '\n'
                << summary.scanned << Text(kTextScannedFiles) << '\n'
                << summary.listed << Text(kTextListedRoms) << '\n';
    return ListOwnedSoftware(context);
}

}  // namespace

CliCommand ListRomsCommand() {
    return {"list-roms",
            "mark in the database the sets found in the ROM folder",
            {},
            {{"--db", "FILE", "the database (this run only; default: the settings' one)"},
             {"--roms", "DIR", "the ROM folder (this run only; default: the settings' one)"}},
            Run};
}

}  // namespace arc::cli
