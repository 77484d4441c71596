#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/ProgramFolder.h"
#include "support/TestSupport.h"
#include "support/ZipBuilder.h"
#include "zip/UnzipWindowState.h"
#include "zip/ZipModule.h"

namespace arc::test {
namespace {

namespace fs = std::filesystem;

/// Records what the unzip window shows.
class RecordingView : public UnzipWindowView {
  public:
    void Show(const UnzipWindowState& window) override {
        events.push_back("show:" + std::string(UnzipWindowState::kCaption) + ":" +
                         window.ArchivePath());
    }
    void Refresh(const UnzipWindowState& window) override {
        events.push_back(window.Label1() + ":" + std::to_string(window.BarPercent()));
    }
    void Unload() override { events.push_back("unload"); }

    std::vector<std::string> events;
};

class UnzipEntryPointsTest : public ProgramFolderTest {
  protected:
    UnzipEntryPointsTest() {
        ZipState() = ZipModuleState{};
        archive = home.file("pack.zip");
        WriteFile(archive, BuildZip({{"history.dat", "history"},
                                     {"readme.txt", "read me"},
                                     {"skin/", "", 0},
                                     {"skin/Index.HTM", "<html>"},
                                     {"skin/style.css", "css"}}));
    }
    ~UnzipEntryPointsTest() override { InstallUnzipWindowView(nullptr); }

    std::string archive;
};

TEST_F(UnzipEntryPointsTest, ListFilesFillsTheOneBasedListOrLeavesTheDesignedError) {
    ZipListFiles(archive);
    EXPECT_EQ(ZipState().ZipFileCount, 4);
    EXPECT_EQ(ZipState().ZipFileList,
              (std::vector<std::string>{"", "history.dat", "readme.txt", "skin/Index.HTM",
                                        "skin/style.css"}));
    EXPECT_TRUE(ZipState().ZipLastError.empty());

    WriteFile(home.file("fake.zip"), "this is text");
    ZipListFiles(home.file("fake.zip"));
    EXPECT_EQ(ZipState().ZipFileCount, 0);
    EXPECT_EQ(ZipState().ZipFileList.size(), 1u);
    EXPECT_EQ(ZipState().ZipLastError,
              "Erreur 2 - Le fichier " + home.file("fake.zip") + " n'est pas un fichier Zip");
}

TEST_F(UnzipEntryPointsTest, UnzipAllKeepsFoldersReplacesFilesAndDropsTheTrailingSlash) {
    WriteFile(home.file("out/readme.txt"), "old");
    EXPECT_TRUE(UnzipAll(archive, home.file("out") + "/", true));
    EXPECT_EQ(ZipState().ZipDestFolder, home.file("out"));
    EXPECT_EQ(FilesUnder(home.file("out")),
              (std::vector<std::string>{"history.dat", "readme.txt", "skin/Index.HTM",
                                        "skin/style.css"}));
    EXPECT_EQ(ReadFile(home.file("out/readme.txt")), "read me");

    EXPECT_TRUE(UnzipAll(archive, home.file("out2") + "\\", true));
    EXPECT_EQ(ZipState().ZipDestFolder, home.file("out2"));
}

TEST_F(UnzipEntryPointsTest, UnzipFileMatchesWithoutCaseNeedsTheFolderAndAGoodMember) {
    EXPECT_TRUE(UnzipFile(archive, "SKIN\\index.htm", home.file("one"), true));
    EXPECT_EQ(ZipState().ZipFilter, "SKIN\\index.htm");
    EXPECT_EQ(FilesUnder(home.file("one")), (std::vector<std::string>{"Index.HTM"}));
    EXPECT_FALSE(UnzipFile(archive, "index.htm", home.file("three"), true));
    EXPECT_TRUE(FilesUnder(home.file("three")).empty());

    std::string dest;  // empty: the program folder
    EXPECT_TRUE(UnzipFile(archive, "readme.txt", dest, true));
    EXPECT_EQ(dest, ProgramFolder());
    EXPECT_EQ(ReadFile(home.file("readme.txt")), "read me");

    RawMember bad{"bad.dat", std::string(3000, 'b')};
    bad.badCrc = true;
    WriteZip(home.file("bad.zip"), {bad, {"good.dat", "good"}});
    EXPECT_FALSE(UnzipFile(home.file("bad.zip"), "bad.dat", home.file("out"), true));
    EXPECT_EQ(ZipState().ZipLastError.rfind("Erreur 5 - Erreur de checksum dans ", 0), 0u);
    EXPECT_EQ(UnzipByExtension(home.file("bad.zip"), ".DAT", home.file("out"), true), 1);
    EXPECT_EQ(FilesUnder(home.file("out")), (std::vector<std::string>{"good.dat"}));
}

TEST_F(UnzipEntryPointsTest, UnzipByExtensionCountsMatchesOrAnswersMinusOne) {
    EXPECT_EQ(UnzipByExtension(archive, ".htm", home.file("htm"), true), 1);
    EXPECT_EQ(FilesUnder(home.file("htm")), (std::vector<std::string>{"Index.HTM"}));
    EXPECT_EQ(UnzipByExtension(archive, "png", home.file("none"), true), -1);
    EXPECT_EQ(UnzipByExtension(archive, "a-very-long-extension.txt", home.file("none"), true), -1);
    EXPECT_TRUE(FilesUnder(home.file("none")).empty());
}

TEST_F(UnzipEntryPointsTest, ShownWindowFollowsTheReader) {
    RecordingView view;
    InstallUnzipWindowView(&view);
    EXPECT_TRUE(UnzipAll(archive, home.file("shown"), false));
    ASSERT_GE(view.events.size(), 3u);
    EXPECT_EQ(view.events.front(), "show:Unzip with zLib:" + archive);
    EXPECT_EQ(view.events.rbegin()[1], "Extraction terminée:100");
    EXPECT_EQ(view.events.back(), "unload");

    view.events.clear();
    EXPECT_TRUE(UnzipAll(archive, home.file("hidden"), true));
    EXPECT_TRUE(view.events.empty());
}

}  // namespace
}  // namespace arc::test
