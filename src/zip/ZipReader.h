#pragma once
// The ZIP archive reader: opens one archive at a time, lists its entries and
// extracts them, reporting through three events: progress, the stage reached
// and typed errors.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "zip/ZipDirectory.h"
#include "zip/ZipError.h"
#include "zip/ZipFileReader.h"
#include "zip/ZipMemberWriter.h"

namespace arc {

/// The stages the Stage event reports.
enum class ZipStage {
    Opening,
    Opened,
    Closed,
    ExtractionStarted,
    Extracting,  ///< with the entry's relative name
    ExtractionFinished,
};

/// Calendar date and time of a DOS stamp (no time-zone shift).
struct ZipDateTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    /// "YYYY-MM-DD HH:MM:SS".
    std::string ToString() const;
};

class ZipReader {
  public:
    /// Progress (percent, cancel): after each entry of an extraction; set
    /// cancel to stop ExtractAllFiles.
    std::function<void(int percent, bool& cancel)> Progress;
    /// Stage (stage, name): each stage; the name is the entry's while extracting it.
    std::function<void(ZipStage stage, const std::string& name)> Stage;
    /// Error: every failure.
    std::function<void(const ZipError& error)> Error;

    ZipReader() = default;
    ~ZipReader();
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

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

  private:
    const ZipEntry& EntryAt(int index) const;
    bool BeginExtraction(std::string_view destination);
    /// Steps a to f for one entry.
    void ExtractOne(const ZipEntry& entry, const std::string& destination, bool useFolderNames,
                    bool overwrite);
    bool EnsureFolder(const std::string& folder);

    void RaiseStage(ZipStage stage, const std::string& name = {});
    void RaiseError(ZipErrorKind kind, std::string subject, std::string detail = {});
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
