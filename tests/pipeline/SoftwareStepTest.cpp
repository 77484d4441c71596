// The software lists as a step of the build: after the list, skipped without a
// source, and damaged files told without failing the build.

#include <gtest/gtest.h>

#include "core/TextTable.h"
#include "pipeline/BuildTestSupport.h"
#include "pipeline/SoftwareStep.h"
#include "pipeline/UpdateTask.h"

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

}  // namespace
}  // namespace arc
