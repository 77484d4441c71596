#include "audit/SoftwareAudit.h"

#include "audit/SetAuditor.h"
#include "audit/SoftwareNeeds.h"
#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "database/Database.h"
#include "software/SoftwareQuery.h"
#include "software/SoftwareTables.h"

namespace arc {
namespace {

constexpr int kProcSoftwareAudit = 702;

}  // namespace

static SoftwareAuditOutcome RunSoftwareAuditUncounted(
    const SoftwareAuditRequest& request, TaskContext& context,
    const std::function<void(const std::string&, const SetAudit&)>& onItem);

SoftwareAuditOutcome RunSoftwareAudit(
    const SoftwareAuditRequest& request, TaskContext& context,
    const std::function<void(const std::string&, const SetAudit&)>& onItem) {
    return RunCountingErrors<SoftwareAuditOutcome>(
        [&] { return RunSoftwareAuditUncounted(request, context, onItem); });
}

static SoftwareAuditOutcome RunSoftwareAuditUncounted(
    const SoftwareAuditRequest& request, TaskContext& context,
    const std::function<void(const std::string&, const SetAudit&)>& onItem) {
    SoftwareAuditOutcome outcome;
    auto fail = [&](std::string message) {
        static_cast<Outcome&>(outcome) = Outcome::Failure(std::move(message));
        return outcome;
    };
    if (!IsDatabaseOpen()) return fail("no database is open");
    if (!HasSoftwareTables()) return fail("the database holds no software lists");
    if (!FolderExists(request.romsFolder))
        return fail("the ROM folder " + request.romsFolder + " does not exist");

    struct ListFolder {
        std::string list;
        std::string folder;
        int items;
    };
    std::vector<ListFolder> folders;
    int total = 0;
    for (const SoftwareListRow& list : SoftwareLists()) {
        if (!request.list.empty() && !EqualsNoCase(list.name, request.list)) continue;
        const std::string folder = FindNoCase(request.romsFolder, list.name);
        if (!FolderExists(folder)) continue;
        folders.push_back({list.name, folder, list.items});
        total += list.items;
    }
    if (!request.list.empty() && folders.empty())
        return fail("no folder " + request.list + "/ of a software list in " + request.romsFolder);

    TaskProgress& progress = context.progress();
    progress.SetTotal(total);
    bool cancelled = false;
    const auto failure = GuardedFailure(kProcSoftwareAudit, [&] {
        Transaction transaction;
        Execute(
            "CREATE TABLE IF NOT EXISTS SoftwareAudit (ListName TEXT COLLATE NOCASE, Name TEXT "
            "COLLATE NOCASE, Verdict TEXT, Needed INTEGER, Found INTEGER, Missing INTEGER, Bad "
            "INTEGER, Unneeded INTEGER, Problems TEXT, PRIMARY KEY (ListName, Name))");
        Statement forget("DELETE FROM SoftwareAudit WHERE ListName = ? OR ? = ''");
        forget.Bind(1, request.list).Bind(2, request.list).Run();
        Statement insert("INSERT OR REPLACE INTO SoftwareAudit VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
        LabelThrottle label;
        int done = 0;
        for (const ListFolder& list : folders) {
            const RomFolder folder(list.folder);
            SetAuditor auditor(folder, request.full,
                               std::make_unique<SoftwareNeedsReader>(list.list));
            auditor.StopWhen([&progress] { return progress.Cancelled(); });
            Statement items(
                "SELECT Name, coalesce(CloneOf, '') FROM Software WHERE ListName = ? "
                "ORDER BY Name");
            items.Bind(1, list.list);
            while (items.Step()) {
                if (!progress.Step(++done)) {
                    cancelled = true;
                    return;  // rolled back: the last audit stays
                }
                const std::string name = items.ColumnText(0);
                if (!folder.Owns(name)) continue;
                if (label.Due()) progress.SetLabel(list.list + "/" + name);
                const SetAudit result = auditor.Audit(name, items.ColumnText(1));
                if (progress.Cancelled()) {
                    cancelled = true;  // its files were not read to their end
                    return;
                }
                insert.Bind(1, list.list).Bind(2, result.name).Bind(3, VerdictText(result.verdict));
                insert.Bind(4, result.needed).Bind(5, result.found).Bind(6, result.missing);
                insert.Bind(7, result.bad).Bind(8, result.unneeded).Bind(9, result.ProblemsText());
                insert.Run();
                ++outcome.audited;
                ++outcome.counts[static_cast<int>(result.verdict)];
                if (onItem) onItem(list.list, result);
            }
        }
        transaction.Commit();
    });
    if (failure) return fail("software audit: " + *failure);
    if (cancelled) {
        static_cast<Outcome&>(outcome) = Outcome::Cancel("the previous audit is kept");
        return outcome;
    }
    const int complete = outcome.counts[static_cast<int>(Verdict::Complete)] +
                         outcome.counts[static_cast<int>(Verdict::BestAvailable)];
    std::string counts = std::to_string(outcome.audited) + " software items audited";
    for (int i = 0; i < kVerdictCount; ++i)
        counts += (i ? ", " : ": ") + std::to_string(outcome.counts[i]) + " " +
                  std::string(VerdictText(static_cast<Verdict>(i)));
    if (complete < outcome.audited)
        static_cast<Outcome&>(outcome) =
            Outcome::Partly(complete, outcome.audited - complete, counts);
    else
        outcome.message = counts;
    return outcome;
}

}  // namespace arc
