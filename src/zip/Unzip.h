#pragma once
// The unzip entry points every subsystem uses. Each call opens the archive,
// does its work and closes it again; what went wrong comes back as typed
// errors, never as text.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "zip/ZipError.h"

namespace arc {

/// How one extraction went.
struct UnzipResult {
    std::string destination;  ///< the folder used, without a trailing separator
    bool completed = false;   ///< the archive was opened and walked to its end
    int matched = 0;          ///< members whose name matched (one member, an extension)
    int written = 0;          ///< of those, the members written
    std::vector<ZipError> errors;

    /// Every entry asked for was written (or made, for a folder entry).
    bool ok() const { return completed && errors.empty(); }
};

struct ZipMemberInfo {
    std::string name;  ///< "/" between folders; a folder entry ends with "/"
    std::uint64_t size = 0;

    bool operator==(const ZipMemberInfo&) const = default;
};

struct ZipListing {
    std::vector<ZipMemberInfo> members;
    std::vector<ZipError> errors;

    bool ok() const { return errors.empty(); }
    /// The members' names, in the archive's order.
    std::vector<std::string> Names() const;
};

/// Every entry of the archive: files, empty ones included, and folder entries.
ZipListing ListZip(std::string_view archivePath);

/// The first entry of the listing that `folder` does not hold as extracted
/// with its folders (a file of that name and size, a folder for a folder
/// entry); "" when it holds them all. A check before an archive is trashed.
std::string FirstEntryNotExtracted(const ZipListing& listing, std::string_view folder);

/// Extracts every entry with its folders, replacing existing files; empty
/// files and folder entries are made too. An empty destination is the
/// program folder. `shown`: the unzip window shows the work.
UnzipResult UnzipAll(std::string_view archivePath, std::string_view destFolder, bool shown = false);

/// Extracts the member whose name (folders included, "/" or "\" between
/// them) equals `memberName` without regard to case, directly into the
/// destination. ok() with `written` 1 when it was written.
UnzipResult UnzipFile(std::string_view archivePath, std::string_view memberName,
                      std::string_view destFolder, bool shown = false);

/// Extracts, directly into the destination, every member whose name ends with
/// `extension` without regard to case; `matched` 0 when none does.
UnzipResult UnzipByExtension(std::string_view archivePath, std::string_view extension,
                             std::string_view destFolder, bool shown = false);

class UnzipWindowView;

/// The three extractions above shown in `view` (nullptr: not shown).
UnzipResult UnzipAllShownIn(std::string_view archivePath, std::string_view destFolder,
                            UnzipWindowView* view);
UnzipResult UnzipFileShownIn(std::string_view archivePath, std::string_view memberName,
                             std::string_view destFolder, UnzipWindowView* view);
UnzipResult UnzipByExtensionShownIn(std::string_view archivePath, std::string_view extension,
                                    std::string_view destFolder, UnzipWindowView* view);

}  // namespace arc
