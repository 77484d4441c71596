#include "zip/ZipReader.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "zip/ZipFormat.h"
#include "zip/ZipMemberWriter.h"
#include "zip/ZipNames.h"

namespace arc {

namespace fs = std::filesystem;

namespace {

bool IsFile(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

std::string FolderPart(const std::string& name) {
    const std::size_t slash = name.rfind('/');
    return slash == std::string::npos ? std::string() : name.substr(0, slash);
}

std::string AfterLastSlash(const std::string& name) {
    const std::size_t slash = name.rfind('/');
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

}  // namespace

std::string ZipDateTime::ToString() const {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour,
                  minute, second);
    return text;
}

ZipReader::~ZipReader() {
    // The owner may be half destroyed: no events from here.
    Progress = nullptr;
    Stage = nullptr;
    Error = nullptr;
    ZipClose();
}

void ZipReader::RaiseStage(ZipStage stage, const std::string& name) {
    if (Stage) Stage(stage, name);
}

void ZipReader::RaiseError(ZipErrorKind kind, std::string subject, std::string detail) {
    if (Error) Error(ZipError{kind, std::move(subject), std::move(detail)});
}

bool ZipReader::RaiseProgress(int percent) {
    bool cancel = false;
    if (Progress) Progress(percent, cancel);
    return cancel;
}

bool ZipReader::ZipOpen(std::string_view path) {
    RaiseStage(ZipStage::Opening);
    ZipClose();
    path_ = std::string(path);
    if (!IsFile(path_)) {
        RaiseError(ZipErrorKind::ArchiveMissing, path_);
        return false;
    }
    if (!file_.Open(path_)) {
        RaiseError(ZipErrorKind::CannotRead, path_, std::generic_category().message(errno));
        return false;
    }

    const std::optional<std::uint64_t> endAt = FindEndRecord(file_);
    if (!endAt || !ReadEndRecord(file_, *endAt, end_)) {
        end_ = ZipEndRecord{};
        RaiseError(ZipErrorKind::NotZip, path_);
        return false;
    }
    open_ = true;
    RaiseStage(ZipStage::Opened);
    if (!ReadCentralDirectory(
            file_, end_, entries_, [] {}, EmptyEntries::Keep))
        RaiseError(ZipErrorKind::DamagedDirectory, path_);
    return true;
}

void ZipReader::ZipClose() {
    if (file_.IsOpen()) {
        file_.Close();
        RaiseStage(ZipStage::Closed);
    }
    open_ = false;
    entries_.clear();
    end_ = ZipEndRecord{};
}

const ZipEntry& ZipReader::EntryAt(int index) const {
    static const ZipEntry kEmpty;
    if (index < 0 || index > FileCount())
        throw std::out_of_range("entry " + std::to_string(index) + " of " +
                                std::to_string(FileCount()));
    return index == 0 ? kEmpty : entries_[static_cast<std::size_t>(index - 1)];
}

std::string ZipReader::FileName(int index) const {
    return EntryAt(index).name;
}

std::uint64_t ZipReader::FileCompressedSize(int index) const {
    return EntryAt(index).compressedSize;
}

std::uint64_t ZipReader::FileUncompressedSize(int index) const {
    return EntryAt(index).uncompressedSize;
}

ZipDateTime ZipReader::FileDateAndTime(int index) const {
    const ZipEntry& entry = EntryAt(index);
    ZipDateTime stamp;
    stamp.year = 1980 + static_cast<int>((entry.date >> 9) & 0x7F);
    stamp.month = static_cast<int>((entry.date >> 5) & 0x0F);
    stamp.day = static_cast<int>(entry.date & 0x1F);
    stamp.hour = static_cast<int>((entry.time >> 11) & 0x1F);
    stamp.minute = static_cast<int>((entry.time >> 5) & 0x3F);
    stamp.second = 2 * static_cast<int>(entry.time & 0x1F);
    return stamp;
}

bool ZipReader::EnsureFolder(const std::string& folder) {
    if (folder == lastFolder_) return true;
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        fs::create_directories(folder, ec);
        if (!fs::is_directory(folder, ec)) return false;
    }
    lastFolder_ = folder;
    return true;
}

/// Steps shared by both extractions before the walk; the destination comes
/// back without a trailing "/". False when the walk must not run.
bool ZipReader::BeginExtraction(std::string_view destination) {
    RaiseStage(ZipStage::ExtractionStarted);
    if (!open_) {
        RaiseError(ZipErrorKind::NoArchiveOpen, {});
        return false;
    }
    std::string folder(destination);
    if (folder.empty() || !EnsureFolder(folder)) {
        RaiseError(ZipErrorKind::CannotCreateFolder, folder);
        return false;
    }
    if (end_.Spanned()) {
        RaiseStage(ZipStage::ExtractionFinished);
        return false;
    }
    return true;
}

void ZipReader::ExtractOne(const ZipEntry& entry, const std::string& destination,
                           bool useFolderNames, bool overwrite) {
    std::string name = entry.name;
    for (char& c : name)
        if (c == ':') c = '_';
    const std::optional<std::string> safe = SafeRelativePath(name);
    if (!safe) {
        RaiseError(ZipErrorKind::UnsafeName, entry.name, destination);
        return;
    }
    std::string relative = *safe;
    if (entry.IsFolder()) {
        // A folder entry makes its folder; without folder names there is nothing to write.
        if (useFolderNames && !EnsureFolder(destination + "/" + relative))
            RaiseError(ZipErrorKind::CannotCreateFolder, destination + "/" + relative);
        return;
    }
    if (useFolderNames) {
        const std::string folder = FolderPart(relative);
        if (!folder.empty() && !EnsureFolder(destination + "/" + folder)) {
            RaiseError(ZipErrorKind::CannotCreateFolder, destination + "/" + folder);
            return;
        }
    } else {
        relative = AfterLastSlash(relative);
    }
    RaiseStage(ZipStage::Extracting, relative);
    const std::string target = destination + "/" + relative;
    if (IsFile(target) && !overwrite) {
        RaiseError(ZipErrorKind::TargetExists, target);
        return;
    }
    MemberOutcome outcome;
    try {
        outcome = writer_.Extract(file_, entry, target);
    } catch (const std::system_error& error) {
        RaiseError(ZipErrorKind::CannotWrite, target, error.code().message());
        return;
    }
    switch (outcome.result) {
        case MemberResult::Written:
            break;
        case MemberResult::Unsupported:
            RaiseError(ZipErrorKind::UnsupportedMethod,
                       DecodeZipText(outcome.localName, (entry.flags & zipfmt::kFlagUtf8) != 0));
            break;
        case MemberResult::BadChecksum:
            RaiseError(ZipErrorKind::Checksum, target);
            break;
        case MemberResult::Unreadable:
            RaiseError(ZipErrorKind::UnreadableData, entry.name, path_);
            break;
        case MemberResult::CannotReplace:
            RaiseError(ZipErrorKind::CannotReplace, target);
            break;
    }
}

bool ZipReader::ExtractAllFiles(std::string_view destination, bool useFolderNames, bool overwrite) {
    lastFolder_.clear();
    std::string folder(destination);
    if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (!BeginExtraction(folder)) return false;
    const double total = static_cast<double>(end_.totalEntries);
    for (int i = 1; i <= FileCount(); ++i) {
        ExtractOne(entries_[static_cast<std::size_t>(i - 1)], folder, useFolderNames, overwrite);
        // Rounded to nearest, ties to even (the default rounding mode).
        const int percent = static_cast<int>(std::nearbyint(i / total * 100.0));
        if (RaiseProgress(percent)) return false;
    }
    RaiseStage(ZipStage::ExtractionFinished);
    return true;
}

bool ZipReader::ExtractSingleFile(int index, std::string_view destination, bool useFolderNames,
                                  bool overwrite) {
    lastFolder_.clear();
    std::string folder(destination);
    if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (!BeginExtraction(folder)) return false;
    for (int i = 1; i <= FileCount(); ++i) {
        if (i == index)
            ExtractOne(entries_[static_cast<std::size_t>(i - 1)], folder, useFolderNames,
                       overwrite);
        RaiseProgress(100);  // cancel is not looked at here
    }
    RaiseStage(ZipStage::ExtractionFinished);
    return true;
}

}  // namespace arc
