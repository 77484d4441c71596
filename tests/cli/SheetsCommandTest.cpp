#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <map>

#include "cli/CliRunTest.h"
#include "core/ProgramFolder.h"
#include "core/Settings.h"
#include "database/Database.h"
#include "sheets/SheetFixture.h"
#include "software/SoftwareImport.h"
#include "support/ZipBuilder.h"

namespace arc::test {
namespace {

namespace fs = std::filesystem;

class SheetsCommandTest : public CliRunTest<SheetTest> {
  protected:
    SheetsCommandTest() {
        AddGame("pacman", "Pac-Man", {{"Working", "1"}});
        AddGame("puckman", "Puck Man", {{"CloneOf", "pacman"}, {"Working", "1"}});
        CloseDatabase();
        WriteFile(home.str() + "html/Blue.skin/rom.htm", "blue #GAMENAME");
    }
};

TEST_F(SheetsCommandTest, WritesTheSiteAndPrintsItsIndex) {
    ASSERT_EQ(Run({"sheets", "--db", database, "--out", site, "--no-clones", "--no-copy", "snap",
                   "flyers", "--substitutes"}),
              0)
        << err;
    EXPECT_EQ(out, site + "index.htm\n");
    EXPECT_TRUE(PageExists("pacman.htm"));
    EXPECT_FALSE(PageExists("puckman.htm"));
    EXPECT_NE(Page("pacman.htm").find("file://" + site + "html/noimage.png"), std::string::npos);
    EXPECT_EQ(Page("pacman.htm").find("blue"), std::string::npos);  // built-in unless asked

    ASSERT_EQ(Run({"sheets", "--db", database, "--out", site, "--skin", "blue"}), 0) << err;
    EXPECT_EQ(Page("pacman.htm"), "blue Pac-Man");
    EXPECT_TRUE(fs::exists(site + "links.htm"));  // not empty, not emptied without --yes
}

TEST_F(SheetsCommandTest, OnlyEmptyDestinationEmptiesANonEmptyDestination) {
    WriteFile(site + "mine.txt", "x");
    setenv("XDG_DATA_HOME", (home.str() + "xdg").c_str(), 1);
    ASSERT_EQ(Run({"--yes", "sheets", "--db", database, "--out", site}), 0) << err;
    EXPECT_EQ(ReadFile(site + "mine.txt"), "x");
    EXPECT_NE(err.find("use --empty-destination"), std::string::npos) << err;
    EXPECT_TRUE(PageExists("pacman.htm"));
    ASSERT_EQ(Run({"sheets", "--db", database, "--out", site, "--empty-destination"}), 0);
    unsetenv("XDG_DATA_HOME");
    EXPECT_FALSE(fs::exists(site + "mine.txt"));
    EXPECT_TRUE(fs::exists(home.str() + "xdg/Trash/files/mine.txt"));
    EXPECT_TRUE(PageExists("pacman.htm"));
}

// A full disk: a tmpfs of 32 KB as the destination (needs the right to mount).
TEST_F(SheetsCommandTest, AFullDiskFailsTheRunAndLeavesNoPartialPage) {
    fs::create_directories(site);
    if (::mount("tmpfs", site.c_str(), "tmpfs", 0, "size=32k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here";
    EXPECT_EQ(Run({"sheets", "--db", database, "--out", site}), 1);
    EXPECT_NE(err.find("No space left on device"), std::string::npos) << err;
    EXPECT_EQ(err.find("Done."), std::string::npos);
    for (const auto& entry : fs::recursive_directory_iterator(site)) {
        if (!entry.is_regular_file()) continue;  // no cut page, no temporary file:
        EXPECT_TRUE(ReadFile(entry.path()).ends_with("</html>")) << entry.path();
    }
    ::umount2(site.c_str(), MNT_DETACH);
}

TEST_F(SheetsCommandTest, RejectsAnUnknownSkinAndReportsFailures) {
    EXPECT_EQ(Run({"sheets", "--skin", "green", "--out", site}), 2);
    EXPECT_NE(err.find("Blue"), std::string::npos);
    EXPECT_EQ(Run({"sheets", "--db", home.str() + "missing.mdb", "--out", site}), 1);
    EXPECT_EQ(Run({"sheets", "--db", database, "--out", site, "--only-available"}), 1);
    EXPECT_NE(err.find("no game matches"), std::string::npos);
    // Art archives with unsafe members: the site is made, the run is partial.
    TheSettings().ArtFolders[0] = art + "0/";
    SaveSettings();
    WriteZip(art + "0/titles.zip", {{"../../escaped.png", "evil"}});
    EXPECT_EQ(Run({"sheets", "--db", database, "--out", site}), 1);
    EXPECT_EQ(out, site + "index.htm\n");
    EXPECT_NE(err.find("1 art archive(s) held members that were not extracted"), std::string::npos)
        << err;
}

// The window's saved ticks are not the command's; the command saves nothing.
TEST_F(SheetsCommandTest, OptionsOfOneRunNeverChangeTheSavedSettings) {
    TheSettings().SheetOptions[2] = 1;  // the window's "avoid clones"
    TheSettings().HtmlFolder = home.str() + "saved/";
    SaveSettings();
    const std::string saved = ReadFile(InProgramFolder("Arcanote.inf"));
    ASSERT_EQ(Run({"sheets", "--db", database, "--out", site, "--skin", "blue"}), 0) << err;
    EXPECT_EQ(Page("puckman.htm"), "blue Puck Man");
    ASSERT_EQ(Run({"sheets", "--db", database}), 0) << err;
    EXPECT_EQ(out, home.str() + "saved/index.htm\n");
    EXPECT_EQ(ReadFile(InProgramFolder("Arcanote.inf")), saved);
}

TEST_F(SheetsCommandTest, AReadOnlyDestinationSaysNotWritable) {
    fs::create_directories(site);
    const bool root = ::geteuid() == 0;
    if (root && ::mount("tmpfs", site.c_str(), "tmpfs", MS_RDONLY, "size=32k") != 0)
        GTEST_SKIP() << "cannot mount a read-only tmpfs here";
    if (!root) fs::permissions(site, fs::perms::owner_read | fs::perms::owner_exec);
    for (const std::string& out : {site, site + "new/"}) {
        EXPECT_EQ(Run({"sheets", "--db", database, "--out", out}), 1);
        EXPECT_NE(err.find("The folder " + out + " is not writable."), std::string::npos) << err;
        EXPECT_EQ(err.find("No such file"), std::string::npos) << err;
    }
    if (root) ::umount2(site.c_str(), MNT_DETACH);
    if (!root) fs::permissions(site, fs::perms::owner_all);
}

/// Every file of the site by its path inside it.
std::map<std::string, std::string> SiteFiles(const std::string& site) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(site))
        if (entry.is_regular_file())
            files[entry.path().string().substr(site.size())] = ReadFile(entry.path().string());
    return files;
}

TEST_F(SheetsCommandTest, SoftwareListsAddTheirPagesAndLinksAndLeaveTheRestOfTheSiteAsItWas) {
    ASSERT_EQ(Run({"sheets", "--db", database, "--out", site}), 0) << err;
    const std::map<std::string, std::string> before = SiteFiles(site);
    EXPECT_FALSE(before.contains("html/SOFTWARE.htm"));

    ASSERT_TRUE(OpenDatabase(database));
    {
        RecordedProgress importing;
        TaskContext context(importing, ui());
        ASSERT_TRUE(
            RunSoftwareImport({SourceDir() + "/tests/data/software-0.251/hash", "", ""}, context)
                .ok());
    }
    for (const char* sql :
         {"CREATE TABLE MachineSoftwareList (Machine TEXT, ListName TEXT, Status TEXT, Filter "
          "TEXT)",
          "INSERT INTO MachineSoftwareList VALUES ('pacman', 'nes', 'original', ''), ('pacman', "
          "'x&y', 'compatible', '')",
          "INSERT INTO SoftwareList VALUES ('x&y', 'A <b>list</b>')",
          "INSERT INTO Software (ListName, Name, Description, Year, Publisher, Supported, Owned) "
          "VALUES ('x&y', 'it', '<script>alert(1)</script>', '1990', 'P&Q', 'yes', 1)"})
        Execute(sql);
    CloseDatabase();
    ASSERT_EQ(Run({"sheets", "--db", database, "--out", site}), 0) << err;
    const std::map<std::string, std::string> after = SiteFiles(site);

    std::vector<std::string> changed;
    for (const auto& [path, bytes] : before)
        if (after.at(path) != bytes) changed.push_back(path);
    EXPECT_EQ(changed, (std::vector<std::string>{"html/STAT.htm", "html/pacman.htm", "index.htm"}));
    EXPECT_NE(after.at("index.htm").find("<a href=\"html/SOFTWARE.htm\">Software lists</a>"),
              std::string::npos);
    EXPECT_NE(after.at("html/pacman.htm")
                  .find("<a href=\"SL_nes.htm\">nes</a> (original), <a href=\"SL_x&amp;y.htm\">"
                        "x&amp;y</a> (compatible)"),
              std::string::npos);
    EXPECT_NE(after.at("html/STAT.htm").find("Software items: 37"), std::string::npos);
    const std::string nes = after.at("html/SL_nes.htm");
    EXPECT_NE(nes.find("<td>smb</td>"), std::string::npos);
    EXPECT_NE(after.at("html/SOFTWARE.htm").find("<a href=\"SL_nes.htm\">nes</a>"),
              std::string::npos);
    const std::string hostile = after.at("html/SL_x&y.htm");
    EXPECT_EQ(hostile.find("<script>"), std::string::npos);
    EXPECT_NE(hostile.find("&lt;script&gt;alert(1)&lt;/script&gt;</td><td>1990</td><td>P&amp;Q"),
              std::string::npos);
    EXPECT_EQ(hostile.find("<b>"), std::string::npos);
}

}  // namespace
}  // namespace arc::test
