#pragma once
// The rows of the last audit of the collection, as the Audit table keeps them.

#include <string>
#include <vector>

namespace arc {

struct AuditRow {
    std::string name;
    std::string verdict;  ///< as stored: "complete", "best available", ...
    int needed = 0;
    int found = 0;
    int missing = 0;
    int bad = 0;
    int unneeded = 0;
    std::string problems;
};

/// Every row of the Audit table of the open database, by set name; none when
/// no audit was made.
std::vector<AuditRow> ReadAuditRows();

}  // namespace arc
