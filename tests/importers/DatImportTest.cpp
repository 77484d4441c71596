#include <gtest/gtest.h>

#include "core/AppState.h"
#include "importers/ImporterTest.h"
#include "importers/Importers.h"

namespace arc {
namespace {

using Dat = test::ImporterTest;

TEST_F(Dat, CheatAndHiscoreFlagTheSetsTheyName) {
    AddSets({"pacman", "galaga", "dkong", "mk"});
    std::string cheat = "; comment: pacman\n\n";
    for (int i = 0; i < 40; ++i)
        cheat += "pacman:0:4e0f:" + std::to_string(i) + ":Infinite\n";
    cheat += "galaga:0:9820:03:Lives\n";
    EXPECT_TRUE(ImportCheat(Support("cheat.dat", cheat)));
    EXPECT_EQ(Field("pacman", "Cheat"), "1");
    EXPECT_EQ(Field("galaga", "Cheat"), "1");
    EXPECT_EQ(Field("mk", "Cheat"), std::nullopt);

    EXPECT_TRUE(ImportHiscore(Support("hiscore.dat",
                                      "; pacman: a comment names no set\n dkong :0:6100:a:00:00\n"
                                      ":pacman:0:4e88:3\nmk:0:1:2\nmk:0:3:4\n")));
    EXPECT_EQ(Field("dkong", "Hiscore"), "1");
    EXPECT_EQ(Field("mk", "Hiscore"), "1");
    EXPECT_EQ(Field("pacman", "Hiscore"), std::nullopt);
}

TEST_F(Dat, CommandBlocksGiveOneRowPerSetWithTitleCutAndSeparatorsLeftOut) {
    AddSets({"sf2", "sf2ce", "sf2t"});
    const std::string title60(60, 'T');
    const std::string text =
        "$info=sf2,sf2ce, sf2t,\n$cmd\n[Special moves]\n"
        "\u2014\u2014\u2014\u2014\u2014\u2014\u2014\u2014\n"
        "Hadouken: down, forward + punch\n[Sub title]\n\nShoryuken\n$end\n"
        "$cmd\n\n[" +
        title60 +
        "]\nMore\n$end\n"
        "$info=sf2\n$cmd\n[Alone]\nOnly sf2\n$end\n";
    EXPECT_TRUE(ImportCommand(Support("command.dat", text)));
    EXPECT_EQ(Count("SELECT count(*) FROM Command WHERE cmd='Special moves'"), 3);
    EXPECT_EQ(QueryValue("SELECT info FROM Command WHERE InternalName='sf2t'"),
              "Hadouken: down, forward + punch\r\nShoryuken\r\n");
    // A second block before the next "$info" belongs to the same sets.
    EXPECT_EQ(Count("SELECT count(*) FROM Command WHERE cmd='" + std::string(50, 'T') + "'"), 3);
    EXPECT_EQ(Count("SELECT count(*) FROM Command WHERE InternalName='sf2'"), 3);
    EXPECT_EQ(Count("SELECT count(*) FROM Command WHERE InternalName=''"), 0);
}

TEST_F(Dat, CommandBlocksWithoutInfoOrEndAreHandledWithoutLosingTheRest) {
    AddSets({"mk", "sf2"});
    const std::string text =
        "$cmd\n[Orphan]\nno set named\n$end\n"      // no "$info": nothing stored
        "$info=mk\n$cmd\n[Fatalities]\nuppercut\n"  // no "$end" before the next entry
        "$info=sf2\n$cmd\n[Moves]\nfireball\n";     // no "$end" at the end of the file
    EXPECT_TRUE(ImportCommand(Support("command.dat", text)));
    EXPECT_EQ(Count("SELECT count(*) FROM Command"), 2);
    EXPECT_EQ(QueryValue("SELECT info FROM Command WHERE InternalName='mk'"), "uppercut\r\n");
    EXPECT_EQ(QueryValue("SELECT cmd FROM Command WHERE InternalName='sf2'"), "Moves");
    EXPECT_EQ(State().ErrorCount, 0);
}

TEST_F(Dat, MameinfoStoresTheBlockAsWrittenApostrophesIncluded) {
    AddSets({"pacman", "o'set"});
    const std::string text =
        "# header\n$info=pacman\n$mame\n  It's the first line, kept as is\n\n"
        "  second line  \n$end\n"
        "$info=pacman.cpp\n$drv\nDriver text\n$end\n"
        "$info=o'set\n$mame\nQuoted name\n$end\n";
    EXPECT_TRUE(ImportMameinfo(Support("mameinfo.dat", text)));
    EXPECT_EQ(Field("pacman", "MameInfo"),
              "  It's the first line, kept as is\r\n\r\nsecond line\r\n");
    EXPECT_EQ(Field("o'set", "MameInfo"), "Quoted name\r\n");
}

TEST_F(Dat, MameinfoEntryWithoutEndDoesNotLeakIntoTheNextOne) {
    AddSets({"pacman", "galaga"});
    EXPECT_TRUE(ImportMameinfo(Support(
        "mameinfo.dat", "$info=pacman\n$mame\nunfinished\n$info=galaga\n$mame\nGalaga\n$end\n")));
    EXPECT_EQ(Field("galaga", "MameInfo"), "Galaga\r\n");
    EXPECT_EQ(Field("pacman", "MameInfo"), std::nullopt);
}

TEST_F(Dat, BadInputIsReadWithoutErrors) {
    AddSets({"pacman"});
    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary += static_cast<char>((i * 37) % 256);
    const std::string longLine(100 * 1024, 'x');
    const std::string latin1 = "$info=pacman\n$mame\nCaf\xE9 \x96 d\xE9j\xE0 vu\n$end\n";
    for (const std::string& content : {std::string(), binary, longLine + "\n" + longLine}) {
        EXPECT_TRUE(ImportMameinfo(Support("mameinfo.dat", content)));
        EXPECT_TRUE(ImportCommand(Support("command.dat", content)));
        EXPECT_TRUE(ImportCheat(Support("cheat.dat", content)));
        EXPECT_TRUE(ImportHiscore(Support("hiscore.dat", content)));
        EXPECT_TRUE(ImportGenre(Support("genre.ini", content)));
        EXPECT_TRUE(ImportHistory(Support("history.dat", content)));
    }
    EXPECT_TRUE(ImportMameinfo(Support("mameinfo.dat", latin1)));
    EXPECT_EQ(Field("pacman", "MameInfo"), "Caf\u00e9 \u2013 d\u00e9j\u00e0 vu\r\n");
    EXPECT_EQ(State().ErrorCount, 0);
}

}  // namespace
}  // namespace arc
