#include <gtest/gtest.h>

#include "core/AppState.h"
#include "importers/HistoryEntry.h"
#include "importers/ImporterTest.h"
#include "importers/Importers.h"

namespace arc {
namespace {

class History : public test::ImporterTest {
  protected:
    std::string HistoryField(const std::string& set, const std::string& field) {
        return QueryValue("SELECT History." + field +
                          " FROM History JOIN Data ON Data.CodeHistory=History.CodeHistory "
                          "WHERE Data.InternalName='" +
                          SqlQuote(set) + "'");
    }
};

const char* kPacman =
    "## History.dat written for the tests\n"
    "$info=puckman,pacman,pacmanf,\n"
    "$bio\n"
    "\n"
    "Pac-Man (c) 1980 Namco.\n"
    "\n"
    "A yellow circle eats dots\n"
    "in a maze.\n"
    "\n"
    "- TECHNICAL -\n"
    "\n"
    "Main CPU : Z80\n"
    "Video resolution : 224 x 288 pixels\n"
    "Screen refresh : 60.61 Hz\n"
    "Palette colors : 32\n"
    "Players : 2\n"
    "Control : 4-way joystick\n"
    "Buttons : 2\n"
    "\n"
    "- TRIVIA -\n"
    "\n"
    "First line of trivia.\n"
    "- a list item with a dash\n"
    "Second line of trivia.\n"
    "\n"
    "- CONTRIBUTE -\n"
    "\n"
    "Edit this entry somewhere.\n"
    "\n"
    "- SOURCES -\n"
    "\n"
    "A magazine.\n"
    "$end\n";

TEST_F(History, OneEntryLinksEverySetItNamesToOneRow) {
    AddSets({"puckman", "pacman", "pacmanf", "mspacman"});
    EXPECT_TRUE(ImportHistory(Support("history.dat", kPacman)));
    EXPECT_EQ(Count("SELECT count(*) FROM History"), 1);
    EXPECT_EQ(Count("SELECT count(DISTINCT CodeHistory) FROM Data WHERE CodeHistory IS NOT NULL"),
              1);
    EXPECT_EQ(Count("SELECT count(*) FROM Data WHERE CodeHistory IS NOT NULL"), 3);
    EXPECT_EQ(Field("mspacman", "CodeHistory"), std::nullopt);
    EXPECT_EQ(HistoryField("pacman", "yearmanufacturer"), "1980 Namco.");
    EXPECT_EQ(HistoryField("pacman", "Description"), "A yellow circle eats dots in a maze.");
    EXPECT_EQ(HistoryField("pacman", "trivia"), "First line of trivia.\r\nSecond line of trivia.");
    // The text of an unknown section belongs to no field, and stalls nothing.
    EXPECT_EQ(HistoryField("pacman", "sources"), "A magazine.");
    EXPECT_EQ(Count("SELECT count(*) FROM History WHERE technical LIKE '*Edit this*' OR "
                    "trivia LIKE '*Edit this*'"),
              0);
}

TEST_F(History, TechnicalValuesFillOnlyWhatIsStillNull) {
    AddSets({"pacman", "puckman"});
    Execute("UPDATE Data SET Resolution='288x224', Controls='' WHERE InternalName='pacman'");
    EXPECT_TRUE(ImportHistory(Support("history.dat", kPacman)));
    EXPECT_EQ(Field("pacman", "Resolution"), "288x224");
    EXPECT_EQ(Field("pacman", "Controls"), "");
    EXPECT_EQ(Field("puckman", "Resolution"), "224 x 288 pixels");
    EXPECT_EQ(Field("puckman", "Controls"), "4-way joystick - btn : 2");
    EXPECT_EQ(Field("puckman", "Refresh"), "60.61 Hz");
    EXPECT_EQ(Field("puckman", "Colors"), "32");
    EXPECT_EQ(Field("puckman", "nPlayers"), "2");
}

TEST_F(History, TechnicalScanFollowsTheKeyRules) {
    TechnicalValues v = ScanTechnical("Players : 2\r\nButtons : 3");
    EXPECT_EQ(v.controls, " - btn : 3");
    EXPECT_EQ(v.players, "2");
    // The short form skips the character after the colon.
    v = ScanTechnical("COLORS:256\r\nRefresh: 60 Hz\r\nPlayers : 2");
    EXPECT_EQ(v.colors, "56");
    EXPECT_EQ(v.refresh, "60 Hz");
    EXPECT_EQ(v.players, "");
    // Without a line break the value ends at the stop word, or is not set.
    v = ScanTechnical("Colors : 16 Players : 2 Buttons : 1");
    EXPECT_EQ(v.colors, "16");
    EXPECT_EQ(v.players, "2");
    EXPECT_EQ(v.controls, " - btn : 1");
    EXPECT_EQ(ScanTechnical("Aspect ratio : 4:3").aspect, "");
    EXPECT_EQ(ScanTechnical("Aspect ratio : 4:3\r\n").aspect, "4:3");
    EXPECT_EQ(ScanTechnical("Control : 8-way joystick").controls, "8-way");
}

TEST_F(History, EntryEndingWithoutHeadingStopsAtItsEnd) {
    AddSets({"galaga", "dkong"});
    EXPECT_TRUE(ImportHistory(Support("history.dat",
                                      "$info=galaga,\n$bio\n\nGalaga (c) 1981 Namco.\n\n"
                                      "Only a description.\n$end\n"
                                      "$info=dkong,\n$bio\n\nDonkey Kong (c) 1981 Nintendo.\n"
                                      "- TRIVIA -\nBarrels.\n$end\n")));
    EXPECT_EQ(Count("SELECT count(*) FROM History"), 2);
    EXPECT_EQ(HistoryField("galaga", "Description"), "Only a description.");
    EXPECT_EQ(HistoryField("dkong", "yearmanufacturer"), "1981 Nintendo.");
    EXPECT_EQ(HistoryField("dkong", "trivia"), "Barrels.");
}

TEST_F(History, EntriesWithoutEndAreKeptAsRead) {
    AddSets({"galaga", "dkong"});
    EXPECT_TRUE(ImportHistory(Support("history.dat",
                                      "$info=galaga,\n$bio\n\nGalaga (c) 1981 Namco.\n"
                                      "- TRIVIA -\nFirst\n"
                                      "$info=dkong,\n$bio\n\nDonkey Kong (c) 1981 Nintendo.\n"
                                      "- TRIVIA -\nSecond")));
    EXPECT_EQ(HistoryField("galaga", "trivia"), "First");
    EXPECT_EQ(HistoryField("dkong", "trivia"), "Second");
    EXPECT_EQ(State().ErrorCount, 0);
}

TEST_F(History, QuotesInNamesAndValuesAreSafe) {
    AddSets({"o'set", "other"});
    EXPECT_TRUE(
        ImportHistory(Support("history.dat",
                              "$info=o'set,\n$bio\n\nIt's (c) 1990 Maker's.\n"
                              "- TECHNICAL -\nControl : it's a stick\nButtons : 2\n$end\n")));
    EXPECT_EQ(HistoryField("o'set", "yearmanufacturer"), "1990 Maker's.");
    EXPECT_EQ(Field("o'set", "Controls"), "it's a stick - btn : 2");
    EXPECT_EQ(Field("other", "CodeHistory"), std::nullopt);
}

TEST_F(History, UpdateModeRemovesRowsNoSetUsesAnyMore) {
    AddSets({"pacman", "galaga"});
    const std::string both =
        "$info=pacman\n$bio\n\nPac (c) 1980\n$end\n$info=galaga\n$bio\n\nGal (c) 1981\n$end\n";
    EXPECT_TRUE(ImportHistory(Support("history.dat", both)));
    EXPECT_TRUE(ImportHistory(Support("history.dat", both)));
    EXPECT_EQ(Count("SELECT count(*) FROM History"), 4);  // outside update mode nothing goes
    State().UpdateMode = true;
    EXPECT_TRUE(ImportHistory(Support("history.dat", both)));
    EXPECT_EQ(Count("SELECT count(*) FROM History"), 2);
    EXPECT_EQ(HistoryField("galaga", "yearmanufacturer"), "1981");
}

TEST_F(History, HistoryXmlIsReadBesideOrInPlaceOfTheDatFile) {
    AddSets({"pacman", "puckman", "galaga"});
    const std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<history>\n"
        "<entry><systems><system name=\"pacman\"/><system name=\"puckman\"/></systems>\n"
        "<text>\nPac-Man (c) 1980 Namco.\n\nDots &amp; ghosts.\n\n- TECHNICAL -\n\n"
        "Players : 2\nControl : 4-way joystick\nButtons : 1\n\n- TRIVIA -\n\nYellow.\n</text>"
        "</entry>\n<entry><software><item list=\"nes\" name=\"smb\"/></software>"
        "<text>Not a machine</text></entry>\n"
        "<entry><systems><system name=\"galaga\"/></systems><text>Galaga (c) 1981 Namco.\n"
        "Bugs.</text></entry>\n</history>\n";
    test::WriteFile(home.file("dat/History.XML"), xml);
    EXPECT_TRUE(ImportHistory(home.file("dat/history.dat")));
    EXPECT_EQ(Count("SELECT count(*) FROM History"), 2);
    EXPECT_EQ(HistoryField("puckman", "Description"), "Dots & ghosts.");
    EXPECT_EQ(HistoryField("pacman", "trivia"), "Yellow.");
    EXPECT_EQ(HistoryField("galaga", "Description"), "Bugs.");
    EXPECT_EQ(Field("pacman", "Controls"), "4-way joystick - btn : 1");

    // The same document under the .dat name is recognised as XML.
    State().UpdateMode = true;
    EXPECT_TRUE(ImportHistory(Support("history.dat", xml)));
    EXPECT_EQ(Count("SELECT count(*) FROM History"), 2);
}

TEST_F(History, BrokenHistoryXmlKeepsWhatWasRead) {
    AddSets({"pacman", "galaga"});
    EXPECT_FALSE(
        ImportHistoryXml(Support("history.xml",
                                 "<history><entry><systems><system name=\"pacman\"/></systems>"
                                 "<text>Pac (c) 1980\nText</text></entry><entry><systems>"
                                 "<system name=\"galaga\"/></systems><text>Gal")));
    EXPECT_EQ(HistoryField("pacman", "yearmanufacturer"), "1980");
    EXPECT_EQ(HistoryField("pacman", "Description"), "Text");
    EXPECT_EQ(State().ErrorCount, 0);
}

}  // namespace
}  // namespace arc
