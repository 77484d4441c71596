#include <gtest/gtest.h>

#include "core/Log.h"
#include "importers/DataUpdate.h"
#include "importers/ImporterTest.h"
#include "importers/Importers.h"

namespace arc {
namespace {

using Dat = test::ImporterTest;

TEST_F(Dat, HiscoreFlagsTheSetsOfTodaysPluginFileEachOnce) {
    AddSets({"dkong", "galaga", "mk", "pacman", "puckman"});
    const std::string before = QueryValue("SELECT total_changes()");
    EXPECT_TRUE(Import(ImportHiscore, "hiscore.dat",
                       "; hiscore.dat of the hiscore plugin\n;\n; galaga: note\n"
                       "puckman:\n dkong :\n@:maincpu,program,6100,a,00,00\n"
                       ":pacman:0:4e88:3\nmk:0:1:2\nmk:0:3:4\npuckman:\ndkong:\n"));
    EXPECT_EQ(QueryValue("SELECT group_concat(InternalName) FROM Data WHERE Hiscore=TRUE"),
              "dkong,mk,puckman");
    // Each write rewrites the whole row (MameInfo included): one per set.
    EXPECT_EQ(std::stoi(QueryValue("SELECT total_changes()")) - std::stoi(before), 3);
}

TEST_F(Dat, CommandBlocksGiveOneRowPerSetWithTitleCutAndSeparatorsLeftOut) {
    AddSets({"sf2", "sf2ce", "sf2t", "mk"});
    const std::string text =
        "$cmd\n[Orphan]\nno set named\n$end\n"  // no "$info": nothing stored
        "$info=sf2,sf2ce, sf2t,sf2,nosuchset,\n$cmd\n[Special moves]\n"
        "\u2014\u2014\u2014\u2014\u2014\u2014\u2014\u2014\n"
        "Hadouken: down, forward + punch\n[Sub title]\n\nShoryuken\n$end\n$cmd\n\n[" +
        std::string(60, 'T') +
        "]\nMore\n$end\n"
        "$info=mk\n$cmd\n[Fatalities]\nuppercut\n"  // no "$end" before the next entry
        "$info=sf2\n$cmd\n[Alone]\nOnly sf2\n";     // nor at the end of the file
    EXPECT_TRUE(Import(ImportCommand, "command.dat", text));
    EXPECT_EQ(QueryValue("SELECT count(*) FROM Command"), "8");
    EXPECT_EQ(QueryValue("SELECT count(*) FROM Command WHERE cmd='Special moves'"), "3");
    EXPECT_EQ(QueryValue("SELECT info FROM Command WHERE InternalName='sf2t'"),
              "Hadouken: down, forward + punch\r\nShoryuken\r\n");
    // A second block before the next "$info" belongs to the same sets.
    EXPECT_EQ(QueryValue("SELECT count(*) FROM Command WHERE cmd='" + std::string(50, 'T') + "'"),
              "3");
    EXPECT_EQ(QueryValue("SELECT count(*) FROM Command WHERE InternalName='sf2'"), "3");
    EXPECT_EQ(QueryValue("SELECT info FROM Command WHERE InternalName='mk'"), "uppercut\r\n");
    EXPECT_EQ(ErrorBlockCount(), 0);
}

TEST_F(Dat, MameinfoStoresTheBlockAsWrittenAndNoEntryLeaksIntoTheNext) {
    AddSets({"pacman", "o'set", "galaga"});
    const std::string text =
        "# header\n$info=pacman\n$mame\n  It's the first line, kept as is\n\n"
        "  second line  \n$end\n$info=pacman.cpp\n$drv\nDriver text\n$end\n"
        "$info=o'set\n$mame\nQuoted name\n$end\n"
        "$info=galaga\n$mame\nunfinished\n$info=galaga\n$mame\nGalaga\n$end\n";
    EXPECT_TRUE(Import(ImportMameinfo, "mameinfo.dat", text));
    EXPECT_EQ(Field("pacman", "MameInfo"),
              "  It's the first line, kept as is\r\n\r\nsecond line\r\n");
    EXPECT_EQ(Field("o'set", "MameInfo"), "Quoted name\r\n");
    EXPECT_EQ(Field("galaga", "MameInfo"), "Galaga\r\n");
}

TEST_F(Dat, BadInputIsReadWithoutErrors) {
    AddSets({"pacman"});
    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary += static_cast<char>((i * 37) % 256);
    const std::string longLine(100 * 1024, 'x');
    for (const std::string& content : {std::string(), binary, longLine + "\n" + longLine})
        for (auto import : {ImportMameinfo, ImportCommand, ImportCheat, ImportHiscore, ImportGenre,
                            ImportHistory})
            EXPECT_TRUE(import(Support("bad.dat", content), progress, nullptr));
    EXPECT_TRUE(Import(ImportMameinfo, "mameinfo.dat",
                       "$info=pacman\n$mame\nCaf\xE9 \x96 d\xE9j\xE0 vu\n$end\n"));
    EXPECT_EQ(Field("pacman", "MameInfo"), "Caf\u00e9 \u2013 d\u00e9j\u00e0 vu\r\n");
    EXPECT_EQ(ErrorBlockCount(), 0);
}

// A build collects its importers' Data values and writes each row once: the
// rows must be those of the same importers writing one after the other.
TEST_F(Dat, ValuesCollectedForABuildAreThoseWrittenAtOnce) {
    const std::pair<Importer, std::string> steps[] = {
        {ImportMameinfo, "$info=pacman\n$mame\nInfo\n$end\n"},
        {ImportWizsort, "[Genre]\nmk=Fighter\ngalaga=Shooter\n[Mature]\nmk=yes\n"},
        {ImportCatver, "[Category]\npacman=Maze\nDUP=Two rows\n[VerAdded]\npacman=.36\n"},
        {ImportControls, "[Joystick]\npacman\n[]\nmk\n"},  // an empty value is no Null
        {ImportGenre, "[Maze]\npacman\ngalaga\n[Other]\npacman\n"},
        {ImportMature, "[x]\nmk\nMK\n"},
        {ImportResolution, "[224x288]\ngalaga\n"},
        {ImportAspect, "[4:3]\ngalaga\n"},
        {ImportYear, "[1980]\npacman\n"},
        {ImportMultiplayer, "[3P]\nmk\n"},
        {ImportVersion, "[.37]\ngalaga\n"},
        {ImportCategory, "[Shooter]\ngalaga\n"},
        {ImportHistory,
         "$info=pacman,galaga,dup,mk\n$bio\n\nX (c) 1980 Y.\n- TECHNICAL -\nControl : stick\n"
         "Players : 2\nVideo resolution : 1 x 1\n$end\n$info=galaga,nosuchset\n$bio\n\n"
         "Z (c) 1981 Y.\n- TECHNICAL -\nPlayers : 3\nScreen refresh : 60 Hz\n$end\n"},
    };
    const auto build = [&](DataValues* values) {
        Execute("DELETE FROM Data; DELETE FROM History; DELETE FROM sqlite_sequence");
        AddSets({"pacman", "galaga", "mk", "dup", "Dup"});
        for (const auto& [import, text] : steps)
            EXPECT_TRUE(import(Support("support.txt", text), progress, values));
        if (values) values->Write();
        return QueryValue(
            "SELECT group_concat(quote(InternalName) || quote(MameInfo) || quote(Genre) || "
            "quote(Category) || quote(VerAdded) || quote(Mature) || "
            "quote(Controls) || quote(Resolution) || quote(nPlayers) || quote(Refresh) || "
            "quote(CodeHistory) || quote(Aspect) || quote(Year), ';') FROM Data");
    };
    const std::string direct = build(nullptr);
    DataValues values;
    EXPECT_EQ(build(&values), direct);
    EXPECT_EQ(direct,
              "'pacman''Info\r\n''Other''Maze''.36'NULL'Joystick''1 x 1''2'NULL1NULL'1980';"
              "'galaga'NULL'Maze''Shooter''.37'NULL'stick''224x288''2''60 Hz'2'4:3'NULL;"
              "'mk'NULL'Fighter'NULLNULL1'''1 x 1''3P'NULL1NULLNULL;"
              "'dup'NULLNULL'Two rows'NULLNULL'stick''1 x 1''2'NULL1NULLNULL;"
              "'Dup'NULLNULL'Two rows'NULLNULL'stick''1 x 1''2'NULL1NULLNULL");
}

}  // namespace
}  // namespace arc
