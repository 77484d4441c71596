#include <gtest/gtest.h>

#include "core/Log.h"
#include "importers/DataUpdate.h"
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
    "## History.dat written for the tests\n$info=puckman,pacman,pacmanf,\n$bio\n\n"
    "Pac-Man (c) 1980 Namco.\n\nA yellow circle eats dots\nin a maze.\n\n- TECHNICAL -\n\n"
    "Main CPU : Z80\nVideo resolution : 224 x 288 pixels\nScreen refresh : 60.61 Hz\n"
    "Palette colors : 32\nPlayers : 2\nControl : 4-way joystick\nButtons : 2\n\n"
    "- TRIVIA -\n\nFirst line of trivia.\n- a list item with a dash\nSecond line of trivia.\n\n"
    "- CONTRIBUTE -\n\nEdit this entry somewhere.\n\n- SOURCES -\n\nA magazine.\n$end\n";

TEST_F(History, OneEntryLinksEverySetItNamesAndFillsOnlyWhatIsStillNull) {
    AddSets({"puckman", "pacman", "pacmanf", "mspacman"});
    EXPECT_TRUE(Import(ImportHistory, "history.dat", kPacman));
    EXPECT_EQ(QueryValue("SELECT count(*) FROM History"), "1");
    EXPECT_EQ(QueryValue("SELECT group_concat(InternalName) || '/' || count(DISTINCT CodeHistory) "
                         "FROM Data WHERE CodeHistory IS NOT NULL"),
              "puckman,pacman,pacmanf/1");
    EXPECT_EQ(HistoryField("pacman", "yearmanufacturer"), "1980 Namco.");
    EXPECT_EQ(HistoryField("pacman", "Description"), "A yellow circle eats dots in a maze.");
    EXPECT_EQ(HistoryField("pacman", "trivia"), "First line of trivia.\r\nSecond line of trivia.");
    // The text of an unknown section belongs to no field, and stalls nothing.
    EXPECT_EQ(HistoryField("pacman", "sources"), "A magazine.");
    EXPECT_EQ(HistoryField("pacman", "technical").find("Edit this"), std::string::npos);
    EXPECT_EQ(QueryValue("SELECT Resolution || '|' || Controls || '|' || Refresh || '|' || "
                         "Colors || '|' || nPlayers FROM Data WHERE InternalName='puckman'"),
              "224 x 288 pixels|4-way joystick - btn : 2|60.61 Hz|32|2");
    // A build (values collected) drops nothing; the update (values written at
    // once) drops the rows no set uses.
    DataValues values;
    EXPECT_TRUE(ImportHistory(Support("history.dat", kPacman), progress, &values));
    EXPECT_EQ(QueryValue("SELECT count(*) FROM History"), "2");
    EXPECT_TRUE(Import(ImportHistory, "history.dat", kPacman));
    EXPECT_EQ(QueryValue("SELECT count(*) FROM History"), "1");
}

TEST_F(History, TechnicalScanFollowsTheKeyRules) {
    // The short form skips the character after the colon; buttons go without control.
    TechnicalValues v = ScanTechnical("COLORS:256\r\nRefresh: 60 Hz\r\nPlayers : 2\r\nButtons : 3");
    EXPECT_EQ(v.colors + '|' + v.refresh + '|' + v.players + '|' + v.controls,
              "56|60 Hz|2| - btn : 3");
    // Without a line break the value ends at the stop word, else at the end.
    v = ScanTechnical("Colors : 16 Players : 2 Buttons : 1");
    EXPECT_EQ(v.colors + '|' + v.players + '|' + v.controls, "16|2| - btn : 1");
    EXPECT_EQ(ScanTechnical("Players : 2\r\nAspect ratio : 4:3").aspect, "4:3");
    EXPECT_EQ(ScanTechnical("Control : 8-way joystick").controls, "8-way");
}

