// The hash-file import on lists cut from the emulator's own files, and on
// damaged ones: what is read whole is saved, the rest is logged and left out.

#include <gtest/gtest.h>

#include <optional>

#include "core/Log.h"
#include "core/Task.h"
#include "database/Database.h"
#include "software/SoftwareImport.h"
#include "software/SoftwareQuery.h"
#include "software/SoftwareRowBuilder.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

std::string Fixture(std::string_view relative) {
    return test::SourceDir() + "/tests/data/software-0.251/" + std::string(relative);
}

class SoftwareImportTest : public test::ProgramFolderTest {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(CreateTemplateDatabase(home.file("soft.mdb"), &error)) << error;
        ASSERT_TRUE(OpenDatabase(home.file("soft.mdb")));
    }
    void TearDown() override { CloseDatabase(); }

    SoftwareImportOutcome Import(const SoftwareImportRequest& request, int cancelAt = 0) {
        progress.emplace(cancelAt);
        TaskContext context(*progress, ui());
        return RunSoftwareImport(request, context);
    }
    static std::string Count(const std::string& from) {
        return QueryValue("SELECT count(*) FROM " + from);
    }
    std::optional<test::RecordedProgress> progress{std::in_place};
};

TEST_F(SoftwareImportTest, CutListsGiveItemsPartsRomsDisksAndPairs) {
    const SoftwareImportOutcome outcome = Import({Fixture("hash"), "", ""});
    ASSERT_TRUE(outcome.ok()) << outcome.message;
    EXPECT_EQ(outcome.lists, 2);
    EXPECT_EQ(outcome.items, 36);
    EXPECT_EQ(Count("SoftwareList"), "2");
    EXPECT_EQ(QueryValue("SELECT Description FROM SoftwareList WHERE ListName = 'nes'"),
              "Nintendo Entertainment System cartridges");
    EXPECT_EQ(QueryValue("SELECT CloneOf FROM Software WHERE Name = 'smb1'"), "smb");
    EXPECT_EQ(QueryValue("SELECT Description || '|' || Year || '|' || Publisher || '|' || "
                         "Supported FROM Software WHERE Name = 'smb'"),
              "Super Mario Bros. (Europe, rev. A)|1987|Nintendo|yes");
    EXPECT_EQ(QueryValue("SELECT Value FROM SoftwareInfo i JOIN Software s ON s.Id = "
                         "i.SoftwareId WHERE s.Name = 'famibs20' AND i.Kind = 'sharedfeat'"),
              "fc_keyboard");
    EXPECT_EQ(QueryValue("SELECT Value FROM SoftwareInfo i JOIN Software s ON s.Id = "
                         "i.SoftwareId WHERE s.Name = 'smb' AND i.Name = 'release'"),
              "19870515");
    EXPECT_EQ(QueryValue("SELECT p.Interface || '|' || substr(p.Features, 1, 20) FROM "
                         "SoftwarePart p JOIN Software s ON s.Id = p.SoftwareId WHERE s.Name = "
                         "'smb'"),
              "nes_cart|slot=nrom; pcb=NES-N");
    EXPECT_EQ(QueryValue("SELECT group_concat(r.Area || ':' || r.Name || ':' || r.Size || ':' || "
                         "r.Crc, ' ') FROM SoftwareRom r JOIN Software s ON s.Id = r.SoftwareId "
                         "WHERE s.Name = 'smb'"),
              "prg:pal-sm-0 prg:32768:967a605f chr:hvc-sm-0 chr:8192:867b51ad");
    EXPECT_EQ(QueryValue("SELECT r.Kind || ':' || r.Area || ':' || r.Sha1 FROM SoftwareRom r "
                         "JOIN Software s ON s.Id = r.SoftwareId WHERE s.Name = 'cf_v103'"),
              "disk:harddriv:380b817645fcbea317973db59f10db5120e8ac44");
    EXPECT_EQ(progress->Done(), progress->Total());

    // Again: the lists' rows are replaced, never doubled; the query finds Mario.
    ASSERT_TRUE(Import({Fixture("hash"), "", ""}).ok());
    EXPECT_EQ(Count("Software"), "36");
    EXPECT_EQ(Count("SoftwareRom WHERE Kind = 'disk'"), "6");
    const auto mario = FindSoftware({"nes", {"mario", "3"}, false, false});
    ASSERT_FALSE(mario.empty());
    for (const SoftwareRow& row : mario)
        EXPECT_NE(row.description.find("Mario"), std::string::npos) << row.name;
    EXPECT_TRUE(FindSoftware({"nes", {}, true, false}).empty());
}

