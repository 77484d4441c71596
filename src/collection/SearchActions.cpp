#include "collection/SearchActions.h"

#include <filesystem>
#include <functional>
#include <system_error>

#include "collection/RomSets.h"
#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/Settings.h"
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
constexpr std::size_t kKeptNamesShown = 20;

bool French() {
    return TheSettings().Language == 1;
}

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

/// Deleted archives go to the trash, as every deletion of the program.
bool DeleteArchive(const std::string& path) {
    return RecycleFile(path);
}

/// The names on their own lines, at most kKeptNamesShown of them.
std::string NameList(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size() && i < kKeptNamesShown; ++i)
        text += "\n" + names[i];
    if (names.size() > kKeptNamesShown)
        text += "\n(+" + std::to_string(names.size() - kKeptNamesShown) + ")";
    return text;
}

std::string KeptMessage(int procedure, const std::vector<std::string>& kept) {
    std::string text;
    switch (procedure) {
        case kDeleteProcedure:
            text = French() ? "Ces archives ont été conservées car leur sauvegarde ou leur "
                              "suppression a échoué :"
                            : "These archives were kept because their backup or their "
                              "deletion failed:";
            break;
        case kMoveProcedure:
            text = French() ? "Ces archives sont restées dans le dossier des roms car leur copie "
                              "a échoué :"
                            : "These archives were kept in the ROM folder because their copy "
                              "failed:";
            break;
        default:
            text = French() ? "Ces archives n'ont pas pu être copiées :"
                            : "These archives could not be copied:";
            break;
    }
    return text + NameList(kept);
}

std::string BothFormatsMessage(int procedure, const std::vector<std::string>& sets) {
    const int text = procedure == kDeleteProcedure ? kTextBothFormatsDeleted
                     : procedure == kMoveProcedure ? kTextBothFormatsMoved
                                                   : kTextBothFormatsCopied;
    return Text(text) + NameList(sets);
}

/// The loop shared by Delete, Move and Copy: one step per result, each of its
/// archives (".zip" and ".7z") acted on, missing archives skipped, "Done." at
/// the end (after a cancel too).
ArchiveActionOutcome ForEachArchive(int procedure, const std::vector<SearchResult>& results,
                                    int caption,
                                    const std::function<bool(const std::string&)>& act) {
    ArchiveActionOutcome outcome;
    outcome.ran = true;
    Guarded(procedure, [&] {
        const RomArchiveIndex index(TheSettings().RomsFolder);
        LongTask task(static_cast<int>(results.size()), false);
        task.SetLabel(Text(caption));
        for (std::size_t i = 0; i < results.size(); ++i) {
            if (!task.Step(static_cast<int>(i) + 1)) break;
            const std::vector<std::string> archives = index.Archives(results[i].internalName);
            if (archives.empty()) {
                ++outcome.missing;
                continue;
            }
            if (archives.size() > 1) outcome.bothFormats.push_back(results[i].internalName);
            for (const std::string& archive : archives) {
                if (act(archive)) {
                    ++outcome.done;
                } else {
                    outcome.kept.push_back(BaseName(archive));
                }
            }
        }
        task.Finish();
        outcome.cancelled = task.Cancelled();
    });
    if (!outcome.bothFormats.empty())
        Ui().Message(BothFormatsMessage(procedure, outcome.bothFormats), MsgButtons::Ok,
                     MsgIcon::Information);
    if (!outcome.kept.empty())
        Ui().Message(KeptMessage(procedure, outcome.kept), MsgButtons::Ok, MsgIcon::Exclamation);
    Ui().Message(Text(kTextDone), MsgButtons::Ok, MsgIcon::Information);
    return outcome;
}

bool Confirmed(int text) {
    return Ui().Message(Text(text), MsgButtons::YesNo, MsgIcon::Question) == MsgAnswer::Yes;
}

/// A question whose Yes deletes or moves archives: a front end that answers
/// for the user says Yes only with the consent `consent`.
bool ConfirmedDestructive(int text, std::string_view consent) {
    return Ui().AskDestructive(Text(text), MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::Yes,
                               consent) == MsgAnswer::Yes;
}

