#include "collection/ImagesWindowState.h"

#include "collection/FolderText.h"
#include "collection/RomSets.h"
#include "core/AppState.h"
#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "core/WaitWhile.h"

namespace arc {

namespace {

constexpr int kProcDeleteImages = 671;
constexpr int kProcCopyImages = 672;
constexpr int kProcImagePaths = 673;

/// Shows the window again however the command ends.
class ShownAgainAtEnd {
  public:
    explicit ShownAgainAtEnd(const std::function<void(bool)>& show) : show_(show) {}
    ~ShownAgainAtEnd() {
        if (show_) show_(true);
    }
    ShownAgainAtEnd(const ShownAgainAtEnd&) = delete;
    ShownAgainAtEnd& operator=(const ShownAgainAtEnd&) = delete;

  private:
    const std::function<void(bool)>& show_;
};

bool French() {
    return TheSettings().Language == 1;
}

/// Names the images a command could not handle (at most 20 of them).
void ReportFailed(const std::vector<std::string>& failed, bool copying) {
    if (failed.empty()) return;
    std::string text = Text(copying ? kTextImagesNotCopied : kTextImagesNotTrashed);
    constexpr std::size_t kShown = 20;
    for (std::size_t i = 0; i < failed.size() && i < kShown; ++i)
        text += "\n" + failed[i];
    if (failed.size() > kShown) text += "\n(+" + std::to_string(failed.size() - kShown) + ")";
    Ui().Message(text, MsgButtons::Ok, MsgIcon::Exclamation);
}

}  // namespace

std::vector<std::string> OwnedRomNames(const std::string& romsFolder, TaskProgress* task) {
    std::vector<std::string> names;
    const std::string folder = WithFolderSeparator(romsFolder);
    if (folder.empty()) return names;
    for (const std::string& file : RomArchiveFiles(folder)) {
        if (task && !task->KeepGoing()) return names;
        names.push_back(ArchiveStem(file));
    }
    for (const std::string& sub : ListFolder(folder, "*", EntryKind::Folders)) {
        if (task && !task->KeepGoing()) return names;
        names.push_back(sub);
    }
    return names;
}

void ImagesWindowState::Load() {
    SourceText = TheSettings().ImageSource.empty() ? ProgramFolder() : TheSettings().ImageSource;
    DisableMenus();
}

void ImagesWindowState::Unload() {
    EnableMenus();
}

bool ImagesWindowState::AnyKind() const {
    for (bool kind : Kinds)
        if (kind) return true;
    return false;
}

void ImagesWindowState::SetVisible(bool visible) {
    if (ShowWindow) ShowWindow(visible);
}

void ImagesWindowState::BrowseSource() {
    TheSettings().ImageSource = SourceText;
    const std::string chosen =
        BrowseFolder(TheSettings().ImageSource, Text(kTextImagesSourceFolder));
    if (!chosen.empty()) TheSettings().ImageSource = SourceText = chosen;
}

ImagesOutcome ImagesWindowState::DeleteImagesWithoutRom() {
    ImagesOutcome outcome;
    const bool ended = Guarded(kProcDeleteImages, [&] {
        if (!AnyKind()) return;
        if (Ui().AskDestructive(Text(kTextConfirmDeleteImages), MsgButtons::YesNo,
                                MsgIcon::Question, MsgAnswer::Yes, "--confirm") != MsgAnswer::Yes)
            return;
        SetVisible(false);
        ShownAgainAtEnd showAgain(ShowWindow);
        LongTask task(0, false);
        task.SetLabel(Text(kTextZipAllDeleting));

        const std::vector<std::string> owned = OwnedRomNames(TheSettings().RomsFolder, &task);
        if (task.Cancelled()) return;
        if (owned.empty()) {
            // An unmounted or mistyped ROM folder would make every picture an orphan.
            task.Finish();
            Ui().Message((French() ? "Aucune ROM n'a été trouvée dans le dossier des ROMs :\n"
                                   : "No ROM was found in the ROM folder:\n") +
                             TheSettings().RomsFolder,
                         MsgButtons::Ok, MsgIcon::Exclamation);
            return;
        }
        const std::unordered_set<std::string> ownedSet(owned.begin(), owned.end());
        outcome.ran = true;

        task.SetTotal(kArtSlots);
        for (int kind = 0; kind < kArtSlots && !task.Cancelled(); ++kind) {
            if (!task.Step(kind + 1)) break;
            if (!Kinds[static_cast<std::size_t>(kind)]) continue;
            const std::string folder =
                WithFolderSeparator(TheSettings().ArtFolders[static_cast<std::size_t>(kind)]);
            for (const std::string& image : ListFolder(folder, "*.png", EntryKind::Files)) {
                if (!task.KeepGoing()) break;
                if (ownedSet.count(image.substr(0, image.size() - 4))) continue;
                if (RecycleFile(folder + image)) {
                    ++outcome.done;
                } else {
                    outcome.failed.push_back(folder + image);
                }
                task.SetLabel(image);
            }
        }
        outcome.cancelled = task.Cancelled();
        task.Finish();
        ReportFailed(outcome.failed, false);
        if (!outcome.cancelled) Ui().Message(Text(kTextDone), MsgButtons::Ok, MsgIcon::Information);
    });
    if (!ended) outcome.ran = false;  // the error block tells what went wrong
    return outcome;
}

ImagesOutcome ImagesWindowState::CopyImagesThatHaveRom() {
    ImagesOutcome outcome;
    const bool ended = Guarded(kProcCopyImages, [&] {
        TheSettings().ImageSource = WithFolderSeparator(SourceText);
        const std::string source = TheSettings().ImageSource;
        if (!AnyKind() || source.empty()) return;
        SetVisible(false);
        ShownAgainAtEnd showAgain(ShowWindow);
        LongTask task(0, false);
        task.SetLabel(Text(kTextCopyingArchives));

        const std::vector<std::string> owned = OwnedRomNames(TheSettings().RomsFolder, &task);
        outcome.ran = true;
        task.SetTotal(kArtSlots);
        for (int kind = 0; kind < kArtSlots && !task.Cancelled(); ++kind) {
            if (!task.Step(kind + 1)) break;
            if (!Kinds[static_cast<std::size_t>(kind)]) continue;
            std::string folder = TheSettings().ArtFolders[static_cast<std::size_t>(kind)];
            while (!folder.empty() && (folder.back() == '/' || folder.back() == '\\'))
                folder.pop_back();
            std::size_t cut = folder.find_last_of('\\');
            if (cut == std::string::npos) cut = folder.find_last_of('/');
            if (cut == std::string::npos) continue;
            const std::string sub = WithFolderSeparator(source + folder.substr(cut + 1));
            for (const std::string& rom : owned) {
                if (!task.KeepGoing()) break;
                const std::string image = rom + ".png";
                std::string from = sub + image;
                if (!FileExists(from)) from = source + image;
                if (!FileExists(from)) continue;
                if (ShellCopy(from, folder + "/" + image)) {
                    ++outcome.done;
                } else {
                    outcome.failed.push_back(from);
                }
                task.SetLabel(image);
            }
        }
        outcome.cancelled = task.Cancelled();
        task.Finish();
        ReportFailed(outcome.failed, true);
        if (!outcome.cancelled) Ui().Message(Text(kTextDone), MsgButtons::Ok, MsgIcon::Information);
    });
    if (!ended) outcome.ran = false;  // the error block tells what went wrong
    return outcome;
}

void ImagesWindowState::EditPaths(const std::function<void()>& showPathsDialog) {
    if (!showPathsDialog) return;
    Guarded(kProcImagePaths, [&] {
        State().PathsDialogOpen = true;
        SetVisible(false);
        ShownAgainAtEnd showAgain(ShowWindow);
        showPathsDialog();
        WaitWhile([] { return State().PathsDialogOpen; });
    });
}

}  // namespace arc
