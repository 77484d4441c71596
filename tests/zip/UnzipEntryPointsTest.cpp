#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/ProgramFolder.h"
#include "core/TextTable.h"
#include "support/TestSupport.h"
#include "support/ZipBuilder.h"
#include "zip/Unzip.h"
#include "zip/UnzipTask.h"

namespace arc::test {
namespace {

using Names = std::vector<std::string>;

class UnzipEntryPointsTest : public ProgramFolderTest {
  protected:
    UnzipEntryPointsTest() {
        WriteFile(archive, BuildZip({{"history.dat", "history"},
                                     {"readme.txt", "read me"},
                                     {"skin/", "", 0},
                                     {"skin/Index.HTM", "<html>"},
                                     {"skin/style.css", "css"}}));
    }

    std::string archive = home.file("pack.zip");
};

TEST_F(UnzipEntryPointsTest, ListGivesEveryEntryWithItsSizeOrATypedError) {
    const ZipListing listing = ListZip(archive);
    EXPECT_TRUE(listing.ok());
    EXPECT_EQ(listing.Names(),
              (Names{"history.dat", "readme.txt", "skin/", "skin/Index.HTM", "skin/style.css"}));
    EXPECT_EQ(listing.members[0].size, 7u);

    WriteFile(home.file("fake.zip"), "this is text");
    const ZipListing fake = ListZip(home.file("fake.zip"));
    EXPECT_TRUE(fake.members.empty());
    ASSERT_EQ(fake.errors,
              (std::vector<ZipError>{{ZipErrorKind::NotZip, home.file("fake.zip"), ""}}));
    EXPECT_EQ(DescribeZipError(fake.errors[0]), home.file("fake.zip") + " is not a ZIP archive.");
}

TEST_F(UnzipEntryPointsTest, UnzipAllKeepsFoldersReplacesFilesAndDropsTheTrailingSlash) {
    WriteFile(home.file("out/readme.txt"), "old");
    const UnzipResult result = UnzipAll(archive, home.file("out") + "/");
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(result.destination, home.file("out"));
    EXPECT_EQ(FilesUnder(home.file("out")),
              (Names{"history.dat", "readme.txt", "skin/Index.HTM", "skin/style.css"}));
    EXPECT_EQ(ReadFile(home.file("out/readme.txt")), "read me");
    EXPECT_EQ(UnzipAll(archive, home.file("out2") + "\\").destination, home.file("out2"));
    EXPECT_EQ(UnzipAll(archive, "").destination + "/", ProgramFolder());
}

TEST_F(UnzipEntryPointsTest, EmptyMembersAndEmptyFoldersMakeTheRoundTrip) {
    namespace fs = std::filesystem;
    WriteZip(home.file("hollow.zip"), {{"a", "x"},
                                       {"e", "", 0},
                                       {"emptydir/", "", 0},
                                       {"sub/", "", 0},
                                       {"sub/e2", "", 8},
                                       {"sub/deep/", "", 0}});
    EXPECT_EQ(ListZip(home.file("hollow.zip")).Names(),
              (Names{"a", "e", "emptydir/", "sub/", "sub/e2", "sub/deep/"}));
    ASSERT_TRUE(UnzipAll(home.file("hollow.zip"), home.file("o")).ok());
    EXPECT_EQ(FilesUnder(home.file("o")), (Names{"a", "e", "sub/e2"}));
    EXPECT_EQ(fs::file_size(home.file("o/e")), 0u);
    EXPECT_TRUE(fs::is_directory(home.file("o/emptydir")));
    EXPECT_TRUE(fs::is_directory(home.file("o/sub/deep")));
    // The check before an archive goes to the trash sees every entry, and a missing one.
    const ZipListing listing = ListZip(home.file("hollow.zip"));
    EXPECT_EQ(FirstEntryNotExtracted(listing, home.file("o")), "");
    fs::remove(home.file("o/sub/e2"));
    EXPECT_EQ(FirstEntryNotExtracted(listing, home.file("o")), "sub/e2");
    fs::remove(home.file("o/emptydir"));
    WriteFile(home.file("o/sub/e2"), "not empty");
    EXPECT_EQ(FirstEntryNotExtracted(listing, home.file("o")), "emptydir/");
    // One member or an extension: an empty file is a file, a folder entry is none.
    EXPECT_EQ(UnzipFile(home.file("hollow.zip"), "sub/e2", home.file("one")).written, 1);
    EXPECT_EQ(UnzipFile(home.file("hollow.zip"), "sub/", home.file("one")).matched, 0);
    EXPECT_EQ(UnzipByExtension(home.file("hollow.zip"), "e", home.file("one")).written, 1);
    EXPECT_EQ(FilesUnder(home.file("one")), (Names{"e", "e2"}));
}

TEST_F(UnzipEntryPointsTest, UnzipFileMatchesWithoutCaseNeedsTheFolderAndAGoodMember) {
    EXPECT_EQ(UnzipFile(archive, "SKIN\\index.htm", home.file("one")).written, 1);
    EXPECT_EQ(FilesUnder(home.file("one")), Names{"Index.HTM"});
    const UnzipResult none = UnzipFile(archive, "index.htm", home.file("three"));
    EXPECT_FALSE(none.ok());
    EXPECT_EQ(none.matched, 0);
    EXPECT_TRUE(FilesUnder(home.file("three")).empty());

    RawMember bad{"bad.dat", std::string(3000, 'b')};
    bad.badCrc = true;
    WriteZip(home.file("bad.zip"), {bad, {"good.dat", "good"}});
    const UnzipResult damaged = UnzipFile(home.file("bad.zip"), "bad.dat", home.file("out"));
    EXPECT_FALSE(damaged.ok());
    EXPECT_EQ(damaged.written, 0);
    EXPECT_EQ(damaged.errors,
              (std::vector<ZipError>{{ZipErrorKind::Checksum, home.file("out/bad.dat"), ""}}));
    const UnzipResult both = UnzipByExtension(home.file("bad.zip"), ".DAT", home.file("out"));
    EXPECT_EQ(both.matched, 2);
    EXPECT_EQ(both.written, 1);
    EXPECT_EQ(FilesUnder(home.file("out")), Names{"good.dat"});
}

TEST_F(UnzipEntryPointsTest, UnzipByExtensionCountsMatchesOrAnswersNone) {
    EXPECT_EQ(UnzipByExtension(archive, ".htm", home.file("htm")).written, 1);
    EXPECT_EQ(FilesUnder(home.file("htm")), Names{"Index.HTM"});
    EXPECT_EQ(UnzipByExtension(archive, "png", home.file("none")).matched, 0);
    EXPECT_EQ(UnzipByExtension(archive, "a-very-long-extension.txt", home.file("none")).matched, 0);
    EXPECT_TRUE(FilesUnder(home.file("none")).empty());
}

// The task reports through its context and fails on what the entry points
// only record: a member not written, a missing archive.
TEST_F(UnzipEntryPointsTest, RunUnzipReportsThroughItsContextAndFailsWhatWasNotWritten) {
    const struct {
        UnzipAction action;
        std::string what;
        int done;
        bool ok;
    } cases[] = {{UnzipAction::ExtractAll, "", 0, true},
                 {UnzipAction::ExtractMember, "skin/index.htm", 1, true},
                 {UnzipAction::ExtractMember, "index.htm", 0, false},
                 {UnzipAction::ExtractExtension, ".css", 1, true},
                 {UnzipAction::List, "", 5, true}};
    for (const auto& one : cases) {
        SCOPED_TRACE(one.what);
        RecordedProgress progress;
        TaskContext context(progress, ui());
        UnzipRequest request{archive, home.file("task"), one.action, one.what, one.what};
        const UnzipOutcome outcome = RunUnzip(request, context);
        EXPECT_EQ(outcome.ok(), one.ok);
        EXPECT_EQ(outcome.done, one.done);
        if (one.action == UnzipAction::List) continue;
        EXPECT_EQ(progress.Total(), 100);
        EXPECT_EQ(progress.Label() == Text(kTextDone), one.ok);
    }
    const UnzipOutcome missing = [&] {
        RecordedProgress progress;
        TaskContext context(progress, ui());
        UnzipRequest request;
        request.archive = home.file("none.zip");
        return RunUnzip(request, context);
    }();
    EXPECT_TRUE(missing.failed());
    EXPECT_EQ(missing.result.errors,
              (std::vector<ZipError>{{ZipErrorKind::ArchiveMissing, home.file("none.zip"), ""}}));
}

}  // namespace
}  // namespace arc::test