/// The destination of Move and Copy ("" when cancelled or refused).
std::string ChooseDestination(int title) {
    std::string folder = WithFolderEnd(Ui().ChooseFolderRaw(TheSettings().HtmlFolder, Text(title)));
    if (folder.empty()) return folder;
    if (SameFile(WithFolderEnd(TheSettings().RomsFolder), folder)) {
        Ui().Message(French() ? "Le dossier de destination est le dossier des roms lui-même."
                              : "The destination folder is the ROM folder itself.",
                     MsgButtons::Ok, MsgIcon::Exclamation);
        return {};
    }
    return folder;
}

ArchiveActionOutcome Transfer(const std::vector<SearchResult>& results, bool move) {
    const int procedure = move ? kMoveProcedure : kCopyProcedure;
    ProcedureScope scope(procedure);
    const std::string folder = ChooseDestination(move ? 237 : 240);
    if (folder.empty()) return {};
    if (move ? !ConfirmedDestructive(238, kMoveConsent) : !Confirmed(241)) return {};
    return ForEachArchive(procedure, results, move ? 239 : 242, [&](const std::string& archive) {
        const std::string target = folder + BaseName(archive);
        return move ? MoveWhole(archive, target) : CopyWhole(archive, target);
    });
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

bool ExportResultsToIni(const std::vector<SearchResult>& results, std::string_view folderName) {
    bool written = false;
    Guarded(kIniProcedure, [&] {
        if (results.empty()) return;
        FileDialogRequest request;
        request.title = Text(kTextSaveIniFile);
        request.initialName = InProgramFolder(SafeFileName(folderName) + ".ini");
        request.filter = Text(kTextIniFilter);
        request.save = true;
        const std::string path = Ui().ChooseFileRaw(request);
        if (path.empty()) return;
        if (FileExists(path) && !ConfirmedDestructive(201, kOverwriteConsent)) return;
        if (!WriteTextLines(path, Mame32FolderIniLines(results, folderName))) {
            Ui().Message(path + "\n" + Text(kTextFileNotWritten), MsgButtons::Ok,
                         MsgIcon::Critical);
            return;
        }
        written = true;
        Ui().Message(Text(kTextFileSaved), MsgButtons::Ok, MsgIcon::None);
    });
    return written;
}

ArchiveActionOutcome DeleteResultArchives(const std::vector<SearchResult>& results, bool backup) {
    ProcedureScope scope(kDeleteProcedure);
    if (!ConfirmedDestructive(234, kDeleteConsent)) return {};
    std::string backupFolder = TheSettings().BackupFolder;
    if (backupFolder.ends_with('/') || backupFolder.ends_with('\\')) backupFolder.pop_back();
    if (!backupFolder.empty() && !FolderExists(backupFolder)) MakeFolder(backupFolder);
    if (backup && !FolderExists(backupFolder)) {
        // Yes deletes without the backup that was asked for: no option grants it.
        if (!ConfirmedDestructive(235, "--delete without --backup")) return {};
        backup = false;
    }
    const std::string target = backupFolder + "/";
    return ForEachArchive(kDeleteProcedure, results, 236, [&](const std::string& archive) {
        if (backup && !CopyWhole(archive, target + BaseName(archive))) return false;
        return DeleteArchive(archive);
    });
}

ArchiveActionOutcome MoveResultArchives(const std::vector<SearchResult>& results) {
    return Transfer(results, true);
}

ArchiveActionOutcome CopyResultArchives(const std::vector<SearchResult>& results) {
    return Transfer(results, false);
}

std::string ChooseBackupFolder() {
    ProcedureScope scope(kBackupFolderProcedure);
    const std::string folder =
        WithFolderEnd(Ui().ChooseFolderRaw(TheSettings().HtmlFolder, "Dossier backup des roms"));
    if (!folder.empty()) TheSettings().BackupFolder = folder;
    return folder;
}

}  // namespace arc
