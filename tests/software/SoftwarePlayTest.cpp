// Playing a software item: the machine chosen by the links and their filters,
// and what the emulator is given.

#include <gtest/gtest.h>

#include "core/Task.h"
#include "database/Database.h"
#include "software/SoftwareImport.h"
#include "software/SoftwarePlay.h"
#include "support/CliRun.h"
#include "support/TestSupport.h"
#include "xmlimport/ListXmlImport.h"

namespace arc {
namespace {

TEST(SoftwarePlay, FilterTakesTheItemsCompatibility) {
    const struct {
        const char *filter, *compatibility;
        bool accepted;
    } cases[] = {
        {"", "PAL", true},           {"NTSC", "", true},
        {"NTSC", "PAL", false},      {"NTSC", "PAL,NTSC", true},
        {"!PAL", "PAL", false},      {"!PAL", "NTSC", true},
        {"NTSC,!PAL", "NTSC", true}, {"NTSC,!PAL", "NTSC,PAL", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FilterAccepts(c.filter, c.compatibility), c.accepted)
            << c.filter << " / " << c.compatibility;
}

std::string Machine(std::string_view name, std::string_view more, std::string_view links) {
    return "<machine name=\"" + std::string(name) + "\"" + std::string(more) + "><description>" +
           std::string(name) + "</description>" + std::string(links) + "</machine>\n";
}

TEST(SoftwarePlay, TheListsOwnMachineFirstAndTheEmulatorGetsMachineItemAndRoms) {
    test::TempDir home;
    test::StartFreshProgramFolder(home);
    ScopedScriptedUi scripted;
    const std::string db = home.file("play.mdb");
    std::string error;
    ASSERT_TRUE(CreateTemplateDatabase(db, &error)) << error;
    ASSERT_TRUE(OpenDatabase(db));
    test::RecordedProgress progress;
    TaskContext context(progress, scripted.ui);
    ASSERT_TRUE(
        RunSoftwareImport({test::SourceDir() + "/tests/data/software-0.251/hash", "", ""}, context)
            .ok());
    const std::string nes = "<softwarelist tag=\"cart\" name=\"nes\" status=\"original\"/>";
    test::WriteFile(
        home.file("list.xml"),
        "<?xml version=\"1.0\"?>\n<mame build=\"0.251\">\n" + Machine("famicom", "", nes) +
            Machine("nes", "", nes) +
            Machine("nespal", " cloneof=\"nes\"",
                    "<softwarelist tag=\"cart\" name=\"nes\" status=\"original\" "
                    "filter=\"PAL\"/>") +
            Machine("pc", "", "<softwarelist tag=\"c\" name=\"nes\" status=\"compatible\"/>") +
            "</mame>\n");
    ASSERT_TRUE(ImportListXml(home.file("list.xml"), progress));
    std::vector<std::string> order;
    for (const SoftwareListLink& link : MachinesForItem("nes", "smb"))
        order.push_back(link.machine);
    EXPECT_EQ(order, (std::vector<std::string>{"nes", "famicom", "nespal", "pc"}));
    CloseDatabase();

    const std::string mame = home.file("mame");
    test::WriteFile(mame, "#!/bin/sh\necho \"$@\" > '" + home.file("args.txt") + "'\n");
    std::filesystem::permissions(mame, std::filesystem::perms::owner_all);
    const std::vector<std::string> common = {"--db", db,       "--mame",
                                             mame,   "--roms", home.file("roms") + "/"};
    auto play = [&](std::vector<std::string> args) {
        args.insert(args.end(), common.begin(), common.end());
        return test::RunCommand(home.str(), "software", args);
    };
    test::CliRun run = play({"--list", "nes", "--play", "smb"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(test::ReadFile(home.file("args.txt")),
              "nes smb -rompath " + home.file("roms") + "\n");
    run = play({"--list", "nes", "--play", "smb3", "--machine", "famicom"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(test::ReadFile(home.file("args.txt")).substr(0, 18), "famicom smb3 -romp");
    run = play({"--list", "nes", "--play", "smb", "--machine", "a2600"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("a2600 does not run nes/smb"), std::string::npos) << run.err;
    run = play({"--list", "nes", "--play", "nosuch"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("nes/nosuch is not a software item"), std::string::npos);
}

}  // namespace
}  // namespace arc
