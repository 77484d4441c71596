#pragma once
// Builds small ZIP archives (stored members) for the tests.

#include <string>
#include <utility>
#include <vector>

namespace arc::test {

/// The bytes of an archive holding the members (name, content) in order.
std::string MakeZip(const std::vector<std::pair<std::string, std::string>>& members);

}  // namespace arc::test