/// A hash file of one list with the given items.
std::string HashFile(std::string_view list, std::string_view items, std::string_view prolog = {}) {
    return "<?xml version=\"1.0\"?>\n" + std::string(prolog) + "<softwarelist name=\"" +
           std::string(list) + "\" description=\"" + std::string(list) + "\">\n" +
           std::string(items) + "</softwarelist>\n";
}

constexpr std::string_view kItem =
    "<software name=\"one\"><description>One &amp; only</description><year>1990</year>"
    "<part name=\"cart\" interface=\"c\"><dataarea name=\"rom\" size=\"4\"><rom name=\"a\" "
    "size=\"4\" crc=\"01020304\"/></dataarea></part></software>\n";

TEST_F(SoftwareImportTest, BadFilesAreLoggedLeftOutWholeAndTheOthersGoOn) {
    test::TempDir hash;
    const std::string good = HashFile("good", kItem);
    test::WriteFile(hash.file("good.xml"), good);
    // Cut short after more rows than a chunk holds: some reached the file.
    std::string items;
    for (std::size_t i = 0; i < SoftwareRowBuilder::kChunkRows; ++i)
        items += kItem;
    const std::string truncated = HashFile("truncated", items);
    test::WriteFile(hash.file("truncated.xml"), truncated.substr(0, truncated.size() - 40));
    test::WriteFile(hash.file("entities.xml"),
                    HashFile("entities",
                             "<software name=\"e\"><description>&x;</description>"
                             "</software>\n",
                             "<!DOCTYPE softwarelist [<!ENTITY x \"xx\">]>\n"));
    test::WriteFile(
        hash.file("orphans.xml"),
        HashFile("orphans", std::string(kItem) + "<software name=\"two\" cloneof=\"gone\" "
                                                 "supported=\"no\"><description>Two</description>"
                                                 "</software>\n"));
    test::WriteFile(hash.file("notes.txt"), "not a hash file");
    // The document type a file names is never read: its entity stays unknown.
    test::WriteFile(hash.file("evil.dtd"), "<!ENTITY x \"LOADED\">");
    test::WriteFile(
        hash.file("external.xml"),
        HashFile("external", "<software name=\"x\"><description>[&x;]</description></software>\n",
                 "<!DOCTYPE softwarelist SYSTEM \"evil.dtd\">\n"));

    // Written as a build writes its new file: the journal in memory still
    // undoes a list cut short, and the usual journal comes back afterwards.
    const SoftwareImportOutcome outcome = Import({hash.str(), "", "", true});
    EXPECT_EQ(QueryValue("PRAGMA journal_mode"), "wal");
    EXPECT_TRUE(outcome.partial()) << outcome.message;
    EXPECT_EQ(outcome.lists, 3);
    EXPECT_EQ(outcome.done, 3);
    EXPECT_EQ(QueryValue("SELECT Description FROM Software WHERE Name = 'x'"), "[]");
    EXPECT_EQ(outcome.notDone, 2);
    ASSERT_EQ(outcome.failedFiles.size(), 2u);
    // Read side by side, written in the order of the files.
    EXPECT_EQ(QueryValue("SELECT group_concat(ListName, ' ') FROM (SELECT ListName FROM "
                         "Software GROUP BY ListName ORDER BY min(Id))"),
              "external good orphans");
    EXPECT_EQ(Count("Software WHERE ListName IN ('truncated', 'entities')"), "0");
    EXPECT_EQ(QueryValue("SELECT Description FROM Software WHERE ListName = 'good'"), "One & only");
    EXPECT_EQ(QueryValue("SELECT coalesce(CloneOf, 'none') || Supported FROM Software WHERE "
                         "Name = 'two'"),
              "noneno");
    const std::string log = test::ReadFile(LogFilePath());
    EXPECT_NE(log.find("truncated.xml line"), std::string::npos) << log;
    EXPECT_NE(log.find("entities.xml declares entities"), std::string::npos);
    EXPECT_NE(log.find("orphans/two is a clone of gone"), std::string::npos);
    EXPECT_EQ(QueryValue("PRAGMA synchronous"), "1");

    // Regression (after its software step a build waited for the disk, a
    // quarter second at its next commit, past a cancel): a build's connection
    // keeps its own settings.
    std::string error;
    ASSERT_TRUE(CreateTemplateDatabase(home.file("build.mdb"), &error)) << error;
    ASSERT_TRUE(OpenDatabase(home.file("build.mdb"), DatabaseUse::Build));
    Import({hash.str(), "", "", true});
    EXPECT_EQ(QueryValue("PRAGMA journal_mode") + QueryValue("PRAGMA synchronous"), "memory0");
}

