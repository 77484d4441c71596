#pragma once
// The ZIP archive reader: opens one archive at a time, lists its members and
// extracts them, reporting through three events. Its messages are French
// whatever the user's language.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "zip/ZipDirectory.h"
#include "zip/ZipFileReader.h"
#include "zip/ZipMemberWriter.h"

namespace arc {

/// Error numbers raised through ZipError.
namespace ziperr {
inline constexpr int kZlibMissing = 1;
inline constexpr int kNotZip = 2;
inline constexpr int kNoArchiveOpen = 3;
inline constexpr int kMethodNotSupported = 4;
inline constexpr int kChecksum = 5;
inline constexpr int kArchiveMissing = 10;
inline constexpr int kTargetExists = 11;
inline constexpr int kCannotDelete = 12;
inline constexpr int kCannotCreateFolder = 13;
inline constexpr int kUnsafeName = 14;        ///< name would leave the destination
inline constexpr int kDamagedDirectory = 15;  ///< central directory truncated or corrupt
inline constexpr int kUnreadableData = 16;    ///< member data missing or past the end
}  // namespace ziperr

/// Calendar date and time of a DOS stamp (no time-zone shift).
struct ZipDateTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    /// "YYYY-MM-DD HH:MM:SS".
    std::string ToString() const;
};

class ZipExtractionClass {
  public:
    /// Progress (percent, cancel): after each entry of an extraction; set
    /// cancel to stop ExtractAllFiles.
    std::function<void(int percent, bool& cancel)> Progress;
    /// Status (message): each stage ("Ouverture du Zip", "Zip ouvert", ...).
    std::function<void(const std::string& message)> Status;
    /// ZipError (number, message): every failure.
    std::function<void(int number, const std::string& message)> ZipError;

    ZipExtractionClass() = default;
    ~ZipExtractionClass();
    ZipExtractionClass(const ZipExtractionClass&) = delete;
    ZipExtractionClass& operator=(const ZipExtractionClass&) = delete;

    /// Closes any open archive, opens `path` and reads its directory. True
    /// when an end record was found.
    bool ZipOpen(std::string_view path);
    void ZipClose();

    /// Extracts entry `index` (1-based, as FileName). True when the walk
    /// completed, whether or not the entry was written.
    bool ExtractSingleFile(int index, std::string_view destination, bool useFolderNames,
                           bool overwrite);
    /// Extracts every entry; false when not open, on a spanned archive, or cancelled.
    bool ExtractAllFiles(std::string_view destination, bool useFolderNames, bool overwrite);

    bool ZipIsOpen() const { return open_; }
    const std::string& ZipComment() const { return end_.comment; }
    int FileCount() const { return static_cast<int>(entries_.size()); }

    /// Entry properties for 1..FileCount (every entry: files, empty ones
    /// included, and folders, named with a trailing "/"); 0 answers an empty entry; any other
    /// index throws a subscript error.
    std::string FileName(int index) const;
    std::uint64_t FileCompressedSize(int index) const;
    std::uint64_t FileUncompressedSize(int index) const;
    ZipDateTime FileDateAndTime(int index) const;

    /// The version zlib reports, "" when zlib cannot be used.
    static std::string ZLibVersion();

  private:
    const ZipEntry& EntryAt(int index) const;
    bool BeginExtraction(std::string_view destination);
    /// Steps a to f for one entry.
    void ExtractOne(const ZipEntry& entry, const std::string& destination, bool useFolderNames,
                    bool overwrite);
    bool EnsureFolder(const std::string& folder);

    void RaiseStatus(const std::string& message);
    void RaiseError(int number, const std::string& message);
    bool RaiseProgress(int percent);

    ZipFileReader file_;
    ZipMemberWriter writer_;
    std::string path_;
    bool open_ = false;
    ZipEndRecord end_;
    std::vector<ZipEntry> entries_;
    std::string lastFolder_;  ///< last folder known to exist during an extraction
};

}  // namespace arc
