#include <gtest/gtest.h>

#include <chrono>

#include "LocalHttpServer.h"
#include "core/Files.h"
#include "download/DownloadList.h"
#include "download/Downloader.h"
#include "support/TestSupport.h"
#include "support/ZipBuilder.h"

namespace arc {
namespace {

using test::LocalHttpServer;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

class DownloaderTest : public ::testing::Test {
  protected:
    DownloaderTest() {
        options.connectTimeoutSeconds = 5;
        options.lowSpeedBytes = 1000;
        options.lowSpeedSeconds = 1;
        options.maxRedirects = 5;
    }
    TempDir folder;
    LocalHttpServer server;
    DownloadOptions options;
};

TEST_F(DownloaderTest, SuccessWritesTheBodyAsksForNoCachedCopyAndReportsProgress) {
    const std::string body(200000, 'h');
    server.Route("/files/history.dat", {200, "text/plain", body});
    std::uint64_t lastReceived = 0;
    options.progress = [&](std::uint64_t received, std::uint64_t) { lastReceived = received; };

    const std::string target = folder.file("history.dat");
    DownloadResult result = DownloadToFile(server.Url("/files/history.dat"), target, options);

    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.httpStatus, 200);
    EXPECT_EQ(result.bytes, body.size());
    EXPECT_EQ(ReadFile(target), body);
    EXPECT_EQ(lastReceived, body.size());
    EXPECT_EQ(ListFolder(folder.str(), "*"), std::vector<std::string>{"history.dat"});
    ASSERT_EQ(server.requestHeads().size(), 1u);
    EXPECT_NE(server.requestHeads()[0].find("Cache-Control: no-cache"), std::string::npos);
}

TEST_F(DownloaderTest, ErrorStatusesAndBrokenTransfersNeverTouchTheTarget) {
    server.Route("/error", {500, "text/html", "<html>oops</html>"});
    LocalHttpServer::Answer truncated{200, "text/plain", std::string(100, 't')};
    truncated.declaredLength = 5000;
    server.Route("/truncated.dat", truncated);
    server.Route("/loop", LocalHttpServer::Redirect("/loop"));
    server.Route("/page.zip", {200, "text/html", "<!DOCTYPE html><html>Click</html>"});
    server.Route("/page.dat", {200, "text/html", "\n  <HTML><body>Please log in</body></HTML>"});
    LocalHttpServer::Answer slow{200, "text/plain", std::string(200, 's')};
    slow.trickle = std::chrono::milliseconds(300);
    server.Route("/slow.dat", slow);

    const std::string target = folder.file("catver.zip");
    const std::string datTarget = folder.file("history.dat");
    WriteFile(target, "good archive");
    WriteFile(datTarget, "good dat");
    struct Case {
        std::string path;
        std::string target;
    };
    for (const Case& c : std::vector<Case>{{"/missing.zip", target},
                                           {"/error", target},
                                           {"/truncated.dat", datTarget},
                                           {"/loop", target},
                                           {"/page.zip", target},
                                           {"/page.dat", datTarget},
                                           {"/slow.dat", datTarget}}) {
        SCOPED_TRACE(c.path);
        const auto start = std::chrono::steady_clock::now();
        DownloadResult result = DownloadToFile(server.Url(c.path), c.target, options);
        EXPECT_FALSE(result.ok);
        EXPECT_FALSE(result.error.empty());
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(8));
    }
    EXPECT_EQ(ReadFile(target), "good archive");
    EXPECT_EQ(ReadFile(datTarget), "good dat");
    EXPECT_EQ(ListFolder(folder.str(), "*"),
              (std::vector<std::string>{"catver.zip", "history.dat"}));
}

