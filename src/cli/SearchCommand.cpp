#include <map>
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

constexpr std::string_view kUsage =
    "usage: search [--db FILE] [--roms DIR] [--year V] [--manufacturer V] [--genre V] "
    "[--category V] [--players V] [--orientation V] [--available yes|no] [--status V] "
    "[--buttons V] [--controls V] [--clones only|none] [--mature only|none] [--driver V] "
    "[--bios V] [--keyword K] [--show-query] [--ini FILE --folder NAME [--overwrite]] "
    "[--copy-to DIR] [--move-to DIR] [--delete [--backup]]";

const std::map<std::string_view, int>& ValueOptions() {
    static const std::map<std::string_view, int> options = {
        {"--year", kYearCriterion},         {"--manufacturer", kManufacturerCriterion},
        {"--genre", kGenreCriterion},       {"--category", kCategoryCriterion},
        {"--players", kPlayersCriterion},   {"--orientation", kOrientationCriterion},
        {"--status", kStatusCriterion},     {"--buttons", kButtonsCriterion},
        {"--controls", kControlsCriterion}, {"--driver", kDriverCriterion},
        {"--bios", kBiosCriterion},
    };
    return options;
}

/// The fixed choices: option, criterion, the word for item 1, the word for item 2.
struct ChoiceOption {
    std::string_view option;
    int criterion;
    std::string_view first;
    std::string_view second;
};
constexpr ChoiceOption kChoiceOptions[] = {
    {"--available", kAvailableCriterion, "yes", "no"},
    {"--clones", kClonesCriterion, "only", "none"},
    {"--mature", kMatureCriterion, "only", "none"},
};

struct SearchRequest {
    std::optional<std::string> db, roms;
    std::map<int, std::string> values;  ///< criterion -> combo text
    std::map<int, int> choices;         ///< criterion -> item 1 or 2
    std::string keyword;
    bool showQuery = false;
    bool overwrite = false;
    std::optional<std::string> ini, folder, copyTo, moveTo;
    bool erase = false;
    bool backup = false;
};

/// Parses the options; an error message when they are wrong.
std::optional<std::string> Parse(const std::vector<std::string>& args, SearchRequest& request) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto next = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size()) return std::nullopt;
            return args[++i];
        };
        if (arg == "--show-query") {
            request.showQuery = true;
            continue;
        }
        if (arg == "--overwrite") {
            request.overwrite = true;
            continue;
        }
        if (arg == "--delete") {
            request.erase = true;
            continue;
        }
        if (arg == "--backup") {
            request.backup = true;
            continue;
        }
        const ChoiceOption* choice = nullptr;
        for (const ChoiceOption& option : kChoiceOptions)
            if (option.option == arg) choice = &option;
        std::optional<std::string> value = next();
        if (!value) return arg + " needs a value";
        if (choice) {
            if (*value == choice->first) {
                request.choices[choice->criterion] = 1;
            } else if (*value == choice->second) {
                request.choices[choice->criterion] = 2;
            } else {
                return arg + " takes " + std::string(choice->first) + " or " +
                       std::string(choice->second);
            }
        } else if (auto found = ValueOptions().find(arg); found != ValueOptions().end()) {
            request.values[found->second] = *value;
        } else if (arg == "--db") {
            request.db = value;
        } else if (arg == "--roms") {
            request.roms = value;
        } else if (arg == "--keyword") {
            request.keyword = *value;
        } else if (arg == "--ini") {
            request.ini = value;
        } else if (arg == "--folder") {
            request.folder = value;
        } else if (arg == "--copy-to") {
            request.copyTo = value;
        } else if (arg == "--move-to") {
            request.moveTo = value;
        } else {
            return "unexpected argument '" + arg + "'";
        }
    }
    if (request.folder && !request.ini) return "--folder goes with --ini";
    if (request.overwrite && !request.ini) return "--overwrite goes with --ini";
    if (request.backup && !request.erase) return "--backup goes with --delete";
    if (request.moveTo && request.erase) return "--move-to and --delete exclude each other";
    return std::nullopt;
}

/// Runs the actions asked for on the results; false when one of them failed.
bool RunActions(const SearchRequest& request, SearchWindowState& window, TerminalUi* terminal,
                std::ostream& err) {
    bool ok = true;
    if (request.ini) {
        if (terminal) terminal->nextFile = *request.ini;
        window.iniFolderName = request.folder.value_or("");
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
    if (request.copyTo) transfer(*request.copyTo, false);
    if (request.moveTo) transfer(*request.moveTo, true);
    if (request.erase) {
        window.backupChecked = request.backup;
        check(window.DeleteArchives(), "delete");
    }
    return ok;
}

}  // namespace

int RunSearchCommand(CliContext& context, const std::vector<std::string>& args) {
    SearchRequest request;
    if (std::optional<std::string> error = Parse(args, request)) {
        context.err << "search: " << *error << '\n' << kUsage << '\n';
        return 2;
    }
    const OneOffPaths oneOff;
    if (request.db) TheSettings().DatabasePath = *request.db;
    if (request.roms) TheSettings().RomsFolder = *request.roms;
    // The archive options are the user's explicit consent to delete or move.
    if (context.ui) {
        if (request.erase) context.ui->GrantConsent(std::string(kDeleteConsent));
        if (request.moveTo) context.ui->GrantConsent(std::string(kMoveConsent));
        if (request.overwrite) context.ui->GrantConsent(std::string(kOverwriteConsent));
    }

    SearchWindowState window;
    if (!window.Open()) return 1;
    for (const auto& [criterion, text] : request.values)
        window.combos[criterion].text = text;
    for (const auto& [criterion, item] : request.choices)
        window.combos[criterion].text = window.combos[criterion].items.at(item);
    window.keyword = request.keyword;
    const bool found = window.Find();
    if (request.showQuery) context.out << window.lastQuery << '\n';
    for (const std::string& line : window.ResultLines())
        context.out << line << '\n';
    if (!found) {
        context.err << "search: the search did not complete; no action was run\n";
        return 1;
    }
    return RunActions(request, window, context.ui, context.err) ? 0 : 1;
}

}  // namespace arc::cli
