#include <gtest/gtest.h>

#include "core/Log.h"
#include "importers/ImporterTest.h"
#include "importers/Importers.h"

namespace arc {
namespace {

using Ini = test::ImporterTest;

TEST_F(Ini, SectionListsGiveEachSetItsHeaderValueInTheirOwnField) {
    AddSets({"pacman", "galaga", "1942", "mk", "o'brien"});
    // A Mame32 folder file; quotes in names and values never widen the update.
    const std::string path =
        Support("Resolution.ini",
                "[FOLDER_SETTINGS]\r\nRootFolderIcon mame\r\n\r\n"
                "[ROOT_FOLDER]\r\n\r\n[224x288]\r\n  pacman  \r\ngalaga\r\npacman\r\n"
                "[256x224']\r\n1942\r\no'brien\r\nx' OR '1'='1\r\nunknown\r\n");
    const std::string before = QueryValue("SELECT total_changes()");
    EXPECT_TRUE(ImportResolution(path, progress));
    EXPECT_EQ(QueryValue("SELECT group_concat(InternalName || '=' || Resolution) FROM Data"),
              "pacman=224x288,galaga=224x288,1942=256x224',o'brien=256x224'");
    // A set given the same value again is not rewritten.
    EXPECT_EQ(std::stoi(QueryValue("SELECT total_changes()")) - std::stoi(before), 4);
    EXPECT_EQ(progress.Done(), static_cast<int>(test::ReadFile(path).size()));  // bytes, all read
    EXPECT_EQ(ErrorBlockCount(), 0);
}

TEST_F(Ini, MissingFileOrCancelledRunReportsFalseWithoutAnError) {
    AddSets({"pacman"});
    for (Importer import : {ImportAspect, ImportCatver, ImportWizsort})
        EXPECT_FALSE(import(home.file("nothing.ini"), progress, nullptr));
    EXPECT_TRUE(progress.Done() == progress.Total() && progress.Total() > 0);
    const std::string path = Support("Wizsort.ini", "[Genre]\npacman=Maze\n");
    test::RecordedProgress cancelled(1);  // after the first line
    EXPECT_FALSE(ImportWizsort(path, cancelled));
    EXPECT_EQ(Field("pacman", "Genre"), std::nullopt);
    EXPECT_EQ(ErrorBlockCount(), 0);
}

TEST_F(Ini, KeyAndNameListsSkipTheTextBeforeTheirFirstHeader) {
    AddSets({"pacman", "tmnt", "mk", "root"});
    EXPECT_TRUE(Import(ImportNPlayers, "nplayers.ini",
                       ";; nplayers.ini\nmk=ignored before the header\n"
                       "[NPlayers]\npacman = 2P alt\ntmnt=4P sim\nnot a pair\n[Other]\n"));
    EXPECT_EQ(QueryValue("SELECT group_concat(InternalName || '=' || nPlayers) FROM Data"),
              "pacman=2P alt,tmnt=4P sim");
    EXPECT_TRUE(Import(ImportMature, "mature.ini",
                       "pacman\n[FOLDER_SETTINGS]\nroot\n[ROOT_FOLDER]\nmk\n\n"));
    EXPECT_EQ(QueryValue("SELECT group_concat(InternalName) FROM Data WHERE Mature=TRUE"),
              "mk,root");
}

TEST_F(Ini, CatverFillsCategoryThenVerAddedAndReportsFalseWithoutVerAdded) {
    AddSets({"pacman", "sf2"});
    EXPECT_TRUE(Import(ImportCatver, "catver.ini",
                       ";; header\n[Category]\npacman=Maze / Collect\nsf2=Fighter / Versus\n\n"
                       "[VerAdded]\npacman=.37b5\nsf2=.28\nbroken line\n"));
    EXPECT_EQ(QueryValue("SELECT group_concat(Category || '=' || VerAdded, ';') FROM "
                         "(SELECT * FROM Data ORDER BY InternalName)"),
              "Maze / Collect=.37b5;Fighter / Versus=.28");
    // Without [VerAdded] the categories stay; without [Category] nothing is read.
    EXPECT_FALSE(Import(ImportCatver, "catver.ini", "[Category]\npacman=Maze\n"));
    EXPECT_EQ(Field("pacman", "Category"), "Maze");
    EXPECT_FALSE(Import(ImportCatver, "catver.ini", "pacman=Nothing\n"));
    EXPECT_EQ(Field("pacman", "Category"), "Maze");
    EXPECT_EQ(ErrorBlockCount(), 0);
}

TEST_F(Ini, WizsortSectionsInAnyOrderWriteTheirOwnFields) {
    AddSets({"pacman", "mk", "neogeo"});
    EXPECT_TRUE(
        Import(ImportWizsort, "wizsort.ini",
               "mk=before any header\n[Mature]\nmk=yes\n[Year]\npacman=1980\nmk = 1992\n[Set]\n"
               "pacman=ignored\n[Unknown]\npacman=not a year\n[Driver]\npacman=pacman.cpp\n"
               "[VerAdded]\npacman=.36\n[BIOS]\nmk=none\n[Manufacturer]\nneogeo=SNK\n"));
    EXPECT_EQ(QueryValue("SELECT group_concat(InternalName) FROM Data WHERE Mature=TRUE"), "mk");
    EXPECT_EQ(QueryValue("SELECT group_concat(InternalName || Year) FROM Data"),
              "pacman1980,mk1992");
    EXPECT_EQ(Field("pacman", "driver"), "pacman.cpp");
    EXPECT_EQ(Field("pacman", "VerAdded"), ".36");
    EXPECT_EQ(Field("mk", "Bios"), "none");
    EXPECT_EQ(Field("neogeo", "Manufacturer"), "SNK");
}

}  // namespace
}  // namespace arc
