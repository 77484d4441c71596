#pragma once
// The unzip entry points every subsystem uses, and their shared state.

#include <string>
#include <string_view>
#include <vector>

namespace arc {

/// State shared by the unzip entry points (each call overwrites it).
struct ZipModuleState {
    std::string ZipPath;        ///< archive to work on
    std::string ZipDestFolder;  ///< destination, without a trailing separator
    std::string ZipFilter;      ///< member name (UnzipFile) or extension (UnzipByExtension)
    /// Names filled by ZipListFiles at indices 1..ZipFileCount; index 0 is unused.
    std::vector<std::string> ZipFileList{std::string()};
    int ZipFileCount = 0;
    /// "Erreur N - message" of the reader's last error; callers read and clear it.
    std::string ZipLastError;
};

ZipModuleState& ZipState();

/// Fills ZipFileList and ZipFileCount with the member names of the archive
/// ("/" between folders): every file, empty ones included, and every folder
/// entry (its name ends with "/").
void ZipListFiles(std::string_view archivePath);

/// Extracts every member with its folders, replacing existing files; empty
/// files and folder entries are made too. An
/// empty destination becomes the program folder (written back). The result
/// is the reader's: true when the walk completed; member failures only set
/// ZipLastError.
bool UnzipAll(std::string_view archivePath, std::string& destFolder, bool hidden);
bool UnzipAll(std::string_view archivePath, std::string_view destFolder, bool hidden);

/// Extracts the member whose name (folders included, "/" or "\" between
/// them) equals `memberName` without regard to case, directly into the
/// destination. True when it was written.
bool UnzipFile(std::string_view archivePath, std::string_view memberName, std::string& destFolder,
               bool hidden);
bool UnzipFile(std::string_view archivePath, std::string_view memberName,
               std::string_view destFolder, bool hidden);

/// Extracts, directly into the destination, every member whose name ends with
/// `extension` without regard to case. The number written, or -1 when no
/// member matched.
int UnzipByExtension(std::string_view archivePath, std::string_view extension,
                     std::string& destFolder, bool hidden);
int UnzipByExtension(std::string_view archivePath, std::string_view extension,
                     std::string_view destFolder, bool hidden);

}  // namespace arc
