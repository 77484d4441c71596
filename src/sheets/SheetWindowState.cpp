#include "sheets/SheetWindowState.h"

#include <filesystem>
#include <system_error>

#include "core/AppState.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "core/WindowId.h"
#include "sheets/SheetSkin.h"

namespace arc {
namespace {

namespace fs = std::filesystem;

constexpr int kWindowNumber = WindowNumber(WindowId::Sheet);

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

std::string ProtectedFolderMessage(const std::string& folder) {
    if (TheSettings().Language == 1) {
        return "Le dossier " + folder +
               " contient les fichiers du programme (réglages, base de données, skins) : il "
               "n'est pas vidé, les fiches y sont créées sans rien effacer.";
    }
    return "The folder " + folder +
           " holds the program's own files (settings, database, skins): it is not emptied; "
           "the game files are written into it without deleting anything.";
}

// Deletes the plain files of html/, then sends every entry of the destination
// to the trash.
void EmptyDestination(const std::string& htmlFolder) {
    ShowProgress();
    SetProgressLabel(Text(kTextDeleting));
    const std::string pages = htmlFolder + "html/";
    for (const std::string& name : ListFolder(pages, "*", EntryKind::Files)) {
        DeleteFileIfExists(pages + name);
    }
    for (const std::string& name : ListFolder(htmlFolder, "*", EntryKind::Any)) {
        RecycleFile(htmlFolder + name);
    }
    UnloadProgress();
    Progress().Cancel = false;
}

bool HasPlainFiles(const std::string& folder) {
    return !ListFolder(folder, "*", EntryKind::Files).empty();
}

}  // namespace

bool HoldsProgramFiles(const std::string& folder) {
    const fs::path target = Normalized(folder);
    if (IsSameOrInside(Normalized(ProgramFolder()), target)) return true;
    const std::string& database = TheSettings().DatabasePath;
    if (!database.empty() &&
        IsSameOrInside(Normalized(fs::path(database).parent_path().string()), target)) {
        return true;
    }
    return false;
}

void SheetWindowState::Load(bool chooseFolder) {
    caption = Text(kTextCreatingRomsList);
    frame1 = Text(kTextSavePath);
    check1Captions[0] = Text(kTextOnlyAvailableRoms);
    check1Captions[1] = Text(kTextAvoidClones);
    check1Captions[8] = Text(kTextAvoidNonWorkingRoms);
    for (int i = 0; i < 6; ++i)
        check2Captions[i] = Text(30 + i);
    check2Captions[6] = Text(kTextParentArtForClones);
    check3Caption = Text(kTextCopyAllArt);
    check4Caption = Text(kTextReplacementImage);
    command2Caption = "&" + Text(kTextMake);
    command3Caption = "&" + Text(kTextCancel);

    const auto& options = TheSettings().SheetOptions;
    check1[0] = options[1] == 1;
    check1[1] = options[2] == 1;
    check1[8] = options[3] == 1;
    check3 = options[4] == 1;
    for (int i = 0; i < 7; ++i)
        check2[i] = options[i + 5] == 1;
    check4 = options[12] == 1;
    text1 = TheSettings().HtmlFolder;
    FillSkinList();
    if (chooseFolder) ChooseSheetFolder();
    if (TheSettings().WindowLeft[kWindowNumber] > 0) left = TheSettings().WindowLeft[kWindowNumber];
    if (TheSettings().WindowTop[kWindowNumber] > 0) top = TheSettings().WindowTop[kWindowNumber];
}

void SheetWindowState::Unload() {
    Settings& settings = TheSettings();
    settings.WindowLeft[kWindowNumber] = left;
    settings.WindowTop[kWindowNumber] = top;
    settings.SheetOptions[1] = check1[0];
    settings.SheetOptions[2] = check1[1];
    settings.SheetOptions[3] = check1[8];
    settings.SheetOptions[4] = check3;
    for (int i = 0; i < 7; ++i)
        settings.SheetOptions[i + 5] = check2[i];
    settings.SheetOptions[12] = check4;
    settings.DefaultSkin = ComboText();
    SaveSettings();
    if (State().WizardMode) State().WizardTaskRunning = false;
}

void SheetWindowState::ChooseSheetFolder() {
    const std::string folder = BrowseFolder(TheSettings().HtmlFolder, Text(kTextSelectSaveFolder));
    if (folder.empty()) return;
    TheSettings().HtmlFolder = folder;
    text1 = folder;
}

void SheetWindowState::FillSkinList() {
    combo1.clear();
    skinPaths.clear();
    combo1Index = -1;
    const std::vector<SkinEntry> skins = ListSkins(InProgramFolder("html/"));
    if (skins.empty()) return;
    // The first item stands for the built-in templates.
    combo1.emplace_back();
    skinPaths.emplace_back();
    for (const SkinEntry& skin : skins) {
        combo1.push_back(skin.name);
        skinPaths.push_back(skin.path);
    }
    combo1Index = 0;
    SelectSkin(TheSettings().DefaultSkin);
}

bool SheetWindowState::SelectSkin(std::string_view name) {
    for (std::size_t i = 0; i < combo1.size(); ++i) {
        if (ToLowerAscii(combo1[i]) == ToLowerAscii(name)) {
            combo1Index = static_cast<int>(i);
            return true;
        }
    }
    return false;
}

std::string SheetWindowState::ComboText() const {
    return combo1Index >= 0 && combo1Index < static_cast<int>(combo1.size()) ? combo1[combo1Index]
                                                                             : std::string();
}

SheetChoices SheetWindowState::ReadSheetOptions() const {
    SheetChoices choices;
    choices.onlyAvailable = check1[0];
    choices.avoidClones = check1[1];
    choices.avoidNonWorking = check1[8];
    for (int i = 0; i < 6; ++i)
        choices.dontCopy[i] = check2[i];
    choices.parentArtForClones = check2[6];
    choices.copyAllArt = check3;
    choices.substitutes = check4;
    if (State().LogFlag) {
        for (int index : kCheck1Indexes) {
            WriteLog(check1Captions[index] + " = " + (check1[index] ? "1" : "0"));
        }
        for (int i = 0; i < 6; ++i) {
            WriteLog(check2Captions[i] + " = " + (check2[i] ? "1" : "0"));
        }
    }
    return choices;
}

SheetRunResult SheetWindowState::Make() {
    TheSettings().DefaultSkin = ComboText();
    if (text1.empty()) {
        focusText1 = true;
        return {};
    }
    if (!State().WizardMode && ConfirmDatabaseFile().empty()) {
        SheetRunResult cancelled;
        cancelled.cancelled = true;
        return cancelled;
    }
    return Run();
}

SheetRunResult SheetWindowState::MakeWithoutQuestions() {
    TheSettings().DefaultSkin = ComboText();
    if (text1.empty()) {
        focusText1 = true;
        return {};
    }
    return Run();
}

SheetRunResult SheetWindowState::Run() {
    const SheetChoices choices = ReadSheetOptions();
    TheSettings().HtmlFolder = WithTrailingSlash(text1);
    DebugLog("DEST PATH = " + TheSettings().HtmlFolder);
    DebugLog("SKIN      = " + TheSettings().DefaultSkin);
    SheetRunResult result = PrepareSheetFolders(choices);
    if (State().WizardMode) unloadRequested = true;
    return result;
}

SheetRunResult SheetWindowState::PrepareSheetFolders(const SheetChoices& choices) {
    const std::string htmlFolder = WithTrailingSlash(TheSettings().HtmlFolder);
    std::error_code ignored;
    fs::create_directories(fs::path(htmlFolder.substr(0, htmlFolder.size() - 1)), ignored);

    if (HasPlainFiles(htmlFolder) || HasPlainFiles(htmlFolder + "html/")) {
        if (HoldsProgramFiles(htmlFolder)) {
            Ui().Message(ProtectedFolderMessage(htmlFolder), MsgButtons::Ok, MsgIcon::Exclamation);
        } else if (Ui().AskDestructive(
                       Text(kTextDestinationNotEmpty) + "\r\n" + Text(kTextConfirmDelete),
                       MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::Yes,
                       kEmptyDestinationConsent) == MsgAnswer::Yes &&
                   Ui().AskDestructive(Text(kTextConfirmDeleteFilesIn) + "\r\n" + htmlFolder,
                                       MsgButtons::YesNo, MsgIcon::Critical, MsgAnswer::Yes,
                                       kEmptyDestinationConsent) == MsgAnswer::Yes) {
            EmptyDestination(htmlFolder);
        }
    }
    for (std::string_view sub :
         {"html", "html/images", "html/images/titles", "html/images/snap", "html/images/marquees",
          "html/images/cabinets", "html/images/cpanel", "html/images/flyers"}) {
        MakeFolder(htmlFolder + std::string(sub));
    }

    SheetRun run;
    run.htmlFolder = htmlFolder;
    run.choices = choices;
    for (int k = 0; k < kArtKinds; ++k) {
        run.artFolders[k] = WithTrailingSlash(TheSettings().ArtFolders[k]);
    }
    bool fromArchive = false;
    if (combo1Index > 0 && combo1Index < static_cast<int>(skinPaths.size())) {
        const SkinFolder skin = ResolveSkin(ComboText(), skinPaths[combo1Index]);
        run.skinFolder = skin.folder;
        fromArchive = skin.fromArchive;
    }
    return BuildSheets(run, fromArchive, [this](bool show) {
        visible = show;
        if (showWindow) showWindow(show);
    });
}

}  // namespace arc
