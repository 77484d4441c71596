#include <array>
#include <ostream>

#include "build/UpdateWindowState.h"
#include "cli/Commands.h"
#include "cli/LoggedErrors.h"
#include "core/AppState.h"
#include "core/Settings.h"

namespace arc::cli {
namespace {

/// One option per box of the update window, in box order.
constexpr std::array<std::string_view, UpdateWindowState::kBoxes> kBoxOptions = {
    "--xml",     "--alltime",     "--aspect",   "--catlist",    "--catver",   "--genre",
    "--mature",  "--multiplayer", "--nplayers", "--resolution", "--wizsort",  "--cheat",
    "--command", "--controls",    "--hiscore",  "--history",    "--mameinfo", "--version-ini"};

int Run(CliContext& context, const CommandArgs& args) {
    UpdateWindowState window;
    window.Load();
    const bool all = args.Has("--all");
    bool anyBox = all;
    std::array<bool, UpdateWindowState::kBoxes> boxes{};
    for (std::size_t box = 0; box < kBoxOptions.size(); ++box) {
        boxes[box] = all || args.Has(kBoxOptions[box]);
        anyBox = anyBox || boxes[box];
    }
    if (auto database = args.Value("--db")) window.databasePath = *database;
    if (auto data = args.Value("--data")) window.useDefinedPaths = *data == "defined";
    // --mame is for this run only: the settings are saved when the window unloads.
    const std::string savedMame = TheSettings().MameExe;
    if (auto mame = args.Value("--mame")) TheSettings().MameExe = *mame;
    // Without box options the choices saved by the last update are used.
    if (anyBox) window.boxes = boxes;
    const int errorsBefore = State().ErrorCount;
    int code = 0;
    if (!window.Update()) {
        context.err << "update: the update did not complete\n";
        code = 1;
    }
    if (code == 0) code = ReportLoggedErrors(context, "update", errorsBefore);
    TheSettings().MameExe = savedMame;
    window.Unload();
    return code;
}

}  // namespace

CliCommand UpdateCommand() {
    CliCommand command{
        "update",
        "update the database from the sources chosen (default: those of the last update)",
        {},
        {{"--db", "FILE", "the database to update (default: the one of the last update)"},
         {"--mame", "EXE", "the emulator to run (this run only)"},
         {"--data", "defined|program",
          "support files from the folders of the settings or from the program folder"},
         {"--all", "", "every source below"}},
        Run};
    for (int box = 0; box < UpdateWindowState::kBoxes; ++box) {
        command.options.push_back(
            {kBoxOptions[box], "",
             box == 0 ? "the emulator's data (-listxml)" : UpdateWindowState::BoxCaption(box)});
    }
    return command;
}

}  // namespace arc::cli
