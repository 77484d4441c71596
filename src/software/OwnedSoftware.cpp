#include "software/OwnedSoftware.h"

#include <filesystem>
#include <unordered_set>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "database/Database.h"
#include "software/SoftwareQuery.h"
#include "software/SoftwareTables.h"

namespace arc {
namespace {

constexpr int kProcOwnedSoftware = 701;

/// The set names a list folder holds: its archives and sub-folders.
std::vector<std::string> SetsIn(const std::string& folder) {
    std::vector<std::string> sets;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const std::filesystem::path& path = entry.path();
        if (entry.is_directory(ec)) {
            sets.push_back(path.filename().string());
        } else if (EqualsNoCase(path.extension().string(), ".zip") ||
                   EqualsNoCase(path.extension().string(), ".7z")) {
            sets.push_back(path.stem().string());
        }
    }
    return sets;
}

}  // namespace

static OwnedSoftwareOutcome RunOwnedSoftwareScanUncounted(const OwnedSoftwareRequest& request,
                                                          TaskContext& context);

OwnedSoftwareOutcome RunOwnedSoftwareScan(const OwnedSoftwareRequest& request,
                                          TaskContext& context) {
    return RunCountingErrors<OwnedSoftwareOutcome>(
        [&] { return RunOwnedSoftwareScanUncounted(request, context); });
}

static OwnedSoftwareOutcome RunOwnedSoftwareScanUncounted(const OwnedSoftwareRequest& request,
                                                          TaskContext& context) {
    OwnedSoftwareOutcome outcome;
    if (!IsDatabaseOpen()) {
        static_cast<Outcome&>(outcome) = Outcome::Failure("no database is open");
        return outcome;
    }
    if (!HasSoftwareTables()) return outcome;
    if (!FolderExists(request.romsFolder)) {
        static_cast<Outcome&>(outcome) =
            Outcome::Failure("the ROM folder " + request.romsFolder + " does not exist");
        return outcome;
    }
    const std::vector<SoftwareListRow> lists = SoftwareLists();
    TaskProgress& progress = context.progress();
    progress.SetTotal(static_cast<int>(lists.size()));
    bool cancelled = false;
    const auto failure = GuardedFailure(kProcOwnedSoftware, [&] {
        Transaction transaction;
        Execute("UPDATE Software SET Owned = 0 WHERE Owned <> 0");
        Statement mark("UPDATE Software SET Owned = 1 WHERE ListName = ? AND Name = ?");
        int done = 0;
        for (const SoftwareListRow& list : lists) {
            if (!progress.Step(done++)) {
                cancelled = true;
                return;  // rolled back: the marks of the last scan stay
            }
            const std::string folder = FindNoCase(request.romsFolder, list.name);
            if (!FolderExists(folder)) continue;
            std::unordered_set<std::string> seen;  // an archive and a folder of one set
            for (const std::string& set : SetsIn(folder))
                if (seen.insert(ToLowerAscii(set)).second)
                    outcome.owned += mark.Bind(1, list.name).Bind(2, set).Run();
        }
        progress.Step(done);
        transaction.Commit();
    });
    if (failure)
        static_cast<Outcome&>(outcome) = Outcome::Failure("owned software: " + *failure);
    else if (cancelled)
        static_cast<Outcome&>(outcome) = Outcome::Cancel();
    else
        outcome.message = std::to_string(outcome.owned) + " software items owned";
    return outcome;
}

}  // namespace arc
