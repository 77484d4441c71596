#include "audit/Audit.h"

#include "audit/SetAuditor.h"
#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Progress.h"
#include "database/Database.h"

namespace arc {
namespace {

constexpr int kProcAudit = 640;

constexpr std::string_view kVerdicts[kVerdictCount] = {"complete", "best available", "incomplete",
                                                       "bad", "unreadable"};

bool AuditTableExists() {
    return QueryValue("SELECT count(*) FROM sqlite_master WHERE type='table' AND name='Audit'") !=
           "0";
}

}  // namespace

std::string_view VerdictText(Verdict verdict) {
    return kVerdicts[static_cast<int>(verdict)];
}

std::string SetAudit::ProblemsText(std::size_t limit) const {
    std::string text;
    for (std::size_t i = 0; i < problems.size() && i < limit; ++i)
        text += (i ? "; " : "") + problems[i];
    if (problems.size() > limit)
        text += "; and " + std::to_string(problems.size() - limit) + " more";
    return text;
}

std::string AuditObstacle(const AuditRequest& request) {
    if (!IsDatabaseOpen()) return "no database is open";
    if (!FolderExists(request.romsFolder))
        return "the ROM folder " + request.romsFolder + " does not exist";
    return {};
}

AuditOutcome RunAudit(const AuditRequest& request, TaskContext& context,
                      const std::function<void(const SetAudit&)>& onSet) {
    AuditOutcome summary;
    TaskProgress& task = context.progress();
    std::string obstacle;
    bool cancelled = false;
    const bool ran = Guarded(kProcAudit, [&] {
        obstacle = AuditObstacle(request);
        if (!obstacle.empty()) return;
        const bool everySet = request.sets.empty();
        const RomFolder folder(request.romsFolder);
        const auto stop = [&task] { return task.Cancelled(); };
        auto stopped = [&] { return cancelled = task.Cancelled(); };
        if (stopped()) return;
        // What will be audited first, so that the count is of the owned sets.
        struct Work {
            std::string name;
            std::string romOf;
        };
        std::vector<Work> work;
        if (everySet) {
            Statement all("SELECT InternalName, romof FROM Data ORDER BY InternalName");
            while (all.Step())
                if (folder.Owns(all.ColumnView(0)))
                    work.push_back({all.ColumnText(0), all.ColumnText(1)});
        } else {
            Statement known("SELECT InternalName, romof FROM Data WHERE InternalName = ?");
            for (const std::string& set : request.sets) {
                known.Bind(1, set);
                if (!known.Step()) {
                    summary.unknown.push_back(set);
                } else if (!folder.Owns(known.ColumnView(0))) {
                    summary.notOwned.push_back(known.ColumnText(0));
                } else {
                    work.push_back({known.ColumnText(0), known.ColumnText(1)});
                }
                known.Reset();
            }
        }
        if (stopped()) return;
        task.SetTotal(static_cast<int>(work.size()));
        SetAuditor auditor(folder, request.full, std::make_unique<NeedsReader>(stop));
        if (stopped()) return;  // the devices were not all read
        auditor.StopWhen(stop);
        summary.withoutDevices = !auditor.KnowsDevices();
        Transaction transaction;
        Execute(
            "CREATE TABLE IF NOT EXISTS Audit (Name TEXT COLLATE NOCASE PRIMARY KEY, Verdict TEXT, "
            "Needed INTEGER, Found INTEGER, Missing INTEGER, Bad INTEGER, Unneeded INTEGER, "
            "Problems TEXT)");
        if (everySet) Execute("DELETE FROM Audit");
        Statement forget("DELETE FROM Audit WHERE Name = ?");
        for (const std::string& name : summary.notOwned)
            forget.Bind(1, name).Run();
        Statement insert("INSERT OR REPLACE INTO Audit VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
        LabelThrottle label;
        int done = 0;
        for (const Work& set : work) {
            if (!task.Step(++done)) {
                cancelled = true;
                return;  // the transaction rolls back: the last audit stays
            }
            if (label.Due()) task.SetLabel(set.name);
            const SetAudit result = auditor.Audit(set.name, set.romOf);
            if (stopped()) return;  // its files were not read to their end
            insert.Bind(1, result.name).Bind(2, VerdictText(result.verdict));
            insert.Bind(3, result.needed).Bind(4, result.found).Bind(5, result.missing);
            insert.Bind(6, result.bad).Bind(7, result.unneeded).Bind(8, result.ProblemsText());
            insert.Run();
            ++summary.audited;
            ++summary.counts[static_cast<int>(result.verdict)];
            if (onSet) onSet(result);
        }
        transaction.Commit();
    });
    if (!obstacle.empty()) {
        static_cast<Outcome&>(summary) = Outcome::Failure(obstacle);
    } else if (!ran) {
        static_cast<Outcome&>(summary) =
            Outcome::Failure("the audit stopped on an error (see the log)");
    } else if (cancelled) {
        static_cast<Outcome&>(summary) = Outcome::Cancel();
    }
    return summary;
}

bool HasAudit() {
    return AuditTableExists() &&
           QueryValue("SELECT count(*) FROM (SELECT 1 FROM Audit LIMIT 1)") != "0";
}

std::string AuditVerdictOf(std::string_view set) {
    if (!AuditTableExists()) return {};
    Statement verdict("SELECT Verdict FROM Audit WHERE Name = ?");
    verdict.Bind(1, set);
    return verdict.Step() ? verdict.ColumnText(0) : std::string();
}

std::array<int, kVerdictCount> AuditVerdictCounts() {
    std::array<int, kVerdictCount> counts{};
    if (!AuditTableExists()) return counts;
    Statement rows("SELECT Verdict, count(*) FROM Audit GROUP BY Verdict");
    while (rows.Step())
        for (int i = 0; i < kVerdictCount; ++i)
            if (rows.ColumnView(0) == kVerdicts[i]) counts[i] = static_cast<int>(rows.ColumnInt(1));
    return counts;
}

}  // namespace arc