// Regression: an endless body filled the disk. The cap ends it, with a
// reason, and neither the target nor a temporary file is left.
TEST_F(DownloaderTest, EndlessBodyStopsAtTheSizeCapAndLeavesNoFile) {
    LocalHttpServer::Answer endless{200, "application/zip", "PK\x03\x04" + std::string(65532, 'z')};
    endless.endless = true;
    server.Route("/endless.zip", endless);
    options.maxBytes = 1 << 20;
    const DownloadResult result =
        DownloadIntoFolder(server.Url("/endless.zip"), folder.str() + "/", options);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "larger than the limit of 1048576 bytes");
    EXPECT_TRUE(ListFolder(folder.str(), "*").empty());
    EXPECT_EQ(DownloadOptions{}.maxBytes, 1u << 30);  // no support file comes near it
}

TEST_F(DownloaderTest, IntoAFolderTheFileIsNamedByTheServerOrTheLinkOrFails) {
    const std::string zip = test::BuildZip({{"history.xml", "<history/>"}});
    LocalHttpServer::Answer named{200, "application/octet-stream", zip};
    named.extraHeaders = "Content-Disposition: attachment; filename=\"history.zip\"\r\n";
    server.Route("/get", named);
    server.Route("/download.php", {200, "application/zip", zip});
    server.Route("/files/", {200, "text/plain", "no name"});
    server.Route("/latest", LocalHttpServer::Redirect("/new/catver.zip"));
    server.Route("/new/catver.zip", {200, "application/zip", zip});
    WriteFile(folder.file("secret.txt"), "local");
    struct Case {
        std::string url;
        std::string saved;  ///< "" when the download must fail
    };
    for (const Case& c : std::vector<Case>{
             {server.Url("/get?id=3"), "history.zip"},
             {server.Url("/download.php?file=dats%2Fhistory.zip"), "history.zip"},
             {server.Url("/latest"), "catver.zip"},  // named at the end of the redirects
             {server.Url("/files/"), ""},
             {"file://" + folder.file("secret.txt"), ""},
             {"http://127.0.0.1:1/x.dat", ""}}) {
        SCOPED_TRACE(c.url);
        TempDir into;
        const DownloadResult result = DownloadIntoFolder(c.url, into.str(), options);
        EXPECT_EQ(result.ok, !c.saved.empty()) << result.error;
        EXPECT_EQ(result.path, c.saved.empty() ? "" : into.str() + c.saved);
        EXPECT_EQ(ListFolder(into.str(), "*"),
                  c.saved.empty() ? std::vector<std::string>{} : std::vector{c.saved});
    }
}

TEST(DownloadNames, KeepOnlyAPlainFileNameFromTheLinkOrTheServer) {
    const std::vector<std::pair<std::string, std::string>> links = {
        {"http://host/files/nplayers.ini", "nplayers.ini"},
        {"  https://host/a/b/History.zip  ", "History.zip"},
        {"https://host/get/catver.zip?v=2&f=../../x", "catver.zip"},
        {"https://host/dl\\command.dat", "command.dat"},
        {"https://host/my%20file.dat", "my file.dat"},
        {"https://host/download.php?id=7&file=history.zip", "history.zip"},
        {"https://host/get?f=..%2F..%2Fhistory.xml", "history.xml"},
        {"https://host/download.php?id=7", "download.php"},
        {"https://host/?file=history.dat", "history.dat"},
        {"https://host", ""},
        {"https://host/files/..", ""},
        {"https://host/%2e%2e", ""},
        {"https://host/a%2F..%2F..%2Fetc%2Fpasswd", ""},
        {"https://host/x%00y.dat", ""},
        {"", ""}};
    for (const auto& [url, name] : links)
        EXPECT_EQ(FileNameFromUrl(url), name) << url;

    const std::vector<std::pair<std::string, std::string>> dispositions = {
        {"attachment; filename=\"history.zip\"\r\n", "history.zip"},
        {"attachment; filename=\"x.zip\"; filename*=UTF-8''caf%C3%A9.dat", "café.dat"},
        {"attachment; filename=\"../../../etc/cron.d/job.ini\"", "job.ini"},
        {"attachment; filename=\"..\"", ""},
        {"inline", ""}};
    for (const auto& [value, name] : dispositions)
        EXPECT_EQ(FileNameFromContentDisposition(value), name) << value;
}

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
