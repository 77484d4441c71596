// notes write|copy [--db FILE] [--replace-notes]: creates NOTES.TXT from the
// database (or shows where it is), or copies its notes into the database.

#include <ostream>

#include "cli/Commands.h"
#include "cli/TerminalUi.h"
#include "core/Settings.h"
#include "notes/Notes.h"

namespace arc::cli {

int RunNotesCommand(CliContext& context, const std::vector<std::string>& args) {
    std::string action;
    bool replaceNotes = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--db" && i + 1 < args.size()) {
            TheSettings().DatabasePath = args[++i];
        } else if (args[i] == kReplaceNotesConsent) {
            replaceNotes = true;
        } else if (action.empty() && (args[i] == "write" || args[i] == "copy")) {
            action = args[i];
        } else {
            context.err << "arcanote-cli notes: unexpected '" << args[i]
                        << "' (usage: notes write|copy [--db FILE] [--replace-notes])\n";
            return 2;
        }
    }
    if (action.empty()) {
        context.err << "arcanote-cli notes: say write or copy\n";
        return 2;
    }
    if (replaceNotes && context.ui) context.ui->GrantConsent(std::string(kReplaceNotesConsent));
    const NotesOutcome outcome = action == "write" ? WriteGameNote() : CopyNotesToDatabase(false);
    if (!outcome.done) {
        context.err << "arcanote-cli notes: " << action << " failed: " << outcome.failure << '\n';
        return 1;
    }
    if (action == "copy") {
        context.out << outcome.updated << " note(s) copied into " << TheSettings().DatabasePath
                    << '\n';
    }
    return 0;
}

}  // namespace arc::cli
