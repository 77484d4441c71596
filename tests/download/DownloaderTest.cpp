#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "LocalHttpServer.h"
#include "download/Downloader.h"
#include "support/TestSupport.h"
#include "support/ZipFixture.h"

namespace arc {
namespace {

using test::LocalHttpServer;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

/// Names in the folder, to check that no temporary file was left behind.
std::vector<std::string> FolderNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

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
    server.Route("/files/history.dat", LocalHttpServer::Reply(200, "text/plain", body));
    std::uint64_t lastReceived = 0;
    options.progress = [&](std::uint64_t received, std::uint64_t) { lastReceived = received; };

    const std::string target = folder.file("history.dat");
    DownloadResult result = DownloadToFile(server.Url("/files/history.dat"), target, options);

    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.httpStatus, 200);
    EXPECT_EQ(result.bytes, body.size());
    EXPECT_EQ(ReadFile(target), body);
    EXPECT_EQ(lastReceived, body.size());
    EXPECT_EQ(FolderNames(folder.path()), std::vector<std::string>{"history.dat"});
    ASSERT_EQ(server.requestHeads().size(), 1u);
    EXPECT_NE(server.requestHeads()[0].find("Cache-Control: no-cache"), std::string::npos);
}

TEST_F(DownloaderTest, ErrorStatusesAndBrokenTransfersNeverTouchTheTarget) {
    server.Route("/error", LocalHttpServer::Reply(500, "text/html", "<html>oops</html>"));
    auto truncated = LocalHttpServer::Reply(200, "text/plain", std::string(100, 't'));
    truncated.declaredLength = 5000;
    server.Route("/truncated.dat", truncated);
    server.Route("/loop", LocalHttpServer::Redirect("/loop"));
    server.Route("/page.zip",
                 LocalHttpServer::Reply(200, "text/html", "<!DOCTYPE html><html>Click</html>"));
    server.Route("/page.dat", LocalHttpServer::Reply(
                                  200, "text/html", "\n  <HTML><body>Please log in</body></HTML>"));
    auto slow = LocalHttpServer::Reply(200, "text/plain", std::string(200, 's'));
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
    EXPECT_EQ(FolderNames(folder.path()), (std::vector<std::string>{"catver.zip", "history.dat"}));
}

TEST_F(DownloaderTest, FollowsRedirectsAndAcceptsRealArchives) {
    const std::string zip = test::MakeZip({{"catver.ini", "[Category]\r\npacman=Maze\r\n"}});
    server.Route("/old/catver.zip", LocalHttpServer::Redirect("/new/catver.zip"));
    server.Route("/new/catver.zip", LocalHttpServer::Reply(200, "application/zip", zip));

    const std::string target = folder.file("catver.zip");
    DownloadResult result = DownloadToFile(server.Url("/old/catver.zip"), target, options);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(ReadFile(target), zip);
    EXPECT_EQ(server.requestCount(), 2);
}

TEST_F(DownloaderTest, RefusesOtherSchemesAndUnreachableHosts) {
    WriteFile(folder.file("secret.txt"), "local");
    EXPECT_FALSE(
        DownloadToFile("file://" + folder.file("secret.txt"), folder.file("copy.txt"), options).ok);
    EXPECT_FALSE(DownloadToFile("http://127.0.0.1:1/x.dat", folder.file("x.dat"), options).ok);
    EXPECT_FALSE(std::filesystem::exists(folder.file("copy.txt")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("x.dat")));
}

TEST(SafeBaseNameFromUrl, KeepsOnlyAPlainFileName) {
    EXPECT_EQ(SafeBaseNameFromUrl("http://host/files/nplayers.ini"), "nplayers.ini");
    EXPECT_EQ(SafeBaseNameFromUrl("  https://host/a/b/History.zip  "), "History.zip");
    EXPECT_EQ(SafeBaseNameFromUrl("https://host/get/catver.zip?v=2&f=../../x"), "catver.zip");
    EXPECT_EQ(SafeBaseNameFromUrl("https://host/get/cheat.zip#top"), "cheat.zip");
    EXPECT_EQ(SafeBaseNameFromUrl("https://host/dl\\command.dat"), "command.dat");
    EXPECT_EQ(SafeBaseNameFromUrl("https://host/my%20file.dat"), "my file.dat");

    for (const char* url :
         {"https://host/", "https://host", "https://host/files/..", "https://host/files/.",
          "https://host/%2e%2e", "https://host/a%2F..%2F..%2Fetc%2Fpasswd",
          "https://host/x%00y.dat", "https://host/?file=history.dat", ""}) {
        EXPECT_EQ(SafeBaseNameFromUrl(url), "") << url;
    }
}

}  // namespace
}  // namespace arc
