#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "support/TestSupport.h"
#include "support/ZipBuilder.h"
#include "zip/ZipReader.h"

namespace arc::test {
namespace {

namespace fs = std::filesystem;
using K = ZipErrorKind;
using KindList = std::vector<ZipErrorKind>;

/// A reader with its progress and error events recorded.
class ZipReaderTest : public ProgramFolderTest {
  protected:
    ZipReaderTest() {
        zip.Progress = [this](int percent, bool& cancel) {
            percents.push_back(percent);
            cancel = cancelAfter > 0 && static_cast<int>(percents.size()) >= cancelAfter;
        };
        zip.Error = [this](const ZipError& error) { errors.push_back(error); };
    }

    std::string Archive(const std::vector<RawMember>& members, const ZipLayout& layout = {}) {
        const std::string path = home.file("test.zip");
        WriteZip(path, members, layout);
        return path;
    }
    std::string Dest() const { return home.file("out"); }
    std::vector<ZipErrorKind> Kinds() const {
        std::vector<ZipErrorKind> kinds;
        for (const ZipError& e : errors)
            kinds.push_back(e.kind);
        return kinds;
    }

    ZipReader zip;
    std::vector<int> percents;
    std::vector<ZipError> errors;
    int cancelAfter = 0;
};

RawMember Changed(RawMember member, void (*change)(RawMember&)) {
    change(member);
    return member;
}

TEST_F(ZipReaderTest, ListsEveryEntryWithSlashNamesSizesAndDates) {
    const std::string path = Archive({{"a/", "", 0},
                                      {"a/b/c.txt", std::string(1000, 'c')},
                                      {"empty.txt", "", 0},
                                      {"top.bin", "xyz", 0}});
    ASSERT_TRUE(zip.ZipOpen(path));
    ASSERT_EQ(zip.FileCount(), 4);
    EXPECT_EQ(zip.FileName(1), "a/");
    EXPECT_EQ(zip.FileName(2), "a/b/c.txt");
    EXPECT_EQ(zip.FileName(3), "empty.txt");
    EXPECT_EQ(zip.FileUncompressedSize(2), 1000u);
    EXPECT_EQ(zip.FileUncompressedSize(3), 0u);
    EXPECT_LT(zip.FileCompressedSize(2), 1000u);
    EXPECT_EQ(zip.FileDateAndTime(4).ToString(), "2025-06-15 12:00:00");
    EXPECT_EQ(zip.FileName(0), "");
    EXPECT_THROW(zip.FileName(5), std::out_of_range);
    zip.ZipClose();
    EXPECT_FALSE(zip.ZipIsOpen());
}

TEST_F(ZipReaderTest, NotZipInputsRaiseTheDesignedErrors) {
    for (const std::string& bytes :
         {std::string(), std::string("P"), std::string("PK\x05"), std::string(5000, 'x')}) {
        errors.clear();
        WriteFile(home.file("bad.zip"), bytes);
        EXPECT_FALSE(zip.ZipOpen(home.file("bad.zip"))) << bytes.size();
        EXPECT_FALSE(zip.ZipIsOpen());
        ASSERT_EQ(Kinds(), KindList{K::NotZip});
        EXPECT_EQ(errors[0].subject, home.file("bad.zip"));
    }
    errors.clear();
    EXPECT_FALSE(zip.ZipOpen(home.file("missing.zip")));
    EXPECT_FALSE(zip.ZipOpen(home.str()));  // a folder is no archive
    EXPECT_FALSE(zip.ExtractAllFiles(Dest(), true, true));
    EXPECT_FALSE(zip.ExtractSingleFile(1, Dest(), true, true));
    EXPECT_EQ(Kinds(),
              (KindList{K::ArchiveMissing, K::ArchiveMissing, K::NoArchiveOpen, K::NoArchiveOpen}));
    EXPECT_EQ(errors[0].subject, home.file("missing.zip"));
    EXPECT_EQ(DescribeZipError(errors[2]), "No ZIP archive is open.");
}

TEST_F(ZipReaderTest, EndRecordIsTheLastSignatureAndABadDirectoryIsDamaged) {
    ZipLayout layout;
    layout.comment = "note PK\x05\x06 end";
    ASSERT_TRUE(zip.ZipOpen(Archive({{"real.txt", "real"}}, layout)));
    EXPECT_EQ(zip.FileCount(), 1);
    EXPECT_EQ(zip.ZipComment(), "note PK\x05\x06 end");

    // A fake record in the comment points nowhere: a clear error, no crash, no entry.
    layout.comment = "PK\x05\x06" + std::string(6, '\0') +
                     std::string("\x01\x00\x10\x00\x00\x00\xF0\xFF\xFF\x00", 10) +
                     std::string(2, '\0');
    ASSERT_TRUE(zip.ZipOpen(Archive({{"real.txt", "real"}}, layout)));
    EXPECT_EQ(zip.FileCount(), 0);

    // So is a directory past the end of the file.
    ZipLayout past;
    past.directoryOffsetShift = 1 << 20;
    ASSERT_TRUE(zip.ZipOpen(Archive({{"a.txt", "a"}}, past)));
    EXPECT_EQ(zip.FileCount(), 0);
    EXPECT_EQ(Kinds(), (KindList{K::DamagedDirectory, K::DamagedDirectory}));
    EXPECT_EQ(errors[1].subject, home.file("test.zip"));
}

TEST_F(ZipReaderTest, ExtractAllWritesWhatEachArchiveHolds) {
    ZipLayout zip64;
    zip64.zip64 = true;
    ZipLayout stub;
    stub.prefix = std::string(777, '\x7F');  // as a self-extracting stub would
    ZipLayout spanned;
    spanned.thisDisk = 1;
    RawMember bzip{"dir/packed.bin", "whatever"};
    bzip.method = 12;
    bzip.rawData = "BZh9 not really";
    RawMember huge{"huge.bin", std::string(100, 'h')};
    huge.claimedSize = 0xFFFFFFF0ULL;  // claims 4 GiB, holds 100 bytes
    RawMember flagged{"caf\xC3\xA9.txt", "1", 0};
    flagged.flags = zipfmt::kFlagUtf8;
    auto badCrc = [](RawMember& m) { m.badCrc = true; };
    auto descriptor = [](RawMember& m) { m.zeroLocalSizes = true; };
    struct Case {
        const char* what;
        std::vector<RawMember> members;
        ZipLayout layout;
        std::vector<std::pair<std::string, std::string>> files;  ///< name, content
        KindList errors = {};
        bool ok = true;
    };
    const std::vector<Case> cases = {
        {"folders kept, colon replaced",
         {{"a/b/c.txt", "deep"}, {"x:y", "colon", 0}},
         {},
         {{"a/b/c.txt", "deep"}, {"x_y", "colon"}}},
        {"stored written unchecked, deflated needs the right CRC",
         {Changed({"stored.txt", "stored data", 0}, badCrc),
          Changed({"deflated.txt", std::string(5000, 'd')}, badCrc),
          {"good.txt", "good"}},
         {},
         {{"good.txt", "good"}, {"stored.txt", "stored data"}},
         {K::Checksum}},
        {"unsupported method",
         {bzip, {"next.txt", "next"}},
         {},
         {{"next.txt", "next"}},
         {K::UnsupportedMethod}},
        {"lying size", {huge, {"ok.txt", "ok"}}, {}, {{"ok.txt", "ok"}}, {K::Checksum}},
        {"sizes in data descriptors",
         {Changed({"described.txt", std::string(3000, 'q')}, descriptor),
          Changed({"stored.txt", "plain", 0}, descriptor)},
         {},
         {{"described.txt", std::string(3000, 'q')}, {"stored.txt", "plain"}}},
        {"UTF-8 or code page 437 names",
         {flagged, {"na\xC3\xAFve.txt", "2", 0}, {"\x82t\x82.txt", "3", 0}},
         {},
         {{"café.txt", "1"}, {"naïve.txt", "2"}, {"été.txt", "3"}}},
        {"data before the archive",
         {{"a.txt", "alpha"}, {"b.txt", "beta"}},
         stub,
         {{"a.txt", "alpha"}, {"b.txt", "beta"}}},
        {"Zip64 records and fields",
         {{"a.txt", "alpha"}, {"b/c.txt", std::string(9000, 'c')}},
         zip64,
         {{"a.txt", "alpha"}, {"b/c.txt", std::string(9000, 'c')}}},
        {"spanned: listed, not extracted", {{"a.txt", "a"}}, spanned, {}, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(Dest());
        errors.clear();
        ASSERT_TRUE(zip.ZipOpen(Archive(c.members, c.layout)));
        EXPECT_EQ(zip.ExtractAllFiles(Dest(), true, true), c.ok);
        EXPECT_EQ(Kinds(), c.errors);
        std::vector<std::string> names;
        for (const auto& [name, content] : c.files) {
            names.push_back(name);
            EXPECT_EQ(ReadFile(Dest() + "/" + name), content) << name;
        }
        EXPECT_EQ(FilesUnder(Dest()), names);
    }
    EXPECT_EQ(zip.FileCount(), 1);  // the spanned archive
    zip.ZipOpen(Archive({bzip}));
    zip.ExtractAllFiles(Dest(), true, true);
    EXPECT_EQ(errors.back().subject, "dir/packed.bin");
}

TEST_F(ZipReaderTest, WithoutFolderNamesOrForOneMemberTheFilesLandFlat) {
    ASSERT_TRUE(zip.ZipOpen(Archive({{"a/b/c.txt", "deep"}, {"x:y", "colon", 0}})));
    ASSERT_TRUE(zip.ExtractAllFiles(home.file("flat/"), false, true));
    EXPECT_EQ(FilesUnder(home.file("flat")), (std::vector<std::string>{"c.txt", "x_y"}));

    ASSERT_TRUE(zip.ExtractSingleFile(1, home.file("one"), false, true));
    EXPECT_EQ(FilesUnder(home.file("one")), (std::vector<std::string>{"c.txt"}));
    EXPECT_EQ(percents.back(), 100);
}

TEST_F(ZipReaderTest, ExistingTargetsAreSkippedWithoutOverwriteAndKeptFromABadMember) {
    RawMember bad{"keep.txt", "new content"};
    bad.badCrc = true;
    WriteFile(home.file("out/keep.txt"), "old content");
    WriteFile(home.file("out/one.txt"), "mine");
    ASSERT_TRUE(zip.ZipOpen(Archive({bad, {"one.txt", "theirs"}, {"two.txt", "two"}})));
    EXPECT_TRUE(zip.ExtractAllFiles(Dest(), true, false));
    EXPECT_EQ(ReadFile(home.file("out/one.txt")), "mine");
    EXPECT_EQ(ReadFile(home.file("out/two.txt")), "two");

    EXPECT_TRUE(zip.ExtractAllFiles(Dest(), true, true));
    ASSERT_EQ(Kinds(), (KindList{K::TargetExists, K::TargetExists, K::Checksum}));
    EXPECT_EQ(errors[1].subject, Dest() + "/one.txt");
    EXPECT_EQ(errors[2].subject, Dest() + "/keep.txt");
    EXPECT_EQ(ReadFile(home.file("out/keep.txt")), "old content");
    EXPECT_EQ(ReadFile(home.file("out/one.txt")), "theirs");
    EXPECT_EQ(FilesUnder(Dest()), (std::vector<std::string>{"keep.txt", "one.txt", "two.txt"}));
}

TEST_F(ZipReaderTest, TargetOrDestinationThatCannotBeWrittenRaise12And13) {
    fs::create_directories(home.file("out/taken.txt"));  // a folder in the way
    WriteFile(home.file("file"), "a file, not a folder");
    ASSERT_TRUE(zip.ZipOpen(Archive({{"taken.txt", "x"}})));
    zip.ExtractAllFiles(Dest(), true, true);
    EXPECT_FALSE(zip.ExtractAllFiles(home.file("file/sub"), true, true));
    ASSERT_EQ(Kinds(), (KindList{K::CannotReplace, K::CannotCreateFolder}));
    EXPECT_EQ(errors[0].subject, Dest() + "/taken.txt");
    EXPECT_EQ(errors[1].subject, home.file("file/sub"));
    EXPECT_EQ(FilesUnder(Dest()), std::vector<std::string>{});
}

TEST_F(ZipReaderTest, CancelStopsExtractAllButNotExtractSingle) {
    ASSERT_TRUE(zip.ZipOpen(Archive({{"1", "1"}, {"2", "2"}, {"3", "3"}, {"4", "4"}})));
    cancelAfter = 2;
    EXPECT_FALSE(zip.ExtractAllFiles(Dest(), true, true));
    EXPECT_EQ(percents, (std::vector<int>{25, 50}));
    EXPECT_EQ(FilesUnder(Dest()), (std::vector<std::string>{"1", "2"}));

    percents.clear();
    cancelAfter = 1;
    EXPECT_TRUE(zip.ExtractSingleFile(4, home.file("single"), true, true));
    EXPECT_EQ(percents, (std::vector<int>{100, 100, 100, 100}));
    EXPECT_EQ(FilesUnder(home.file("single")), (std::vector<std::string>{"4"}));
}

TEST_F(ZipReaderTest, NamesThatWouldLeaveTheDestinationAreRefused) {
    const std::string path = Archive({{"../evil.txt", "x"},
                                      {"ok/../../evil2.txt", "x"},
                                      {"/abs/evil3.txt", "x"},
                                      {"..\\win\\evil4.txt", "x"},
                                      {"fine/./good.txt", "good"}});
    ASSERT_TRUE(zip.ZipOpen(path));
    EXPECT_TRUE(zip.ExtractAllFiles(Dest(), true, true));
    EXPECT_EQ(Kinds(), (KindList{K::UnsafeName, K::UnsafeName, K::UnsafeName, K::UnsafeName}));
    EXPECT_EQ(errors[0], (ZipError{K::UnsafeName, "../evil.txt", Dest()}));
    EXPECT_EQ(FilesUnder(home.str()), (std::vector<std::string>{"out/fine/good.txt", "test.zip"}));

    // Also without folder names: the name is refused, not quietly flattened.
    errors.clear();
    EXPECT_TRUE(zip.ExtractSingleFile(1, Dest(), false, true));
    EXPECT_EQ(Kinds(), (KindList{K::UnsafeName}));
}

TEST_F(ZipReaderTest, TruncatedDataNeverLeavesHalfFiles) {
    std::string text;
    for (int i = 0; i < 4000; ++i)
        text += std::to_string(i * 7919 % 10007) + ",";
    RawMember cutStream{"cut.txt", text};
    cutStream.rawData = RawDeflate(text).substr(0, 40);  // deflate stream ends early
    std::string whole = BuildZip({{"first.txt", "first"}, cutStream, {"past.txt", text}});
    // The last member claims more compressed bytes than the file holds.
    const std::size_t header = whole.rfind("PK\x01\x02");
    whole[header + 23] = '\x7F';
    WriteFile(home.file("cut.zip"), whole);
    ASSERT_TRUE(zip.ZipOpen(home.file("cut.zip")));
    EXPECT_TRUE(zip.ExtractAllFiles(Dest(), true, true));
    EXPECT_EQ(Kinds(), (KindList{K::Checksum, K::UnreadableData}));
    EXPECT_EQ(errors[1], (ZipError{K::UnreadableData, "past.txt", home.file("cut.zip")}));
    EXPECT_EQ(FilesUnder(Dest()), (std::vector<std::string>{"first.txt"}));

    // Every prefix of a valid archive: no crash, nothing outside, no temporaries.
    const std::string valid = BuildZip({{"first.txt", text}, {"second.txt", text + "2"}});
    for (std::size_t length = 0; length < valid.size(); length += 97) {
        WriteFile(home.file("prefix.zip"), valid.substr(0, length));
        if (zip.ZipOpen(home.file("prefix.zip"))) zip.ExtractAllFiles(home.file("p"), true, true);
    }
    EXPECT_TRUE(FilesUnder(home.file("p")).empty());
}

TEST_F(ZipReaderTest, FortyThousandMembersAreAllListedAndExtracted) {
    std::vector<RawMember> members;
    members.reserve(40000);
    for (int i = 0; i < 40000; ++i)
        members.push_back({"d" + std::to_string(i % 10) + "/m" + std::to_string(i), "v", 0});
    ASSERT_TRUE(zip.ZipOpen(Archive(members)));
    ASSERT_EQ(zip.FileCount(), 40000);
    EXPECT_EQ(zip.FileName(40000), "d9/m39999");
    EXPECT_TRUE(zip.ExtractSingleFile(39999, Dest(), true, true));
    EXPECT_EQ(FilesUnder(Dest()), (std::vector<std::string>{"d8/m39998"}));
}

}  // namespace
}  // namespace arc::test
