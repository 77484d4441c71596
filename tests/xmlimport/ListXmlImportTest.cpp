#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "core/AppState.h"
#include "core/Log.h"
#include "core/Progress.h"
#include "core/TextTable.h"
#include "database/Database.h"
#include "support/TestSupport.h"
#include "xmlimport/ListXmlImport.h"

namespace arc {
namespace {

constexpr int kFast = 1;
constexpr int kDocument = 2;

/// The document type the emulator writes (the parts the import meets).
std::string Header(std::string_view root = "mame", std::string_view element = "machine") {
    const std::string e(element);
    return "<?xml version=\"1.0\"?>\n<!DOCTYPE " + std::string(root) + " [\n<!ELEMENT " +
           std::string(root) + " (" + e + "+)>\n\t<!ATTLIST " + e + " name CDATA #REQUIRED>\n" +
           "\t<!ATTLIST " + e + " runnable (yes|no) \"yes\">\n" +
           "\t<!ATTLIST rom status (baddump|nodump|good) \"good\">\n"
           "\t<!ATTLIST dipvalue default (yes|no) \"no\">\n"
           "\t<!ATTLIST input service (yes|no) \"no\">\n]>\n\n<" +
           std::string(root) + " build=\"0.251\">\n";
}

std::string Modern(std::string_view machines) {
    return Header() + std::string(machines) + "</mame>\n";
}

std::string Old(std::string_view games) {
    return Header("mame", "game") + std::string(games) + "</mame>\n";
}

class ListXmlImportTest : public test::ProgramFolderTest {
  protected:
    ListXmlImportTest() { Fresh("Arcanote.mdb"); }
    ~ListXmlImportTest() override { CloseDatabase(); }

    void Fresh(const std::string& name) {
        CloseDatabase();
        const std::string path = home.file(name);
        std::string error;
        ASSERT_TRUE(CreateTemplateDatabase(path, &error)) << error;
        ASSERT_TRUE(OpenDatabase(path));
    }

    void Write(std::string_view content) { test::WriteFile(home.file("listxml.txt"), content); }

    void Import(int method) {
        State().ImportMethod = method;
        ImportListXml();
    }

    /// A field of a set's Data row; "<null>" for Null, "<none>" without a row.
    std::string Field(std::string_view set, std::string_view field) {
        Statement select("SELECT " + std::string(field) + " FROM Data WHERE InternalName = ?");
        select.Bind(1, set);
        if (!select.Step()) return "<none>";
        return select.IsNull(0) ? "<null>" : select.ColumnText(0);
    }

    /// Every row of a table in insertion order, fields joined by "|".
    std::string Dump(std::string_view table, std::string_view columns = "*") {
        Statement select("SELECT " + std::string(columns) + " FROM " + std::string(table) +
                         " ORDER BY rowid");
        std::string dump;
        while (select.Step()) {
            for (int i = 0; i < select.ColumnCount(); ++i)
                dump += (i ? "|" : "") + (select.IsNull(i) ? "<null>" : select.ColumnText(i));
            dump += "\n";
        }
        return dump;
    }

