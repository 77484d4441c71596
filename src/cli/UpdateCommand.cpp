#include <array>
#include <ostream>

#include "cli/Commands.h"
#include "cli/LoggedErrors.h"
#include "core/AppState.h"
#include "core/Settings.h"
#include "pipeline/UpdateWindowState.h"

namespace arc::cli {
namespace {

constexpr std::string_view kEmulatorOption = "--xml";

/// The option of each box: --xml, then the catalogue's update options.
std::string_view BoxOption(int box) {
    return box == 0 ? kEmulatorOption : RowOf(UpdateWindowState::BoxFile(box)).option;
}

int Run(CliContext& context, const CommandArgs& args) {
    UpdateWindowState window;
    window.Load();
    const bool all = args.Has("--all");
    bool anyBox = all;
    std::array<bool, UpdateWindowState::kBoxes> boxes{};
    for (int box = 0; box < UpdateWindowState::kBoxes; ++box) {
        boxes[box] = all || args.Has(BoxOption(box));
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
        // The help is a view: the catalogue's caption, never a temporary string.
        command.options.push_back({BoxOption(box), "",
                                   box == 0 ? std::string_view("the emulator's data (-listxml)")
                                            : RowOf(UpdateWindowState::BoxFile(box)).caption});
    }
    return command;
}

}  // namespace arc::cli
