// sheets: writes the HTML game sheets, as the sheet window's Make does, without
// the database question. A destination that is not empty is emptied (to the
// trash) only with --empty-destination; otherwise the pages are written over
// the ones of the same name and nothing else is touched.

#include <ostream>
#include <utility>

#include "cli/Commands.h"
#include "core/Files.h"
#include "core/Settings.h"
#include "sheets/SheetRun.h"
#include "sheets/SheetWindowState.h"

namespace arc::cli {
namespace {

int KindIndex(std::string_view kind) {
    for (int k = 0; k < kArtKinds; ++k) {
        if (ToLowerAscii(kind) == ArtSheetFolders()[k]) return k;
    }
    return -1;
}

int Run(CliContext& context, const CommandArgs& args) {
    SheetWindowState window;
    window.Load(false);
    if (auto database = args.Value("--db")) TheSettings().DatabasePath = *database;
    if (auto out = args.Value("--out")) window.text1 = WithTrailingSlash(*out);
    // The options tick boxes; the others keep their saved state.
    const std::pair<std::string_view, bool*> ticks[] = {
        {"--only-available", &window.check1[0]}, {"--no-clones", &window.check1[1]},
        {"--no-nonworking", &window.check1[8]},  {"--parent-art", &window.check2[6]},
        {"--copy-all-art", &window.check3},      {"--substitutes", &window.check4}};
    for (const auto& [option, box] : ticks)
        if (args.Has(option)) *box = true;
    for (const std::string& kind : args.Values("--no-copy")) {
        if (kind == "all") {
            for (int k = 0; k < kArtKinds; ++k)
                window.check2[k] = true;
        } else if (int k = KindIndex(kind); k >= 0) {
            window.check2[k] = true;
        } else {
            return UsageError(context.err, args.Command(), "unknown art kind '" + kind + "'");
        }
    }
    const std::optional<std::string> skin = args.Value("--skin");
    const bool skinGiven = skin.has_value();
    if (skinGiven) {
        if (!skin->empty() && !window.SelectSkin(*skin)) {
            context.err << "arcanote-cli sheets: no skin named '" << *skin << "'; skins:";
            for (const std::string& name : window.combo1) {
                if (!name.empty()) context.err << ' ' << name;
            }
            context.err << '\n';
            return 2;
        }
        if (skin->empty()) window.combo1Index = window.combo1.empty() ? -1 : 0;
    }
    if (window.text1.empty())
        return UsageError(context.err, args.Command(), "no destination folder (--out DIR)");

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

}  // namespace

CliCommand SheetsCommand() {
    return {
        "sheets",
        "write the HTML game sheets of the database",
        {},
        {{"--db", "FILE", "the database (default: the settings' one)"},
         {"--out", "DIR", "the destination folder (default: the settings' one)"},
         {"--skin", "NAME", "the skin of the pages"},
         {"--only-available", "", "only the games whose ROMs are available"},
         {"--no-clones", "", "leave out the clones"},
         {"--no-nonworking", "", "leave out the games that do not work"},
         {"--no-copy", "KIND",
          "do not copy this art: titles, snap, marquees, cabinets, cpanel, flyers or all",
          kRepeatable},
         {"--parent-art", "", "the original game's art for its clones"},
         {"--copy-all-art", "", "copy all the art files found"},
         {"--substitutes", "", "a replacement image where no image is found"},
         {kEmptyDestinationConsent, "", "trash what the destination folder holds first", kConsent}},
        Run};
}

}  // namespace arc::cli
