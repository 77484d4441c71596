#include <set>

#include "core/ErrorGuard.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/Settings.h"
#include "core/TextFile.h"
#include "core/TextTable.h"
#include "core/TextTableData.h"
#include "shell/MainMenu.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

using test::ReadFile;
using test::WriteFile;

class MainMenuTest : public test::ProgramFolderTest {
  protected:
    const MenuEntry* Find(std::string_view name) const {
        for (const MenuEntry& entry : MenuTree())
            if (entry.name == name) return &entry;
        return nullptr;
    }
};

TEST_F(MainMenuTest, TreeHoldsEveryControlOnceWithParentsFirstAndCaptionsNameControls) {
    std::set<std::string_view> seen;
    std::set<MenuCommand> commands;
    for (const MenuEntry& entry : MenuTree()) {
        EXPECT_TRUE(seen.insert(entry.name).second) << entry.name;
        // Each command has one entry, named by its control name and found back by it.
        if (entry.command) {
            EXPECT_TRUE(commands.insert(*entry.command).second) << entry.name;
            EXPECT_EQ(ObjectNameOf(*entry.command), entry.name);
            EXPECT_EQ(MenuCommandNamed(entry.name), entry.command);
        }
        if (!entry.parent.empty()) {
            const MenuEntry* parent = Find(entry.parent);
            ASSERT_NE(parent, nullptr) << entry.name;
            EXPECT_TRUE(parent->submenu) << entry.name;
            EXPECT_TRUE(seen.count(entry.parent)) << entry.name;
        }
        // The top-level menus are exactly the controls named "Menu...".
        EXPECT_EQ(entry.parent.empty(), entry.name.substr(0, 4) == "Menu") << entry.name;
    }
    EXPECT_EQ(commands.size(), std::size(kMenuCommandNames));
    EXPECT_FALSE(MenuCommandNamed("MenuTraitement"));
    for (const MenuCaption& caption : MenuCaptions())
        EXPECT_NE(Find(caption.name), nullptr) << caption.name;
}

TEST_F(MainMenuTest, FrenchAndEnglishAreSavedWithTheirChecksOthersUseTheEnglishTableUnsaved) {
    for (const int language : {0, 1}) {
        const std::optional<LanguageChecks> checks = SwitchLanguage(language);
        ASSERT_TRUE(checks);
        EXPECT_EQ(checks->french, language == 1);
        EXPECT_EQ(checks->english, language == 0);
        EXPECT_EQ(MenuCaptions().front().caption, language ? "&Traitement" : "&Task");
        TheSettings() = DefaultSettings();
        ASSERT_TRUE(LoadSettings());
        EXPECT_EQ(TheSettings().Language, language);
    }
    const std::string saved = ReadFile(InProgramFolder("Arcanote.inf"));
    EXPECT_FALSE(SwitchLanguage(2).has_value());
    EXPECT_EQ(TheSettings().Language, 2);
    EXPECT_EQ(Text(10), "&Task");  // the table was rebuilt
    EXPECT_EQ(ReadFile(InProgramFolder("Arcanote.inf")), saved);
    for (const int language : {2, -5}) {
        TheSettings().Language = language;
        BuildTextTable();
        for (int n = 0; n < kTextEntries; ++n)
            EXPECT_EQ(Text(n), EnglishText(n)) << language << " " << n;
    }
    EXPECT_EQ(Text(-1) + Text(kTextEntries), "");  // out of range
    // Added entries: numbered after the designed ones, each once, in both languages.
    std::set<int> numbers;
    for (const AddedTextEntry& entry : kAddedTexts) {
        EXPECT_TRUE(entry.number >= kDesignedTextEntries && entry.number < kTextEntries &&
                    numbers.insert(entry.number).second && !entry.english.empty() &&
                    !entry.french.empty())
            << entry.number;
    }
}

TEST_F(MainMenuTest, DisplayOpensTheIndexOrSaysItIsMissing) {
    TheSettings().HtmlFolder = home.str() + "site/";
    OpenSheetIndex();
    ASSERT_EQ(ui().messages.size(), 1u);
    EXPECT_EQ(ui().messages[0].text, home.str() + "site/index.htm\n" + Text(6));
    EXPECT_TRUE(ui().opened.empty());

    WriteFile(home.file("site/index.htm"), "<html></html>");
    OpenSheetIndex();
    EXPECT_EQ(ui().opened, std::vector<std::string>{home.str() + "site/index.htm"});
}

TEST_F(MainMenuTest, ReadMeAndManualFollowTheLanguageWithFallback) {
    OpenReadMe();
    OpenManual();
    EXPECT_EQ(ui().messages.size(), 2u);  // neither exists: a message each
    const struct {
        int language;
        std::vector<const char*> files;  // the files present
        const char *readMe, *manual;
    } cases[] = {
        {0, {"lisezmoi.txt", "manual.txt"}, "lisezmoi.txt", "manual.txt"},  // the "else" file
        {1, {"lisezmoi.txt", "manual.txt"}, "lisezmoi.txt", "manual.txt"},
        {1, {"readme.txt", "manuel.txt"}, "lisezmoi.txt", "manuel.txt"},
        {0, {}, "readme.txt", "manual.txt"},
        {2, {}, "", ""},
    };
    for (const auto& c : cases) {
        for (const char* file : c.files)
            WriteFile(home.file(file), "text");
        TheSettings().Language = c.language;
        EXPECT_EQ(ReadMeFile(), *c.readMe ? InProgramFolder(c.readMe) : "") << c.language;
        EXPECT_EQ(ManualFile(), *c.manual ? InProgramFolder(c.manual) : "") << c.language;
    }
    TheSettings().Language = 1;
    OpenManual();
    EXPECT_EQ(ui().opened, std::vector<std::string>{InProgramFolder("manuel.txt")});
}

TEST_F(MainMenuTest, QuitSavesAndOpensTheLogOnlyAfterErrorsOrLogging) {
    TheSettings().MainWindow = {150, 300, 9600, 7200, 0};
    EXPECT_FALSE(QuitProgram());
    EXPECT_TRUE(ui().opened.empty());
    TheSettings() = DefaultSettings();
    ASSERT_TRUE(LoadSettings());
    EXPECT_EQ(TheSettings().MainWindow.Top, 300);

    SetDebugLogging(true);
    EXPECT_TRUE(QuitProgram());
    SetDebugLogging(false);
    WriteErrorBlock(err::kInvalidCall, "an error");
    EXPECT_TRUE(QuitProgram());
    EXPECT_EQ(ui().opened, std::vector<std::string>(2, InProgramFolder("Arcanote.log.txt")));
}

TEST_F(MainMenuTest, EveryTextEntryIsValidUtf8AndBarsBecomeLineBreaks) {
    for (int n = 0; n < kTextEntries; ++n)
        EXPECT_TRUE(IsValidUtf8(EnglishText(n)) && IsValidUtf8(FrenchText(n))) << n;
    EXPECT_EQ(WithLineBreaks("a|b|"), "a\nb\n");
}

}  // namespace
}  // namespace arc
