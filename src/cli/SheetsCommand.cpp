// sheets: writes the HTML game sheets, as the sheet window's Make does, without
// the database question. A destination that is not empty is emptied (to the
// trash) only with --empty-destination; otherwise the pages are written over
// the ones of the same name and nothing else is touched. The run is made of
// the options alone; the settings give only the defaults of --db, --out and
// --skin, and the art folders, and are never changed.

#include <ostream>

#include "cli/Commands.h"
#include "cli/OutcomeReport.h"
#include "core/Files.h"
#include "core/ProgramFolder.h"
#include "core/Settings.h"
#include "sheets/SheetSkin.h"
#include "sheets/SheetText.h"
#include "sheets/SheetsTask.h"

namespace arc::cli {
namespace {

int KindIndex(std::string_view kind) {
    for (int k = 0; k < kArtKinds; ++k) {
        if (ToLowerAscii(kind) == ArtSheetFolders()[k]) return k;
    }
    return -1;
}

int Run(CliContext& context, const CommandArgs& args) {
    const Settings& settings = TheSettings();
    SheetsRequest request;
    request.databasePath = args.Value("--db").value_or(settings.DatabasePath);
    request.htmlFolder = args.Value("--out").value_or(settings.HtmlFolder);
    if (request.htmlFolder.empty())
        return UsageError(context.err, args.Command(), "no destination folder (--out DIR)");
    request.htmlFolder = WithTrailingSlash(request.htmlFolder);
    SheetChoices& choices = request.choices;
    choices.onlyAvailable = args.Has("--only-available");
    choices.avoidClones = args.Has("--no-clones");
    choices.avoidNonWorking = args.Has("--no-nonworking");
    choices.parentArtForClones = args.Has("--parent-art");
    choices.copyAllArt = args.Has("--copy-all-art");
    choices.substitutes = args.Has("--substitutes");
    for (const std::string& kind : args.Values("--no-copy")) {
        if (kind == "all") {
            choices.dontCopy.fill(true);
        } else if (int k = KindIndex(kind); k >= 0) {
            choices.dontCopy[k] = true;
        } else {
            return UsageError(context.err, args.Command(), "unknown art kind '" + kind + "'");
        }
    }
    const std::string skin = args.Value("--skin").value_or(settings.DefaultSkin);
    if (!skin.empty()) {
        const std::vector<SkinEntry> skins = ListSkins(InProgramFolder("html/"));
        for (const SkinEntry& entry : skins) {
            if (ToLowerAscii(entry.name) == ToLowerAscii(skin)) {
                request.skinName = entry.name;
                request.skinPath = entry.path;
            }
        }
        if (request.skinPath.empty() && args.Has("--skin")) {
            context.err << "arcanote-cli sheets: no skin named '" << skin << "'; skins:";
            for (const SkinEntry& entry : skins)
                context.err << ' ' << entry.name;
            context.err << '\n';
            return 2;
        }
    }
    request.artFolders = settings.ArtFolders;
    request.frenchPages = settings.Language == 1;
    request.tempFolder = FindTempFolder();
    request.programFolder = ProgramFolder();

    SheetsOutcome outcome = RunSheetsShown(request);
    if (outcome.ok() || outcome.partial()) context.out << outcome.indexPath << '\n';
    ReplaceAll(outcome.message, "\r\n", " ");  // one line on the terminal
    return ReportOutcome(context, "arcanote-cli sheets", outcome);
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
