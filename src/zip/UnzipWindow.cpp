#include "zip/UnzipWindow.h"

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

UnzipWindow::UnzipWindow(bool hidden) : path_(ZipState().ZipPath), hidden_(hidden) {
    monZip_.Progress = [this](int percent, bool& cancel) { MonZip_Progress(percent, cancel); };
    monZip_.Status = [this](const std::string& message) { MonZip_Status(message); };
    monZip_.ZipError = [this](int number, const std::string& message) {
        MonZip_ZipError(number, message);
    };
    if (!hidden_ && InstalledView()) {
        InstalledView()->Show(*this);
        LetEventsRunNow();
    }
    monZip_.ZipOpen(path_);
    barPercent_ = 0;
    label_.clear();
    Refresh();
}

UnzipWindow::~UnzipWindow() {
    if (!hidden_ && InstalledView()) InstalledView()->Unload();
}

void UnzipWindow::Refresh() {
    if (!hidden_ && InstalledView()) InstalledView()->Refresh(*this);
}

void UnzipWindow::MonZip_Progress(int percent, bool& /*cancel*/) {
    barPercent_ = percent;
    Refresh();
}

void UnzipWindow::MonZip_Status(const std::string& message) {
    label_ = message;
    if (message == "Début d'extraction") barPercent_ = 0;
    if (message == "Extraction terminée") barPercent_ = 100;
    Refresh();
}

void UnzipWindow::MonZip_ZipError(int number, const std::string& message) {
    ++errorsRaised_;
    ZipState().ZipLastError = "Erreur " + std::to_string(number) + " - " + message;
}

void UnzipWindow::EnsureOpen() {
    if (!monZip_.ZipIsOpen()) monZip_.ZipOpen(path_);
}

bool UnzipWindow::zLib_ExtraireTout() {
    EnsureOpen();
    return monZip_.ExtractAllFiles(ZipState().ZipDestFolder, true, true);
}

void UnzipWindow::zLib_ListerZIP() {
    ZipModuleState& state = ZipState();
    monZip_.ZipOpen(path_);
    state.ZipFileCount = monZip_.FileCount();
    state.ZipFileList.assign(static_cast<std::size_t>(state.ZipFileCount) + 1, std::string());
    DebugLog(" -> " + std::to_string(state.ZipFileCount) + " files.");
    for (int i = 1; i <= state.ZipFileCount; ++i)
        state.ZipFileList[static_cast<std::size_t>(i)] = monZip_.FileName(i);
}

bool UnzipWindow::zLib_ExtraireUnFichier() {
    EnsureOpen();
    std::string wanted = ToUpperAscii(ZipState().ZipFilter);
    for (char& c : wanted)
        if (c == '\\') c = '/';
    for (int i = 1; i <= monZip_.FileCount(); ++i) {
        if (ToUpperAscii(monZip_.FileName(i)) != wanted) continue;
        const int errorsBefore = errorsRaised_;
        return monZip_.ExtractSingleFile(i, ZipState().ZipDestFolder, false, true) &&
               errorsRaised_ == errorsBefore;
    }
    return false;
}

int UnzipWindow::zLib_ExtraireExtension() {
    EnsureOpen();
    const std::string wanted = ToUpperAscii(ZipState().ZipFilter);
    int matched = 0;
    int written = 0;
    for (int i = 1; i <= monZip_.FileCount(); ++i) {
        const std::string name = monZip_.FileName(i);
        if (wanted.size() > name.size() || UpperTail(name, wanted.size()) != wanted) continue;
        ++matched;
        const int errorsBefore = errorsRaised_;
        if (monZip_.ExtractSingleFile(i, ZipState().ZipDestFolder, false, true) &&
            errorsRaised_ == errorsBefore)
            ++written;
    }
    return matched == 0 ? -1 : written;
}

std::string UnzipWindow::zLib_LireCommentaire() {
    EnsureOpen();
    return monZip_.ZipComment();
}

std::string UnzipWindow::zLib_LireContenu() {
    EnsureOpen();
    std::string text;
    for (int i = 1; i <= monZip_.FileCount(); ++i) {
        const auto compressed = monZip_.FileCompressedSize(i);
        const auto uncompressed = monZip_.FileUncompressedSize(i);
        char ratio[32] = "0";
        if (compressed > 0)
            std::snprintf(ratio, sizeof ratio, "%g",
                          static_cast<double>(uncompressed) / static_cast<double>(compressed));
        text += monZip_.FileName(i) + "|" + monZip_.FileDateAndTime(i).ToString() + "|" +
                std::to_string(compressed) + " octets (compressé)|" + std::to_string(uncompressed) +
                " octets (décompressé)| Taux = " + ratio + "\r\n";
    }
    return text;
}

}  // namespace arc
