#include "collection/Images.h"

#include <optional>
#include <unordered_set>

#include "collection/FolderText.h"
#include "collection/NameList.h"
#include "collection/RomSets.h"
#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/TextTable.h"
#include "core/UiService.h"

namespace arc {
namespace {

constexpr int kProcDeleteImages = 671;
constexpr int kProcCopyImages = 672;

void DeleteWithoutRom(const ImagesRequest& request, const std::vector<std::string>& owned,
                      TaskProgress& task, ImagesOutcome& outcome) {
    const std::unordered_set<std::string> ownedSet(owned.begin(), owned.end());
    for (int kind = 0; kind < kArtSlots; ++kind) {
        if (!task.Step(kind + 1)) return;
        if (!request.kinds[static_cast<std::size_t>(kind)]) continue;
        const std::string folder =
            WithFolderSeparator(request.artFolders[static_cast<std::size_t>(kind)]);
        for (const std::string& image : ListFolder(folder, "*.png", EntryKind::Files)) {
            if (!task.KeepGoing()) return;
            if (ownedSet.count(image.substr(0, image.size() - 4))) continue;
            if (RecycleFile(folder + image)) {
                ++outcome.done;
            } else {
                outcome.notHandled.push_back(folder + image);
            }
            task.SetLabel(image);
        }
    }
}

void CopyWithRom(const ImagesRequest& request, const std::vector<std::string>& owned,
                 TaskProgress& task, ImagesOutcome& outcome) {
    const std::string source = WithFolderSeparator(request.source);
    for (int kind = 0; kind < kArtSlots; ++kind) {
        if (!task.Step(kind + 1)) return;
        if (!request.kinds[static_cast<std::size_t>(kind)]) continue;
        std::string folder = request.artFolders[static_cast<std::size_t>(kind)];
        while (!folder.empty() && (folder.back() == '/' || folder.back() == '\\'))
            folder.pop_back();
        std::size_t cut = folder.find_last_of('\\');
        if (cut == std::string::npos) cut = folder.find_last_of('/');
        if (cut == std::string::npos) continue;
        // The kind's own sub-folder of the source first ("snap/"), then the source itself.
        const std::string sub = WithFolderSeparator(source + folder.substr(cut + 1));
        for (const std::string& rom : owned) {
            if (!task.KeepGoing()) return;
            const std::string image = rom + ".png";
            std::string from = sub + image;
            if (!FileExists(from)) from = source + image;
            if (!FileExists(from)) continue;
            if (ShellCopy(from, folder + "/" + image)) {
                ++outcome.done;
            } else {
                outcome.notHandled.push_back(from);
            }
            task.SetLabel(image);
        }
    }
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

static ImagesOutcome RunImagesUncounted(const ImagesRequest& request, TaskContext& context);

ImagesOutcome RunImages(const ImagesRequest& request, TaskContext& context) {
    return RunCountingErrors<ImagesOutcome>([&] { return RunImagesUncounted(request, context); });
}

static ImagesOutcome RunImagesUncounted(const ImagesRequest& request, TaskContext& context) {
    ImagesOutcome outcome;
    auto failWith = [&](std::string message) {
        outcome.kind = OutcomeKind::Failed;
        outcome.message = std::move(message);
        return outcome;
    };
    const bool deleting = request.action == ImagesAction::DeleteWithoutRom;
    if (deleting && context.ui().AskDestructive(Text(kTextConfirmDeleteImages), MsgButtons::YesNo,
                                                MsgIcon::Question, MsgAnswer::Yes,
                                                "--confirm") != MsgAnswer::Yes) {
        outcome.kind = OutcomeKind::Cancelled;
        return outcome;
    }
    if (!deleting && (request.source.empty() || !FolderExists(request.source)))
        return failWith(Text(kTextNoSuchFolder) + request.source);

    TaskProgress& task = context.progress();
    const std::optional<std::string> error =
        GuardedFailure(deleting ? kProcDeleteImages : kProcCopyImages, [&] {
            task.SetLabel(Text(deleting ? kTextZipAllDeleting : kTextCopyingArchives));
            const std::vector<std::string> owned = OwnedRomNames(request.romsFolder, &task);
            if (task.Cancelled()) return;
            // An unmounted or mistyped ROM folder would make every picture an orphan.
            if (deleting && owned.empty()) {
                failWith(Text(kTextNoRomInRomFolder) + "\n" + request.romsFolder);
                return;
            }
            outcome.ran = true;
            task.SetTotal(kArtSlots);
            deleting ? DeleteWithoutRom(request, owned, task, outcome)
                     : CopyWithRom(request, owned, task, outcome);
        });
    if (error) return failWith(*error);
    if (outcome.failed()) return outcome;
    if (task.Cancelled()) {
        outcome.kind = OutcomeKind::Cancelled;
    } else if (!outcome.notHandled.empty()) {
        outcome.kind = OutcomeKind::Partial;
        outcome.notDone = static_cast<int>(outcome.notHandled.size());
        outcome.message = Text(deleting ? kTextImagesNotTrashed : kTextImagesNotCopied) +
                          NameList(outcome.notHandled);
    }
    return outcome;
}

}  // namespace arc
