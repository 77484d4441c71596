#include "sheets/BuildSheets.h"

#include <filesystem>

#include "core/AppState.h"
#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/TextFile.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "database/Database.h"
#include "sheets/GamePages.h"
#include "sheets/ListPages.h"
#include "sheets/SheetImages.h"
#include "sheets/SheetTemplates.h"
#include "sheets/StatisticsPage.h"

namespace arc {
namespace {

constexpr int kProcBuildSheets = 510;

std::string FailureMessage(const std::string& failure) {
    return Text(kTextPagesNotWritten) + failure;
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
    return TableExists("Audit") ? WithAuditLine(DefaultGamePageTemplate())
                                : DefaultGamePageTemplate();
}

// Steps 3 to 14; false when the run stopped early.
bool RunSteps(SheetRun& run, SheetRunResult& result, TaskProgress& progress) {
    CopyDecorations(run);
    const GamePageTemplate page(GamePageText(run));

    progress.SetLabel(Text(kTextUnzipping));
    DebugLog(Text(kTextUnzipping));
    if (!UnzipArtArchives(run, progress)) return false;

    progress.SetLabel(Text(kTextAnalysing));
    DebugLog(Text(kTextAnalysing));
    progress.SetTotal(0);
    ReadVersionTexts(run);
    switch (WriteGamePages(run, page, progress)) {
        case PagesOutcome::EmptySelection:
            UnloadProgress();
            result.emptySelection = true;
            return false;
        case PagesOutcome::Cancelled:
            return false;
        case PagesOutcome::Written:
            break;
    }
    if (run.choices.copyAllArt && !CopyAllArt(run, progress)) return false;
    StatisticsCounts statistics;  // counted while the lists, which read no database, are made
    if (!WriteListPages(run, progress)) return false;
    WriteIndexPage(run);
    WriteLinksPage(run);
    DebugLog("Stats");
    WriteStatisticsPage(run, progress, &statistics);
    if (run.choices.substitutes && !FillSubstitutes(run, progress)) return false;

    Ui().OpenWithDefaultApp(run.htmlFolder + "index.htm");
    if (!State().WizardMode) {
        UnloadProgress();
        Ui().Message(Text(kTextDone), MsgButtons::Ok, MsgIcon::Information);
    }
    return true;
}

}  // namespace

void RemoveUnzippedSkin(const std::string& skinFolder) {
    namespace fs = std::filesystem;
    if (skinFolder.empty() || State().TempFolder.empty()) return;
    const fs::path folder = fs::path(skinFolder).lexically_normal().parent_path();
    const std::string name = folder.filename().string();
    if (folder.parent_path() != fs::path(State().TempFolder).lexically_normal().parent_path() ||
        name.size() < 7 || name.front() != '~' || name.substr(name.size() - 5) != ".skin") {
        return;
    }
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

SheetRunResult BuildSheets(SheetRun& run, bool skinFromArchive,
                           const std::function<void(bool)>& showWindow) {
    ProcedureScope scope(kProcBuildSheets);
    SheetRunResult result;
    Progress().Cancel = false;
    if (State().LogFlag) WriteSettingsDump();
    if (!OpenDatabase()) {
        if (skinFromArchive) RemoveUnzippedSkin(run.skinFolder);
        return result;
    }
    result.databaseOpened = true;
    if (showWindow) showWindow(false);
    DisableMenus();
    ShowProgress();
    WindowProgress progress;
    if (const auto error = GuardedFailure(
            kProcBuildSheets, [&] { result.completed = RunSteps(run, result, progress); })) {
        result.failed = true;
        result.failure = *error;
    }
    result.cancelled = !result.completed && !result.emptySelection && !result.failed;
    if (skinFromArchive) RemoveUnzippedSkin(run.skinFolder);
    if (!State().WizardMode) {
        if (showWindow) showWindow(true);
        EnableMenus();
    }
    CloseDatabase();
    UnloadProgress();
    Progress().Cancel = false;
    if (result.failed)
        Ui().Message(FailureMessage(result.failure), MsgButtons::Ok, MsgIcon::Critical);
    return result;
}

}  // namespace arc
