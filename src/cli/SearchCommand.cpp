#include <iterator>
#include <optional>
#include <ostream>

#include "cli/Commands.h"
#include "cli/OutcomeReport.h"
#include "collection/Search.h"
#include "collection/SearchActions.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/Task.h"
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

/// A value in one TSV cell: tabs and line ends become spaces.
std::string TsvCell(std::string value) {
    for (char& c : value)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return value;
}

/// The results as the fixed-width lines, or as TSV with a header line.
void PrintResults(std::ostream& out, const std::vector<SearchResult>& results, bool tsv) {
    if (tsv) out << "set\ttitle\tyear\tmanufacturer\n";
    for (const SearchResult& result : results) {
        if (!tsv) {
            out << result.Line() << '\n';
            continue;
        }
        out << TsvCell(result.internalName) << '\t' << TsvCell(result.gameName) << '\t'
            << TsvCell(result.year) << '\t' << TsvCell(result.manufacturer) << '\n';
    }
}

/// Tells on stderr how one action on the results ended; false unless it did all its work.
bool Reported(CliContext& context, std::string_view action, const ArchiveActionOutcome& outcome) {
    if (!outcome.bothFormats.empty())
        context.err << "search: " << action << ": both a .zip and a .7z archive:";
    for (const std::string& set : outcome.bothFormats)
        context.err << ' ' << set;
    if (!outcome.bothFormats.empty()) context.err << '\n';
    if (outcome.ran)
        context.err << "search: " << action << ": " << outcome.done << " archive(s) done\n";
    if (outcome.ok() && !outcome.message.empty())
        context.err << "search: " << action << ": " << outcome.message << '\n';
    if (outcome.ok()) return true;
    Outcome told = outcome;
    if (!outcome.ran)
        told = Outcome::Failure(outcome.message.empty() ? "not done" : outcome.message);
    ReportOutcome(context, "search: " + std::string(action), told);
    return false;
}

/// Runs the actions asked for on the results; false when one of them failed.
bool RunActions(CliContext& context, const CommandArgs& args, const std::string& romsFolder,
                const std::vector<SearchResult>& results, TaskContext& task) {
    bool ok = true;
    if (const std::optional<std::string> ini = args.Value("--ini")) {
        const Outcome outcome =
            RunIniExport({results, args.Value("--folder").value_or(""), *ini}, task);
        if (!outcome.ok()) {
            ok = false;
            context.err << "search: the INI file was not written"
                        << (outcome.failed() ? ": " + outcome.message : std::string()) << '\n';
        }
    }
    auto act = [&](ArchiveAction action, std::string_view name, const std::string& folder) {
        ArchiveActionRequest request{action, results, romsFolder, folder, false, {}};
        if (action == ArchiveAction::Delete) {
            request.backup = args.Has("--backup");
            request.backupFolder = TheSettings().BackupFolder;
        }
        ok = Reported(context, name, RunArchiveAction(request, task)) && ok;
    };
    if (auto copyTo = args.Value("--copy-to")) act(ArchiveAction::Copy, "copy", *copyTo);
    if (auto moveTo = args.Value(kMoveConsent)) act(ArchiveAction::Move, "move", *moveTo);
    if (args.Has(kDeleteConsent)) act(ArchiveAction::Delete, "delete", {});
    return ok;
}

int Run(CliContext& context, const CommandArgs& args) {
    SearchRequest request;
    request.databasePath = args.Value("--db").value_or(TheSettings().DatabasePath);
    const std::string romsFolder = args.Value("--roms").value_or(TheSettings().RomsFolder);
    for (const CriterionOption& option : kCriterionOptions) {
        const std::optional<std::string> value = args.Value(option.option);
        if (!value) continue;
        SearchCombo& combo = request.combos[option.criterion];
        if (option.value.find('|') == std::string_view::npos)
            combo.text = *value;
        else
            combo.text = combo.items.at(option.value.starts_with(*value + '|') ? 1 : 2);
    }
    request.keyword = args.Value("--keyword").value_or("");
    if (args.Has("--text")) {
        request.fullText = true;
        request.keyword.clear();
        for (const std::string& word : args.Values("--text"))
            request.keyword += (request.keyword.empty() ? "" : " ") + word;
    }
    request.favouritesOnly = args.Has("--favourites");
    request.yearFrom = args.Value("--year-from").value_or("");
    request.yearTo = args.Value("--year-to").value_or("");
    const bool tsv = args.Value("--format") == "tsv";

    TaskProgress progress;
    TaskContext task(progress, Ui());
    SearchOutcome outcome = RunSearch(request, task);
    // In TSV, the query goes to stderr: stdout holds only the table.
    if (args.Has("--show-query") && !outcome.query.empty())
        (tsv ? context.err : context.out) << outcome.query << '\n';
    PrintResults(context.out, outcome.results, tsv);
    if (!outcome.ok()) {
        if (!outcome.failed()) outcome.message = "the search did not complete";
        outcome.message += "; no action was run";
        return ReportOutcome(context, "search", outcome);
    }
    return RunActions(context, args, romsFolder, outcome.results, task) ? 0 : 1;
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
        {"--text",
         "WORDS",
         "games whose History, Mameinfo or Command texts hold every word, best "
         "first",
         kRepeatable,
         {},
         "--keyword"},
        {"--favourites", "", "only the favourites"},
        {"--year-from", "YEAR", "games of this year or later"},
        {"--year-to", "YEAR", "games of this year or earlier"},
        {"--format", "lines|tsv",
         "the fixed-width lines (default), or tab-separated columns with "
         "a header line"},
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
