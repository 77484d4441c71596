// The software lists as a step of the build: after the list, skipped without a
// source, and damaged files told without failing the build.

#include <gtest/gtest.h>

#include "core/TextTable.h"
#include "pipeline/BuildTestSupport.h"
#include "pipeline/SoftwareStep.h"
#include "pipeline/UpdateTask.h"
#include "pipeline/UpdateWindowState.h"

namespace arc {
namespace {

using Build = test::BuildTest;

TEST_F(Build, SoftwareStepFollowsTheListAndNeverFailsTheBuildForABadFile) {
    const std::string cut = test::SourceDir() + "/tests/data/software-0.251/hash/";
    test::TempDir hash;
    for (const char* file : {"nes.xml", "bbc_hdd.xml"})
        std::filesystem::copy_file(cut + file, hash.file(file));
    test::WriteFile(hash.file("cut.xml"), test::ReadFile(cut + "nes.xml").substr(0, 3000));

    BuildRequest request = Request();
    request.software = SoftwareImportRequest{hash.str(), "", ""};
    BuildOutcome outcome = Run(request);
    EXPECT_TRUE(outcome.ok()) << outcome.message;
    EXPECT_EQ(outcome.message, Text(kTextDatabaseCreated) +
                                   "\r\n2 software lists, 36 items imported; 1 file(s) not "
                                   "imported (see the log)");
    const std::string db = TheSettings().DatabasePath;
    EXPECT_EQ(test::QueryIn(db, "SELECT count(*) FROM Software"), "36");
    EXPECT_EQ(test::QueryIn(db, "SELECT count(*) FROM Data"), "3");

    // The update reads them again on its own: the cut file is one of its problems.
    UpdateRequest update;
    update.databasePath = db;
    update.software = SoftwareImportRequest{hash.str(), "", ""};
    test::RecordedProgress progress;
    TaskContext context(progress, ui());
    const UpdateOutcome updated = RunUpdate(update, context);
    EXPECT_TRUE(updated.partial());
    ASSERT_EQ(updated.problems.size(), 1u);
    EXPECT_EQ(updated.problems[0].rfind("Software lists: 2 software lists, 36 items", 0), 0u)
        << updated.problems[0];
    EXPECT_EQ(test::QueryIn(db, "SELECT count(*) FROM Software"), "36");

    // No hash folder and no emulator that lists its software: no step.
    request.software = SoftwareImportRequest{home.file("nohash"), "", ""};
    outcome = Run(request);
    EXPECT_TRUE(outcome.ok());
    EXPECT_EQ(outcome.message, Text(kTextDatabaseCreated));
    EXPECT_EQ(test::QueryIn(db, "SELECT count(*) FROM sqlite_master WHERE name = 'Software'"), "0");
}

TEST_F(Build, SoftwareSourceIsTheEmulatorsHashPath) {
    test::WriteFile(mame, "#!/bin/sh\n[ \"$1\" = -showconfig ] && echo 'hashpath " +
                              home.file("missing") + ";" + home.file("Hash") + "'\n");
    std::filesystem::create_directories(home.file("hash"));
    const SoftwareImportRequest request = SoftwareSourceOf(Emulator());
    EXPECT_EQ(request.hashFolder, home.file("hash") + "/");
    EXPECT_EQ(request.emulator, mame);
}

TEST_F(Build, DesktopBuildTakesTheSoftwareStepWhenTheEmulatorHasASource) {
    // An emulator that lists no software leaves the build as it was.
    BuildRequest request = Request();
    request.software = SoftwareImportRequest{home.file("nohash"), mame, home.str()};
    const BuildOutcome built = Run(request);
    EXPECT_TRUE(built.ok());
    EXPECT_EQ(built.message, Text(kTextDatabaseCreated));

    std::filesystem::create_directories(home.file("hash"));
    test::WriteFile(mame, "#!/bin/sh\n[ \"$1\" = -showconfig ] && echo 'hashpath " +
                              home.file("hash") + "'\nexit 0\n");
    const std::optional<SoftwareImportRequest> source = AvailableSoftwareSource(Emulator());
    ASSERT_TRUE(source);
    EXPECT_EQ(source->hashFolder, home.file("hash") + "/");
}

TEST_F(Build, UpdateWindowSoftwareBoxIsSavedWhereOlderReadersSkipIt) {
    UpdateWindowState window;
    window.SetChoicesText("1;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;False");
    EXPECT_FALSE(window.software);
    EXPECT_FALSE(window.Request(TheSettings()).software);
    window.software = true;
    const std::string saved = window.ChoicesText();
    EXPECT_EQ(saved, "1;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;1;False");
    const UpdateChoices older = ParseUpdateChoices(saved);
    EXPECT_TRUE(older.sources[0] && !older.sources[1] && !older.useDefinedPaths);
    UpdateWindowState again;
    again.SetChoicesText(saved);
    EXPECT_TRUE(again.software && again.boxes[0] && !again.useDefinedPaths);
    EXPECT_EQ(again.Request(TheSettings()).software->emulator, mame);
}

}  // namespace
}  // namespace arc
