#include <gtest/gtest.h>

#include <sstream>

#include "core/Log.h"
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

    bool Import(int method, std::string_view path = {}, TaskProgress* reportTo = nullptr) {
        return ImportListXml(path, reportTo ? *reportTo : progress,
                             static_cast<ImportMethod>(method), updateMode);
    }

    test::RecordedProgress progress;
    bool updateMode = false;  ///< imports as the update does

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

TEST_P(BothMethods, AFreshImportLeavesEveryIndexAndTheSyncLevelInPlace) {
    Write(
        Modern("<machine name=\"a\"><description>A</description>"
               "<rom name=\"a.1\" size=\"1\"/></machine>\n"));
    TaskProgress cancelled;
    cancelled.Cancel();  // a cancelled build's file is discarded: the next one has them all
    Import(GetParam(), {}, &cancelled);
    EXPECT_EQ(QueryValue("PRAGMA synchronous"), "1");
    Import(GetParam());
    EXPECT_EQ(QueryValue("SELECT count(*) FROM sqlite_master WHERE type='index' AND "
                         "name LIKE 'IX%InternalName'"),
              "7");
    EXPECT_EQ(QueryValue("PRAGMA synchronous"), "1");
    Statement plan("EXPLAIN QUERY PLAN SELECT * FROM Rom WHERE InternalName='a'");
    ASSERT_TRUE(plan.Step());
    EXPECT_NE(plan.ColumnText(3).find("USING INDEX"), std::string::npos);
    EXPECT_EQ(Count("Rom"), 1);
}

TEST_P(BothMethods, AnEngineErrorOfTheWritingThreadFailsTheImport) {
    // Few games: the error is met at the end; many: while the list is read.
    for (int games : {2, 4000}) {
        Fresh("Failing" + std::to_string(games) + ".mdb");
        Execute(
            "CREATE TRIGGER Full BEFORE INSERT ON Rom BEGIN SELECT RAISE(ABORT, 'disk full'); END");
        std::string machines;
        for (int i = 0; i < games; ++i)
            machines += "<machine name=\"m" + std::to_string(i) +
                        "\"><rom name=\"r1\" size=\"1\"/><rom name=\"r2\" size=\"2\"/></machine>\n";
        Write(Modern(machines));
        EXPECT_FALSE(Import(GetParam())) << games;
        EXPECT_NE(DatabaseFailure().find("disk full"), std::string::npos) << games;
        EXPECT_EQ(Count("Rom"), 0);
    }
}

TEST_P(BothMethods, HistoryElementGivesAHistoryRowAndItsLink) {
    Write(
        Old("<game name=\"pacman\"><description>Pac-Man</description>"
            "<history>Pac-Man (c) 1980 Namco.&#10;&#10;Eat dots.&#10;- TECHNICAL -&#10;Z80"
            "&#10;- TRIVIA -&#10;Waka.</history></game>\n"
            "<game name=\"galaga\"><description>Galaga</description></game>\n"));
    Import(GetParam());
    ASSERT_EQ(Count("History"), 1);
    EXPECT_EQ(Dump("Data", "CodeHistory"),
              QueryValue("SELECT CodeHistory FROM History") + "\n<null>\n");
    EXPECT_EQ(Dump("History", "yearmanufacturer, Description, technical, trivia, staff"),
              "1980 Namco.|Pac-Man (c) 1980 Namco.\r\nEat dots.\r\n|Z80\r\n|Waka.\r\n|\n");
}

