#include "sheets/SheetWindowState.h"

#include "core/Files.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/Task.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "core/WindowId.h"
#include "sheets/SheetSkin.h"

namespace arc {
namespace {

constexpr int kWindowNumber = WindowNumber(WindowId::Sheet);

}  // namespace

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
    if (DebugLogging()) {
        for (int index : kCheck1Indexes) {
            WriteLog(check1Captions[index] + " = " + (check1[index] ? "1" : "0"));
        }
        for (int i = 0; i < 6; ++i) {
            WriteLog(check2Captions[i] + " = " + (check2[i] ? "1" : "0"));
        }
    }
    return choices;
}

SheetsRequest SheetWindowState::BuildRequest() const {
    const Settings& settings = TheSettings();
    SheetsRequest request;
    request.databasePath = settings.DatabasePath;
    request.htmlFolder = WithTrailingSlash(text1);
    request.choices = ReadSheetOptions();
    request.artFolders = settings.ArtFolders;
    request.frenchPages = settings.Language == 1;
    request.tempFolder = FindTempFolder();
    request.programFolder = ProgramFolder();
    if (combo1Index > 0 && combo1Index < static_cast<int>(skinPaths.size())) {
        request.skinName = ComboText();
        request.skinPath = skinPaths[combo1Index];
    }
    return request;
}

namespace {

SheetsOutcome NothingRan() {
    SheetsOutcome outcome;
    outcome.kind = OutcomeKind::Cancelled;
    return outcome;
}

}  // namespace

SheetsOutcome SheetWindowState::Make() {
    TheSettings().DefaultSkin = ComboText();
    if (!text1.empty() && !inWizard && ConfirmDatabaseFile().empty()) return NothingRan();
    return MakeWithoutQuestions();
}

SheetsOutcome SheetWindowState::MakeWithoutQuestions() {
    TheSettings().DefaultSkin = ComboText();
    if (text1.empty()) {
        focusText1 = true;
        return NothingRan();
    }
    return Run();
}

SheetsOutcome SheetWindowState::Run() {
    const SheetsRequest request = BuildRequest();
    TheSettings().HtmlFolder = request.htmlFolder;
    if (DebugLogging()) WriteSettingsDump();
    auto show = [this](bool shown) {
        visible = shown;
        if (showWindow) showWindow(shown);
    };
    show(false);
    DisableMenus();
    const SheetsOutcome outcome = RunSheetsShown(request);
    if (inWizard) {
        unloadRequested = true;
    } else {
        show(true);
        EnableMenus();
    }
    if (outcome.ok() || outcome.partial()) {
        Ui().OpenWithDefaultApp(outcome.indexPath);
        if (!inWizard) {
            Ui().Message(outcome.ok() ? Text(kTextDone) : outcome.message, MsgButtons::Ok,
                         outcome.ok() ? MsgIcon::Information : MsgIcon::Exclamation);
        }
    } else if (outcome.failed() && !outcome.told) {
        Ui().Message(outcome.message, MsgButtons::Ok, MsgIcon::Critical);
    }
    return outcome;
}

}  // namespace arc
