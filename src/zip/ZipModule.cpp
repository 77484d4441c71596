#include "zip/ZipModule.h"

#include "core/ErrorGuard.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "zip/UnzipWindowState.h"

namespace arc {
namespace {

constexpr int kProcListFiles = 710;
constexpr int kProcUnzipAll = 711;
constexpr int kProcUnzipFile = 712;
constexpr int kProcUnzipByExtension = 713;

/// The prologue shared by the extracting entry points.
void PrepareExtraction(std::string_view archivePath, std::string& destFolder,
                       std::string_view filter) {
    if (destFolder.empty()) destFolder = ProgramFolder();
    ZipModuleState& state = ZipState();
    state.ZipPath = std::string(archivePath);
    state.ZipDestFolder = destFolder;
    state.ZipFilter = std::string(filter);
    const std::string& dest = state.ZipDestFolder;
    if (dest.size() > 1 && (dest.back() == '/' || dest.back() == '\\'))
        state.ZipDestFolder.pop_back();
}

}  // namespace

ZipModuleState& ZipState() {
    static ZipModuleState state;
    return state;
}

void ZipListFiles(std::string_view archivePath) {
    Guarded(kProcListFiles, [&] {
        ZipModuleState& state = ZipState();
        state.ZipPath = std::string(archivePath);
        DebugLog("Checks " + state.ZipPath);
        state.ZipFileCount = 0;
        state.ZipFileList.assign(1, std::string());
        UnzipWindowState window(true);
        window.ListArchive();
    });
}

bool UnzipAll(std::string_view archivePath, std::string& destFolder, bool hidden) {
    bool result = false;
    Guarded(kProcUnzipAll, [&] {
        PrepareExtraction(archivePath, destFolder, ZipState().ZipFilter);
        UnzipWindowState window(hidden);
        result = window.ExtractAll();
    });
    return result;
}

bool UnzipAll(std::string_view archivePath, std::string_view destFolder, bool hidden) {
    std::string dest(destFolder);
    return UnzipAll(archivePath, dest, hidden);
}

bool UnzipFile(std::string_view archivePath, std::string_view memberName, std::string& destFolder,
               bool hidden) {
    bool result = false;
    Guarded(kProcUnzipFile, [&] {
        PrepareExtraction(archivePath, destFolder, memberName);
        UnzipWindowState window(hidden);
        result = window.ExtractOneFile();
    });
    return result;
}

bool UnzipFile(std::string_view archivePath, std::string_view memberName,
               std::string_view destFolder, bool hidden) {
    std::string dest(destFolder);
    return UnzipFile(archivePath, memberName, dest, hidden);
}

int UnzipByExtension(std::string_view archivePath, std::string_view extension,
                     std::string& destFolder, bool hidden) {
    int result = -1;
    Guarded(kProcUnzipByExtension, [&] {
        PrepareExtraction(archivePath, destFolder, extension);
        UnzipWindowState window(hidden);
        result = window.ExtractByExtension();
    });
    return result;
}

int UnzipByExtension(std::string_view archivePath, std::string_view extension,
                     std::string_view destFolder, bool hidden) {
    std::string dest(destFolder);
    return UnzipByExtension(archivePath, extension, dest, hidden);
}

}  // namespace arc
