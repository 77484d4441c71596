#include "zip/ZipExtractionClass.h"

#include <zlib.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "core/Progress.h"
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

ZipExtractionClass::~ZipExtractionClass() {
    // The owner may be half destroyed: no events from here.
    Progress = nullptr;
    Status = nullptr;
    ZipError = nullptr;
    ZipClose();
}

std::string ZipExtractionClass::ZLibVersion() {
    const char* version = zlibVersion();
    return version ? std::string(version) : std::string();
}

void ZipExtractionClass::RaiseStatus(const std::string& message) {
    if (Status) Status(message);
}

void ZipExtractionClass::RaiseError(int number, const std::string& message) {
    if (ZipError) ZipError(number, message);
}

bool ZipExtractionClass::RaiseProgress(int percent) {
    bool cancel = false;
    if (Progress) Progress(percent, cancel);
    return cancel;
}

bool ZipExtractionClass::ZipOpen(std::string_view path) {
    RaiseStatus("Ouverture du Zip");
    ZipClose();
    path_ = std::string(path);
    if (!IsFile(path_)) {
        RaiseError(ziperr::kArchiveMissing, "Le fichier " + path_ + " n'existe pas");
        return false;
    }
    if (!file_.Open(path_))
        throw std::system_error(errno, std::generic_category(), "Cannot read " + path_);

    const std::optional<std::uint64_t> endAt = FindEndRecord(file_);
    if (!endAt || !ReadEndRecord(file_, *endAt, end_)) {
        end_ = ZipEndRecord{};
        RaiseError(ziperr::kNotZip, "Le fichier " + path_ + " n'est pas un fichier Zip");
        return false;
    }
    open_ = true;
    RaiseStatus("Zip ouvert");
    if (ZLibVersion().empty()) {
        RaiseError(ziperr::kZlibMissing, "La librairie Zlib n'est pas installée");
        return true;
    }
    if (!ReadCentralDirectory(
            file_, end_, entries_, [] { LetEventsRun(); }, EmptyEntries::Keep))
        RaiseError(ziperr::kDamagedDirectory,
                   "Le répertoire du fichier " + path_ + " est endommagé");
    return true;
}

void ZipExtractionClass::ZipClose() {
    if (file_.IsOpen()) {
        file_.Close();
        RaiseStatus("Zip fermé");
    }
    open_ = false;
    entries_.clear();
    end_ = ZipEndRecord{};
}

const ZipEntry& ZipExtractionClass::EntryAt(int index) const {
    static const ZipEntry kEmpty;
    if (index < 0 || index > FileCount())
        throw std::out_of_range("entry " + std::to_string(index) + " of " +
                                std::to_string(FileCount()));
    return index == 0 ? kEmpty : entries_[static_cast<std::size_t>(index - 1)];
}

std::string ZipExtractionClass::FileName(int index) const {
    return EntryAt(index).name;
}

std::uint64_t ZipExtractionClass::FileCompressedSize(int index) const {
    return EntryAt(index).compressedSize;
}

std::uint64_t ZipExtractionClass::FileUncompressedSize(int index) const {
    return EntryAt(index).uncompressedSize;
}

ZipDateTime ZipExtractionClass::FileDateAndTime(int index) const {
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

bool ZipExtractionClass::EnsureFolder(const std::string& folder) {
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
bool ZipExtractionClass::BeginExtraction(std::string_view destination) {
    RaiseStatus("Début d'extraction");
    if (!open_) {
        RaiseError(ziperr::kNoArchiveOpen, "Il n'y a pas de fichier Zip ouvert");
        return false;
    }
    std::string folder(destination);
    if (folder.empty() || !EnsureFolder(folder)) {
        RaiseError(ziperr::kCannotCreateFolder, "Impossible de créer le répertoire " + folder);
        return false;
    }
    if (end_.Spanned()) {
        RaiseStatus("Extraction terminée");
        return false;
    }
    return true;
}

void ZipExtractionClass::ExtractOne(const ZipEntry& entry, const std::string& destination,
                                    bool useFolderNames, bool overwrite) {
    std::string name = entry.name;
    for (char& c : name)
        if (c == ':') c = '_';
    const std::optional<std::string> safe = SafeRelativePath(name);
    if (!safe) {
        RaiseError(ziperr::kUnsafeName,
                   "Le fichier " + entry.name + " serait écrit hors du répertoire " + destination);
        return;
    }
    std::string relative = *safe;
    if (entry.IsFolder()) {
        // A folder entry makes its folder; without folder names there is nothing to write.
        if (useFolderNames && !EnsureFolder(destination + "/" + relative))
            RaiseError(ziperr::kCannotCreateFolder,
                       "Impossible de créer le répertoire " + destination + "/" + relative);
        return;
    }
    if (useFolderNames) {
        const std::string folder = FolderPart(relative);
        if (!folder.empty() && !EnsureFolder(destination + "/" + folder)) {
            RaiseError(ziperr::kCannotCreateFolder,
                       "Impossible de créer le répertoire " + destination + "/" + folder);
            return;
        }
    } else {
        relative = AfterLastSlash(relative);
    }
    RaiseStatus("Extraction ...\\" + relative);
    const std::string target = destination + "/" + relative;
    if (IsFile(target) && !overwrite) {
        RaiseError(ziperr::kTargetExists, "Le fichier " + target + " existe déjà");
        return;
    }
    const MemberOutcome outcome = writer_.Extract(file_, entry, target);
    switch (outcome.result) {
        case MemberResult::Written:
            break;
        case MemberResult::Unsupported:
            RaiseError(
                ziperr::kMethodNotSupported,
                "La méthode de compression pour " +
                    DecodeZipText(outcome.localName, (entry.flags & zipfmt::kFlagUtf8) != 0) +
                    " n'est pas supportée");
            break;
        case MemberResult::BadChecksum:
            RaiseError(ziperr::kChecksum, "Erreur de checksum dans " + target);
            break;
        case MemberResult::Unreadable:
            RaiseError(ziperr::kUnreadableData,
                       "Les données de " + entry.name + " sont illisibles dans " + path_);
            break;
        case MemberResult::CannotReplace:
            RaiseError(ziperr::kCannotDelete, "Ne peut pas supprimer le fichier " + target);
            break;
    }
}

bool ZipExtractionClass::ExtractAllFiles(std::string_view destination, bool useFolderNames,
                                         bool overwrite) {
    if (ZLibVersion().empty()) return false;
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
        LetEventsRun();
    }
    RaiseStatus("Extraction terminée");
    return true;
}

bool ZipExtractionClass::ExtractSingleFile(int index, std::string_view destination,
                                           bool useFolderNames, bool overwrite) {
    if (ZLibVersion().empty()) return false;
    lastFolder_.clear();
    std::string folder(destination);
    if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (!BeginExtraction(folder)) return false;
    for (int i = 1; i <= FileCount(); ++i) {
        if (i == index)
            ExtractOne(entries_[static_cast<std::size_t>(i - 1)], folder, useFolderNames,
                       overwrite);
        RaiseProgress(100);  // cancel is not looked at here
        LetEventsRun();
    }
    RaiseStatus("Extraction terminée");
    return true;
}

}  // namespace arc
