#pragma once
// The one place where a task's outcome becomes a command's exit code: 0 when
// the task did all its work, 1 otherwise (2, a usage error, is the parser's).

#include <ostream>
#include <string_view>

#include "cli/Cli.h"
#include "core/Task.h"

namespace arc::cli {

inline int ExitCodeFor(const Outcome& outcome) {
    return outcome.ok() ? 0 : 1;
}

/// Prints what the outcome says (its message on stdout when the task
/// succeeded, on stderr after the command's name otherwise) and gives the exit code.
inline int ReportOutcome(CliContext& context, std::string_view command, const Outcome& outcome) {
    if (outcome.ok()) {
        if (!outcome.message.empty()) context.out << outcome.message << '\n';
    } else if (outcome.cancelled()) {
        context.err << command << ": cancelled" << (outcome.message.empty() ? "" : ": ")
                    << outcome.message << '\n';
    } else {
        context.err << command << ": " << outcome.message << '\n';
    }
    return ExitCodeFor(outcome);
}

}  // namespace arc::cli
