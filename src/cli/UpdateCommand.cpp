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

int BoxOf(std::string_view option) {
    for (std::size_t i = 0; i < kBoxOptions.size(); ++i)
        if (kBoxOptions[i] == option) return static_cast<int>(i);
    return -1;
}

}  // namespace

int RunUpdateCommand(CliContext& context, const std::vector<std::string>& args) {
    UpdateWindowState window;
    window.Load();
    bool anyBox = false;
    std::array<bool, UpdateWindowState::kBoxes> boxes{};
    int code = 0;
    // --mame is for this run only: the settings are saved when the window unloads.
    const std::string savedMame = TheSettings().MameExe;
    for (std::size_t i = 0; i < args.size() && code == 0; ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (const int box = BoxOf(arg); box >= 0) {
            boxes[box] = anyBox = true;
        } else if (arg == "--all") {
            boxes.fill(true);
            anyBox = true;
        } else if (arg == "--db" && hasValue) {
            window.databasePath = args[++i];
        } else if (arg == "--mame" && hasValue) {
            TheSettings().MameExe = args[++i];
        } else if (arg == "--data" && hasValue &&
                   (args[i + 1] == "defined" || args[i + 1] == "program")) {
            window.useDefinedPaths = args[++i] == "defined";
        } else {
            context.err << "update: unexpected argument '" << arg << "' (see --help)\n";
            code = 2;
        }
    }
    // Without box options the choices saved by the last update are used.
    if (anyBox) window.boxes = boxes;
    const int errorsBefore = State().ErrorCount;
    if (code == 0 && !window.Update()) {
        context.err << "update: the update did not complete\n";
        code = 1;
    }
    if (code == 0) code = ReportLoggedErrors(context, "update", errorsBefore);
    TheSettings().MameExe = savedMame;
    window.Unload();
    return code;
}

}  // namespace arc::cli
