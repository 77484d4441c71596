#include <filesystem>
#include <set>

#include "core/AppState.h"
#include "core/MainMenu.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

using test::ReadFile;
using test::WriteFile;

class MainMenuTest : public test::ProgramFolderTest {
  protected:
    bool SettingsFileExists() const {
        return std::filesystem::exists(InProgramFolder("Arcanote.inf"));
    }
    const MenuEntry* Find(std::string_view name) const {
        for (const MenuEntry& entry : MenuTree())
            if (entry.name == name) return &entry;
        return nullptr;
    }
};

TEST_F(MainMenuTest, TreeHoldsEveryControlOnceWithParentsFirst) {
    std::set<std::string_view> seen;
    for (const MenuEntry& entry : MenuTree()) {
        EXPECT_TRUE(seen.insert(entry.name).second) << entry.name;
        if (!entry.parent.empty()) {
            const MenuEntry* parent = Find(entry.parent);
            ASSERT_NE(parent, nullptr) << entry.name;
            EXPECT_TRUE(parent->submenu) << entry.name;
            EXPECT_TRUE(seen.count(entry.parent)) << entry.name;
        }
    }
    EXPECT_EQ(seen.size(), 41u);
    // The five top-level menus are exactly the controls named "Menu...".
    int topLevel = 0;
    for (const MenuEntry& entry : MenuTree()) {
        const bool isTop = entry.parent.empty();
        EXPECT_EQ(isTop, entry.name.substr(0, 4) == "Menu") << entry.name;
        topLevel += isTop;
    }
    EXPECT_EQ(topLevel, 5);
    EXPECT_EQ(Find("MnuQuit")->shortcut, "Ctrl+Q");
    EXPECT_EQ(Find("MnuRechercher")->shortcut, "Ctrl+F");
    EXPECT_FALSE(Find("MnuLangueAUTRE")->enabled);
    EXPECT_TRUE(Find("MnuLangueFR")->checkable);
    EXPECT_EQ(Find("MnuLienMame32")->parent, "MnuLiens");
}

TEST_F(MainMenuTest, CaptionsFollowTheTableInTheirOrder) {
    const std::vector<MenuCaption> captions = MenuCaptions();
    ASSERT_EQ(captions.size(), 23u);
    for (const MenuCaption& caption : captions)
        EXPECT_NE(Find(caption.name), nullptr) << caption.name;
    EXPECT_EQ(captions.front().name, "MenuTraitement");
    EXPECT_EQ(captions.front().caption, "&Task");
    EXPECT_EQ(captions[3].name, "MnuDownload");
    EXPECT_EQ(captions[14].name, "MnuLangueAUTRE");
    EXPECT_EQ(captions[14].caption, "Others");
    EXPECT_EQ(captions[19].name, "MnuReadMe");  // after MnuAide
    EXPECT_EQ(captions.back().name, "MnuGestionImg");
    // Captions without a text entry never change.
    for (const MenuCaption& caption : captions)
        EXPECT_TRUE(caption.name != "MnuWizard" && caption.name != "MnuDebug" &&
                    caption.name != "MenuAbout" && caption.name != "MnuLangueFR");
}

TEST_F(MainMenuTest, FrenchAndEnglishAreSavedWithTheirCheckMarks) {
    std::optional<LanguageChecks> checks = SwitchLanguage(1);
    ASSERT_TRUE(checks);
    EXPECT_TRUE(checks->french);
    EXPECT_FALSE(checks->english);
    EXPECT_EQ(MenuCaptions().front().caption, "&Traitement");
    TheSettings() = DefaultSettings();
    ASSERT_TRUE(LoadSettings());
    EXPECT_EQ(TheSettings().Language, 1);

    checks = SwitchLanguage(0);
    ASSERT_TRUE(checks);
    EXPECT_TRUE(checks->english);
    EXPECT_FALSE(checks->french);
    TheSettings() = DefaultSettings();
    ASSERT_TRUE(LoadSettings());
    EXPECT_EQ(TheSettings().Language, 0);
}

