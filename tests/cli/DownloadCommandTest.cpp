#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "cli/CliRunTest.h"
#include "core/Files.h"
#include "download/LocalHttpServer.h"

namespace arc::test {
namespace {

using DownloadCommand = CliRunTest<>;

TEST_F(DownloadCommand, FetchesTheNamedEntriesOrEveryEntryWithAnAddress) {
    LocalHttpServer server;
    server.Route("/h/history.dat", {200, "text/plain", "$info=pacman\r\n"});
    server.Route("/c/catver.ini", {200, "text/plain", "[Category]\r\n"});
    WriteFile(home.file("Arcanote.url.inf"), "History = " + server.Url("/h/history.dat") +
                                                 "\r\nCatver = " + server.Url("/c/catver.ini") +
                                                 "\r\nCheat = " + server.Url("/x/cheat.zip") +
                                                 "\r\n");

    EXPECT_EQ(Run({"download", "--entries", "HISTORY"}), 0) << err;
    EXPECT_EQ(ReadFile(home.file("dat/history.dat")), "$info=pacman\r\n");
    EXPECT_FALSE(std::filesystem::exists(home.file("ini/catver.ini")));
    EXPECT_NE(out.find("History: downloaded"), std::string::npos) << out;

    // --yes alone keeps the files of the Download folder.
    EXPECT_EQ(Run({"download", "--yes"}), 1);  // cheat.zip is missing
    EXPECT_EQ(ReadFile(home.file("ini/catver.ini")), "[Category]\r\n");
    EXPECT_NE(
        err.find("Cheat: NOT downloaded (" + server.Url("/x/cheat.zip") + ": HTTP status 404)"),
        std::string::npos)
        << err;
    EXPECT_NE(err.find("(use --empty-download-folder to answer Yes)"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(home.file("Download/history.dat")));

    const ScopedEnv trash("XDG_DATA_HOME", home.file("xdg"));
    EXPECT_EQ(Run({"download", "--entries", "Catver", "--empty-download-folder"}), 0) << err;
    EXPECT_TRUE(std::filesystem::exists(home.file("xdg/Trash/files/history.dat")));
}

// Regression: a download ended by SIGINT or SIGTERM left its temporary file.
TEST_F(DownloadCommand, InterruptedDownloadLeavesNoTemporaryFile) {
    namespace fs = std::filesystem;
    LocalHttpServer server;
    LocalHttpServer::Answer endless{200, "text/plain", std::string(4096, 'h')};
    endless.endless = true;
    endless.trickle = std::chrono::milliseconds(5);
    server.Route("/history.dat", endless);
    WriteFile(home.file("Arcanote.url.inf"), "History = " + server.Url("/history.dat") + "\r\n");
    for (const int signalNumber : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signalNumber);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const std::string cli = BinDir() + "/arcanote-cli";
            execl(cli.c_str(), cli.c_str(), "--home", home.str().c_str(), "download", "--entries",
                  "History", static_cast<char*>(nullptr));
            _exit(127);
        }
        // Wait for the transfer's temporary file, then end the program.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (ListFolder(home.file("Download"), "history.dat*").empty() &&
               std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_FALSE(ListFolder(home.file("Download"), "history.dat*").empty());
        kill(child, signalNumber);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signalNumber) << status;
        EXPECT_TRUE(ListFolder(home.file("Download"), "*").empty());
        EXPECT_FALSE(fs::exists(home.file("dat/history.dat")));
    }
}

TEST_F(DownloadCommand, FailsWithoutAnyAddress) {
    EXPECT_EQ(Run({"download"}), 1);
    EXPECT_NE(err.find("no entry has an address"), std::string::npos) << err;
}

}  // namespace
}  // namespace arc::test
