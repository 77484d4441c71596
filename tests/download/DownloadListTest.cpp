#include <gtest/gtest.h>

#include "download/DownloadList.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(DownloadList, RoundTripKeepsAllValuesInTheDesignedLayout) {
    TempDir folder;
    DownloadList written;
    for (int i = 0; i < kDownloadEntries; ++i) {
        written.fileUrls[i] = "http://files.example/" + std::to_string(i) + "/data.zip";
        written.siteUrls[i] = "http://site.example/" + std::to_string(i) + "/";
    }
    const std::string path = folder.file("Arcanote.url.inf");
    ASSERT_TRUE(WriteDownloadList(path, written));
    DownloadList read;
    ASSERT_TRUE(ReadDownloadList(path, read));
    EXPECT_EQ(read.fileUrls, written.fileUrls);
    EXPECT_EQ(read.siteUrls, written.siteUrls);

    // Key names padded to one column, CR LF line ends.
    EXPECT_NE(ReadFile(path).find("\r\nSITE_History" + std::string(9, ' ') +
                                  "= http://site.example/0/\r\n"),
              std::string::npos);
    EXPECT_FALSE(ReadDownloadList(folder.file("absent.inf"), read));  // changes nothing
    EXPECT_EQ(read.fileUrls, written.fileUrls);
}

TEST(DownloadList, ReadingRulesAcceptAHandEditedFile) {
    DownloadList list = DefaultDownloadList();
    const std::string defaultCheat = list.siteUrls[DownloadEntryIndex("Cheat")];
    ApplyDownloadListLines(
        {
            "catver   =   http://x/catver.zip  ",
            "SITE_CHEAT =      ",
            "# HISTORY = http://commented/history.zip",
            "   ; NPLAYERS = http://commented/nplayers.ini",
            "garbage line without an equals sign",
            "UNKNOWN = http://nowhere/",
            "=http://no-key/",
            "HISTORY = http://first/history.zip",
            "history=http://second/history.zip",
            "Command = http://x/get.php?file=command.dat&v=2",
            "site_hiscore\t= http://hiscore.example/",
            "",
        },
        list);
    EXPECT_EQ(list.fileUrls[DownloadEntryIndex("Catver")], "http://x/catver.zip");
    EXPECT_EQ(list.siteUrls[DownloadEntryIndex("Cheat")], defaultCheat);
    EXPECT_EQ(list.fileUrls[DownloadEntryIndex("History")], "http://second/history.zip");
    EXPECT_EQ(list.fileUrls[DownloadEntryIndex("Nplayers")], "");
    EXPECT_EQ(list.fileUrls[DownloadEntryIndex("Command")],
              "http://x/get.php?file=command.dat&v=2");
    EXPECT_EQ(list.siteUrls[DownloadEntryIndex("Hiscore")], "http://hiscore.example/");
    for (int i = 0; i < kDownloadEntries; ++i)
        EXPECT_FALSE(list.siteUrls[i].empty());
}

}  // namespace
}  // namespace arc
