#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sheets/SheetTemplates.h"

namespace arc {
namespace {

using LabelledLink = std::pair<std::string_view, std::string_view>;

std::string Link(std::string_view address, bool newWindow) {
    std::string text = "<a href=\"";
    text += address;
    text += newWindow ? "\" target=\"_blank\">" : "\">";
    text += address;
    text += "</a>";
    return text;
}

void AppendLines(std::string& page, const std::vector<LabelledLink>& lines, bool newWindow) {
    page += "<p>";
    for (const auto& [label, address] : lines) {
        if (address.empty()) {
            page += "<br>\r\n";
            continue;
        }
        page += label;
        if (!label.empty()) page += " ";
        page += Link(address, newWindow);
        page += "<br>\r\n";
    }
    page += "</p>\r\n";
}

}  // namespace

std::string DefaultLinksPage() {
    const std::vector<LabelledLink> dataFiles = {
        {"Cheat.dat :", "https://www.mamecheat.co.uk/"},
        {"Command.dat:", "https://www.progettosnaps.net/dats/"},
        {"Hiscore.dat : ", "https://github.com/mamedev/mame/tree/master/plugins/hiscore"},
        {"History.dat:", "https://www.arcade-history.com/"},
        {"Mameinfo.dat : ", "https://www.mameworld.info/mameinfo/"},
    };
    const std::vector<LabelledLink> iniFiles = {
        {"Alltime.ini (fichier mame32-inifiles x .zip) :",
         "https://www.progettosnaps.net/support/"},
        {"Aspect.ini (fichier cat32.zip) :", "https://www.progettosnaps.net/support/"},
        {"Catlist.ini : ", "https://www.progettosnaps.net/catver/"},
        {"Catver.ini : ", "https://www.progettosnaps.net/catver/"},
        {"Controls.ini:", "https://github.com/yo1dog/controls-dat"},
        {"Genre.ini (fichier cat32.zip) :", "https://www.progettosnaps.net/support/"},
        {"Mature.ini (fichier cat32.zip) :", "https://www.progettosnaps.net/support/"},
        {"Multiplayer.ini : ", "https://www.progettosnaps.net/support/"},
        {"Nplayers.ini : ", "http://nplayers.arcadebelgium.be/"},
        {"Resolution.ini : (fichier cat32.zip) :", "https://www.progettosnaps.net/support/"},
        {"Version.ini (fichier cat32.zip) :", "https://www.progettosnaps.net/support/"},
        {"Wizsort.ini : ", "https://www.progettosnaps.net/support/"},
    };
    const std::vector<LabelledLink> emulators = {
        {"MAME :", "https://www.mamedev.org/"},
        {"MAME32 : ", "https://messui.1emulation.com/"},
    };
    const std::vector<LabelledLink> communities = {
        {"", "https://www.mameworld.info/"},
        {"(français)", "https://www.emu-france.com/"},
    };
    const std::vector<LabelledLink> sites = {
        {"", "https://www.arcade-museum.com/"},
        {"", "https://www.system16.com/"},
        {"", "https://adb.arcadeitalia.net/"},
        {"", "https://www.progettosnaps.net/"},
        {"", "https://docs.mamedev.org/"},
        {"", "https://github.com/mamedev/mame"},
        {"", "https://www.arcadecontrols.com/"},
        {"", "https://forum.arcadecontrols.com/"},
        {"", "https://www.emulab.it/"},
        {"", "https://www.mobygames.com/"},
        {"", "https://www.gamesdatabase.org/"},
        {"", "https://flyers.arcade-museum.com/"},
        {"", "https://www.libretro.com/"},
        {"", "https://www.zophar.net/"},
        {"", ""},
        {"", "https://www.retroarch.com/"},
        {"", "https://www.attractmode.org/"},
        {"", "https://www.launchbox-app.com/"},
        {"", "https://www.vgmuseum.com/"},
        {"", "https://www.arcadeblogger.com/"},
    };

    std::string page = "<html><head><title>Index</title></head><body>\r\n";
    AppendLines(page, dataFiles, true);
    AppendLines(page, iniFiles, true);
    AppendLines(page, emulators, false);
    AppendLines(page, communities, false);
    AppendLines(page, sites, false);
    page += "</body></html>";
    return page;
}

}  // namespace arc