TEST_F(MainMenuTest, OtherLanguageUsesEnglishWithoutSavingOrChecks) {
    SwitchLanguage(1);
    const std::string saved = ReadFile(InProgramFolder("Arcanote.inf"));
    EXPECT_FALSE(SwitchLanguage(2).has_value());
    EXPECT_EQ(TheSettings().Language, 2);
    EXPECT_EQ(Text(10), "&Task");
    EXPECT_EQ(ReadFile(InProgramFolder("Arcanote.inf")), saved);
    EXPECT_FALSE(ChecksForLanguage(2).has_value());
}

TEST_F(MainMenuTest, DisplayOpensTheIndexOrSaysItIsMissing) {
    TheSettings().HtmlFolder = home.str() + "site/";
    OpenSheetIndex();
    ASSERT_EQ(ui().messages.size(), 1u);
    EXPECT_EQ(ui().messages[0].text, home.str() + "site/index.htm\n" + Text(6));
    EXPECT_EQ(ui().messages[0].icon, MsgIcon::Information);
    EXPECT_TRUE(ui().opened.empty());

    WriteFile(home.file("site/index.htm"), "<html></html>");
    OpenSheetIndex();
    ASSERT_EQ(ui().opened.size(), 1u);
    EXPECT_EQ(ui().opened[0], home.str() + "site/index.htm");
}

TEST_F(MainMenuTest, ReadMeAndManualFollowTheLanguageWithFallback) {
    EXPECT_EQ(ReadMeFile(), "");
    OpenReadMe();
    OpenManual();
    ASSERT_EQ(ui().messages.size(), 2u);
    EXPECT_EQ(ui().messages[0].text, Text(142));
    EXPECT_EQ(ui().messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(ui().messages[1].text, Text(175));

    WriteFile(home.file("lisezmoi.txt"), "fr");
    WriteFile(home.file("manual.txt"), "en");
    TheSettings().Language = 0;
    EXPECT_EQ(ReadMeFile(), InProgramFolder("lisezmoi.txt"));  // the "else" file
    EXPECT_EQ(ManualFile(), InProgramFolder("manual.txt"));
    TheSettings().Language = 1;
    EXPECT_EQ(ReadMeFile(), InProgramFolder("lisezmoi.txt"));
    EXPECT_EQ(ManualFile(), InProgramFolder("manual.txt"));
    WriteFile(home.file("readme.txt"), "en");
    WriteFile(home.file("manuel.txt"), "fr");
    EXPECT_EQ(ManualFile(), InProgramFolder("manuel.txt"));
    TheSettings().Language = 0;
    EXPECT_EQ(ReadMeFile(), InProgramFolder("readme.txt"));
    TheSettings().Language = 2;
    EXPECT_EQ(ReadMeFile(), "");
    EXPECT_EQ(ManualFile(), "");

    TheSettings().Language = 1;
    OpenManual();
    ASSERT_EQ(ui().opened.size(), 1u);
    EXPECT_EQ(ui().opened[0], InProgramFolder("manuel.txt"));
}

TEST_F(MainMenuTest, SplashClosesItselfAtStartAndWaitsAsAboutBox) {
    Progress().Cancel = true;  // start-up
    EXPECT_TRUE(SplashTimerCloses());
    EXPECT_FALSE(Progress().Cancel);
    PrepareAboutBox();
    EXPECT_FALSE(SplashTimerCloses());
    EXPECT_FALSE(SplashTimerCloses());
}

TEST_F(MainMenuTest, QuitSavesAndOpensTheLogOnlyAfterErrorsOrLogging) {
    TheSettings().MainWindow = {150, 300, 9600, 7200, 0};
    EXPECT_FALSE(QuitProgram());
    EXPECT_TRUE(ui().opened.empty());
    TheSettings() = DefaultSettings();
    ASSERT_TRUE(LoadSettings());
    EXPECT_EQ(TheSettings().MainWindow.Top, 300);
    EXPECT_EQ(TheSettings().MainWindow.Height, 7200);

    State().LogFlag = true;
    EXPECT_TRUE(QuitProgram());
    State().LogFlag = false;
    State().ErrorCount = 1;
    EXPECT_TRUE(QuitProgram());
    ASSERT_EQ(ui().opened.size(), 2u);
    EXPECT_EQ(ui().opened[1], InProgramFolder("Arcanote.log.txt"));
}

}  // namespace
}  // namespace arc
