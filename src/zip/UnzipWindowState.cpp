#include "zip/UnzipWindowState.h"

#include <cstdio>

#include "core/Files.h"
#include "core/Log.h"
#include "core/Progress.h"
#include "zip/ZipModule.h"

namespace arc {
namespace {

UnzipWindowView*& InstalledView() {
    static UnzipWindowView* view = nullptr;
    return view;
}

/// A name's last `count` bytes upper-cased (the whole name when shorter).
std::string UpperTail(const std::string& name, std::size_t count) {
    return ToUpperAscii(count >= name.size() ? name : name.substr(name.size() - count));
}

}  // namespace

void InstallUnzipWindowView(UnzipWindowView* view) {
    InstalledView() = view;
}

UnzipWindowState::UnzipWindowState(bool hidden) : path_(ZipState().ZipPath), hidden_(hidden) {
    zip_.Progress = [this](int percent, bool& cancel) { MonZip_Progress(percent, cancel); };
    zip_.Status = [this](const std::string& message) { MonZip_Status(message); };
    zip_.ZipError = [this](int number, const std::string& message) {
        MonZip_ZipError(number, message);
    };
    if (!hidden_ && InstalledView()) {
        InstalledView()->Show(*this);
        LetEventsRunNow();
    }
    zip_.ZipOpen(path_);
    barPercent_ = 0;
    label_.clear();
    Refresh();
}

UnzipWindowState::~UnzipWindowState() {
    if (!hidden_ && InstalledView()) InstalledView()->Unload();
}

void UnzipWindowState::Refresh() {
    if (!hidden_ && InstalledView()) InstalledView()->Refresh(*this);
}

void UnzipWindowState::MonZip_Progress(int percent, bool& /*cancel*/) {
    barPercent_ = percent;
    Refresh();
}

void UnzipWindowState::MonZip_Status(const std::string& message) {
    label_ = message;
    if (message == "Début d'extraction") barPercent_ = 0;
    if (message == "Extraction terminée") barPercent_ = 100;
    Refresh();
}

void UnzipWindowState::MonZip_ZipError(int number, const std::string& message) {
    ++errorsRaised_;
    ZipState().ZipLastError = "Erreur " + std::to_string(number) + " - " + message;
}

void UnzipWindowState::EnsureOpen() {
    if (!zip_.ZipIsOpen()) zip_.ZipOpen(path_);
}

bool UnzipWindowState::ExtractAll() {
    EnsureOpen();
    return zip_.ExtractAllFiles(ZipState().ZipDestFolder, true, true);
}

void UnzipWindowState::ListArchive() {
    ZipModuleState& state = ZipState();
    zip_.ZipOpen(path_);
    state.ZipFileCount = zip_.FileCount();
    state.ZipFileList.assign(static_cast<std::size_t>(state.ZipFileCount) + 1, std::string());
    DebugLog(" -> " + std::to_string(state.ZipFileCount) + " files.");
    for (int i = 1; i <= state.ZipFileCount; ++i)
        state.ZipFileList[static_cast<std::size_t>(i)] = zip_.FileName(i);
}

bool UnzipWindowState::ExtractOneFile() {
    EnsureOpen();
    std::string wanted = ToUpperAscii(ZipState().ZipFilter);
    for (char& c : wanted)
        if (c == '\\') c = '/';
    for (int i = 1; i <= zip_.FileCount(); ++i) {
        const std::string name = zip_.FileName(i);
        if (name.ends_with('/') || ToUpperAscii(name) != wanted) continue;
        const int errorsBefore = errorsRaised_;
        return zip_.ExtractSingleFile(i, ZipState().ZipDestFolder, false, true) &&
               errorsRaised_ == errorsBefore;
    }
    return false;
}

int UnzipWindowState::ExtractByExtension() {
    EnsureOpen();
    const std::string wanted = ToUpperAscii(ZipState().ZipFilter);
    int matched = 0;
    int written = 0;
    for (int i = 1; i <= zip_.FileCount(); ++i) {
        const std::string name = zip_.FileName(i);
        if (name.ends_with('/') || wanted.size() > name.size() ||
            UpperTail(name, wanted.size()) != wanted)
            continue;
        ++matched;
        const int errorsBefore = errorsRaised_;
        if (zip_.ExtractSingleFile(i, ZipState().ZipDestFolder, false, true) &&
            errorsRaised_ == errorsBefore)
            ++written;
    }
    return matched == 0 ? -1 : written;
}

std::string UnzipWindowState::ReadComment() {
    EnsureOpen();
    return zip_.ZipComment();
}

std::string UnzipWindowState::ReadContents() {
    EnsureOpen();
    std::string text;
    for (int i = 1; i <= zip_.FileCount(); ++i) {
        const auto compressed = zip_.FileCompressedSize(i);
        const auto uncompressed = zip_.FileUncompressedSize(i);
        char ratio[32] = "0";
        if (compressed > 0)
            std::snprintf(ratio, sizeof ratio, "%g",
                          static_cast<double>(uncompressed) / static_cast<double>(compressed));
        text += zip_.FileName(i) + "|" + zip_.FileDateAndTime(i).ToString() + "|" +
                std::to_string(compressed) + " octets (compressé)|" + std::to_string(uncompressed) +
                " octets (décompressé)| Taux = " + ratio + "\r\n";
    }
    return text;
}

}  // namespace arc
