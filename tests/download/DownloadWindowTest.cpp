#include <gtest/gtest.h>

#include <filesystem>

#include "LocalHttpServer.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "core/SupportFileCatalogue.h"
#include "core/TextTable.h"
#include "download/ArchiveUnpack.h"
#include "download/DownloadList.h"
#include "download/DownloadWindowState.h"
#include "support/ReplacingWriters.h"
#include "support/TestSupport.h"
#include "support/ZipBuilder.h"

namespace arc {
namespace {

namespace fs = std::filesystem;
using test::LocalHttpServer;
using test::ReadFile;
using test::WriteFile;

class DownloadWindowTest : public test::ProgramFolderTest {
  protected:
    DownloadWindowTest() {
        window.transferOptions.connectTimeoutSeconds = 5;
        window.transferOptions.lowSpeedBytes = 1000;
        window.transferOptions.lowSpeedSeconds = 1;
    }

    void Select(std::string_view label, const std::string& url) {
        const int index = DownloadEntryIndex(label);
        window.rows[index].checked = true;
        window.rows[index].fileUrl = url;
    }
    const DownloadWindowState::Row& RowOf(std::string_view label) {
        return window.rows[DownloadEntryIndex(label)];
    }
    /// Whether the log holds these whole lines.
    bool Logged(const std::string& lines) {
        return ("\r\n" + ReadFile(LogFilePath())).find("\r\n" + lines + "\r\n") !=
               std::string::npos;
    }
    /// Every file under the program folder outside dat/, ini/ and Download/, bar the log and list.
    std::vector<std::string> StrayFiles() {
        std::vector<std::string> stray = test::FilesUnder(home.str());
        std::erase_if(stray, [](const std::string& name) {
            return name.starts_with("dat/") || name.starts_with("ini/") ||
                   name.starts_with("Download/") || name == "Arcanote.log.txt" ||
                   name == "Arcanote.url.inf";
        });
        return stray;
    }

