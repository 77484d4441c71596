#include "sheets/SheetsTask.h"
#include "sheets/SoftwarePages.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/Progress.h"
#include "core/TextFile.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "database/Database.h"
#include "sheets/GamePages.h"
#include "sheets/ListPages.h"
#include "sheets/SheetImages.h"
#include "sheets/SheetSkin.h"
#include "sheets/SheetTemplates.h"
#include "sheets/StatisticsPage.h"

namespace arc {
namespace {

namespace fs = std::filesystem;

constexpr int kProcBuildSheets = 510;

fs::path Normalized(const std::string& path) {
    std::error_code ignored;
    fs::path normal = fs::weakly_canonical(fs::absolute(fs::path(path), ignored), ignored);
    if (normal.empty()) normal = fs::path(path).lexically_normal();
    if (!normal.has_filename() && normal.has_parent_path()) normal = normal.parent_path();
    return normal;
}

// True when `inner` is `outer` or lies somewhere below it.
bool IsSameOrInside(const fs::path& inner, const fs::path& outer) {
    auto in = inner.begin();
    for (auto out = outer.begin(); out != outer.end(); ++out, ++in) {
        if (in == inner.end() || *in != *out) return false;
    }
    return true;
}

bool HasPlainFiles(const std::string& folder) {
    return !ListFolder(folder, "*", EntryKind::Files).empty();
}

// The folder exists (made when missing) and a file can be created in it.
bool MakeWritableFolder(const std::string& folder) {
    std::error_code ignored;
    fs::create_directories(fs::path(folder), ignored);
    std::string probe = folder + ".arcanote-probe-XXXXXX";
    const int fd = ::mkstemp(probe.data());
    if (fd < 0) return false;
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

// Deletes the plain files of html/, then sends every entry of the destination
// to the trash.
void EmptyDestination(const std::string& htmlFolder, TaskProgress& progress) {
    progress.SetLabel(Text(kTextDeleting));
    const std::string pages = htmlFolder + "html/";
    for (const std::string& name : ListFolder(pages, "*", EntryKind::Files)) {
        DeleteFileIfExists(pages + name);
    }
    for (const std::string& name : ListFolder(htmlFolder, "*", EntryKind::Any)) {
        RecycleFile(htmlFolder + name);
    }
}

// The designed questions before a destination that is not empty is emptied.
void OfferToEmpty(const SheetsRequest& request, const std::string& htmlFolder,
                  TaskContext& context) {
    if (!HasPlainFiles(htmlFolder) && !HasPlainFiles(htmlFolder + "html/")) return;
    UiService& ui = context.ui();
    if (HoldsProgramFiles(htmlFolder, request.programFolder, request.databasePath)) {
        ui.Message(Text(kTextTheFolder) + htmlFolder + Text(kTextHoldsProgramFiles), MsgButtons::Ok,
                   MsgIcon::Exclamation);
    } else if (ui.AskDestructive(Text(kTextDestinationNotEmpty) + "\r\n" + Text(kTextConfirmDelete),
                                 MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::Yes,
                                 kEmptyDestinationConsent) == MsgAnswer::Yes &&
               ui.AskDestructive(Text(kTextConfirmDeleteFilesIn) + "\r\n" + htmlFolder,
                                 MsgButtons::YesNo, MsgIcon::Critical, MsgAnswer::Yes,
                                 kEmptyDestinationConsent) == MsgAnswer::Yes) {
        EmptyDestination(htmlFolder, context.progress());
    }
}

void CopyDecorations(const SheetRun& run) {
    if (run.skinFolder.empty()) return;
    auto copy = [&](std::string_view pattern, const std::string& target) {
        for (const std::string& name : ListFolder(run.skinFolder, pattern, EntryKind::Files)) {
            ShellCopy(run.skinFolder + name, target);
        }
    };
    copy("index*.jpg", run.htmlFolder);
    copy("links*.jpg", run.htmlFolder);
    for (std::string_view pattern : {"list*.jpg", "plain*.jpg", "rom*.jpg", "stat*.jpg"}) {
        copy(pattern, run.PagesFolder());
    }
    const std::string noImage = SkinFile(run, "noimage.png");
    if (!noImage.empty()) ShellCopy(noImage, run.PagesFolder() + "noimage.png");
}

// The built-in page shows the audit verdict only when an audit was made, so
// that the site of a collection never audited stays as it was.
std::string WithAuditLine(std::string page) {
    constexpr std::string_view kAfter = "#GOTIT</font></span>";
    const std::size_t at = page.find(kAfter);
    if (at != std::string::npos) {
        page.insert(at + kAfter.size(), "<br><b><font size=\"1\">" + Text(kTextAuditLabel) +
                                            " : </font></b><span class=\"bold\"><font "
                                            "color=\"#FFCC00\">#AUDIT</font></span>");
    }
    return page;
}

std::string GamePageText(const SheetRun& run) {
    std::string text;
    const std::string skinPage = SkinFile(run, "rom.htm");
    if (!skinPage.empty() && ReadTextFile(skinPage, text)) {
        std::string css = SkinFile(run, "rom.css");
        if (css.empty()) css = SkinFile(run, "arcanote.css");
        if (!css.empty()) ShellCopy(css, run.PagesFolder() + BaseName(css));
        return text;
    }
    std::string page = DefaultGamePageTemplate(run.frenchPages);
    return TableExists("Audit") ? WithAuditLine(std::move(page)) : page;
}

// The steps after the database opened; false when the run stopped early.
bool RunSteps(SheetRun& run, SheetsOutcome& outcome, TaskContext& context) {
    TaskProgress& progress = context.progress();
    CopyDecorations(run);
    const GamePageTemplate page(GamePageText(run));

    progress.SetLabel(Text(kTextUnzipping));
    DebugLog(Text(kTextUnzipping));
    if (!UnzipArtArchives(run, progress, outcome.uncleanArtArchives)) return false;

    progress.SetLabel(Text(kTextAnalysing));
    DebugLog(Text(kTextAnalysing));
    progress.SetTotal(0);
    ReadVersionTexts(run);
    switch (WriteGamePages(run, page, progress)) {
        case PagesOutcome::EmptySelection:
            context.ui().Message(WithLineBreaks(Text(kTextNoDataForCriteria)), MsgButtons::Ok,
                                 MsgIcon::Information);
            outcome.emptySelection = true;
            outcome.told = true;
            return false;
        case PagesOutcome::Cancelled:
            return false;
        case PagesOutcome::Written:
            break;
    }
    outcome.pages = static_cast<int>(run.pageImages.size());
    if (run.choices.copyAllArt && !CopyAllArt(run, progress)) return false;
    StatisticsCounts statistics;  // counted while the lists, which read no database, are made
    if (!WriteListPages(run, progress)) return false;
    WriteIndexPage(run);
    WriteLinksPage(run);
    WriteSoftwarePages(run);
    DebugLog("Stats");
    WriteStatisticsPage(run, progress, &statistics);
    return !run.choices.substitutes || FillSubstitutes(run, progress);
}

// What the outcome says once the steps ran.
void Conclude(SheetsOutcome& outcome, bool completed, const std::optional<std::string>& error) {
    if (error) {
        outcome.kind = OutcomeKind::Failed;
        outcome.message = Text(kTextPagesNotWritten) + *error;
    } else if (outcome.emptySelection) {
        outcome.kind = OutcomeKind::Failed;
        outcome.message = "no game matches these options";
    } else if (!completed) {
        outcome.kind = OutcomeKind::Cancelled;
    } else if (outcome.uncleanArtArchives > 0) {
        outcome.kind = OutcomeKind::Partial;
        outcome.done = outcome.pages;
        outcome.notDone = outcome.uncleanArtArchives;
        outcome.message = std::to_string(outcome.uncleanArtArchives) + Text(kTextArtNotExtracted);
    }
}

}  // namespace

bool HoldsProgramFiles(const std::string& folder, const std::string& programFolder,
                       const std::string& databasePath) {
    const fs::path target = Normalized(folder);
    if (!programFolder.empty() && IsSameOrInside(Normalized(programFolder), target)) return true;
    return !databasePath.empty() &&
           IsSameOrInside(Normalized(fs::path(databasePath).parent_path().string()), target);
}

void RemoveUnzippedSkin(const std::string& skinFolder, const std::string& tempFolder) {
    if (skinFolder.empty() || tempFolder.empty()) return;
    const fs::path folder = fs::path(skinFolder).lexically_normal().parent_path();
    const std::string name = folder.filename().string();
    if (folder.parent_path() != fs::path(tempFolder).lexically_normal().parent_path() ||
        name.size() < 7 || name.front() != '~' || !name.ends_with(".skin")) {
        return;
    }
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

int RemovePageLeftovers(const std::string& htmlFolder) {
    auto leftover = [](std::string_view name) {
        if (name.size() < 12 || name[name.size() - 9] != '.') return false;
        const std::string_view stem = name.substr(0, name.size() - 9);
        if (stem.find('.') == std::string_view::npos) return false;
        for (char c : name.substr(name.size() - 8)) {
            if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
        }
        return true;
    };
    std::vector<std::string> folders = {htmlFolder, htmlFolder + "html/"};
    for (std::string_view kind : ArtSheetFolders())
        folders.push_back(htmlFolder + "html/images/" + std::string(kind) + "/");
    int removed = 0;
    for (const std::string& folder : folders) {
        for (const std::string& name : ListFolder(folder, "*", EntryKind::Files)) {
            // Beside the destination's own files, only the site's two pages.
            const bool mine = folder != htmlFolder || name.starts_with("index.htm.") ||
                              name.starts_with("links.htm.");
            std::error_code ignored;
            if (mine && leftover(name) && fs::remove(folder + name, ignored)) ++removed;
        }
    }
    return removed;
}

static SheetsOutcome RunSheetsUncounted(const SheetsRequest& request, TaskContext& context);

SheetsOutcome RunSheetsShown(const SheetsRequest& request) {
    return RunShown([&](TaskContext& context) { return RunSheets(request, context); },
                    {.window = true, .menusOff = false});
}

SheetsOutcome RunSheets(const SheetsRequest& request, TaskContext& context) {
    return RunCountingErrors<SheetsOutcome>([&] { return RunSheetsUncounted(request, context); });
}

static SheetsOutcome RunSheetsUncounted(const SheetsRequest& request, TaskContext& context) {
    ProcedureScope scope(kProcBuildSheets);
    SheetsOutcome outcome;
    const std::string htmlFolder = WithTrailingSlash(request.htmlFolder);
    if (!MakeWritableFolder(htmlFolder)) {
        outcome.kind = OutcomeKind::Failed;
        outcome.message = Text(kTextTheFolder) + htmlFolder + Text(kTextNotWritable);
        return outcome;
    }
    if (const int removed = RemovePageLeftovers(htmlFolder))
        WriteLog(std::to_string(removed) + " temporary file(s) of an earlier run removed");
    OfferToEmpty(request, htmlFolder, context);
    for (std::string_view sub :
         {"html", "html/images", "html/images/titles", "html/images/snap", "html/images/marquees",
          "html/images/cabinets", "html/images/cpanel", "html/images/flyers"}) {
        MakeFolder(htmlFolder + std::string(sub));
    }

    SheetRun run;
    run.htmlFolder = htmlFolder;
    run.choices = request.choices;
    run.frenchPages = request.frenchPages;
    for (int k = 0; k < kArtKinds; ++k)
        run.artFolders[k] = WithTrailingSlash(request.artFolders[k]);
    bool fromArchive = false;
    if (!request.skinPath.empty()) {
        const SkinFolder skin = ResolveSkin(request.skinName, request.skinPath, request.tempFolder);
        run.skinFolder = skin.folder;
        fromArchive = skin.fromArchive;
    }
    DebugLog("DEST PATH = " + htmlFolder);
    DebugLog("SKIN      = " + request.skinName);

    // An empty path would open the settings' database: the request names its own.
    if (!request.databasePath.empty() && OpenDatabase(request.databasePath)) {
        outcome.databaseOpened = true;
        bool completed = false;
        const auto error =
            GuardedFailure(kProcBuildSheets, [&] { completed = RunSteps(run, outcome, context); });
        Conclude(outcome, completed, error);
        CloseDatabase();
    } else {
        outcome.kind = OutcomeKind::Failed;
        outcome.message = "cannot open the database " + request.databasePath;
        outcome.told = !request.databasePath.empty();  // by the database's own message
    }
    if (fromArchive) RemoveUnzippedSkin(run.skinFolder, request.tempFolder);
    outcome.indexPath = htmlFolder + "index.htm";
    return outcome;
}

}  // namespace arc
