#include <iterator>
#include <optional>
#include <ostream>

#include "cli/Commands.h"
#include "cli/OneOffPaths.h"
#include "cli/TerminalUi.h"
#include "collection/SearchWindowState.h"
#include "core/Settings.h"
#include "core/UiService.h"

namespace arc::cli {
namespace {

/// The options that set a criterion combo, in the window's order. A choice
/// ("yes|no") picks the combo's item 1 or 2.
struct CriterionOption {
    std::string_view option;
    int criterion;
    std::string_view value;
    std::string_view help;
};
constexpr CriterionOption kCriterionOptions[] = {
    {"--year", kYearCriterion, "V", "the year"},
    {"--manufacturer", kManufacturerCriterion, "V", "the manufacturer"},
    {"--genre", kGenreCriterion, "V", "the genre"},
    {"--category", kCategoryCriterion, "V", "the category"},
    {"--players", kPlayersCriterion, "V", "the number of players"},
    {"--orientation", kOrientationCriterion, "V", "the screen orientation"},
    {"--available", kAvailableCriterion, "yes|no", "whether the ROMs are available"},
    {"--status", kStatusCriterion, "V", "the emulation status"},
    {"--buttons", kButtonsCriterion, "V", "the number of buttons"},
    {"--controls", kControlsCriterion, "V", "the controls"},
    {"--clones", kClonesCriterion, "only|none", "only the clones, or no clone"},
    {"--mature", kMatureCriterion, "only|none", "only the mature games, or none"},
    {"--driver", kDriverCriterion, "V", "the driver"},
    {"--bios", kBiosCriterion, "V", "the BIOS"},
};

/// Runs the actions asked for on the results; false when one of them failed.
bool RunActions(const CommandArgs& args, SearchWindowState& window, TerminalUi* terminal,
                std::ostream& err) {
    bool ok = true;
    if (const std::optional<std::string> ini = args.Value("--ini")) {
        if (terminal) terminal->nextFile = *ini;
        window.iniFolderName = args.Value("--folder").value_or("");
        if (!ExportResultsToIni(window.results, window.iniFolderName)) {
            ok = false;
            err << "search: the INI file was not written\n";
        }
    }
    auto check = [&](const ArchiveActionOutcome& outcome, std::string_view action) {
        if (outcome.ran && !outcome.cancelled && outcome.kept.empty()) return;
        ok = false;
        err << "search: " << action << ": "
            << (!outcome.ran ? std::string("not done")
                             : std::to_string(outcome.done) + " archive(s) done, " +
                                   std::to_string(outcome.kept.size()) + " kept" +
                                   (outcome.cancelled ? ", cancelled" : ""))
            << '\n';
    };
    auto transfer = [&](const std::string& folder, bool move) {
        if (terminal) terminal->nextFolder = folder;
        check(move ? window.MoveArchives() : window.CopyArchives(), move ? "move" : "copy");
    };
    if (auto copyTo = args.Value("--copy-to")) transfer(*copyTo, false);
    if (auto moveTo = args.Value(kMoveConsent)) transfer(*moveTo, true);
    if (args.Has(kDeleteConsent)) {
        window.backupChecked = args.Has("--backup");
        check(window.DeleteArchives(), "delete");
    }
    return ok;
}

int Run(CliContext& context, const CommandArgs& args) {
    const OneOffPaths oneOff;
    if (auto database = args.Value("--db")) TheSettings().DatabasePath = *database;
    if (auto roms = args.Value("--roms")) TheSettings().RomsFolder = *roms;

    SearchWindowState window;
    if (!window.Open()) return 1;
    for (const CriterionOption& option : kCriterionOptions) {
        const std::optional<std::string> value = args.Value(option.option);
        if (!value) continue;
        SearchCombo& combo = window.combos[option.criterion];
        if (option.value.find('|') == std::string_view::npos)
            combo.text = *value;
        else
            combo.text = combo.items.at(option.value.starts_with(*value + '|') ? 1 : 2);
    }
    window.keyword = args.Value("--keyword").value_or("");
    const bool found = window.Find();
    if (args.Has("--show-query")) context.out << window.lastQuery << '\n';
    for (const std::string& line : window.ResultLines())
        context.out << line << '\n';
    if (!found) {
        context.err << "search: the search did not complete; no action was run\n";
        return 1;
    }
    return RunActions(args, window, context.ui, context.err) ? 0 : 1;
}

}  // namespace

CliCommand SearchCommand() {
    CliCommand command{
        "search",
        "print the games matching the criteria, and act on their ROM archives",
        {},
        {{"--db", "FILE", "the database (this run only; default: the settings' one)"},
         {"--roms", "DIR", "the ROM folder (this run only; default: the settings' one)"}},
        Run};
    for (const CriterionOption& option : kCriterionOptions)
        command.options.push_back({option.option, option.value, option.help});
    const CliOption actions[] = {
        {"--keyword", "K", "a word of the title"},
        {"--show-query", "", "print the query first"},
        {"--ini", "FILE", "write the games found into this INI file"},
        {"--folder", "NAME", "the folder (section) of the INI file", 0, "--ini"},
        {kOverwriteConsent, "", "replace an existing INI file", kConsent, "--ini"},
        {"--copy-to", "DIR", "copy the games' archives into DIR"},
        {kMoveConsent, "DIR", "move the games' archives into DIR", kConsent, {}, kDeleteConsent},
        {kDeleteConsent, "", "trash the games' archives", kConsent},
        {"--backup", "", "copy the archives to the backup folder before trashing them", 0,
         kDeleteConsent},
    };
    command.options.insert(command.options.end(), std::begin(actions), std::end(actions));
    return command;
}

}  // namespace arc::cli
