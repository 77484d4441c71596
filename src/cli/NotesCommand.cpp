// notes write|copy [--db FILE]: creates NOTES.TXT from the database (or shows
// where it is), or copies its notes into the database.

#include <ostream>

#include "cli/Commands.h"
#include "core/Settings.h"
#include "notes/Notes.h"

namespace arc::cli {

int RunNotesCommand(CliContext& context, const std::vector<std::string>& args) {
    std::string action;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--db" && i + 1 < args.size()) {
            TheSettings().DatabasePath = args[++i];
        } else if (action.empty() && (args[i] == "write" || args[i] == "copy")) {
            action = args[i];
        } else {
            context.err << "arcanote-cli notes: unexpected '" << args[i]
                        << "' (usage: notes write|copy [--db FILE])\n";
            return 2;
        }
    }
    if (action.empty()) {
        context.err << "arcanote-cli notes: say write or copy\n";
        return 2;
    }
    if (action == "write") {
        WriteGameNote();
        return 0;
    }
    const int updated = CopyNotesToDatabase(false);
    context.out << updated << " note(s) copied into " << TheSettings().DatabasePath << '\n';
    return 0;
}

}  // namespace arc::cli
