#pragma once
// The rule every writer that replaces a file through a temporary one keeps:
// the replaced file's mode stays, and a new file gets the umask's mode (0666 &
// ~027 under the umask set here), not the temporary file's 0600.

#include <functional>
#include <string>
#include <vector>

namespace arc::test {

struct ReplacingWriter {
    const char* name;
    bool replacesOnly;  ///< writes only over an existing file (and keeps a copy beside it)
    std::function<bool(const std::string& target)> write;
};

/// Runs each writer on "catver.ini" in a folder of its own under `root`, over
/// a file of mode 0604 and (unless replacesOnly) where no file was.
void ExpectWritersKeepTheFileMode(const std::string& root,
                                  const std::vector<ReplacingWriter>& writers);

/// The number of entries in `folder`.
int EntriesIn(const std::string& folder);

}  // namespace arc::test
