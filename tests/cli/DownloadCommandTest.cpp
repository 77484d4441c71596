#include <gtest/gtest.h>

#include <filesystem>

#include "cli/CliRunTest.h"
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

TEST_F(DownloadCommand, FailsWithoutAnyAddress) {
    EXPECT_EQ(Run({"download"}), 1);
    EXPECT_NE(err.find("no entry has an address"), std::string::npos) << err;
}

}  // namespace
}  // namespace arc::test
