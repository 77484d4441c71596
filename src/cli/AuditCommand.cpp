// audit [--db FILE] [--roms DIR] [--full] [--set NAME...]: audits the owned
// sets of the ROM folder, one tab-separated line per set (name, verdict,
// problems) and a summary. Exit code 0 only when every audited set is
// complete or best available (no better dump exists); 1 otherwise, and when
// a named set was not audited or the audit did not run to its end.

#include <ostream>

#include "audit/Audit.h"
#include "cli/Commands.h"
#include "cli/OneOffPaths.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "database/Database.h"

namespace arc::cli {
namespace {

constexpr std::string_view kUsage = "audit [--db FILE] [--roms DIR] [--full] [--set NAME...]";

}  // namespace

int RunAuditCommand(CliContext& context, const std::vector<std::string>& args) {
    const OneOffPaths oneOff;
    AuditOptions options;
    bool setOption = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if ((arg == "--db" || arg == "--roms") && i + 1 < args.size()) {
            (arg == "--db" ? TheSettings().DatabasePath : TheSettings().RomsFolder) = args[++i];
            setOption = false;
        } else if (arg == "--full") {
            options.full = true;
            setOption = false;
        } else if (arg == "--set") {
            setOption = true;
        } else if (setOption && !arg.starts_with("--")) {
            options.sets.push_back(arg);
        } else {
            context.err << "audit: unexpected argument '" << arg << "' (usage: " << kUsage << ")\n";
            return 2;
        }
    }
    if (setOption && options.sets.empty()) {
        context.err << "audit: --set needs at least one set name\n";
        return 2;
    }
    options.romsFolder = TheSettings().RomsFolder;
    if (!OpenDatabase(TheSettings().DatabasePath)) {
        context.err << "audit: cannot open the database " << TheSettings().DatabasePath << '\n';
        return 1;
    }
    const AuditSummary summary = RunAudit(options, [&](const SetAudit& set) {
        context.out << set.name << '\t' << VerdictText(set.verdict) << '\t' << set.ProblemsText()
                    << '\n';
    });
    CloseDatabase();
    if (summary.withoutDevices)
        context.err << "audit: the database was built before device references were kept; the "
                       "devices' ROMs were not checked (build it again)\n";
    for (const std::string& name : summary.unknown)
        context.err << "audit: " << name << " is not a set of the database\n";
    for (const std::string& name : summary.notOwned)
        context.err << "audit: " << name << " is not owned (no archive or folder in "
                    << options.romsFolder << "), not audited\n";
    if (!summary.error.empty() || summary.cancelled) {
        context.err << "audit: "
                    << (summary.cancelled ? "cancelled"
                                          : summary.error + " (" + LogFilePath() + ")")
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

}  // namespace arc::cli
