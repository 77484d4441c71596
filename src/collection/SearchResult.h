#pragma once
// One game found by the search window.

#include <string>

#include "collection/SearchQuery.h"

namespace arc {

struct SearchResult {
    std::string internalName;  ///< the real set name, never cut
    std::string gameName;
    std::string year{};
    std::string manufacturer{};

    /// The list line: the name on 13 characters, then the title.
    std::string Line() const { return ResultLine(internalName, gameName); }
};

}  // namespace arc
