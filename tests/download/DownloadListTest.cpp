#include <gtest/gtest.h>

#include "core/TextFile.h"
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

    std::vector<std::string> lines;
    ASSERT_TRUE(ReadTextLines(path, lines));
    ASSERT_EQ(lines.size(), 37u);
    EXPECT_EQ(lines[5], "SITE_History" + std::string(9, ' ') + "= http://site.example/0/");
    EXPECT_EQ(lines[36], "Controls" + std::string(8, ' ') + "= http://files.example/10/data.zip");
    EXPECT_EQ(ReadFile(path).find("\n"), ReadFile(path).find("\r\n") + 1);

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
