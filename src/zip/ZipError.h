#pragma once
// What can go wrong while reading or extracting an archive, as a value. Its
// text is made where it is shown, in the interface language.

#include <string>
#include <vector>

namespace arc {

enum class ZipErrorKind {
    ArchiveMissing,      ///< subject: the archive
    CannotRead,          ///< subject: the archive; detail: the system's reason
    NotZip,              ///< subject: the file
    NoArchiveOpen,       ///< an extraction without an open archive
    UnsupportedMethod,   ///< subject: the member, as its local header names it
    Checksum,            ///< subject: the target; inflate failed or size or CRC-32 differ
    TargetExists,        ///< subject: the target (extraction without overwrite)
    CannotReplace,       ///< subject: the target
    CannotCreateFolder,  ///< subject: the folder
    UnsafeName,          ///< subject: the member; detail: the destination
    DamagedDirectory,    ///< subject: the archive
    UnreadableData,      ///< subject: the member; detail: the archive
    CannotWrite,         ///< subject: the target; detail: the system's reason
};

struct ZipError {
    ZipErrorKind kind;
    std::string subject;
    std::string detail;

    bool operator==(const ZipError&) const = default;
};

/// The error's text in the current interface language.
std::string DescribeZipError(const ZipError& error);

/// Every error's text, one per line.
std::string DescribeZipErrors(const std::vector<ZipError>& errors);

}  // namespace arc
