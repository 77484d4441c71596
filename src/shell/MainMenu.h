#pragma once
// The main window's menu tree and the commands that the main window runs
// itself (languages, Debug, Display, Read me, Help, links, About, Quit). The
// desktop program builds its menu bar from MenuTree() and calls these.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/WindowId.h"

namespace arc {

/// The commands of the main window's menus.
enum class MenuCommand {
    Wizard,
    BuildDatabase,
    UpdateDatabase,
    UseAnotherDatabase,
    ListMyRoms,
    Audit,
    MakeSheets,
    Translations,
    Quit,
    GameBrowser,
    SoftwareBrowser,
    Search,
    OpenSite,
    ZipUnzip,
    Images,
    WriteNote,
    CopyNotes,
    Download,
    Paths,
    French,
    English,
    OtherLanguage,
    MameLink,
    Mame32Link,
    Debug,
    About,
    ReadMe,
    Help,
};

/// A command and the control name of its menu entry (its objectName).
struct MenuCommandName {
    MenuCommand command;
    std::string_view objectName;
};

inline constexpr MenuCommandName kMenuCommandNames[] = {
    {MenuCommand::Wizard, "MnuWizard"},
    {MenuCommand::BuildDatabase, "MnuCreerBaseMDB"},
    {MenuCommand::UpdateDatabase, "MnuMAJ"},
    {MenuCommand::UseAnotherDatabase, "MnuAutreBase"},
    {MenuCommand::ListMyRoms, "MnuListMyRoms"},
    {MenuCommand::Audit, "MnuAudit"},
    {MenuCommand::MakeSheets, "MnuCreerFiches"},
    {MenuCommand::Translations, "MnuTraduction"},
    {MenuCommand::Quit, "MnuQuit"},
    {MenuCommand::GameBrowser, "MnuParcourir"},
    {MenuCommand::SoftwareBrowser, "MnuLogiciels"},
    {MenuCommand::Search, "MnuRechercher"},
    {MenuCommand::OpenSite, "MnuConsulter"},
    {MenuCommand::ZipUnzip, "MnuZipUnzip"},
    {MenuCommand::Images, "MnuGestionImg"},
    {MenuCommand::WriteNote, "MnuRediger"},
    {MenuCommand::CopyNotes, "MnuCopierNotes"},
    {MenuCommand::Download, "MnuDownload"},
    {MenuCommand::Paths, "MnuDefinirLesChemins"},
    {MenuCommand::French, "MnuLangueFR"},
    {MenuCommand::English, "MnuLangueEN"},
    {MenuCommand::OtherLanguage, "MnuLangueAUTRE"},
    {MenuCommand::MameLink, "MnuLienMame"},
    {MenuCommand::Mame32Link, "MnuLienMame32"},
    {MenuCommand::Debug, "MnuDebug"},
    {MenuCommand::About, "MnuAPropos"},
    {MenuCommand::ReadMe, "MnuReadMe"},
    {MenuCommand::Help, "MnuAide"},
};

/// The control name of the command's menu entry ("MnuParcourir").
constexpr std::string_view ObjectNameOf(MenuCommand command) {
    for (const MenuCommandName& entry : kMenuCommandNames)
        if (entry.command == command) return entry.objectName;
    return {};
}

/// The command whose menu entry has that control name.
std::optional<MenuCommand> MenuCommandNamed(std::string_view objectName);

/// One entry of the menu bar. Top-level menus have an empty parent.
struct MenuEntry {
    std::string_view name;               ///< control name ("MenuTraitement", "MnuQuit")
    std::optional<MenuCommand> command;  ///< what the entry runs (none for menus and separators)
    std::string_view parent;             ///< control name of the menu holding it
    std::string_view designCaption;      ///< caption kept when no text entry applies
    std::string_view shortcut;           ///< "Ctrl+Q", or empty
    bool submenu = false;                ///< holds other entries
    bool separator = false;
    bool enabled = true;  ///< "&Autre" is switched off at design
    bool checkable = false;
};

/// The whole tree, parents before their children, in display order.
const std::vector<MenuEntry>& MenuTree();

/// True for the commands that start a task or open a task's window: only one
/// of them runs at a time.
bool StartsTask(MenuCommand command);
/// True for the windows ("FormN") in which a task is set up or runs.
bool IsTaskWindow(std::string_view formName);

/// The "Use another database" command: the database chooser; true when the
/// program now has another database (saved in the settings).
bool UseAnotherDatabase();

/// A caption to set: control name and its new text.
struct MenuCaption {
    std::string_view name;
    std::string caption;
};

/// The captions ApplyMenuCaptions sets from the current text table, in its order.
std::vector<MenuCaption> MenuCaptions();

/// Check marks of the two language entries.
struct LanguageChecks {
    bool french = false;
    bool english = false;
};

/// The check marks shown for a language: English or French, none for any other
/// value (the marks then stay as they are).
std::optional<LanguageChecks> ChecksForLanguage(int language);

/// Language commands: 0 English, 1 French, 2 other (English texts, not saved).
/// Sets Language and rebuilds the text table; English and French save the
/// settings. Returns the check marks to show, nullopt to leave them.
/// The caller re-captions the menus (MenuCaptions()).
std::optional<LanguageChecks> SwitchLanguage(int language);

/// The Display command: opens HtmlFolder + "index.htm", or says it is missing.
void OpenSheetIndex();

/// The read-me / manual file chosen by language ("" when none exists).
std::string ReadMeFile();
std::string ManualFile();

/// The Read me and Help commands: open the file or show the missing-file message.
void OpenReadMe();
void OpenManual();

/// Web addresses of the two link commands.
inline constexpr std::string_view kMameHomePage = "https://www.mamedev.org/";
inline constexpr std::string_view kMame32HomePage = "https://www.mameui.info/";

void OpenWebPage(std::string_view address);

/// Quitting: saves the settings (the caller closed the database and stored
/// the window geometry in them first) and opens the log when errors were logged or
/// logging was on. Returns true when the log was opened.
bool QuitProgram();

}  // namespace arc
