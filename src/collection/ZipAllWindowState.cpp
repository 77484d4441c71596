#include "collection/ZipAllWindowState.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "collection/FolderText.h"
#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "zip/Unzip.h"

namespace arc {

namespace fs = std::filesystem;

namespace {

constexpr int kProcZipAll = 661;
constexpr int kProcUnzipAll = 662;

std::string ExecutableFolder() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : self.parent_path().string() + "/";
}

/// Files under a folder, relative names with "/": what a sound archive of it lists.
std::set<std::string> ListableFiles(const std::string& folder) {
    std::set<std::string> names;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code entryError;
        if (it->is_regular_file(entryError) && !entryError)
            names.insert(it->path().lexically_relative(folder).generic_string());
    }
    return names;
}

/// True when the archive exists and lists exactly the folder's files.
bool ArchiveHoldsFolder(const std::string& archive, const std::string& folder) {
    if (!FileExists(archive)) return false;
    const ZipListing listing = ListZip(archive);
    if (!listing.ok()) return false;
    const std::vector<std::string> names = listing.Names();
    return std::set<std::string>(names.begin(), names.end()) == ListableFiles(folder);
}

/// Shows the window again however the command ends.
class WindowShownAtEnd {
  public:
    explicit WindowShownAtEnd(std::function<void(bool)>& show) : show_(show) {}
    ~WindowShownAtEnd() {
        if (show_) show_(true);
    }
    WindowShownAtEnd(const WindowShownAtEnd&) = delete;
    WindowShownAtEnd& operator=(const WindowShownAtEnd&) = delete;

  private:
    std::function<void(bool)>& show_;
};

}  // namespace

std::vector<std::string> DefaultPackerFolders() {
    return {ProgramFolder(), ExecutableFolder()};
}

std::string FindPacker(const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) {
        if (folder.empty()) continue;
        const std::string path = WithTrailingSlash(folder) + "myzip";
        if (FileExists(path) && ::access(path.c_str(), X_OK) == 0) return path;
    }
    return {};
}

std::string PackerArgument(std::string_view destFolder, std::string_view sourceFolder,
                           std::string_view name) {
    return std::string(destFolder) + std::string(name) + ".zip," + std::string(sourceFolder) +
           std::string(name) + "/*.*";
}

void ZipAllWindowState::Load() {
    SourceText = TheSettings().ZipAllSource;
    DestText = TheSettings().ZipAllDest;
}

bool ZipAllWindowState::ZipAllEnabled() const {
    return !FindPacker(PackerFolders).empty();
}

void ZipAllWindowState::SetVisible(bool visible) {
    if (ShowWindow) ShowWindow(visible);
}

void ZipAllWindowState::BrowseSource() {
    TheSettings().ZipAllSource = SourceText;
    const std::string chosen = BrowseFolder(TheSettings().ZipAllSource, Text(kTextSourcePath));
    if (!chosen.empty()) TheSettings().ZipAllSource = SourceText = chosen;
}

void ZipAllWindowState::BrowseDest() {
    TheSettings().ZipAllDest = DestText;
    const std::string chosen = BrowseFolder(TheSettings().ZipAllDest, Text(kTextDestinationPath));
    if (!chosen.empty()) TheSettings().ZipAllDest = DestText = chosen;
}

void ZipAllWindowState::ReadFolders() {
    Settings& settings = TheSettings();
    settings.ZipAllSource = WithFolderSeparator(SourceText);
    settings.ZipAllDest = WithFolderSeparator(DestText);
}

void ZipAllWindowState::ReportFailures() {
    if (failed_.empty()) return;
    const bool french = TheSettings().Language == 1;
    std::string text = DeleteWhenDone
                           ? (french ? "Ces sources ont été gardées car l'opération a échoué :"
                                     : "These sources were kept because the operation failed:")
                           : (french ? "L'opération a échoué pour :" : "The operation failed for:");
    for (const std::string& name : failed_)
        text += "\n" + name;
    Ui().Message(text, MsgButtons::Ok, MsgIcon::Exclamation);
}

