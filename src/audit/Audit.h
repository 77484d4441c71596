#pragma once
// The audit of a ROM collection: for every owned set, whether the files the
// emulator loads for it are there and right. Results go in the Audit table
// (one row per audited set), which the audit makes the first time it runs
// and a new audit replaces; nothing in the ROM folder is ever changed.

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Task.h"

namespace arc {

enum class Verdict {
    Complete,
    BestAvailable,  ///< complete, with ROMs or disks known only as bad dumps
    Incomplete,     ///< ROMs or disks missing
    Bad,            ///< ROMs or disks of the wrong size, CRC-32 or SHA-1
    Unreadable,     ///< a damaged archive, unreadable folder or CHD header
};
inline constexpr int kVerdictCount = 5;

/// "complete", "best available", "incomplete", "bad", "unreadable".
std::string_view VerdictText(Verdict verdict);

/// Best available counts as complete: the emulator runs the set as well as
/// any dump known allows.
inline bool CountsAsComplete(Verdict verdict) {
    return verdict == Verdict::Complete || verdict == Verdict::BestAvailable;
}

struct SetAudit {
    std::string name;
    Verdict verdict = Verdict::Complete;
    int needed = 0;  ///< ROMs and disks the set needs (nodump ones left out)
    int found = 0;   ///< of those, present and right
    int missing = 0;
    int bad = 0;
    int unneeded = 0;  ///< members of the set's own files that no set needs
    std::vector<std::string> problems;

    /// The first problems, "; "-joined, with a count of those left out.
    std::string ProblemsText(std::size_t limit = 10) const;
};

struct AuditRequest {
    std::string romsFolder;
    bool full = false;              ///< inflate ZIP members and check their SHA-1
    std::vector<std::string> sets;  ///< only these sets (empty: every owned set)
};

/// Ok when the audit ran to its end and its results were saved, cancelled, or
/// failed with why it could not run or stopped.
struct AuditOutcome : Outcome {
    int audited = 0;
    std::array<int, kVerdictCount> counts{};  ///< by Verdict
    std::vector<std::string> notOwned;        ///< named sets without an archive or folder
    std::vector<std::string> unknown;         ///< named sets the database does not hold
    bool withoutDevices = false;  ///< the database has no device references (an older import)
};

/// Why the audit cannot run with `request` ("" when it can): no database
/// open, or no ROM folder.
std::string AuditObstacle(const AuditRequest& request);

/// Audits the owned sets of the open database, calling `onSet` with each
/// result as it comes. Reports to the context's progress (a step per set, the
/// set's name as label) and stops when it is cancelled. The results replace
/// the Audit table's rows in one transaction at the end (for named sets, only
/// their rows); a cancel or an error keeps the previous ones.
AuditOutcome RunAudit(const AuditRequest& request, TaskContext& context,
                      const std::function<void(const SetAudit&)>& onSet = {});

// Reading the last audit (the database open).

/// True when an audit has been saved.
bool HasAudit();
/// The verdict text of a set in the last audit ("" when it was not audited).
std::string AuditVerdictOf(std::string_view set);
/// How many sets of the last audit have each verdict.
std::array<int, kVerdictCount> AuditVerdictCounts();

}  // namespace arc