TEST_P(BothMethods, CurrentDriversTakeTheWorseOfEachFeatureStatusAndOverall) {
    Write(
        Modern("<machine name=\"a\"><description>A</description>"
               "<driver status=\"imperfect\" emulation=\"good\" savestate=\"supported\"/>"
               "<feature type=\"palette\" status=\"imperfect\"/>"
               "<feature type=\"sound\" status=\"imperfect\" overall=\"unemulated\"/>"
               "<feature type=\"graphics\" overall=\"imperfect\"/></machine>\n"
               "<machine name=\"b\"><description>B</description>"
               "<driver status=\"good\" emulation=\"good\" cocktail=\"preliminary\"/>"
               "<feature type=\"sound\" status=\"unemulated\" overall=\"imperfect\"/>"
               "</machine>\n<machine name=\"c\"><description>C</description></machine>\n"));
    Import(GetParam());
    const char* fields =
        "DriverStatus, driveremulation, drivercolor, CorrectColors, driversound, "
        "Sound, drivergraphic, drivercocktail, ScreenFlip";
    EXPECT_EQ(Dump("Data", fields),
              "imperfect|good|imperfect|0|unemulated|0|imperfect|good|1\n"
              "good|good|good|1|unemulated|0|good|preliminary|0\n"
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

// Each bad list is told (or, for an oversized element, logged as cut) the
// same way by both methods, in bounded time and memory.
TEST_P(BothMethods, BadListsAreToldAndNeverCrash) {
    std::string laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE mame [\n<!ENTITY l0 \"lol\">\n";
    for (int level = 1; level < 10; ++level) {
        laughs += "<!ENTITY l" + std::to_string(level) + " \"";
        for (int i = 0; i < 10; ++i)
            laughs += "&l" + std::to_string(level - 1) + ";";
        laughs += "\">\n";
    }
    laughs += "]>\n<mame><machine name=\"a\"><description>&l9;</description></machine></mame>\n";
    std::string names;
    for (int i = 0; i < 20000; ++i)
        names += " name=\"c" + std::to_string(i) + "\"";
    const struct {
        const char* name;
        std::string list;
        bool imported;
        const char* told;  // part of the message; "" for none
        const char* data;  // InternalName, GameName, Rom.RomName
    } cases[] = {
        {"empty", "", false, "Can't find listxml.txt", ""},
        {"entity expansion", laughs, false, "declares entities", ""},
        {"not xml", "PK\x03\x04\n" + std::string(100000, '\xff'), false, "holds no machine", ""},
        {"truncated",
         Header() + "<machine name=\"a\">\n\t<description>A</description>\n"
                    "\t<rom name=\"a.1\" size=\"1\"/>\n</machine>\n<machine name=\"b\">\n"
                    "\t<description>B</description>\n\t<rom name=\"b.1\" size=\"1\"/>\n",
         false, "is cut", "a|A|a.1\nb|B|b.1\n"},
        {"oversized value",
         Modern("<machine name=\"a\">\n<description>A</description>\n<rom name=\"" +
                std::string(10'000'001, 'x') + "\" size=\"1\"/>\n</machine>\n"),
         true, "", "a|A|\n"},
        {"chip with 20000 names",
         Modern("<machine name=\"a\">\n<description>A</description>\n<chip type=\"cpu\"" + names +
                "/>\n</machine>\n"),
         true, "", "a|A|<null>\n"},
    };
    for (const auto& bad : cases) {
        SCOPED_TRACE(bad.name);
        Fresh(std::string(bad.name) + ".mdb");
        ui().messages.clear();
        Write(bad.list);
        EXPECT_EQ(Import(GetParam()), bad.imported);
        EXPECT_EQ(
            Dump("(SELECT Data.rowid AS rowid, * FROM Data LEFT JOIN Rom USING (InternalName))",
                 "InternalName, GameName, RomName"),
            bad.data);
        if (*bad.told) {
            ASSERT_EQ(ui().messages.size(), 1u);
            EXPECT_NE(ui().messages[0].text.find(bad.told), std::string::npos);
        } else {
            EXPECT_TRUE(ui().messages.empty());
        }
    }
    EXPECT_EQ(Count("Chip"), 1);
    EXPECT_EQ(ErrorBlockCount(), 1);  // the value cut for size
    EXPECT_NE(test::ReadFile(LogFilePath()).find("cut for size"), std::string::npos);
}

TEST_P(BothMethods, UpdateModeTwiceReplacesChildRowsAndKeepsOtherFields) {
    Write(
        Old("<game name=\"a\"><description>A</description><rom name=\"a.1\" size=\"1\"/>"
            "<history>A (c) 1980 X.</history><video screen=\"raster\" width=\"320\" "
            "height=\"240\"/></game>\n<game name=\"d\"><description>D</description></game>\n"));
    Import(kFast);
    Execute("UPDATE Data SET Category='Maze', GotIt=TRUE WHERE InternalName='a'");
    updateMode = true;
    Import(GetParam());
    EXPECT_EQ(Count("History"), 1);  // the list's history replaced the old one
    Write(
        Old("<game name=\"a\"><description>A2</description><rom name=\"a.1\" size=\"1\"/>"
            "<rom name=\"a.2\" size=\"2\"/><video screen=\"raster\" width=\"256\" "
            "height=\"224\"/></game>\n<game name=\"b\" runnable=\"no\"><description>B"
            "</description></game>\n"
            "<game name=\"d\" isdevice=\"yes\"><description>D</description></game>\n"));
    Import(GetParam());
    // A list without history (every list today) keeps the histories; a set
    // that became a device loses its Data row.
    EXPECT_EQ(Dump("Data", "InternalName, GameName, Category, GotIt, Resolution, Aspect, Working"),
              "a|A2|Maze|1|256x224|?4:3|1\nb|B|<null>|<null>|<null>|<null>|0\n");
    EXPECT_EQ(QueryValue("SELECT CodeHistory FROM Data WHERE InternalName='a'"),
              QueryValue("SELECT CodeHistory FROM History"));
    EXPECT_EQ(Dump("History", "yearmanufacturer"), "1980 X.\n");
    EXPECT_EQ(Dump("Rom", "InternalName, RomName"), "a|a.1\na|a.2\n");
}

TEST_P(BothMethods, ScreenCompositionAndAspectGuess) {
    Write(
        Modern("<machine name=\"a\"><description>A</description>"
               "<video screen=\"raster\" orientation=\"horizontal\" width=\"256\" "
               "height=\"224\" refresh=\"60\"/></machine>\n"
               "<machine name=\"b\"><description>B</description>"
               "<video screen=\"raster\" width=\"224\" height=\"288\"/></machine>\n"
               "<machine name=\"c\"><description>C</description>"
               "<video screen=\"raster\" height=\"240\" aspecty=\"3\" width=\"320\" "
               "aspectx=\"4\" refresh=\"57\"/><video screen=\"vector\" width=\"640\" "
               "height=\"480\" aspectx=\"1\" aspecty=\"1\" refresh=\"30\"/></machine>\n"
               "<machine name=\"d\"><description>D</description>"
               "<display tag=\"screen\" type=\"raster\" rotate=\"90\" width=\"320\" "
               "height=\"240\" refresh=\"60.606061\" pixclock=\"6144000\" />"
               "<display tag=\"lcd\" type=\"lcd\" rotate=\"0\" width=\"100\" height=\"50\" "
               "refresh=\"50\" /></machine>\n"
               "<machine name=\"e\"><description>E</description>"
               "<display type=\"raster\" rotate=\"270\" width=\"256\" height=\"256\" "
               "refresh=\"60\" /></machine>\n"));
    Import(GetParam());
    EXPECT_EQ(Dump("Data", "Resolution, Aspect, Refresh, videoscreen, videoorientation"),
              "256x224|?4:3|60|raster|horizontal\n224x288|?3:4|<null>|raster|<null>\n"
              "320x240|4:3|57|vector|<null>\n320x240|?3:4|60.606061|lcd|0\n"
              "256x256|?3:4|60|raster|270\n");
    EXPECT_EQ(progress.Done(), progress.Total());
}

// The emulator's own output for a few dozen chosen machines (tests/data),
// built and then updated.
TEST_F(ListXmlImportTest, RealListCutGivesTheSameRowsByBothMethods) {
    const std::string list = test::SourceDir() + "/tests/data/listxml-0.251-cut.xml";
    int values = 0;
    int defaults = 0;
    std::istringstream lines(test::ReadFile(list));
    for (std::string line; std::getline(lines, line);)
        if (line.find("<dipvalue ") != std::string::npos)
            defaults += ++values && line.find("default=\"yes\"") != std::string::npos;
    std::vector<std::string> dumps[2];
    for (int method : {kFast, kDocument}) {
        SCOPED_TRACE(method);
        Fresh(method == kFast ? "fast.mdb" : "document.mdb");
        ASSERT_TRUE(Import(method, list));
        // The update with the same list (no history in it, as every list
        // today) changes nothing and keeps the histories read from elsewhere.
        Execute("INSERT INTO History (Description) VALUES ('Eat the dots.')");
        Execute("UPDATE Data SET CodeHistory = last_insert_rowid() WHERE InternalName='pacman'");
        const std::string built = Dump("Data");
        updateMode = true;
        ASSERT_TRUE(Import(method, list));
        updateMode = false;
        EXPECT_EQ(Dump("Data"), built);
        EXPECT_EQ(Count("History"), 1);
        for (const char* table : {"Data", "Rom", "Disk", "Chip", "BiosSet", "DipSwitch"})
            dumps[method - 1].push_back(Dump(table));
        // Devices are no games; their ROMs stay.
        EXPECT_EQ(Count("Data"), 18);
        EXPECT_EQ(Dump("Rom WHERE InternalName='namco51'", "RomName, Romcrc"),
                  "51xx.bin|c2f57ef8\n");
        EXPECT_EQ(QueryValue("SELECT count(*) FROM Data WHERE InputButtons LIKE '%=%'"), "0");
        const struct {
            const char *set, *fields, *values;
        } expected[] = {
            {"actfancr", "driversound, Sound, drivergraphic", "imperfect|0|good"},
            {"gamecst2", "driversound, CloneOf", "unemulated|gamecstl"},
            {"1on1gov", "drivergraphic, romof", "imperfect|coh1002m"},
            {"defender", "Resolution, Aspect, Controls, InputButtons", "292x240|?4:3|joy|5"},
            {"pacman", "Resolution, Aspect, videoorientation, CloneOf", "288x224|?3:4|90|puckman"},
            {"galaga", "Aspect", "?3:4"},
            {"1292apvs", "Aspect, nPlayers, Controls, InputButtons", "?3:4|2|joy|24"},
            {"ainferno", "Controls, InputButtons, inputtilt", "only_buttons|6|yes"},
            {"punchout", "Resolution, Refresh, videoscreen", "256x224|60.000000|raster"},
            {"abattle", "CloneOf, sampleof, samplename", "astrof|astrof|bosskill"},
            {"mslug", "romof, Working", "neogeo|1"},
            {"puckman", "CloneOf, romof, Working", "<null>|<null>|1"},
        };
        for (const auto& row : expected)
            EXPECT_EQ(Dump("Data WHERE InternalName='" + std::string(row.set) + "'", row.fields),
                      std::string(row.values) + "\n")
                << row.set;
        EXPECT_EQ(Count("BiosSet WHERE InternalName='neogeo'"), 31);
        // One row per DIP switch value, each with its own default marking.
        EXPECT_EQ(Count("DipSwitch"), values);
        EXPECT_EQ(Count("DipSwitch WHERE dipvaluedefault='yes'"), defaults);
        EXPECT_EQ(Dump("Disk WHERE InternalName='kinst'", "diskName, diskregion"),
                  "kinst|ata:0:hdd:image\n");
    }
    EXPECT_EQ(dumps[0], dumps[1]);
}

// Regression (the fast method kept "&amp;"): both methods store the text decoded.
TEST_F(ListXmlImportTest, CharacterReferencesAreDecodedByBothMethods) {
    Write(
        Modern("<machine name=\"a\"><description>Cookie &amp; Bibi &lt;1&gt;</description>"
               "<manufacturer>&lt;unknown&gt;</manufacturer></machine>\n"));
    for (int method : {kFast, kDocument}) {
        Fresh(method == kFast ? "fast.mdb" : "document.mdb");
        Import(method);
        EXPECT_EQ(QueryValue("SELECT GameName || '|' || Manufacturer FROM Data"),
                  "Cookie & Bibi <1>|<unknown>");
    }
}

// Regression (the fast method lost every field after a description holding a
// raw quote, valid in element text): both methods give the same rows.
TEST_F(ListXmlImportTest, RawQuoteInDescriptionKeepsTheMachineByBothMethods) {
    Write(Modern(
        "<machine name=\"mikro\">\n\t\t<description>VEB \"Karl Marx\" 8\" disk</description>\n"
        "\t\t<year>1986</year>\n\t\t<manufacturer>VEB \"Karl Marx\" Erfurt</manufacturer>\n"
        "\t\t<rom name=\"m.bin\" size=\"1024\" crc=\"12345678\" sha1=\"ab\" region=\"m\"/>\n"
        "\t\t<driver status=\"preliminary\" emulation=\"preliminary\" savestate=\"unsupported\"/>\n"
        "\t</machine>\n<machine name=\"next\">\n\t\t<description>Next</description>\n"
        "\t\t<year>1987</year>\n\t</machine>\n"));
    std::string dumps[2];
    for (int method : {kFast, kDocument}) {
        SCOPED_TRACE(method);
        Fresh(method == kFast ? "fast.mdb" : "document.mdb");
        ASSERT_TRUE(Import(method));
        EXPECT_EQ(Dump("Data", "InternalName, GameName, Year, Manufacturer, Working"),
                  "mikro|VEB \"Karl Marx\" 8\" disk|1986|VEB \"Karl Marx\" Erfurt|1\n"
                  "next|Next|1987|<null>|1\n");
        dumps[method - 1] = Dump("Data") + Dump("Rom");
    }
    EXPECT_NE(dumps[0].find("m.bin|"), std::string::npos);
    EXPECT_EQ(dumps[0], dumps[1]);
}

TEST_F(ListXmlImportTest, MalformedGameIsLoggedAndTheNextOneIsImported) {
    Write(
        Modern("<machine name=\"a\">\n<description>A</description>\n<manufacturer>Namco>\n"
               "<year>1980</year>\n</machine>\n"
               "<machine name=\"b\">\n<description>B</description>\n</machine>\n"));
    Import(kFast);
    EXPECT_EQ(Dump("Data", "InternalName, GameName, Year"), "a|A|<null>\nb|B|<null>\n");
    EXPECT_EQ(ErrorBlockCount(), 1);
    EXPECT_NE(test::ReadFile(LogFilePath()).find("unclosed element"), std::string::npos);
}

TEST_P(BothMethods, CancelStopsBeforeTheNextGameAndKeepsCompleteRows) {
    // Games of over a kilobyte: both counts reach 1 after the first game.
    std::string machines;
    for (int i = 0; i < 50; ++i)
        machines += "<machine name=\"m" + std::to_string(i) + "\">\n<description>" +
                    std::string(1024, 'M') +
                    "</description>\n<rom name=\"r1\" size=\"1\"/>\n"
                    "<rom name=\"r2\" size=\"2\"/>\n</machine>\n";
    Write(Modern(machines));
    test::RecordedProgress cancelAt(1);
    EXPECT_TRUE(Import(GetParam(), {}, &cancelAt));
    EXPECT_TRUE(cancelAt.Cancelled());
    EXPECT_EQ(Count("Data"), 1);
    EXPECT_EQ(Count("Rom"), 2);
}

}  // namespace
}  // namespace arc
