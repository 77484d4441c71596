#include <algorithm>
#include <optional>
#include <ostream>

#include "cli/Commands.h"
#include "cli/OutcomeReport.h"
#include "collection/Favourites.h"
#include "collection/SearchActions.h"
#include "core/ErrorGuard.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/Task.h"
#include "core/UiService.h"

namespace arc::cli {
namespace {

constexpr int kListProcedure = 693;

int Run(CliContext& context, const CommandArgs& args) {
    const std::string database = args.Value("--db").value_or(TheSettings().DatabasePath);
    TaskProgress unseen;
    TaskContext task(unseen, Ui());
    Outcome outcome;
    const bool change = args.Has("--add") || args.Has("--remove");
    if (change) {
        outcome = RunFavouritesChange({database, {}, args.Values("--add"), args.Values("--remove")},
                                      task);
        if (outcome.failed()) return ReportOutcome(context, "favourites", outcome);
    }
    if (args.Has("--export")) {
        FavouritesExportRequest request{database,
                                        {},
                                        args.Value("--to").value_or(""),
                                        args.Value("--folder").value_or("Favourites")};
        // The emulator's category folder, from its configuration.
        if (request.path.empty())
            request.path = FavouritesIniPath(ReadEmulatorOptions(DefaultEmulatorConfigSources()),
                                             TheSettings().MameFolder);
        const Outcome exported = RunFavouritesExport(request, task);
        ReportOutcome(context, "favourites: export", exported);
        if (!exported.ok()) return ExitCodeFor(exported);
    } else if (!change) {
        // Sets the database no longer has are kept, and marked.
        std::vector<std::string> sets, missing;
        const std::optional<std::string> error = GuardedFailure(kListProcedure, [&] {
            sets = ReadFavourites(database);
            missing = SetsNotIn(database, sets);
        });
        if (error) return ReportOutcome(context, "favourites", Outcome::Failure(*error));
        for (const std::string& set : sets) {
            const bool gone = std::find(missing.begin(), missing.end(), set) != missing.end();
            context.out << set << (gone ? "\tmissing" : "") << '\n';
        }
    }
    return ReportOutcome(context, "favourites", outcome);
}

}  // namespace

CliCommand FavouritesCommand() {
    return {"favourites",
            "list, mark and unmark the favourite games, and export them for the emulator",
            {},
            {{"--db", "FILE", "the database beside the user data (default: the settings' one)"},
             {"--add", "SET", "mark these sets as favourites", kRepeatable},
             {"--remove", "SET", "unmark these sets", kRepeatable},
             {"--export", "", "write the favourites as a folders INI file"},
             {"--to", "FILE",
              "the INI file (default: Favourites.ini in the emulator's category "
              "folder)",
              0, "--export"},
             {"--folder", "NAME", "the folder (section) of the INI file (default: Favourites)", 0,
              "--export"},
             {kOverwriteConsent, "", "replace an existing INI file", kConsent, "--export"}},
            Run};
}

}  // namespace arc::cli
