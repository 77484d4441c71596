// notes write|copy: creates NOTES.TXT from the database (or shows where it
// is), or copies its notes into the database.

#include <ostream>

#include "cli/Commands.h"
#include "core/Settings.h"
#include "notes/Notes.h"

namespace arc::cli {

namespace {

int Run(CliContext& context, const CommandArgs& args) {
    if (auto database = args.Value("--db")) TheSettings().DatabasePath = *database;
    const std::string& action = args.Operand(0);
    const NotesOutcome outcome = action == "write" ? WriteGameNote() : CopyNotesToDatabase();
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

}  // namespace

CliCommand NotesCommand() {
    return {"notes",
            "write NOTES.TXT from the database, or copy its notes into the database",
            {{"write|copy", "write NOTES.TXT, or copy NOTES.TXT into the database"}},
            {{"--db", "FILE", "the database (default: the settings' one)"},
             {kReplaceNotesConsent, "",
              "write: discard the old Notes folder instead of bringing its notes in", kConsent}},
            Run};
}

}  // namespace arc::cli
