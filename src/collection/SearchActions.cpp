#include "collection/SearchActions.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <system_error>

#include "collection/NameList.h"
#include "collection/RomSets.h"
#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/Task.h"
#include "core/TextFile.h"
#include "core/TextTable.h"
#include "core/UiService.h"

namespace arc {
namespace {

namespace fs = std::filesystem;

constexpr int kIniProcedure = 620;
constexpr int kDeleteProcedure = 621;
constexpr int kMoveProcedure = 622;
constexpr int kCopyProcedure = 623;
constexpr int kBackupFolderProcedure = 624;

std::string WithFolderEnd(std::string folder) {
    if (!folder.empty() && !folder.ends_with('/') && !folder.ends_with('\\')) folder += '/';
    return folder;
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return fs::exists(b, ec) && fs::equivalent(a, b, ec);
}

bool SameSize(const std::string& a, const std::string& b) {
    std::error_code ecA, ecB;
    const auto sizeA = fs::file_size(a, ecA);
    const auto sizeB = fs::file_size(b, ecB);
    return !ecA && !ecB && sizeA == sizeB;
}

/// Copies `source` to `target` and checks that the copy is whole. A failed
/// copy is removed so that no truncated archive is left behind.
bool CopyWhole(const std::string& source, const std::string& target) {
    if (SameFile(source, target)) return false;
    if (ShellCopy(source, target, ShellOp::Copy) && SameSize(source, target)) return true;
    if (!SameFile(source, target)) DeleteFileIfExists(target);
    return false;
}

/// Moves by renaming when both sides are on one file system, else by a whole
/// copy followed by the removal of the source.
bool MoveWhole(const std::string& source, const std::string& target) {
    if (SameFile(source, target)) return false;
    std::error_code ec;
    fs::rename(source, target, ec);
    if (!ec) return true;
    if (!CopyWhole(source, target)) return false;
    fs::remove(source, ec);
    return !ec;
}

/// The text of each action: [Delete, Move, Copy].
int TextOf(ArchiveAction action, std::array<int, 3> texts) {
    return texts[static_cast<std::size_t>(action)];
}

bool Confirmed(UiService& ui, int text) {
    return ui.Message(Text(text), MsgButtons::YesNo, MsgIcon::Question) == MsgAnswer::Yes;
}

/// A question whose Yes deletes, moves or replaces: a front end that answers
/// for the user says Yes only with the consent `consent`.
bool ConfirmedDestructive(UiService& ui, int text, std::string_view consent) {
    return ui.AskDestructive(Text(text), MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::Yes,
                             consent) == MsgAnswer::Yes;
}

/// Sets how the action ended from what the loop counted.
void Conclude(const ArchiveActionRequest& request, bool cancelled, ArchiveActionOutcome& outcome) {
    if (cancelled) {
        outcome.kind = OutcomeKind::Cancelled;
    } else if (!outcome.kept.empty()) {
        outcome.kind = OutcomeKind::Partial;
        outcome.notDone = static_cast<int>(outcome.kept.size());
        outcome.message =
            Text(TextOf(request.action,
                        {kTextArchivesKeptDelete, kTextArchivesKeptMove, kTextArchivesNotCopied})) +
            NameList(outcome.kept);
    } else if (outcome.missing > 0 && request.action == ArchiveAction::Copy) {
        outcome.kind = OutcomeKind::Partial;
        outcome.notDone = outcome.missing;
    }
    // Copy counts what it could not find: the copies are the point of the run.
    if (outcome.missing > 0 && request.action == ArchiveAction::Copy) {
        if (!outcome.message.empty()) outcome.message += "\n";
        outcome.message +=
            std::to_string(outcome.missing) + Text(kTextArchivesNotFound) + request.romsFolder;
    }
}

/// The loop shared by Delete, Move and Copy: one step per result, each of its
/// archives (".zip" and ".7z") acted on, missing archives counted.
void ForEachArchive(const ArchiveActionRequest& request, TaskProgress& task,
                    const std::function<bool(const std::string&)>& act,
                    ArchiveActionOutcome& outcome) {
    outcome.ran = true;
    const int procedure =
        TextOf(request.action, {kDeleteProcedure, kMoveProcedure, kCopyProcedure});
    const std::optional<std::string> error = GuardedFailure(procedure, [&] {
        const RomArchiveIndex index(request.romsFolder);
        task.SetTotal(static_cast<int>(request.results.size()));
        task.SetLabel(Text(TextOf(request.action, {236, 239, 242})));
        for (std::size_t i = 0; i < request.results.size(); ++i) {
            if (!task.Step(static_cast<int>(i) + 1)) break;
            const std::string& name = request.results[i].internalName;
            const std::vector<std::string> archives = index.Archives(name);
            if (archives.empty()) {
                ++outcome.missing;
                continue;
            }
            if (archives.size() > 1) outcome.bothFormats.push_back(name);
            for (const std::string& archive : archives) {
                if (act(archive)) {
                    ++outcome.done;
                } else {
                    outcome.kept.push_back(BaseName(archive));
                }
            }
        }
    });
    if (error) {
        outcome.kind = OutcomeKind::Failed;
        outcome.message = *error;
        return;
    }
    Conclude(request, task.Cancelled(), outcome);
}

ArchiveActionOutcome NotRun(OutcomeKind kind, std::string message = {}) {
    ArchiveActionOutcome outcome;
    outcome.kind = kind;
    outcome.message = std::move(message);
    return outcome;
}

/// Tells what an archive action did: the sets in both formats, the archives
/// kept or not found, then "Done." (after a cancel too).
ArchiveActionOutcome Told(ArchiveAction action, ArchiveActionOutcome outcome) {
    if (!outcome.ran) {
        if (outcome.failed()) Ui().Message(outcome.message, MsgButtons::Ok, MsgIcon::Exclamation);
        return outcome;
    }
    if (!outcome.bothFormats.empty())
        Ui().Message(Text(TextOf(action, {kTextBothFormatsDeleted, kTextBothFormatsMoved,
                                          kTextBothFormatsCopied})) +
                         NameList(outcome.bothFormats),
                     MsgButtons::Ok, MsgIcon::Information);
    if (!outcome.message.empty())
        Ui().Message(outcome.message, MsgButtons::Ok,
                     outcome.ok() ? MsgIcon::Information : MsgIcon::Exclamation);
    Ui().Message(Text(kTextDone), MsgButtons::Ok, MsgIcon::Information);
    return outcome;
}

ArchiveActionOutcome RunWithProgress(const ArchiveActionRequest& request) {
    ArchiveActionOutcome outcome =
        RunShown([&](TaskContext& context) { return RunArchiveAction(request, context); },
                 {.window = true, .menusOff = false});
    return Told(request.action, std::move(outcome));
}

ArchiveActionOutcome Transfer(const std::vector<SearchResult>& results, ArchiveAction action) {
    ProcedureScope scope(TextOf(action, {kDeleteProcedure, kMoveProcedure, kCopyProcedure}));
    const std::string folder = WithFolderEnd(Ui().ChooseFolderRaw(
        TheSettings().HtmlFolder, Text(action == ArchiveAction::Move ? 237 : 240)));
    if (folder.empty()) return {};
    return RunWithProgress({action, results, TheSettings().RomsFolder, folder, false, {}});
}

}  // namespace

std::vector<std::string> Mame32FolderIniLines(const std::vector<SearchResult>& results,
                                              std::string_view folderName) {
    std::vector<std::string> lines = {"[FOLDER_SETTINGS]",
                                      "RootFolderIcon cust1",
                                      "SubFolderIcon cust2",
                                      "",
                                      "",
                                      "[" + std::string(folderName) + "]"};
    lines.reserve(lines.size() + results.size());
    for (const SearchResult& result : results)
        lines.push_back(result.internalName);
    return lines;
}

static Outcome RunIniExportUncounted(const IniExportRequest& request, TaskContext& context);

Outcome RunIniExport(const IniExportRequest& request, TaskContext& context) {
    return RunCountingErrors<Outcome>([&] { return RunIniExportUncounted(request, context); });
}

static Outcome RunIniExportUncounted(const IniExportRequest& request, TaskContext& context) {
    if (FileExists(request.path) && !ConfirmedDestructive(context.ui(), 201, kOverwriteConsent))
        return Outcome::Cancel();
    bool written = false;
    const std::optional<std::string> error = GuardedFailure(kIniProcedure, [&] {
        written =
            WriteTextLines(request.path, Mame32FolderIniLines(request.results, request.folderName));
    });
    if (!written)
        return Outcome::Failure(request.path + "\n" + Text(kTextFileNotWritten) +
                                (error ? "\n" + *error : std::string()));
    return Outcome::Success(Text(kTextFileSaved));
}

bool ExportResultsToIni(const std::vector<SearchResult>& results, std::string_view folderName) {
    if (results.empty()) return false;
    FileDialogRequest dialog;
    dialog.title = Text(kTextSaveIniFile);
    dialog.initialName = InProgramFolder(SafeFileName(folderName) + ".ini");
    dialog.filter = Text(kTextIniFilter);
    dialog.save = true;
    const std::string path = Ui().ChooseFileRaw(dialog);
    if (path.empty()) return false;
    TaskProgress unseen;
    TaskContext context(unseen, Ui());
    const Outcome outcome = RunIniExport({results, std::string(folderName), path}, context);
    if (outcome.failed()) Ui().Message(outcome.message, MsgButtons::Ok, MsgIcon::Critical);
    if (outcome.ok()) Ui().Message(outcome.message, MsgButtons::Ok, MsgIcon::None);
    return outcome.ok();
}

static ArchiveActionOutcome RunArchiveActionUncounted(const ArchiveActionRequest& request,
                                                      TaskContext& context);

ArchiveActionOutcome RunArchiveAction(const ArchiveActionRequest& request, TaskContext& context) {
    return RunCountingErrors<ArchiveActionOutcome>(
        [&] { return RunArchiveActionUncounted(request, context); });
}

static ArchiveActionOutcome RunArchiveActionUncounted(const ArchiveActionRequest& request,
                                                      TaskContext& context) {
    ArchiveActionOutcome outcome;
    UiService& ui = context.ui();
    if (request.action == ArchiveAction::Delete) {
        if (!ConfirmedDestructive(ui, 234, kDeleteConsent)) return NotRun(OutcomeKind::Cancelled);
        std::string backupFolder = request.backupFolder;
        if (backupFolder.ends_with('/') || backupFolder.ends_with('\\')) backupFolder.pop_back();
        if (!backupFolder.empty() && !FolderExists(backupFolder)) MakeFolder(backupFolder);
        bool backup = request.backup;
        if (backup && !FolderExists(backupFolder)) {
            // Yes deletes without the backup that was asked for: no option grants it.
            if (!ConfirmedDestructive(ui, 235, "--delete without --backup"))
                return NotRun(OutcomeKind::Cancelled);
            backup = false;
        }
        const std::string target = backupFolder + "/";
        ForEachArchive(
            request, context.progress(),
            [&](const std::string& archive) {
                if (backup && !CopyWhole(archive, target + BaseName(archive))) return false;
                return RecycleFile(archive);
            },
            outcome);
        return outcome;
    }
    const bool move = request.action == ArchiveAction::Move;
    const std::string folder = WithFolderEnd(request.destination);
    if (folder.empty()) return NotRun(OutcomeKind::Failed, Text(kTextDestinationPath));
    if (SameFile(WithFolderEnd(request.romsFolder), folder))
        return NotRun(OutcomeKind::Failed, Text(kTextDestinationIsRomFolder));
    if (move ? !ConfirmedDestructive(ui, 238, kMoveConsent) : !Confirmed(ui, 241))
        return NotRun(OutcomeKind::Cancelled);
    ForEachArchive(
        request, context.progress(),
        [&](const std::string& archive) {
            const std::string target = folder + BaseName(archive);
            return move ? MoveWhole(archive, target) : CopyWhole(archive, target);
        },
        outcome);
    return outcome;
}

ArchiveActionOutcome DeleteResultArchives(const std::vector<SearchResult>& results, bool backup) {
    ProcedureScope scope(kDeleteProcedure);
    return RunWithProgress({ArchiveAction::Delete,
                            results,
                            TheSettings().RomsFolder,
                            {},
                            backup,
                            TheSettings().BackupFolder});
}

ArchiveActionOutcome MoveResultArchives(const std::vector<SearchResult>& results) {
    return Transfer(results, ArchiveAction::Move);
}

ArchiveActionOutcome CopyResultArchives(const std::vector<SearchResult>& results) {
    return Transfer(results, ArchiveAction::Copy);
}

std::string ChooseBackupFolder() {
    ProcedureScope scope(kBackupFolderProcedure);
    const std::string folder =
        WithFolderEnd(Ui().ChooseFolderRaw(TheSettings().HtmlFolder, "Dossier backup des roms"));
    if (!folder.empty()) TheSettings().BackupFolder = folder;
    return folder;
}

}  // namespace arc
