#pragma once
// Small ZIP archives written by the tests (stored members, any names).

#include <string>
#include <utility>
#include <vector>

namespace arc::test {

struct ZipMember {
    std::string name;
    std::string data;
    bool badCrc = false;  ///< store a wrong CRC-32 (a broken member)
};

/// The bytes of an archive of stored members, in order.
std::string MakeZip(const std::vector<ZipMember>& members);

/// Writes an archive of stored members at `path` (folders created).
void WriteZip(const std::string& path, const std::vector<ZipMember>& members);

}  // namespace arc::test
