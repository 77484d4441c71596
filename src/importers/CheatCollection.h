#pragma once
// Today's cheat collection: one XML file per set (<mamecheat><cheat ...>),
// kept as cheat.7z, cheat.zip or a cheat/ folder, at the Cheat path or in its
// folder.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace arc {

class TaskProgress;

/// The cheat collections for a Cheat path: the path itself when it is a
/// folder, a .7z or a .zip archive, and "cheat.7z", "cheat.zip" and "cheat/"
/// (any case) in its folder. Each collection once; none for an empty path.
std::vector<std::string> CheatCollectionsFor(std::string_view cheatPath);

/// True when the path is a folder or names a .7z or .zip archive.
bool IsCheatCollectionPath(std::string_view path);

/// Reads one collection member by member, reporting files (a folder) or bytes
/// (an archive) to `progress`, and calls `found` with the set name of every
/// well-formed cheat file that holds at least one cheat. Damage, members that
/// are no XML and files that are no cheat file are logged and passed over.
/// False only when the run was cancelled.
bool ReadCheatCollection(const std::string& path, TaskProgress& progress,
                         const std::function<void(std::string_view set)>& found);

}  // namespace arc
