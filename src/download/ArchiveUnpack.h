#pragma once
// The download run's use of the unzip entry points.

#include <string>
#include <string_view>

namespace arc {

/// Extracts the members of `archive` whose names end with `extension` (any case)
/// into `folder`, without their folders, replacing existing files. Returns the
/// number extracted, or -1 when no member matched. `error` receives the text of
/// the reader's errors, one per line (empty when there was none).
int UnpackByExtension(const std::string& archive, std::string_view extension,
                      const std::string& folder, std::string& error);

}  // namespace arc
