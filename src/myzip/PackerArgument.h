#pragma once
// The packer's single argument "archive,folder/*.*" taken apart.

#include <optional>
#include <string>
#include <string_view>

namespace myzip {

struct PackerArgument {
    std::string archive;  ///< archive to write
    std::string folder;   ///< folder to pack (no trailing "/")
    std::string pattern;  ///< file names to take, "*" for all
};

/// Splits at ".zip," when present (names may hold commas), else at the last
/// comma. "\" is read as "/". A trailing "*.*" means every file, as on the
/// system the argument comes from. nullopt when a part is missing.
std::optional<PackerArgument> ParsePackerArgument(std::string_view argument);

}  // namespace myzip
