#pragma once
// What a folder holds, for tests that check what extraction wrote.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace arc::test {

/// Relative names ("/" between folders) of the files under `folder`, sorted.
inline std::vector<std::string> FilesUnder(const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    if (!fs::exists(folder)) return names;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            names.push_back(entry.path().lexically_relative(folder).generic_string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace arc::test
