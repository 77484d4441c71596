#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

#include "LocalHttpServer.h"
#include "support/CliRun.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

using test::CliRun;
using test::LocalHttpServer;
using test::ReadFile;
using test::WriteFile;

CliRun RunDownload(const std::string& home, std::vector<std::string> args) {
    return test::RunCommand(home, "download", std::move(args));
}

TEST(DownloadCommand, FetchesTheNamedEntriesOrEveryEntryWithAnAddress) {
    test::TempDir home;
    LocalHttpServer server;
    server.Route("/h/history.dat", {200, "text/plain", "$info=pacman\r\n"});
    server.Route("/c/catver.ini", {200, "text/plain", "[Category]\r\n"});
    WriteFile(home.file("Arcanote.url.inf"), "History = " + server.Url("/h/history.dat") +
                                                 "\r\nCatver = " + server.Url("/c/catver.ini") +
                                                 "\r\nCheat = " + server.Url("/x/cheat.zip") +
                                                 "\r\n");

    CliRun run = RunDownload(home.str(), {"--entries", "HISTORY"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(ReadFile(home.file("dat/history.dat")), "$info=pacman\r\n");
    EXPECT_FALSE(std::filesystem::exists(home.file("ini/catver.ini")));
    EXPECT_NE(run.out.find("History: downloaded"), std::string::npos) << run.out;

    // --yes alone keeps the files of the Download folder.
    run = RunDownload(home.str(), {"--yes"});
    EXPECT_EQ(run.code, 1);  // cheat.zip is missing
    EXPECT_EQ(ReadFile(home.file("ini/catver.ini")), "[Category]\r\n");
    EXPECT_NE(
        run.err.find("Cheat: NOT downloaded (" + server.Url("/x/cheat.zip") + ": HTTP status 404)"),
        std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("(use --empty-download-folder to answer Yes)"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(home.file("Download/history.dat")));

    const test::ScopedEnv trash("XDG_DATA_HOME", home.file("xdg"));
    run = RunDownload(home.str(), {"--entries", "Catver", "--empty-download-folder"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(std::filesystem::exists(home.file("xdg/Trash/files/history.dat")));
}

TEST(DownloadCommand, RejectsUnknownEntriesAndAnEmptyList) {
    test::TempDir home;
    EXPECT_EQ(RunDownload(home.str(), {"--entries", "catlist"}).code, 2);
    EXPECT_EQ(RunDownload(home.str(), {"--entries"}).code, 2);
    EXPECT_EQ(RunDownload(home.str(), {"--now"}).code, 2);
    const CliRun run = RunDownload(home.str(), {});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("no entry has an address"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace arc
