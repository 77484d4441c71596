#include "core/AppState.h"
#include "core/Settings.h"
#include "core/TextFile.h"
#include "core/TextTable.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

using test::ReadFile;

class TextTableTest : public test::ProgramFolderTest {
  protected:
    void UseLanguage(int language) {
        TheSettings().Language = language;
        BuildTextTable();
    }
};

TEST_F(TextTableTest, EntriesThatLookAlikeDifferByLanguage) {
    UseLanguage(1);
    EXPECT_EQ(Text(69), "ANNÉES");
    EXPECT_EQ(Text(71), "YEARS");
    EXPECT_EQ(Text(91), "Décompression...");
    EXPECT_EQ(Text(249), "Unzipping...");
    UseLanguage(0);
    EXPECT_EQ(Text(69), "YEARS");
    EXPECT_EQ(Text(71), "YEARS");
    EXPECT_EQ(Text(91), "Unzipping...");
    EXPECT_EQ(Text(249), "Unzipping...");
}

TEST_F(TextTableTest, UnusedEntriesAreEmptyInBothLanguages) {
    for (int language : {0, 1}) {
        UseLanguage(language);
        for (int n : {80, 90, 100, 110, 120, 130, 140, 150, 159})
            EXPECT_EQ(Text(n), "") << n;
        for (int n = 268; n <= 300; ++n)
            EXPECT_EQ(Text(n), "") << n;
        int filled = 0;
        for (int n = 0; n < kTextEntries; ++n)
            filled += !Text(n).empty();
        EXPECT_EQ(filled, 259);
    }
    EXPECT_EQ(Text(-1), "");
    EXPECT_EQ(Text(301), "");
}

TEST_F(TextTableTest, AnyLanguageButFrenchGivesEnglish) {
    UseLanguage(1);
    UseLanguage(2);
    for (int n = 0; n < kTextEntries; ++n)
        EXPECT_EQ(Text(n), EnglishText(n)) << n;
    UseLanguage(-5);
    EXPECT_EQ(Text(0), "Game's title screen.");
}

TEST_F(TextTableTest, TextsKeepTheirBlanksSeparatorsAndAccents) {
    UseLanguage(0);
    EXPECT_EQ(Text(114), " scanned file(s).");
    EXPECT_EQ(Text(23), "Select path for ");
    EXPECT_EQ(Text(9), "Access file (*.MDB)|*.mdb|All files (*.*)|*.*|");
    EXPECT_EQ(Text(116), "All files (*.*)|*.*|Ini files (*.ini)|*.ini|");
    EXPECT_EQ(Text(1), "Game' snapshot");
    EXPECT_EQ(Text(266), "Older méthod (slower)");
    EXPECT_EQ(Text(11), "&Options");
    UseLanguage(1);
    EXPECT_EQ(Text(114), " fichier(s) scanné(s).");
    EXPECT_EQ(Text(0), "Écran de titre du jeu.");
    EXPECT_EQ(Text(11), "&Options");
    EXPECT_EQ(Text(261),
              "Si vous avez rédigé des notes avec une ancienne version|Arcanote peut les récupérer "
              "maintenant. Si vous répondez Non,|les anciennes notes seront perdues.|Voulez-vous "
              "récupérer vos anciennes notes ?");
    for (int n = 0; n < kTextEntries; ++n) {
        EXPECT_TRUE(IsValidUtf8(EnglishText(n))) << n;
        EXPECT_TRUE(IsValidUtf8(FrenchText(n))) << n;
    }
}

TEST_F(TextTableTest, ArtLabelsFollowTheTable) {
    UseLanguage(0);
    EXPECT_EQ(ArtLabels()[0], "Game's title screen.");
    EXPECT_EQ(ArtLabels()[5], "Flyer.");
    UseLanguage(1);
    EXPECT_EQ(ArtLabels()[3], "Borne.");
}

TEST_F(TextTableTest, BuildingLogsTheLanguageWhenLogging) {
    UseLanguage(1);
    State().LogFlag = true;
    UseLanguage(2);
    EXPECT_EQ(ReadFile(home.file("Arcanote.log.txt")), "LANGUAGE = 2\r\n");
}

TEST(TextTableLineBreaks, BarsBecomeLineBreaks) {
    EXPECT_EQ(WithLineBreaks("A log file exists.|Do you want to delete it ?"),
              "A log file exists.\nDo you want to delete it ?");
}

}  // namespace
}  // namespace arc
