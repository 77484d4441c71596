#pragma once
// The audit of the owned software items: each list's folder of the ROM folder
// (<rompath>/<list>/) audited like the machines, parent and clones merging
// inside the list. Results go in the SoftwareAudit table, replaced as a whole
// when the audit ran to its end.

#include <array>
#include <functional>
#include <string>

#include "audit/Audit.h"
#include "core/Task.h"

namespace arc {

struct SoftwareAuditRequest {
    std::string romsFolder;
    bool full = false;  ///< inflate ZIP members and check their SHA-1
    std::string list;   ///< only this list ("": every list)
};

struct SoftwareAuditOutcome : Outcome {
    int audited = 0;
    std::array<int, kVerdictCount> counts{};  ///< by Verdict
};

/// Audits every owned item, calling `onItem` (list, result) as each comes. Ok
/// when every item audited is complete; partial when some are not. Progress
/// counts the items of the lists with a folder; a cancel keeps the last audit.
SoftwareAuditOutcome RunSoftwareAudit(
    const SoftwareAuditRequest& request, TaskContext& context,
    const std::function<void(const std::string& list, const SetAudit& item)>& onItem = {});

}  // namespace arc
