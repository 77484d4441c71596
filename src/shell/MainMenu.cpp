#include "shell/MainMenu.h"

#include <algorithm>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "core/UiService.h"

namespace arc {
namespace {

constexpr int kProcMenuCommand = 20;
constexpr int kProcQuit = 21;

MenuEntry Menu(std::string_view name, std::string_view caption) {
    return {name, {}, {}, caption, {}, true};
}
MenuEntry Sub(std::string_view name, std::string_view parent, std::string_view caption) {
    return {name, {}, parent, caption, {}, true};
}
MenuEntry Item(MenuCommand command, std::string_view parent, std::string_view caption,
               std::string_view shortcut = {}) {
    return {ObjectNameOf(command), command, parent, caption, shortcut};
}
MenuEntry Separator(std::string_view name, std::string_view parent) {
    return {name, {}, parent, "-", {}, false, true};
}

struct CaptionSource {
    std::string_view name;
    int entry;
};

// ApplyMenuCaptions' order.
constexpr CaptionSource kCaptionOrder[] = {
    {"MenuTraitement", 10},
    {"MenuOptions", 11},
    {ObjectNameOf(MenuCommand::About), 12},
    {ObjectNameOf(MenuCommand::Download), 101},
    {"MenuEdition", 203},
    {ObjectNameOf(MenuCommand::Search), 204},
    {ObjectNameOf(MenuCommand::BuildDatabase), 95},
    {ObjectNameOf(MenuCommand::ListMyRoms), 96},
    {ObjectNameOf(MenuCommand::MakeSheets), 97},
    {"MenuNotes", 98},
    {ObjectNameOf(MenuCommand::WriteNote), 99},
    {ObjectNameOf(MenuCommand::Paths), 102},
    {"MnuLiens", 103},
    {"MnuLangue", 117},
    {ObjectNameOf(MenuCommand::OtherLanguage), 118},
    {ObjectNameOf(MenuCommand::Quit), 119},
    {ObjectNameOf(MenuCommand::Translations), 138},
    {ObjectNameOf(MenuCommand::CopyNotes), 139},
    {ObjectNameOf(MenuCommand::Help), 174},
    {ObjectNameOf(MenuCommand::ReadMe), 141},
    {ObjectNameOf(MenuCommand::OpenSite), 227},
    {ObjectNameOf(MenuCommand::ZipUnzip), 259},
    {ObjectNameOf(MenuCommand::Images), 260},
    {ObjectNameOf(MenuCommand::UpdateDatabase), kTextUpdateMenu},
    {ObjectNameOf(MenuCommand::Audit), kTextAuditMenu},
    {ObjectNameOf(MenuCommand::UseAnotherDatabase), kTextUseAnotherDatabase},
    {ObjectNameOf(MenuCommand::SoftwareBrowser), kTextSoftwareBrowserMenu},
    {ObjectNameOf(MenuCommand::GameBrowser), kTextGameBrowserMenu},
};

// The commands that start a task or open a task's options window.
constexpr MenuCommand kTaskCommands[] = {
    MenuCommand::Wizard,         MenuCommand::BuildDatabase,
    MenuCommand::UpdateDatabase, MenuCommand::UseAnotherDatabase,
    MenuCommand::ListMyRoms,     MenuCommand::Audit,
    MenuCommand::MakeSheets,     MenuCommand::Translations,
    MenuCommand::ZipUnzip,       MenuCommand::Images,
    MenuCommand::CopyNotes,      MenuCommand::Download,
};

// The windows in which a task is set up or runs.
constexpr WindowId kTaskWindows[] = {
    WindowId::Sheet,       WindowId::Download,      WindowId::Wizard,
    WindowId::Translation, WindowId::ImportOptions, WindowId::ZipAll,
    WindowId::Images,      WindowId::Update,        WindowId::Audit,
};

/// The first of the two names that exists in the program folder, else "".
std::string FirstExisting(std::string_view first, std::string_view second) {
    if (FileExists(InProgramFolder(first))) return InProgramFolder(first);
    if (FileExists(InProgramFolder(second))) return InProgramFolder(second);
    return {};
}

void OpenOrSay(const std::string& file, int missingText) {
    if (!file.empty()) {
        Ui().OpenWithDefaultApp(file);
        return;
    }
    Ui().Message(Text(missingText), MsgButtons::Ok, MsgIcon::Exclamation);
}

}  // namespace

const std::vector<MenuEntry>& MenuTree() {
    static const std::vector<MenuEntry> tree = [] {
        std::vector<MenuEntry> t;
        t.push_back(Menu("MenuTraitement", "&Traitements"));
        t.push_back(Item(MenuCommand::Wizard, "MenuTraitement", "&Wizard"));
        t.push_back(Separator("Mnutrait5", "MenuTraitement"));
        t.push_back(
            Item(MenuCommand::BuildDatabase, "MenuTraitement", "&Créer une base access (MDB)"));
        t.push_back(
            Item(MenuCommand::UpdateDatabase, "MenuTraitement", "&Mettre à jour une base access"));
        t.push_back(
            Item(MenuCommand::UseAnotherDatabase, "MenuTraitement", "&Utiliser une autre base..."));
        t.push_back(Separator("Mnutrait7", "MenuTraitement"));
        t.push_back(Item(MenuCommand::ListMyRoms, "MenuTraitement", "&Lister mes Roms"));
        t.push_back(Item(MenuCommand::Audit, "MenuTraitement", "&Vérifier mes roms"));
        t.push_back(Item(MenuCommand::MakeSheets, "MenuTraitement", "Créer &fiches des jeux"));
        t.push_back(Separator("MnuTrait02", "MenuTraitement"));
        t.push_back(Item(MenuCommand::Translations, "MenuTraitement", "&Traductions"));
        t.push_back(Separator("Mnutrait03", "MenuTraitement"));
        t.push_back(Item(MenuCommand::Quit, "MenuTraitement", "&Quitter", "Ctrl+Q"));

        t.push_back(Menu("MenuEdition", "&Edition"));
        t.push_back(Item(MenuCommand::GameBrowser, "MenuEdition", "&Parcourir les jeux", "Ctrl+B"));
        t.push_back(Item(MenuCommand::SoftwareBrowser, "MenuEdition", "Parcourir les &logiciels"));
        t.push_back(Item(MenuCommand::Search, "MenuEdition", "&Rechercher", "Ctrl+F"));
        t.push_back(Separator("MnuTrait05", "MenuEdition"));
        t.push_back(Item(MenuCommand::OpenSite, "MenuEdition", "&Consulter"));
        t.push_back(Separator("MnuTrait08", "MenuEdition"));
        t.push_back(Item(MenuCommand::ZipUnzip, "MenuEdition", "&Zip et Unzip"));
        t.push_back(Item(MenuCommand::Images, "MenuEdition", "&Gestion des images"));

        t.push_back(Menu("MenuNotes", "&Notes personnelles"));
        t.push_back(Item(MenuCommand::WriteNote, "MenuNotes", "&Rédiger une note sur un jeu"));
        t.push_back(
            Item(MenuCommand::CopyNotes, "MenuNotes", "&Copier les notes dans une base Access"));

        t.push_back(Menu("MenuOptions", "&Options"));
        t.push_back(
            Item(MenuCommand::Download, "MenuOptions", "&Télécharger les fichiers de données"));
        t.push_back(Item(MenuCommand::Paths, "MenuOptions", "&Définir les chemins"));
        t.push_back(Sub("MnuLangue", "MenuOptions", "L&angue"));
        MenuEntry french = Item(MenuCommand::French, "MnuLangue", "&Français");
        french.checkable = true;
        t.push_back(french);
        MenuEntry english = Item(MenuCommand::English, "MnuLangue", "&English");
        english.checkable = true;
        t.push_back(english);
        MenuEntry other = Item(MenuCommand::OtherLanguage, "MnuLangue", "&Autre");
        other.enabled = false;
        t.push_back(other);
        t.push_back(Separator("MnuTrait01", "MenuOptions"));
        t.push_back(Sub("MnuLiens", "MenuOptions", "&Liens"));
        t.push_back(Item(MenuCommand::MameLink, "MnuLiens", "MAME"));
        t.push_back(Item(MenuCommand::Mame32Link, "MnuLiens", "MAME 32"));
        t.push_back(Separator("MnuTrait06", "MenuOptions"));
        t.push_back(Item(MenuCommand::Debug, "MenuOptions", "Debug"));

        t.push_back(Menu("MenuAbout", "&?"));
        t.push_back(Item(MenuCommand::About, "MenuAbout", "A propos de Arcanote ..."));
        t.push_back(Separator("MnuTrait04", "MenuAbout"));
        t.push_back(Item(MenuCommand::ReadMe, "MenuAbout", "Lisez moi"));
        t.push_back(Separator("MnuTrait07", "MenuAbout"));
        t.push_back(Item(MenuCommand::Help, "MenuAbout", "Aide"));
        return t;
    }();
    return tree;
}

std::optional<MenuCommand> MenuCommandNamed(std::string_view objectName) {
    for (const MenuCommandName& entry : kMenuCommandNames)
        if (entry.objectName == objectName) return entry.command;
    return std::nullopt;
}

bool StartsTask(MenuCommand command) {
    return std::find(std::begin(kTaskCommands), std::end(kTaskCommands), command) !=
           std::end(kTaskCommands);
}

bool IsTaskWindow(std::string_view formName) {
    return std::any_of(std::begin(kTaskWindows), std::end(kTaskWindows),
                       [formName](WindowId window) { return ObjectNameOf(window) == formName; });
}

bool UseAnotherDatabase() {
    bool cancelled = false;
    const std::string before = TheSettings().DatabasePath;
    ChooseDatabaseFile(&cancelled);
    return !cancelled && TheSettings().DatabasePath != before;
}

std::vector<MenuCaption> MenuCaptions() {
    std::vector<MenuCaption> captions;
    captions.reserve(std::size(kCaptionOrder));
    for (const CaptionSource& source : kCaptionOrder)
        captions.push_back({source.name, Text(source.entry)});
    return captions;
}

std::optional<LanguageChecks> ChecksForLanguage(int language) {
    if (language == 0) return LanguageChecks{false, true};
    if (language == 1) return LanguageChecks{true, false};
    return std::nullopt;
}

std::optional<LanguageChecks> SwitchLanguage(int language) {
    ProcedureScope scope(kProcMenuCommand);
    TheSettings().Language = language;
    BuildTextTable();
    if (language != 0 && language != 1) return std::nullopt;
    SaveSettings();
    return ChecksForLanguage(language);
}

void OpenSheetIndex() {
    Guarded(kProcMenuCommand, [] {
        const std::string index = TheSettings().HtmlFolder + "index.htm";
        if (FileExists(index)) {
            Ui().OpenWithDefaultApp(index);
            return;
        }
        Ui().Message(index + "\n" + Text(kTextNotFoundCannotContinue), MsgButtons::Ok,
                     MsgIcon::Information);
    });
}

std::string ReadMeFile() {
    switch (TheSettings().Language) {
        case 0:
            return FirstExisting("readme.txt", "lisezmoi.txt");
        case 1:
            return FirstExisting("lisezmoi.txt", "readme.txt");
        default:
            return {};
    }
}

std::string ManualFile() {
    switch (TheSettings().Language) {
        case 0:
            return FirstExisting("manual.txt", "manuel.txt");
        case 1:
            return FirstExisting("manuel.txt", "manual.txt");
        default:
            return {};
    }
}

void OpenReadMe() {
    Guarded(kProcMenuCommand, [] { OpenOrSay(ReadMeFile(), 142); });
}

void OpenManual() {
    Guarded(kProcMenuCommand, [] { OpenOrSay(ManualFile(), 175); });
}

void OpenWebPage(std::string_view address) {
    Guarded(kProcMenuCommand, [address] { Ui().OpenWithDefaultApp(address); });
}

bool QuitProgram() {
    ProcedureScope scope(kProcQuit);
    SaveSettings();
    if (ErrorBlockCount() == 0 && !DebugLogging()) return false;
    Ui().OpenWithDefaultApp(LogFilePath());
    return true;
}

}  // namespace arc
