#include <map>
#include <optional>
#include <ostream>

#include "cli/Commands.h"
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
    "[--bios V] [--keyword K] [--show-query] [--ini FILE --folder NAME] [--copy-to DIR] "
    "[--move-to DIR] [--delete [--backup]]";

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
    if (request.backup && !request.erase) return "--backup goes with --delete";
    if (request.moveTo && request.erase) return "--move-to and --delete exclude each other";
    return std::nullopt;
}

/// Runs the actions asked for on the results; false when one of them failed.
bool RunActions(const SearchRequest& request, SearchWindowState& window, TerminalUi* terminal) {
    bool ok = true;
    if (request.ini) {
        if (terminal) terminal->nextFile = *request.ini;
        window.iniFolderName = request.folder.value_or("");
        ok = ExportResultsToIni(window.results, window.iniFolderName) && ok;
    }
    auto transfer = [&](const std::string& folder, bool move) {
        if (terminal) terminal->nextFolder = folder;
        const ArchiveActionOutcome outcome = move ? window.MoveArchives() : window.CopyArchives();
        ok = ok && outcome.ran && outcome.kept.empty();
    };
    if (request.copyTo) transfer(*request.copyTo, false);
    if (request.moveTo) transfer(*request.moveTo, true);
    if (request.erase) {
        window.backupChecked = request.backup;
        const ArchiveActionOutcome outcome = window.DeleteArchives();
        ok = ok && outcome.ran && outcome.kept.empty();
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
    if (request.db) TheSettings().DatabasePath = *request.db;
    if (request.roms) TheSettings().RomsFolder = *request.roms;

    SearchWindowState window;
    if (!window.Open()) return 1;
    for (const auto& [criterion, text] : request.values)
        window.combos[criterion].text = text;
    for (const auto& [criterion, item] : request.choices)
        window.combos[criterion].text = window.combos[criterion].items.at(item);
    window.keyword = request.keyword;
    window.Find();
    if (request.showQuery) context.out << window.lastQuery << '\n';
    for (const std::string& line : window.ResultLines())
        context.out << line << '\n';

    return RunActions(request, window, dynamic_cast<TerminalUi*>(&Ui())) ? 0 : 1;
}

}  // namespace arc::cli
