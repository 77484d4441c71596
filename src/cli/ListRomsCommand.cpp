#include <ostream>

#include "cli/Commands.h"
#include "cli/OneOffPaths.h"
#include "cli/TerminalUi.h"
#include "collection/ListMyRoms.h"
#include "core/Settings.h"
#include "core/TextTable.h"

namespace arc::cli {

int RunListRomsCommand(CliContext& context, const std::vector<std::string>& args) {
    const OneOffPaths oneOff;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if ((arg == "--db" || arg == "--roms") && i + 1 < args.size()) {
            (arg == "--db" ? TheSettings().DatabasePath : TheSettings().RomsFolder) = args[++i];
        } else {
            context.err << "list-roms: unexpected argument '" << arg
                        << "' (usage: list-roms [--db FILE] [--roms DIR])\n";
            return 2;
        }
    }
    // The database of --db (or of the settings) is the one the chooser confirms.
    if (context.ui) context.ui->nextFile = TheSettings().DatabasePath;
    const ListMyRomsSummary summary = ListMyRoms();
    if (!summary.finished) {
        context.err << "list-roms: "
                    << (summary.cancelled ? "cancelled" : "the ROM folder was not scanned") << " ("
                    << summary.scanned << " entries scanned)\n";
        return 1;
    }
    context.out << Text(92) << '\n'
                << summary.scanned << Text(114) << '\n'
                << summary.listed << Text(115) << '\n';
    return 0;
}

}  // namespace arc::cli