void ZipAllWindowState::ZipAll() {
    failed_.clear();
    Guarded(kProcZipAll, [&] {
        SetVisible(false);
        WindowShownAtEnd showAgain(ShowWindow);
        ReadFolders();
        const std::string source = TheSettings().ZipAllSource;
        const std::string dest = TheSettings().ZipAllDest;
        const std::string packer = FindPacker(PackerFolders);
        if (source.empty() || dest.empty()) return;

        LongTask task(0, false);
        task.SetLabel(Text(kTextZipping));
        const std::vector<std::string> folders = ListFolder(source, "*", EntryKind::Folders);
        if (folders.empty() || packer.empty()) return;

        const int total = static_cast<int>(folders.size());
        task.SetTotal(total);
        std::vector<bool> sound(folders.size(), false);
        for (int i = 1; i <= total; ++i) {
            if (!task.Step(i)) break;
            const std::string& folder = folders[static_cast<std::size_t>(i - 1)];
            task.SetLabel(folder);
            const int code = RunProgramAndWait({packer, PackerArgument(dest, source, folder)});
            sound[static_cast<std::size_t>(i - 1)] =
                code == 0 && ArchiveHoldsFolder(dest + folder + ".zip", source + folder);
            if (!sound[static_cast<std::size_t>(i - 1)]) {
                failed_.push_back(source + folder);
                WriteLog("Zip all: " + source + folder + " not packed (packer exit code " +
                         std::to_string(code) + ")");
            }
        }
        if (!task.Cancelled() && DeleteWhenDone) {
            task.SetLabel(Text(kTextZipAllDeleting));
            for (int i = 1; i <= total; ++i) {
                if (!task.Step(i)) break;
                const std::string& folder = folders[static_cast<std::size_t>(i - 1)];
                task.SetLabel(folder);
                if (sound[static_cast<std::size_t>(i - 1)] && !RecycleFile(source + folder))
                    failed_.push_back(source + folder);
            }
        }
        task.Finish();
        SetVisible(true);
        Ui().Message(Text(kTextDone), MsgButtons::Ok, MsgIcon::Information);
        ReportFailures();
    });
}

void ZipAllWindowState::UnzipAll() {
    failed_.clear();
    Guarded(kProcUnzipAll, [&] {
        SetVisible(false);
        WindowShownAtEnd showAgain(ShowWindow);
        ReadFolders();
        const std::string source = TheSettings().ZipAllSource;
        const std::string dest = TheSettings().ZipAllDest;
        if (source.empty() || dest.empty()) return;

        LongTask task(0, false);
        task.SetLabel(Text(kTextZipAllUnzipping));
        // The archives as they are named ("GAME1.ZIP" as well as "game1.zip").
        std::vector<std::string> archives;
        for (const std::string& file : ListFolder(source, "*.zip", EntryKind::Files)) {
            if (!task.KeepGoing()) break;
            archives.push_back(file);
        }
        const int total = static_cast<int>(archives.size());
        std::vector<bool> sound(archives.size(), false);
        if (!task.Cancelled()) {
            task.SetTotal(total);
            for (int i = 1; i <= total; ++i) {
                const std::string& archive = archives[static_cast<std::size_t>(i - 1)];
                const std::string name = archive.substr(0, archive.size() - 4);
                task.SetLabel(name);
                if (!task.Step(i)) break;
                const bool created = !fs::exists(dest + name);
                MakeFolder(dest + name);
                const UnzipResult result = arc::UnzipAll(source + archive, dest + name);
                // Only an extraction that holds every entry with its size lets the archive go.
                sound[static_cast<std::size_t>(i - 1)] =
                    result.ok() &&
                    FirstEntryNotExtracted(ListZip(source + archive), dest + name).empty();
                if (!sound[static_cast<std::size_t>(i - 1)]) {
                    failed_.push_back(source + archive);
                    WriteLog("Unzip all: " + source + archive + ": " +
                             (result.errors.empty() ? std::string("not extracted")
                                                    : DescribeZipErrors(result.errors)));
                    // A failed archive leaves nothing behind in a folder made for it.
                    std::error_code ec;
                    if (created) fs::remove_all(dest + name, ec);
                }
            }
        }
        if (!task.Cancelled() && DeleteWhenDone) {
            for (int i = 1; i <= total; ++i) {
                const std::string& archive = archives[static_cast<std::size_t>(i - 1)];
                task.SetLabel(archive.substr(0, archive.size() - 4));
                if (!task.Step(i)) break;
                if (sound[static_cast<std::size_t>(i - 1)] && !RecycleFile(source + archive))
                    failed_.push_back(source + archive);
            }
        }
        const bool cancelled = task.Cancelled();
        task.Finish();
        SetVisible(true);
        if (!cancelled) Ui().Message(Text(kTextDone), MsgButtons::Ok, MsgIcon::Information);
        ReportFailures();
    });
}

}  // namespace arc
