// audit [--db FILE] [--roms DIR] [--full] [--set NAME...]: audits the owned
// sets of the ROM folder, one tab-separated line per set (name, verdict,
// problems) and a summary. Exit code 0 only when every audited set is
// complete or best available (no better dump exists); 1 otherwise, and when
// a named set was not audited or the audit did not run to its end. With
// --software, the owned software items instead, one line each (list, name,
// verdict, problems).

#include <ostream>

#include "audit/Audit.h"
#include "audit/SoftwareAudit.h"
#include "cli/Commands.h"
#include "cli/OutcomeReport.h"
#include "core/Log.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/Task.h"
#include "core/UiService.h"
#include "database/Database.h"
#include "software/OwnedSoftware.h"

namespace arc::cli {
namespace {

/// audit --software [--list NAME]: the owned software items, marked owned on
/// the way, one line per item (list, name, verdict, problems).
int RunSoftware(CliContext& context, const CommandArgs& args, const std::string& databasePath,
                const std::string& romsFolder) {
    DatabaseScope database;
    if (!database.Open(databasePath)) {
        context.err << "audit: cannot open the database " << databasePath << '\n';
        return 1;
    }
    SoftwareAuditRequest request;
    request.romsFolder = romsFolder;
    request.full = args.Has("--full");
    request.list = args.Value("--list").value_or(std::string());
    OwnedSoftwareOutcome owned;
    SoftwareAuditOutcome outcome;
    TaskProgress progress;
    Ui().RunTask(progress, [&](TaskContext& taskContext) {
        owned = RunOwnedSoftwareScan({request.romsFolder}, taskContext);
        if (!owned.ok()) return;
        outcome = RunSoftwareAudit(
            request, taskContext, [&](const std::string& list, const SetAudit& item) {
                context.out << list << '\t' << item.name << '\t' << VerdictText(item.verdict)
                            << '\t' << item.ProblemsText() << '\n';
            });
    });
    if (!owned.ok()) return ReportOutcome(context, "audit", owned);
    return ReportOutcome(context, "audit", outcome);
}

int Run(CliContext& context, const CommandArgs& args) {
    // --db and --roms are for this run: the settings keep theirs.
    const std::string databasePath = args.Value("--db").value_or(TheSettings().DatabasePath);
    AuditRequest request;
    request.romsFolder = args.Value("--roms").value_or(TheSettings().RomsFolder);
    if (args.Has("--software")) return RunSoftware(context, args, databasePath, request.romsFolder);
    request.full = args.Has("--full");
    request.sets = args.Values("--set");
    if (!OpenDatabase(databasePath)) {
        context.err << "audit: cannot open the database " << databasePath << '\n';
        return 1;
    }
    AuditOutcome summary;
    if (const std::string obstacle = AuditObstacle(request); !obstacle.empty()) {
        static_cast<Outcome&>(summary) = Outcome::Failure(obstacle);
    } else {
        TaskProgress progress;
        Ui().RunTask(progress, [&](TaskContext& task) {
            summary = RunAudit(request, task, [&](const SetAudit& set) {
                context.out << set.name << '\t' << VerdictText(set.verdict) << '\t'
                            << set.ProblemsText() << '\n';
            });
        });
    }
    CloseDatabase();
    if (summary.withoutDevices)
        context.err << "audit: the database was built before device references were kept; the "
                       "devices' ROMs were not checked (build it again)\n";
    for (const std::string& name : summary.unknown)
        context.err << "audit: " << name << " is not a set of the database\n";
    for (const std::string& name : summary.notOwned)
        context.err << "audit: " << name << " is not owned (no archive or folder in "
                    << request.romsFolder << "), not audited\n";
    if (!summary.ok()) {
        context.err << "audit: "
                    << (summary.cancelled() ? "cancelled"
                                            : summary.message + " (" + LogFilePath() + ")")
                    << "; the previous audit is kept\n";
        return 1;
    }
    context.out << summary.audited << " sets audited";
    for (int i = 0; i < kVerdictCount; ++i)
        context.out << (i ? ", " : ": ") << summary.counts[i] << ' '
                    << VerdictText(static_cast<Verdict>(i));
    context.out << '\n';
    const int complete = summary.counts[static_cast<int>(Verdict::Complete)] +
                         summary.counts[static_cast<int>(Verdict::BestAvailable)];
    const bool whole = summary.unknown.empty() && summary.notOwned.empty();
    return complete == summary.audited && whole ? 0 : 1;
}

}  // namespace

CliCommand AuditCommand() {
    return {"audit",
            "check the owned sets' archives against the database (nothing is changed)",
            {},
            {{"--db", "FILE", "the database (this run only; default: the settings' one)"},
             {"--roms", "DIR", "the ROM folder (this run only; default: the settings' one)"},
             {"--full", "", "also decompress every member and check its SHA-1"},
             {"--set", "NAME", "audit only these sets", kRepeatable, {}, "--software"},
             {"--software", "", "audit the owned software items instead of the machines"},
             {"--list", "NAME", "only the items of this software list", 0, "--software"}},
            Run};
}

}  // namespace arc::cli
