// notes write|copy: creates NOTES.TXT from the database (or shows where it
// is), or copies its notes into the database.

#include <ostream>

#include "cli/Commands.h"
#include "cli/OutcomeReport.h"
#include "core/Settings.h"
#include "notes/Notes.h"

namespace arc::cli {

namespace {

int Run(CliContext& context, const CommandArgs& args) {
    // --db is for this run: the settings keep theirs.
    const NotesRequest request =
        NotesRequestFor(args.Value("--db").value_or(TheSettings().DatabasePath));
    const std::string& action = args.Operand(0);
    const NotesOutcome outcome =
        action == "write" ? WriteGameNote(request) : CopyNotesToDatabase(request);
    if (!outcome.ok()) {
        context.err << "arcanote-cli notes: " << action
                    << " failed: " << (outcome.cancelled() ? "cancelled" : outcome.message) << '\n';
        return ExitCodeFor(outcome);
    }
    if (action == "copy")
        context.out << outcome.updated << " note(s) copied into " << outcome.database << '\n';
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
