#include "core/Settings.h"
#include "core/TextFile.h"
#include "core/TextTable.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

class TextTableTest : public test::ProgramFolderTest {
  protected:
    void UseLanguage(int language) {
        TheSettings().Language = language;
        BuildTextTable();
    }
};

TEST_F(TextTableTest, AnyLanguageButFrenchGivesEnglishAndOutOfRangeIsEmpty) {
    UseLanguage(1);
    EXPECT_EQ(Text(0), "Écran de titre du jeu.");
    for (const int language : {2, -5}) {
        UseLanguage(language);
        for (int n = 0; n < kTextEntries; ++n)
            EXPECT_EQ(Text(n), EnglishText(n)) << language << " " << n;
    }
    EXPECT_EQ(Text(-1), "");
    EXPECT_EQ(Text(kTextEntries), "");
}

TEST_F(TextTableTest, EveryEntryIsValidUtf8AndBarsBecomeLineBreaks) {
    for (int n = 0; n < kTextEntries; ++n) {
        EXPECT_TRUE(IsValidUtf8(EnglishText(n))) << n;
        EXPECT_TRUE(IsValidUtf8(FrenchText(n))) << n;
    }
    EXPECT_EQ(WithLineBreaks("A log file exists.|Do you want to delete it ?"),
              "A log file exists.\nDo you want to delete it ?");
}

}  // namespace
}  // namespace arc
