#include "zip/Unzip.h"

#include <filesystem>
#include <optional>

#include "core/ErrorGuard.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "zip/UnzipWindowState.h"
#include "zip/ZipNames.h"

namespace arc {
namespace {

constexpr int kProcListFiles = 710;
constexpr int kProcUnzipAll = 711;
constexpr int kProcUnzipFile = 712;
constexpr int kProcUnzipByExtension = 713;

/// The destination as the entry points use it: the program folder when
/// empty, without one trailing separator.
std::string Destination(std::string_view destFolder) {
    std::string dest = destFolder.empty() ? ProgramFolder() : std::string(destFolder);
    if (dest.size() > 1 && (dest.back() == '/' || dest.back() == '\\')) dest.pop_back();
    return dest;
}

/// Runs one extraction through the unzip window; an exception is logged by the guard.
template <typename Work>
UnzipResult Extract(int procedure, std::string_view archivePath, std::string_view destFolder,
                    UnzipWindowView* view, Work work) {
    UnzipResult result;
    result.destination = Destination(destFolder);
    Guarded(procedure, [&] {
        UnzipWindowState window(archivePath, view);
        work(window, result);
        result.errors = window.Errors();
    });
    return result;
}

}  // namespace

std::vector<std::string> ZipListing::Names() const {
    std::vector<std::string> names;
    names.reserve(members.size());
    for (const ZipMemberInfo& member : members)
        names.push_back(member.name);
    return names;
}

ZipListing ListZip(std::string_view archivePath) {
    ZipListing listing;
    Guarded(kProcListFiles, [&] {
        DebugLog("Checks " + std::string(archivePath));
        UnzipWindowState window(archivePath, nullptr);
        listing.members = window.ListArchive();
        listing.errors = window.Errors();
    });
    return listing;
}

std::string FirstEntryNotExtracted(const ZipListing& listing, std::string_view folder) {
    namespace fs = std::filesystem;
    const fs::path base{std::string(folder)};
    for (const ZipMemberInfo& member : listing.members) {
        std::string name = member.name;
        for (char& c : name)
            if (c == ':') c = '_';  // as extraction names it
        const std::optional<std::string> relative = SafeRelativePath(name);
        if (!relative) return member.name;
        std::error_code ec;
        const fs::path path = base / *relative;
        const bool held = name.ends_with('/') ? fs::is_directory(path, ec)
                                              : fs::is_regular_file(path, ec) &&
                                                    fs::file_size(path, ec) == member.size;
        if (!held || ec) return member.name;
    }
    return {};
}

namespace {

/// The installed view when the work is shown.
UnzipWindowView* ViewWhen(bool shown) {
    return shown ? InstalledUnzipWindowView() : nullptr;
}

}  // namespace

UnzipResult UnzipAll(std::string_view archivePath, std::string_view destFolder, bool shown) {
    return UnzipAllShownIn(archivePath, destFolder, ViewWhen(shown));
}

UnzipResult UnzipFile(std::string_view archivePath, std::string_view memberName,
                      std::string_view destFolder, bool shown) {
    return UnzipFileShownIn(archivePath, memberName, destFolder, ViewWhen(shown));
}

UnzipResult UnzipByExtension(std::string_view archivePath, std::string_view extension,
                             std::string_view destFolder, bool shown) {
    return UnzipByExtensionShownIn(archivePath, extension, destFolder, ViewWhen(shown));
}

UnzipResult UnzipAllShownIn(std::string_view archivePath, std::string_view destFolder,
                            UnzipWindowView* view) {
    return Extract(kProcUnzipAll, archivePath, destFolder, view,
                   [](UnzipWindowState& window, UnzipResult& result) {
                       result.completed = window.ExtractAll(result.destination);
                   });
}

UnzipResult UnzipFileShownIn(std::string_view archivePath, std::string_view memberName,
                             std::string_view destFolder, UnzipWindowView* view) {
    return Extract(kProcUnzipFile, archivePath, destFolder, view,
                   [&](UnzipWindowState& window, UnzipResult& result) {
                       window.ExtractOneFile(result.destination, memberName, result);
                   });
}

UnzipResult UnzipByExtensionShownIn(std::string_view archivePath, std::string_view extension,
                                    std::string_view destFolder, UnzipWindowView* view) {
    return Extract(kProcUnzipByExtension, archivePath, destFolder, view,
                   [&](UnzipWindowState& window, UnzipResult& result) {
                       window.ExtractByExtension(result.destination, extension, result);
                   });
}

}  // namespace arc
