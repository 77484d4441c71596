// sheets: writes the HTML game sheets, as the sheet window's Make does, without
// the database question. A destination that is not empty is emptied (to the
// trash) only with --empty-destination; otherwise the pages are written over
// the ones of the same name and nothing else is touched.

#include <ostream>

#include "cli/Commands.h"
#include "cli/TerminalUi.h"
#include "core/Files.h"
#include "core/Settings.h"
#include "sheets/SheetRun.h"
#include "sheets/SheetWindowState.h"

namespace arc::cli {
namespace {

constexpr std::string_view kUsage =
    "usage: sheets [--db FILE] [--out DIR] [--skin NAME] [--only-available] [--no-clones] "
    "[--no-nonworking] [--no-copy KIND...] [--parent-art] [--copy-all-art] [--substitutes] "
    "[--empty-destination]\n  KIND: titles snap marquees cabinets cpanel flyers all";

int KindIndex(std::string_view kind) {
    for (int k = 0; k < kArtKinds; ++k) {
        if (ToLowerAscii(kind) == ArtSheetFolders()[k]) return k;
    }
    return -1;
}

}  // namespace

int RunSheetsCommand(CliContext& context, const std::vector<std::string>& args) {
    auto usage = [&](const std::string& problem) {
        context.err << "arcanote-cli sheets: " << problem << '\n' << kUsage << '\n';
        return 2;
    };
    SheetWindowState window;
    window.Load(false);
    std::string skin;
    bool skinGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& target) {
            if (i + 1 >= args.size()) return false;
            target = args[++i];
            return true;
        };
        if (arg == "--db") {
            if (!value(TheSettings().DatabasePath)) return usage("--db needs a file");
        } else if (arg == "--out") {
            if (!value(window.text1)) return usage("--out needs a folder");
            window.text1 = WithTrailingSlash(window.text1);
        } else if (arg == "--skin") {
            if (!value(skin)) return usage("--skin needs a name");
            skinGiven = true;
        } else if (arg == "--only-available") {
            window.check1[0] = true;
        } else if (arg == "--no-clones") {
            window.check1[1] = true;
        } else if (arg == "--no-nonworking") {
            window.check1[8] = true;
        } else if (arg == "--no-copy") {
            int kinds = 0;
            while (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) {
                const std::string& kind = args[++i];
                if (kind == "all") {
                    for (int k = 0; k < kArtKinds; ++k)
                        window.check2[k] = true;
                } else if (int k = KindIndex(kind); k >= 0) {
                    window.check2[k] = true;
                } else {
                    return usage("unknown art kind '" + kind + "'");
                }
                ++kinds;
            }
            if (kinds == 0) return usage("--no-copy needs at least one art kind");
        } else if (arg == "--parent-art") {
            window.check2[6] = true;
        } else if (arg == "--copy-all-art") {
            window.check3 = true;
        } else if (arg == "--substitutes") {
            window.check4 = true;
        } else if (arg == kEmptyDestinationConsent) {
            if (context.ui) context.ui->GrantConsent(std::string(kEmptyDestinationConsent));
        } else {
            return usage("unknown option '" + arg + "'");
        }
    }
    if (skinGiven) {
        if (!skin.empty() && !window.SelectSkin(skin)) {
            context.err << "arcanote-cli sheets: no skin named '" << skin << "'; skins:";
            for (const std::string& name : window.combo1) {
                if (!name.empty()) context.err << ' ' << name;
            }
            context.err << '\n';
            return 2;
        }
        if (skin.empty()) window.combo1Index = window.combo1.empty() ? -1 : 0;
    }
    if (window.text1.empty()) return usage("no destination folder (--out DIR)");

    const SheetRunResult result = window.MakeWithoutQuestions();
    if (!result.completed) {
        context.err << "arcanote-cli sheets: "
                    << (!result.databaseOpened
                            ? "cannot open the database " + TheSettings().DatabasePath
                        : result.emptySelection ? std::string("no game matches these options")
                        : result.failed         ? "failed: " + result.failure
                                                : std::string("cancelled"))
                    << '\n';
        return 1;
    }
    context.out << TheSettings().HtmlFolder << "index.htm\n";
    return 0;
}

}  // namespace arc::cli
