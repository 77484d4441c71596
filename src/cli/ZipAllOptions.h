#pragma once
// Options shared by the zip-all and unzip-all commands.

#include <string>
#include <string_view>
#include <vector>

#include "cli/Cli.h"
#include "cli/OutcomeReport.h"
#include "collection/ZipAll.h"
#include "core/Progress.h"
#include "core/Task.h"
#include "core/UiService.h"

namespace arc::cli {

/// --from DIR --to DIR [--delete-sources].
inline std::vector<CliOption> ZipAllOptions(std::string_view from, std::string_view to) {
    return {{"--from", "DIR", from, kRequired},
            {"--to", "DIR", to, kRequired},
            {"--delete-sources", "", "trash each source once its result holds all of it"}};
}

inline ZipAllRequest ZipAllRequestOf(const CommandArgs& args) {
    return {*args.Value("--from"), *args.Value("--to"), {}, args.Has("--delete-sources")};
}

/// Runs the task, names the sources it could not handle, gives the exit code.
inline int RunZipAllTask(CliContext& context, std::string_view command,
                         ZipAllOutcome (*task)(const ZipAllRequest&, TaskContext&),
                         const ZipAllRequest& request) {
    ZipAllOutcome outcome =
        RunShown([&](TaskContext& taskContext) { return task(request, taskContext); });
    for (const std::string& source : outcome.unsound)
        context.err << "not done: " << source << '\n';
    if (outcome.partial()) outcome.message = std::to_string(outcome.notDone) + " source(s) kept";
    return ReportOutcome(context, command, outcome);
}

}  // namespace arc::cli