TEST_F(SoftwareImportTest, MissingHashFolderReadsTheEmulatorsListOrSkipsTheStep) {
    // No folder and no emulator: no step, nothing written, no failure.
    SoftwareImportOutcome outcome = Import({home.file("nohash"), "", ""});
    EXPECT_TRUE(outcome.ok());
    EXPECT_TRUE(outcome.skipped);
    EXPECT_FALSE(TableExists("Software"));
    EXPECT_NE(test::ReadFile(LogFilePath()).find("the software step is skipped"),
              std::string::npos);

    // An emulator that lists its software: each list saved on its own.
    test::TempDir bin;
    test::WriteFile(bin.file("all.xml"), "<?xml version=\"1.0\"?>\n<softwarelists>\n" +
                                             HashFile("first", kItem).substr(22) +
                                             HashFile("second", kItem).substr(22) +
                                             "</softwarelists>\n");
    test::WriteFile(bin.file("mame"),
                    "#!/bin/sh\n[ \"$1\" = -listsoftware ] && cat '" + bin.file("all.xml") + "'\n");
    std::filesystem::permissions(bin.file("mame"), std::filesystem::perms::owner_all);
    outcome = Import({home.file("nohash"), bin.file("mame"), bin.str()});
    EXPECT_TRUE(outcome.ok()) << outcome.message;
    EXPECT_FALSE(outcome.skipped);
    EXPECT_EQ(outcome.lists, 2);
    EXPECT_EQ(Count("Software"), "2");
    EXPECT_FALSE(std::filesystem::exists(bin.file("listsoftware.xml")));
}

TEST_F(SoftwareImportTest, CancelKeepsTheListsAlreadySavedAndNoListHalfWritten) {
    test::TempDir hash;
    constexpr int kBig = 4000;  // a few chunks
    std::string items;
    for (int i = 0; i < kBig; ++i)
        items += kItem;
    // Cancelled once 2 kB are read, then at 600 kB: between files, then
    // within the big one (or just after it, as the readings run ahead);
    // last, not cancelled: all of it.
    for (const int cancelAt : {2, 600, 0}) {
        Execute("DROP TABLE IF EXISTS Software; DROP TABLE IF EXISTS SoftwareList");
        for (const char* list : {"a", "c"})
            test::WriteFile(hash.file(std::string(list) + ".xml"),
                            HashFile(list, kItem) + std::string(2048, ' '));
        test::WriteFile(hash.file("big.xml"), HashFile("big", items));
        const SoftwareImportOutcome outcome = Import({hash.str(), "", ""}, cancelAt);
        EXPECT_EQ(outcome.cancelled(), cancelAt > 0) << cancelAt;
        EXPECT_EQ(Count("SoftwareList"), std::to_string(outcome.lists));
        EXPECT_EQ(Count("Software"), std::to_string(outcome.items));
        if (cancelAt)
            EXPECT_LT(outcome.lists, 3);
        else
            EXPECT_EQ(outcome.lists, 3);
        const std::string big = Count("Software WHERE ListName = 'big'");
        EXPECT_TRUE((big == "0" && cancelAt) || big == std::to_string(kBig)) << big;
    }
}

}  // namespace
}  // namespace arc