TEST_F(History, EntriesEndAtTheirEndOrAtTheNextEntryAndQuotesAreSafe) {
    AddSets({"galaga", "dkong", "o'set"});
    EXPECT_TRUE(Import(
        ImportHistory, "history.dat",
        "$info=galaga,\n$bio\n\nGalaga (c) 1981 Namco.\n\nOnly a description.\n$end\n"
        "$info=o'set,\n$bio\n\nIt's (c) 1990 Maker's.\n- TECHNICAL -\nControl : it's a stick\n"
        "Buttons : 2\n- TRIVIA -\nFirst\n"  // no "$end" before the next entry
        "$info=dkong,\n$bio\n\nDonkey Kong (c) 1981 Nintendo.\n- TRIVIA -\nSecond"));
    EXPECT_EQ(QueryValue("SELECT count(*) FROM History"), "3");
    EXPECT_EQ(HistoryField("galaga", "Description"), "Only a description.");
    EXPECT_EQ(HistoryField("o'set", "yearmanufacturer"), "1990 Maker's.");
    EXPECT_EQ(HistoryField("o'set", "trivia"), "First");
    EXPECT_EQ(Field("o'set", "Controls"), "it's a stick - btn : 2");
    EXPECT_EQ(HistoryField("dkong", "yearmanufacturer"), "1981 Nintendo.");
    EXPECT_EQ(HistoryField("dkong", "trivia"), "Second");
    EXPECT_EQ(ErrorBlockCount(), 0);
}

TEST_F(History, HistoryXmlAloneLinksSetsAndFillsTechnicalValuesStillNull) {
    AddSets({"pacman", "puckman", "galaga"});
    // Laid out as today's history.xml: LF line ends, the technical section's
    // last line holding a key.
    const std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<history>\n\t<entry>\n\t\t<systems>\n"
        "\t\t\t<system name=\"pacman\" />\n\t\t\t<system name=\"puckman\" />\n\t\t</systems>\n"
        "\t\t<text>\nPac-Man (c) 1980 Namco.\n\nDots &amp; ghosts.\n\n- TECHNICAL -\n\n"
        "Main CPU : Z80\n\nPlayers : 2\nControl : 4-way joystick\nButtons : 1\n"
        "Resolution : 256x240\n\n- TRIVIA -\n\nYellow.\n\t\t</text>\n\t</entry>\n"
        "<entry><software><item list=\"nes\" name=\"smb\"/></software><text>Not a machine</text>"
        "</entry>\n<entry><systems><system name=\"galaga\"/></systems><text>Galaga (c) 1981 "
        "Namco.\nBugs.</text></entry>\n</history>\n";
    test::WriteFile(home.file("dat/History.XML"), xml);
    EXPECT_TRUE(ImportHistory(home.file("dat/history.dat"), progress));
    EXPECT_EQ(QueryValue("SELECT count(*) FROM History"), "2");
    EXPECT_EQ(HistoryField("puckman", "Description"), "Dots & ghosts.");
    EXPECT_EQ(HistoryField("pacman", "trivia"), "Yellow.");
    EXPECT_EQ(HistoryField("galaga", "Description"), "Bugs.");
    EXPECT_EQ(Field("pacman", "Controls"), "4-way joystick - btn : 1");
    EXPECT_EQ(Field("puckman", "nPlayers"), "2");
    EXPECT_EQ(Field("puckman", "Resolution"), "256x240");

    // The same document under the .dat name is recognised as XML.
    EXPECT_TRUE(Import(ImportHistory, "history.dat", xml));
    EXPECT_EQ(QueryValue("SELECT count(*) FROM History"), "2");
    // A cut document keeps the entries read before the fault.
    EXPECT_FALSE(Import(ImportHistoryXml, "history.xml", xml.substr(0, xml.find("Bugs"))));
    EXPECT_EQ(HistoryField("pacman", "trivia"), "Yellow.");
    EXPECT_EQ(ErrorBlockCount(), 0);
}

}  // namespace
}  // namespace arc