    int Count(std::string_view table) {
        return std::stoi(QueryValue("SELECT count(*) FROM " + std::string(table)));
    }
};

class BothMethods : public ListXmlImportTest, public ::testing::WithParamInterface<int> {};

INSTANTIATE_TEST_SUITE_P(Methods, BothMethods, ::testing::Values(kFast, kDocument),
                         [](const auto& info) {
                             return info.param == kFast ? "Fast" : "Document";
                         });

TEST_P(BothMethods, RunnableMissingOrNo) {
    Write(
        Modern("<machine name=\"a\"><description>A</description></machine>\n"
               "<machine name=\"b\" runnable=\"no\"><description>B</description></machine>\n"
               "<machine name=\"c\" runnable=\"yes\" cloneof=\"a\"><description>C</description>"
               "</machine>\n"));
    Import(GetParam());
    EXPECT_EQ(Field("a", "Working"), "1");
    EXPECT_EQ(Field("b", "Working"), "0");
    EXPECT_EQ(Field("c", "Working"), "1");
    // Attributes a set lacks stay Null (parents are counted with CloneOf IS NULL).
    EXPECT_EQ(Field("a", "CloneOf"), "<null>");
    EXPECT_EQ(Field("c", "CloneOf"), "a");
    EXPECT_EQ(Field("b", "GameName"), "B");
}

TEST_P(BothMethods, AFreshImportLeavesEveryIndexAndTheSyncLevelInPlace) {
    Write(
        Modern("<machine name=\"a\"><description>A</description>"
               "<rom name=\"a.1\" size=\"1\"/></machine>\n"));
    Progress().Cancel = true;  // even a cancelled import restores them
    Import(GetParam());
    Progress().Cancel = false;
    Import(GetParam());
    EXPECT_EQ(QueryValue("SELECT count(*) FROM sqlite_master WHERE type='index' AND "
                         "name LIKE 'IX*InternalName'"),
              "7");
    EXPECT_EQ(QueryValue("PRAGMA synchronous"), "1");
    Statement plan("EXPLAIN QUERY PLAN SELECT * FROM Rom WHERE InternalName='a'");
    ASSERT_TRUE(plan.Step());
    EXPECT_NE(plan.ColumnText(3).find("USING INDEX"), std::string::npos);
    EXPECT_EQ(Count("Rom"), 1);
}

TEST_P(BothMethods, HistoryElementGivesAHistoryRowAndItsLink) {
    Write(
        Old("<game name=\"pacman\"><description>Pac-Man</description>"
            "<history>Pac-Man (c) 1980 Namco.&#10;&#10;Eat dots.&#10;- TECHNICAL -&#10;Z80"
            "&#10;- TRIVIA -&#10;Waka.</history></game>\n"
            "<game name=\"galaga\"><description>Galaga</description></game>\n"));
    Import(GetParam());
    ASSERT_EQ(Count("History"), 1);
    EXPECT_EQ(Field("pacman", "CodeHistory"), QueryValue("SELECT CodeHistory FROM History"));
    EXPECT_EQ(Field("galaga", "CodeHistory"), "<null>");
    EXPECT_EQ(Dump("History", "yearmanufacturer, Description, technical, trivia, staff"),
              "1980 Namco.|Pac-Man (c) 1980 Namco.\r\nEat dots.\r\n|Z80\r\n|Waka.\r\n|\n");
}

TEST_P(BothMethods, CurrentDriversTakeTheirStatesFromFeatures) {
    Write(
        Modern("<machine name=\"a\"><description>A</description>"
               "<driver status=\"imperfect\" emulation=\"good\" savestate=\"supported\"/>"
               "<feature type=\"palette\" status=\"imperfect\"/>"
               "<feature type=\"sound\" status=\"unemulated\"/>"
               "<feature type=\"graphics\" overall=\"imperfect\"/></machine>\n"
               "<machine name=\"b\"><description>B</description>"
               "<driver status=\"good\" emulation=\"good\" cocktail=\"preliminary\"/></machine>\n"
               "<machine name=\"c\"><description>C</description></machine>\n"));
    Import(GetParam());
    const char* fields =
        "DriverStatus, driveremulation, drivercolor, CorrectColors, driversound, "
        "Sound, drivergraphic, drivercocktail, ScreenFlip";
    EXPECT_EQ(Dump("Data", fields),
              "imperfect|good|imperfect|0|unemulated|0|good|good|1\n"
              "good|good|good|1|good|1|good|preliminary|0\n"
              "<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>\n");
}

TEST_P(BothMethods, OldDriverAttributesAreReadAsWritten) {
    Write(
        Old("<game name=\"a\"><description>A</description>"
            "<driver status=\"good\" emulation=\"good\" color=\"imperfect\" sound=\"good\" "
            "graphic=\"good\" cocktail=\"good\" protection=\"good\" palettesize=\"256\"/>"
            "</game>\n"));
    Import(GetParam());
    EXPECT_EQ(Dump("Data",
                   "drivercolor, CorrectColors, driversound, Sound, drivergraphic, "
                   "drivercocktail, ScreenFlip, driverprotection, Colors"),
              "imperfect|0|good|1|good|good|1|good|256\n");
}

TEST_P(BothMethods, OneDipSwitchRowPerValueWithItsOwnDefault) {
    Write(
        Modern("<machine name=\"a\"><description>A</description>\n"
               "<dipswitch name=\"Coinage\" tag=\"DSW1\" mask=\"3\">\n"
               "\t<diplocation name=\"SW\" number=\"1\"/>\n"
               "\t<diplocation name=\"SW\" number=\"2\"/>\n"
               "\t<dipvalue name=\"2 Coins/1 Credit\" value=\"3\"/>\n"
               "\t<dipvalue name=\"1 Coin/1 Credit\" value=\"1\" default=\"yes\"/>\n"
               "\t<dipvalue name=\"Free Play\" value=\"0\"/>\n"
               "</dipswitch>\n"
               "<dipswitch name=\"Lives\">\n"
               "\t<dipvalue name=\"3\" default=\"yes\"/>\n"
               "\t<dipvalue name=\"5\"/>\n"
               "</dipswitch>\n</machine>\n"));
    Import(GetParam());
    EXPECT_EQ(Dump("DipSwitch"),
              "a|Coinage|2 Coins/1 Credit|\n"
              "a|Coinage|1 Coin/1 Credit|yes\n"
              "a|Coinage|Free Play|\n"
              "a|Lives|3|yes\n"
              "a|Lives|5|\n");
}

TEST_P(BothMethods, ApostrophesAreStoredUnchanged) {
    Write(
        Modern("<machine name=\"jack's\"><description>Jack's 'Game'</description>"
               "<rom name=\"o'k.bin\" size=\"1\"/></machine>\n"));
    Import(GetParam());
    EXPECT_EQ(
        QueryValue("SELECT GameName FROM Data WHERE InternalName='" + SqlQuote("jack's") + "'"),
        "Jack's 'Game'");
    EXPECT_EQ(Dump("Rom", "InternalName, RomName"), "jack's|o'k.bin\n");
}

TEST_P(BothMethods, EmptyOrMissingFileIsToldAndImportsNothing) {
    Write("");
    Import(GetParam());
    std::filesystem::remove(home.file("listxml.txt"));
    Import(GetParam());
    ASSERT_EQ(ui().messages.size(), 2u);
    for (const auto& message : ui().messages) {
        EXPECT_EQ(message.text, Text(179));
        EXPECT_EQ(message.icon, MsgIcon::Exclamation);
    }
    EXPECT_EQ(Count("Data"), 0);
}

TEST_P(BothMethods, BinaryFileImportsNothingAndNeverCrashes) {
    std::string bytes;
    std::uint32_t seed = 7;
    for (int i = 0; i < 300000; ++i) {
        seed = seed * 1664525u + 1013904223u;
        bytes += static_cast<char>(seed >> 24);
    }
    Write(bytes);
    Import(GetParam());
    EXPECT_EQ(Count("Data"), 0);
    EXPECT_TRUE(ui().messages.empty());
}

TEST_P(BothMethods, UpdateModeTwiceReplacesChildRowsAndKeepsOtherFields) {
    const std::string first = Old(
        "<game name=\"a\"><description>A</description><rom name=\"a.1\" size=\"1\"/>"
        "<history>A (c) 1980 X.</history><video screen=\"raster\" width=\"320\" height=\"240\"/>"
        "</game>\n");
    Write(first);
    Import(kFast);
    Execute("UPDATE Data SET Category='Maze', GotIt=TRUE WHERE InternalName='a'");
    State().UpdateMode = true;
    Import(GetParam());
    Write(
        Old("<game name=\"a\"><description>A2</description><rom name=\"a.1\" size=\"1\"/>"
            "<rom name=\"a.2\" size=\"2\"/><video screen=\"raster\" width=\"256\" "
            "height=\"224\"/></game>\n<game name=\"b\"><description>B</description></game>\n"));
    Import(GetParam());
    EXPECT_EQ(Dump("Data", "InternalName, GameName, Category, GotIt, Resolution, CodeHistory"),
              "a|A2|Maze|1|256x224|<null>\nb|B|<null>|<null>|<null>|<null>\n");
    EXPECT_EQ(Dump("Rom", "InternalName, RomName"), "a|a.1\na|a.2\n");
    EXPECT_EQ(Count("History"), 0);
}

TEST_F(ListXmlImportTest, ScreenCompositionAndAspectGuess) {
    Write(
        Old("<game name=\"a\"><description>A</description>"
            "<video screen=\"raster\" orientation=\"horizontal\" width=\"256\" height=\"224\" "
            "refresh=\"60\"/></game>\n"
            "<game name=\"b\"><description>B</description>"
            "<video screen=\"raster\" width=\"320\" height=\"240\"/></game>\n"
            "<game name=\"c\"><description>C</description>"
            "<video screen=\"raster\" width=\"224\" height=\"288\"/></game>\n"
            "<game name=\"d\"><description>D</description>"
            "<video screen=\"raster\" height=\"240\" aspecty=\"3\" width=\"320\" aspectx=\"4\" "
            "refresh=\"57\"/><video screen=\"vector\" width=\"640\" height=\"480\" aspectx=\"1\" "
            "aspecty=\"1\" refresh=\"30\"/></game>\n"));
    Import(kFast);
    EXPECT_EQ(Dump("Data", "Resolution, Aspect, Refresh, videoscreen"),
              "256x224|?3:4|60|raster\n320x240|?4:3|<null>|raster\n224x288|?3:4|<null>|raster\n"
              "320x240|4:3|57|vector\n");
    EXPECT_EQ(Progress().Done, Progress().Total);
}

TEST_F(ListXmlImportTest, CurrentDisplayElementsAreReadByTheFastMethod) {
    Write(
        Modern("<machine name=\"a\"><description>A</description>"
               "<display tag=\"screen\" type=\"raster\" rotate=\"90\" width=\"288\" "
               "height=\"224\" refresh=\"60.606061\" pixclock=\"6144000\" />"
               "<display tag=\"lcd\" type=\"lcd\" rotate=\"0\" width=\"100\" height=\"50\" "
               "refresh=\"50\" /></machine>\n"));
    Import(kFast);
    EXPECT_EQ(Dump("Data", "videoscreen, videoorientation, Resolution, Aspect, Refresh"),
              "lcd|0|288x224|?3:4|60.606061\n");
}

TEST_F(ListXmlImportTest, DocumentMethodReadsVideoAsDesigned) {
    Write(
        Old("<game name=\"a\"><description>A</description>"
            "<video screen=\"raster\" orientation=\"vertical\" width=\"256\" height=\"224\" "
            "refresh=\"60\"/></game>\n"));
    Import(kDocument);
    EXPECT_EQ(Dump("Data", "videoscreen, videoorientation, Resolution, Aspect, Refresh"),
              "raster|vertical|256x224|:|60\n");
}

TEST_F(ListXmlImportTest, BothMethodsGiveTheSameRows) {
    const std::string file = Modern(
        "<machine name=\"pacman\" sourcefile=\"pacman/pacman.cpp\" cloneof=\"puckman\" "
        "romof=\"puckman\">\n"
        "\t<description>Pac-Man (Midway)</description>\n\t<year>1980</year>\n"
        "\t<manufacturer>Namco (Midway license)</manufacturer>\n"
        "\t<biosset name=\"v1\" description=\"Version 1\" default=\"yes\"/>\n"
        "\t<biosset name=\"v2\" description=\"Version 2\"/>\n"
        "\t<rom name=\"pacman.6e\" size=\"4096\" crc=\"c1e6ab10\" sha1=\"e87e\" "
        "region=\"maincpu\" offset=\"0\"/>\n"
        "\t<rom name=\"82s123.7f\" merge=\"pm1-1.7f\" size=\"32\" crc=\"2fc650bd\" sha1=\"8d02\" "
        "region=\"proms\" offset=\"0\"/>\n"
        "\t<rom name=\"bad.bin\" size=\"32\" status=\"nodump\" region=\"proms\" offset=\"20\"/>\n"
        "\t<disk name=\"hdd\" sha1=\"abcd\" region=\"ide\" index=\"0\" writable=\"no\"/>\n"
        "\t<device_ref name=\"z80\"/>\n\t<sample name=\"s1\"/>\n\t<sample name=\"s2\"/>\n"
        "\t<chip type=\"cpu\" tag=\"maincpu\" name=\"Zilog Z80\" clock=\"3072000\"/>\n"
        "\t<chip type=\"audio\" tag=\"mono\" name=\"Speaker\"/>\n"
        "\t<sound channels=\"1\"/>\n"
        "\t<input players=\"2\" coins=\"2\">\n"
        "\t\t<control type=\"joy\" player=\"1\" buttons=\"1\" ways=\"4\"/>\n"
        "\t\t<control type=\"joy\" player=\"2\" buttons=\"1\" ways=\"4\"/>\n\t</input>\n"
        "\t<dipswitch name=\"Lives\" tag=\"DSW1\" mask=\"12\">\n"
        "\t\t<diplocation name=\"SW\" number=\"3\"/>\n"
        "\t\t<dipvalue name=\"1\" value=\"0\"/>\n"
        "\t\t<dipvalue name=\"3\" value=\"8\" default=\"yes\"/>\n\t</dipswitch>\n"
        "\t<configuration name=\"Cabinet\" tag=\"IN1\" mask=\"128\">\n"
        "\t\t<confsetting name=\"Upright\" value=\"128\" default=\"yes\"/>\n"
        "\t</configuration>\n"
        "\t<port tag=\":IN0\">\n\t\t<analog mask=\"16\"/>\n\t</port>\n"
        "\t<driver status=\"good\" emulation=\"good\" savestate=\"supported\"/>\n"
        "\t<feature type=\"sound\" status=\"imperfect\"/>\n"
        "</machine>\n"
        "<machine name=\"z80\" sourcefile=\"src/devices/cpu/z80/z80.cpp\" isdevice=\"yes\" "
        "runnable=\"no\">\n\t<description>Zilog Z80</description>\n</machine>\n");
    const std::string dataFields =
        "InternalName, GameName, driver, CloneOf, romof, sampleof, Working, Year, Manufacturer, "
        "samplename, soundchannels, nPlayers, Controls, InputButtons, inputcoins, "
        "DriverStatus, driveremulation, drivercolor, CorrectColors, driversound, Sound, "
        "drivergraphic, drivercocktail, ScreenFlip";
    std::vector<std::string> dumps[2];
    for (int method : {kFast, kDocument}) {
        Fresh(method == kFast ? "fast.mdb" : "document.mdb");
        Write(file);
        Import(method);
        for (const char* table : {"Rom", "Disk", "Chip", "BiosSet", "DipSwitch"})
            dumps[method - 1].push_back(Dump(table));
        dumps[method - 1].push_back(Dump("Data", dataFields));
    }
    EXPECT_EQ(dumps[0], dumps[1]);
    EXPECT_EQ(dumps[0][0],
              "pacman|pacman.6e||4096|c1e6ab10||e87e||maincpu|0|||\n"
              "pacman|82s123.7f||32|2fc650bd||8d02|pm1-1.7f|proms|0|||\n"
              "pacman|bad.bin||32|||||proms|20|nodump||\n");
    EXPECT_EQ(dumps[0][2], "pacman|Zilog Z80|cpu||3072000\npacman|Speaker|audio||\n");
    EXPECT_EQ(dumps[0][3], "pacman|v1|Version 1|yes\npacman|v2|Version 2|\n");
    EXPECT_EQ(
        dumps[0][5],
        "pacman|Pac-Man (Midway)|pacman/pacman.cpp|puckman|puckman|<null>|1|1980|"
        "Namco (Midway license)|s2|1|2|joy|1|2|good|good|good|1|imperfect|0|good|good|1\n"
        "z80|Zilog Z80|src/devices/cpu/z80/z80.cpp|<null>|<null>|<null>|0" +
            [] {
                std::string nulls;
                for (int i = 0; i < 17; ++i)
                    nulls += "|<null>";
                return nulls;
            }() +
            "\n");
}

TEST_F(ListXmlImportTest, CharacterReferencesStayWithTheFastMethodAndAreDecodedByTheDocument) {
    Write(
        Modern("<machine name=\"a\"><description>Cookie &amp; Bibi &lt;1&gt;</description>"
               "</machine>\n"));
    Import(kFast);
    EXPECT_EQ(Field("a", "GameName"), "Cookie &amp; Bibi &lt;1&gt;");
    Fresh("document.mdb");
    Import(kDocument);
    EXPECT_EQ(Field("a", "GameName"), "Cookie & Bibi <1>");
}

TEST_F(ListXmlImportTest, TruncatedFileFallsBackToTheFastMethodAndKeepsWhatItHolds) {
    Write(Header() +
          "<machine name=\"a\">\n\t<description>A</description>\n\t<rom name=\"a.1\" size=\"1\"/>"
          "\n</machine>\n<machine name=\"b\">\n\t<description>B</description>\n"
          "\t<rom name=\"b.1\" size=\"1\"/>\n\t<rom name=\"b.2\" size=\"2\"/>\n");
    Import(kDocument);
    EXPECT_NE(std::find(ui().progressLabels.begin(), ui().progressLabels.end(), Text(267)),
              ui().progressLabels.end());
    EXPECT_EQ(Dump("Data", "InternalName, GameName"), "a|A\nb|B\n");
    // The last line of an unfinished game is taken for its closing tag.
    EXPECT_EQ(Dump("Rom", "InternalName, RomName"), "a|a.1\nb|b.1\n");
}

TEST_F(ListXmlImportTest, MalformedGameIsLoggedAndTheNextOneIsImported) {
    Write(
        Modern("<machine name=\"a\">\n<description>A</description>\n<manufacturer>Namco>\n"
               "<year>1980</year>\n</machine>\n"
               "<machine name=\"b\">\n<description>B</description>\n</machine>\n"));
    Import(kFast);
    EXPECT_EQ(Dump("Data", "InternalName, GameName, Year"), "a|A|<null>\nb|B|<null>\n");
    EXPECT_EQ(State().ErrorCount, 1);
    EXPECT_NE(test::ReadFile(LogFilePath()).find("unclosed element"), std::string::npos);
}

TEST_F(ListXmlImportTest, CancelStopsBeforeTheNextGameAndKeepsCompleteRows) {
    std::string machines;
    for (int i = 0; i < 50; ++i)
        machines += "<machine name=\"m" + std::to_string(i) +
                    "\">\n<description>M</description>\n<rom name=\"r1\" size=\"1\"/>\n"
                    "<rom name=\"r2\" size=\"2\"/>\n</machine>\n";
    Write(Modern(machines));
    // The first chance to run events lets one game through, the second cancels.
    int calls = 0;
    ui().onProcessEvents = [&] {
        if (++calls == 1)
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
        else
            Progress().Cancel = true;
    };
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    ImportListXmlFast(home.file("listxml.txt"));
    EXPECT_EQ(Count("Data"), 1);
    EXPECT_EQ(Count("Rom"), 2);
}

}  // namespace
}  // namespace arc
