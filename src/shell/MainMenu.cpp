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
    return {name, {}, caption, {}, true};
}
MenuEntry Sub(std::string_view name, std::string_view parent, std::string_view caption) {
    return {name, parent, caption, {}, true};
}
MenuEntry Item(std::string_view name, std::string_view parent, std::string_view caption,
               std::string_view shortcut = {}) {
    return {name, parent, caption, shortcut};
}
MenuEntry Separator(std::string_view name, std::string_view parent) {
    return {name, parent, "-", {}, false, true};
}

struct CaptionSource {
    std::string_view name;
    int entry;
};

// ApplyMenuCaptions' order.
constexpr CaptionSource kCaptionOrder[] = {
    {"MenuTraitement", 10},
    {"MenuOptions", 11},
    {"MnuAPropos", 12},
    {"MnuDownload", 101},
    {"MenuEdition", 203},
    {"MnuRechercher", 204},
    {"MnuCreerBaseMDB", 95},
    {"MnuListMyRoms", 96},
    {"MnuCreerFiches", 97},
    {"MenuNotes", 98},
    {"MnuRediger", 99},
    {"MnuDefinirLesChemins", 102},
    {"MnuLiens", 103},
    {"MnuLangue", 117},
    {"MnuLangueAUTRE", 118},
    {"MnuQuit", 119},
    {"MnuTraduction", 138},
    {"MnuCopierNotes", 139},
    {"MnuAide", 174},
    {"MnuReadMe", 141},
    {"MnuConsulter", 227},
    {"MnuZipUnzip", 259},
    {"MnuGestionImg", 260},
    {"MnuMAJ", kTextUpdateMenu},
    {"MnuAudit", kTextAuditMenu},
    {"MnuAutreBase", kTextUseAnotherDatabase},
    {"MnuLogiciels", kTextSoftwareBrowserMenu},
};

// The commands that start a task or open a task's options window.
constexpr std::string_view kTaskCommands[] = {
    "MnuWizard",     "MnuCreerBaseMDB", "MnuMAJ",         "MnuAutreBase",
    "MnuListMyRoms", "MnuAudit",        "MnuCreerFiches", "MnuTraduction",
    "MnuZipUnzip",   "MnuGestionImg",   "MnuCopierNotes", "MnuDownload",
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
        t.push_back(Item("MnuWizard", "MenuTraitement", "&Wizard"));
        t.push_back(Separator("Mnutrait5", "MenuTraitement"));
        t.push_back(Item("MnuCreerBaseMDB", "MenuTraitement", "&Créer une base access (MDB)"));
        t.push_back(Item("MnuMAJ", "MenuTraitement", "&Mettre à jour une base access"));
        t.push_back(Item("MnuAutreBase", "MenuTraitement", "&Utiliser une autre base..."));
        t.push_back(Separator("Mnutrait7", "MenuTraitement"));
        t.push_back(Item("MnuListMyRoms", "MenuTraitement", "&Lister mes Roms"));
        t.push_back(Item("MnuAudit", "MenuTraitement", "&Vérifier mes roms"));
        t.push_back(Item("MnuCreerFiches", "MenuTraitement", "Créer &fiches des jeux"));
        t.push_back(Separator("MnuTrait02", "MenuTraitement"));
        t.push_back(Item("MnuTraduction", "MenuTraitement", "&Traductions"));
        t.push_back(Separator("Mnutrait03", "MenuTraitement"));
        t.push_back(Item("MnuQuit", "MenuTraitement", "&Quitter", "Ctrl+Q"));

        t.push_back(Menu("MenuEdition", "&Edition"));
        t.push_back(Item("MnuParcourir", "MenuEdition", "&Parcourir les jeux", "Ctrl+B"));
        t.push_back(Item("MnuLogiciels", "MenuEdition", "Parcourir les &logiciels"));
        t.push_back(Item("MnuRechercher", "MenuEdition", "&Rechercher", "Ctrl+F"));
        t.push_back(Separator("MnuTrait05", "MenuEdition"));
        t.push_back(Item("MnuConsulter", "MenuEdition", "&Consulter"));
        t.push_back(Separator("MnuTrait08", "MenuEdition"));
        t.push_back(Item("MnuZipUnzip", "MenuEdition", "&Zip et Unzip"));
        t.push_back(Item("MnuGestionImg", "MenuEdition", "&Gestion des images"));

        t.push_back(Menu("MenuNotes", "&Notes personnelles"));
        t.push_back(Item("MnuRediger", "MenuNotes", "&Rédiger une note sur un jeu"));
        t.push_back(Item("MnuCopierNotes", "MenuNotes", "&Copier les notes dans une base Access"));

        t.push_back(Menu("MenuOptions", "&Options"));
        t.push_back(Item("MnuDownload", "MenuOptions", "&Télécharger les fichiers de données"));
        t.push_back(Item("MnuDefinirLesChemins", "MenuOptions", "&Définir les chemins"));
        t.push_back(Sub("MnuLangue", "MenuOptions", "L&angue"));
        MenuEntry french = Item("MnuLangueFR", "MnuLangue", "&Français");
        french.checkable = true;
        t.push_back(french);
        MenuEntry english = Item("MnuLangueEN", "MnuLangue", "&English");
        english.checkable = true;
        t.push_back(english);
        MenuEntry other = Item("MnuLangueAUTRE", "MnuLangue", "&Autre");
        other.enabled = false;
        t.push_back(other);
        t.push_back(Separator("MnuTrait01", "MenuOptions"));
        t.push_back(Sub("MnuLiens", "MenuOptions", "&Liens"));
        t.push_back(Item("MnuLienMame", "MnuLiens", "MAME"));
        t.push_back(Item("MnuLienMame32", "MnuLiens", "MAME 32"));
        t.push_back(Separator("MnuTrait06", "MenuOptions"));
        t.push_back(Item("MnuDebug", "MenuOptions", "Debug"));

        t.push_back(Menu("MenuAbout", "&?"));
        t.push_back(Item("MnuAPropos", "MenuAbout", "A propos de Arcanote ..."));
        t.push_back(Separator("MnuTrait04", "MenuAbout"));
        t.push_back(Item("MnuReadMe", "MenuAbout", "Lisez moi"));
        t.push_back(Separator("MnuTrait07", "MenuAbout"));
        t.push_back(Item("MnuAide", "MenuAbout", "Aide"));
        return t;
    }();
    return tree;
}

bool StartsTask(std::string_view menuName) {
    return std::find(std::begin(kTaskCommands), std::end(kTaskCommands), menuName) !=
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
    // The game browser has no entry in the text table.
    captions.push_back(
        {"MnuParcourir", TheSettings().Language == 1 ? "&Parcourir les jeux" : "&Game browser"});
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

void PrepareAboutBox() {
    Progress().Cancel = false;
}

bool SplashTimerCloses() {
    if (!Progress().Cancel) return false;
    Progress().Cancel = false;
    return true;
}

bool QuitProgram() {
    ProcedureScope scope(kProcQuit);
    SaveSettings();
    if (ErrorBlockCount() == 0 && !DebugLogging()) return false;
    Ui().OpenWithDefaultApp(LogFilePath());
    return true;
}

}  // namespace arc
