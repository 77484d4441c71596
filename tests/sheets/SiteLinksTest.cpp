// Builds whole sites (built-in templates and the shipped skin), follows every
// link of every page and looks for markers left on a game page.

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "SheetFixture.h"
#include "core/Files.h"
#include "core/Settings.h"
#include "database/Database.h"
#include "sheets/SheetWindowState.h"

namespace arc::test {
namespace {

namespace fs = std::filesystem;

// The file a link names: entities and percent escapes decoded.
std::string LinkedFile(const std::string& target) {
    std::string file;
    for (std::size_t i = 0; i < target.size(); ++i) {
        if (target[i] == '%' && i + 2 < target.size()) {
            file += static_cast<char>(std::stoi(target.substr(i + 1, 2), nullptr, 16));
            i += 2;
            continue;
        }
        bool entity = false;
        for (const auto& [code, c] :
             {std::pair{"&amp;", '&'}, {"&quot;", '"'}, {"&lt;", '<'}, {"&gt;", '>'}}) {
            if (target.compare(i, std::string_view(code).size(), code) == 0) {
                file += c;
                i += std::string_view(code).size() - 1;
                entity = true;
                break;
            }
        }
        if (!entity) file += target[i];
    }
    return file;
}

// Every href of every page under `site` that names a local page missing on
// disk, and every link that holds more than its href.
std::vector<std::string> BrokenLinks(const std::string& site, int* pagesSeen) {
    std::vector<std::string> broken;
    const std::regex href(R"re(href\s*=\s*("([^"]*)"|'([^']*)'|([^\s>]+)))re", std::regex::icase);
    const std::regex anchor(R"re(<a\s[^>]*>)re");
    // The credits page opens its sites in a new tab.
    const std::regex onlyHref(R"re(<a href=("[^"]*"|[^\s>"']+)( target="_blank")?>)re");
    *pagesSeen = 0;
    for (const auto& entry : fs::recursive_directory_iterator(site)) {
        if (entry.path().extension() != ".htm") continue;
        ++*pagesSeen;
        const std::string text = ReadFile(entry.path());
        for (std::sregex_iterator it(text.begin(), text.end(), anchor), end; it != end; ++it) {
            if (!std::regex_match(it->str(), onlyHref)) broken.push_back(it->str());
        }
        for (std::sregex_iterator it(text.begin(), text.end(), href), end; it != end; ++it) {
            std::string target = (*it)[2].matched   ? (*it)[2]
                                 : (*it)[3].matched ? (*it)[3]
                                                    : (*it)[4];
            if (target.empty() || target.find("://") != std::string::npos ||
                target.rfind("mailto:", 0) == 0 || target.front() == '#') {
                continue;
            }
            target = LinkedFile(target.substr(0, target.find('#')));
            if (!fs::exists(entry.path().parent_path() / target)) {
                broken.push_back(entry.path().filename().string() + " -> " + target);
            }
        }
    }
    return broken;
}

class SiteLinksTest : public SheetTest {
  protected:
    SiteLinksTest() {
        AddGame("pacman", "Pac-Man",
                {{"Manufacturer", "Namco"},
                 {"Genre", "Maze"},
                 {"Year", "1980"},
                 {"VerAdded", ".36"},
                 {"Working", "1"},
                 {"GotIt", "1"},
                 {"Category", "Maze / Pac"}});
        AddGame("puckman", "Puck Man", {{"Manufacturer", "Namco"}, {"CloneOf", "pacman"}});
        AddGame("1942", "1942", {{"Manufacturer", "Capcom / Nintendo"}, {"Year", "1984?"}});
        AddGame("eclair", "Éclair", {{"Manufacturer", "Éditions"}, {"Genre", "Shooter"}});
        AddGame("nomaker", "no maker");
        // Names in links: blanks, "=", quotes, "#" and "%" give no attribute of their own.
        AddGame("odd name=x\"y", "Odd \"one\"",
                {{"Manufacturer", "VEB Mikroelektronik \"Karl Marx\" Erfurt #1 100%"},
                 {"CloneOf", "odd parent\" x=y"},
                 {"Genre", "A \"B\" #2"}});
        AddGame("odd parent\" x=y", "Odd parent", {{"Year", "19\"80"}});
        AddRow("Rom",
               {{"InternalName", "pacman"}, {"RomName", "pacman.6e"}, {"Romcrc", "c1e6ab10"}});
        AddHistory({"pacman", "puckman"}, {{"Description", "A yellow\r\ncircle."}});
        AddRow("Versions", {{"VersionMame", "MAME v0.251"}, {"VersionArcanote", "1.0.0"}});
        CloseDatabase();
    }

    SheetWindowState BuildAndCheck(const std::string& skin) {
        TheSettings().DefaultSkin = skin;
        SheetWindowState window;
        window.Load(false);
        window.text1 = site;
        EXPECT_EQ(window.ComboText(), skin);
        EXPECT_TRUE(window.MakeWithoutQuestions().ok());
        int pages = 0;
        EXPECT_EQ(BrokenLinks(site, &pages), std::vector<std::string>{});
        EXPECT_GT(pages, 80);
        // No marker survives: every "#" left is a colour.
        const std::regex marker("#(?![0-9A-F]{6})[A-Z]{3,}");
        EXPECT_FALSE(std::regex_search(Page("pacman.htm"), marker)) << Page("pacman.htm");
        return window;
    }
};

TEST_F(SiteLinksTest, BuiltInSiteHasNoBrokenLinkAndEndsTheRun) {
    BuildAndCheck("");
    EXPECT_NE(Page("pacman.htm").find(">MAME v0.251 - Arcanote v1.0.0<"), std::string::npos);
    EXPECT_EQ(ui().opened, std::vector<std::string>{site + "index.htm"});
    EXPECT_EQ(ui().messages.back().text, "Done.");
    EXPECT_TRUE(ui().menusEnabled);
    EXPECT_FALSE(IsDatabaseOpen());
}

TEST_F(SiteLinksTest, ShippedSkinSiteHasNoBrokenLinkAndNamesTheEmulatorOnceInItsFooter) {
    fs::copy(BinDir() + "/html", home.str() + "html", fs::copy_options::recursive);
    BuildAndCheck("Marquee");
    const std::string page = Page("pacman.htm");
    EXPECT_NE(page.find("pacman.6e<br>"), std::string::npos);
    EXPECT_NE(page.find("A yellow<br>\r\ncircle."), std::string::npos);
    EXPECT_TRUE(PageExists("rom.css"));
    for (const std::string& shown : {page, ReadFile(site + "index.htm"), Page("STAT.htm")}) {
        EXPECT_NE(shown.find("<footer>MAME v0.251 &middot; Arcanote v1.0.0</footer>"),
                  std::string::npos)
            << shown;
    }
}

}  // namespace
}  // namespace arc::test