    LocalHttpServer server;
    DownloadWindowState window;
};

TEST_F(DownloadWindowTest, UnzipKeepsTheReplacedFilesModeAndGivesANewFileTheUmasks) {
    test::WriteZip(home.file("source.zip"), {{"docs/catver.ini", "[Category]\r\n"}});
    test::ExpectWritersKeepTheFileMode(
        home.str(), {{"unzip", false, [&](const std::string& t) {
                          std::string error;
                          const std::string folder = t.substr(0, t.rfind('/') + 1);
                          return UnpackByExtension(home.file("source.zip"), "INI", folder, error) ==
                                 1;
                      }}});
}

TEST_F(DownloadWindowTest, EveryCatalogueRowReachesItsDownloadEntries) {
    for (const SupportFileRow& row : kSupportFileCatalogue) {
        SCOPED_TRACE(std::string(row.name));
        const DownloadColumns& download = row.download;
        EXPECT_EQ(DownloadEntryIndex(download.label), download.label.empty() ? -1 : download.entry);
        EXPECT_EQ(DownloadEntryIndex(download.mame32Label),
                  download.mame32Label.empty() ? -1 : download.entry + 1);
    }
}

TEST_F(DownloadWindowTest, OpeningLoadsTheListAndClosingSavesIt) {
    WriteFile(DownloadListPath(),
              "catver = http://x/catver.zip\r\nSITE_CHEAT = http://cheats/\r\n");
    window.Open();
    EXPECT_EQ(RowOf("Catver").fileUrl, "http://x/catver.zip");
    window.OpenSite(DownloadEntryIndex("Cheat"));
    EXPECT_EQ(ui().opened, std::vector<std::string>{"http://cheats/"});

    window.rows[0].fileUrl = "http://x/history.zip";
    window.Close();
    DownloadList saved = DefaultDownloadList();
    ASSERT_TRUE(ReadDownloadList(DownloadListPath(), saved));
    EXPECT_EQ(saved.fileUrls[0], "http://x/history.zip");
    EXPECT_EQ(saved.siteUrls[DownloadEntryIndex("Cheat")], "http://cheats/");
}

TEST_F(DownloadWindowTest, RunFetchesUnpacksAndCopiesIntoTheProgramFolders) {
    SetDebugLogging(true);
    server.Route("/files/nplayers.ini", {200, "text/plain", "[NPlayers]\r\n"});
    server.Route("/files/history.zip",
                 {200, "application/zip",
                  test::BuildZip({{"docs/readme.txt", "read me"},
                                  {"catver/catver.ini", "[Category]\r\n"},
                                  {"deep/sub/history.dat", "$info=pacman\r\n"}})});
    server.Route("/files/page.zip", {200, "text/html", "<html>x</html>"});
    WriteFile(home.file("ini/Catver.ini"), "old");
    WriteFile(home.file("dat/Cheat.dat"), "kept: nothing newer came");

    window.Open();
    Select("Nplayers", server.Url("/files/nplayers.ini"));
    Select("History", server.Url("/files/history.zip"));
    Select("Cheat", server.Url("/files/missing.zip"));
    Select("Command", server.Url("/files/page.zip"));
    Select("Hiscore", "   ");
    Select("Controls", server.Url("/"));
    window.rows[DownloadEntryIndex("Catver")].fileUrl = server.Url("/not/selected.ini");
    window.Run();

    EXPECT_FALSE(RowOf("Catver").success || RowOf("Catver").failure);
    EXPECT_EQ(server.requestCount(), 5);  // none for the empty entry

    EXPECT_EQ(ReadFile(home.file("ini/nplayers.ini")), "[NPlayers]\r\n");
    EXPECT_EQ(ReadFile(home.file("dat/history.dat")), "$info=pacman\r\n");
    // The fresh "catver.ini" replaced the older "Catver.ini".
    EXPECT_EQ(ReadFile(home.file("ini/catver.ini")), "[Category]\r\n");
    EXPECT_EQ(ListFolder(home.file("ini"), "*"),
              (std::vector<std::string>{"catver.ini", "nplayers.ini"}));
    EXPECT_EQ(ListFolder(home.file("dat"), "*"),
              (std::vector<std::string>{"Cheat.dat", "history.dat"}));  // the readme stays out
    EXPECT_EQ(ReadFile(home.file("dat/Cheat.dat")), "kept: nothing newer came");
    EXPECT_EQ(StrayFiles(), std::vector<std::string>{});
    EXPECT_EQ(ListFolder(home.file("Download"), "*"),
              (std::vector<std::string>{"history.zip", "nplayers.ini"}));

    EXPECT_TRUE(window.controlsEnabled);
    EXPECT_FALSE(window.statusVisible);
    ASSERT_EQ(ui().messages.size(), 1u);
    EXPECT_EQ(ui().messages[0].text,
              "Not downloaded: \nCheat: HTTP status 404\nCommand: not a ZIP archive\nHiscore: " +
                  Text(kTextEmptyAddress) + "\nControls: HTTP status 404");

    EXPECT_TRUE(Logged(" => NOT Downloaded " + server.Url("/files/missing.zip")));
}

// Regression: "Not downloaded: History (see the log)" pointed to a log that
// said nothing without debug logging, and an empty address was taken.
TEST_F(DownloadWindowTest, DownloadErrorsAreToldAndEmptyAddressesRefused) {
    window.Open();
    const int history = DownloadEntryIndex("History");
    EXPECT_TRUE(window.EditUrl(history, " http://127.0.0.1:1/history.dat "));
    EXPECT_FALSE(window.EditUrl(history, "   "));
    EXPECT_EQ(window.rows[history].fileUrl, "http://127.0.0.1:1/history.dat");
    ASSERT_EQ(ui().messages.size(), 1u);
    EXPECT_EQ(ui().messages[0].text, Text(kTextEmptyAddress));
    EXPECT_NE(ReadFile(DownloadListPath()).find("http://127.0.0.1:1/history.dat"),
              std::string::npos);

    ASSERT_FALSE(DebugLogging());
    window.rows[history].checked = true;
    window.Run();
    const std::string reason = window.rows[history].error;
    EXPECT_NE(reason.find("127.0.0.1"), std::string::npos) << reason;  // curl's own words
    EXPECT_EQ(ui().messages.back().text, "Not downloaded: \nHistory: " + reason);
    EXPECT_TRUE(
        Logged(" => NOT Downloaded http://127.0.0.1:1/history.dat\r\n    (" + reason + ")"));
}

TEST_F(DownloadWindowTest, ArchiveErrorsAreLoggedAndSwitchLoggingOn) {
    // Left in the Download folder and kept (the question is answered No).
    WriteFile(home.file("Download/broken.zip"), "this is not an archive");
    server.Route("/slip.zip", {200, "application/zip",
                               test::BuildZip({{"../../evil.dat", "escape"},
                                               {"/tmp/evil-absolute.ini", "escape"},
                                               {"good/mameinfo.dat", "ok"}})});
    window.Open();
    Select("MameInfo", server.Url("/slip.zip"));
    ASSERT_FALSE(DebugLogging());
    window.Run();

    ASSERT_EQ(ui().messages.size(), 2u);
    EXPECT_EQ(ui().messages[0].text, WithLineBreaks(Text(89)));
    EXPECT_EQ(ui().messages[0].buttons, MsgButtons::YesNo);
    EXPECT_TRUE(fs::exists(home.file("Download/broken.zip")));

    EXPECT_TRUE(DebugLogging());
    const std::string archive = home.file("Download/broken.zip");
    EXPECT_TRUE(Logged("Unzip " + archive + ",DAT," + home.file("dat/") + "\r\n" + archive +
                       " is not a ZIP archive."));
    EXPECT_TRUE(Logged("Unzip " + archive + ", INI, " + home.file("ini/")));

    EXPECT_EQ(ReadFile(home.file("dat/mameinfo.dat")), "ok");
    EXPECT_FALSE(fs::exists(home.path().parent_path() / "evil.dat"));
    EXPECT_FALSE(fs::exists("/tmp/evil-absolute.ini"));
    EXPECT_EQ(StrayFiles(), std::vector<std::string>{});
}

// Today's History is an archive holding history.xml: it used to be reported
// downloaded while nothing arrived.
TEST_F(DownloadWindowTest, HistoryArchivesBringHistoryXmlAndOneWithoutItIsAFailure) {
    const test::ScopedEnv trash("XDG_DATA_HOME", home.file("xdg"));  // for the emptied files
    WriteFile(home.file("Download/old.dat"), "stale");
    server.Route("/download.php",
                 {200, "application/zip",
                  test::BuildZip({{"history.xml", "<history/>"}, {"readme.txt", "read me"}})});
    server.Route("/empty/history.zip",
                 {200, "application/zip", test::BuildZip({{"readme.txt", "x"}})});
    window.Open();
    Select("History", server.Url("/download.php?file=history.zip"));
    ui().QueueAnswer(MsgAnswer::Yes);  // empty the Download folder
    window.Run();
    EXPECT_EQ(ReadFile(home.file("dat/history.xml")), "<history/>");
    EXPECT_EQ(ListFolder(home.file("Download"), "*"), std::vector<std::string>{"history.zip"});
    EXPECT_EQ(ReadFile(home.file("xdg/Trash/files/old.dat")), "stale");
    EXPECT_EQ(ui().messages.back().text, "Done.");

    Select("History", server.Url("/empty/history.zip"));
    window.Run();  // the folder is kept this time
    EXPECT_TRUE(RowOf("History").failure);
    EXPECT_EQ(ReadFile(home.file("dat/history.xml")), "<history/>");
    EXPECT_EQ(ListFolder(home.file("dat"), "*"), std::vector<std::string>{"history.xml"});
    EXPECT_EQ(ui().messages.back().text,
              "Not downloaded: \nHistory: the archive holds no .dat or .xml file");
    EXPECT_TRUE(Logged(" => NOT usable " + home.file("Download/history.zip")));
}

TEST_F(DownloadWindowTest, CopiesToTheDefinedPathsOnRequestAndClosesInWizardMode) {
    WriteFile(home.file("ini/nplayers.ini"), "[NPlayers]\r\n");
    WriteFile(home.file("dat/Cheat.dat"), "cheats");
    TheSettings().DataFilePaths[SlotOf(SupportFile::NPlayers)] =
        home.file("mame/folders/nplayers.ini");
    TheSettings().DataFilePaths[SlotOf(SupportFile::Cheat)] = "";
    window.Open();
    window.Run();
    EXPECT_FALSE(fs::exists(home.file("mame/folders/nplayers.ini")));
    EXPECT_EQ(ui().messages.back().text, Text(kTextNothingTicked));

    window.copyToPaths = true;
    window.Run();
    EXPECT_EQ(ReadFile(home.file("mame/folders/nplayers.ini")), "[NPlayers]\r\n");

    window.inWizard = true;  // the run closes the window without a message
    bool closeRequested = false;
    window.onCloseRequest = [&] { closeRequested = true; };
    const std::size_t messages = ui().messages.size();
    window.Run();
    EXPECT_TRUE(closeRequested);
    EXPECT_FALSE(window.IsOpen());
    EXPECT_EQ(ui().messages.size(), messages);
}

}  // namespace
}  // namespace arc
