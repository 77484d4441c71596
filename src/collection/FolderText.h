#pragma once
// Folder paths typed in the collection windows.

#include <string>
#include <string_view>

namespace arc {

/// The folder with "/" appended when it ends neither with "/" nor with "\"
/// (both separators are accepted as typed). Empty stays empty: an empty box
/// must never become the root folder.
std::string WithFolderSeparator(std::string_view folder);

}  // namespace arc
