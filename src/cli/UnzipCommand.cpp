// unzip ARCHIVE: the unzip task from the command line. Without --member or
// --ext every member is extracted with its folders.

#include <filesystem>
#include <optional>
#include <ostream>
#include <vector>

#include "cli/Commands.h"
#include "cli/OutcomeReport.h"
#include "core/Progress.h"
#include "core/Task.h"
#include "core/UiService.h"
#include "zip/UnzipTask.h"

namespace arc::cli {
namespace {

/// The reader's errors on the error stream.
void ReportErrors(std::ostream& err, const std::vector<ZipError>& errors) {
    for (const ZipError& error : errors)
        err << "arcanote-cli unzip: " << DescribeZipError(error) << '\n';
}

int Run(CliContext& context, const CommandArgs& args) {
    UnzipRequest request;
    request.archive = args.Operand(0);
    if (args.Has("--list")) {
        request.action = UnzipAction::List;
    } else if (const std::optional<std::string> member = args.Value("--member")) {
        request.action = UnzipAction::ExtractMember;
        request.member = *member;
    } else if (const std::optional<std::string> extension = args.Value("--ext")) {
        request.action = UnzipAction::ExtractExtension;
        request.extension = *extension;
    }
    request.destination = args.Value("--to").value_or("");
    if (request.destination.empty() && request.action != UnzipAction::List)
        request.destination = std::filesystem::current_path().string();

    UnzipOutcome outcome;
    TaskProgress progress;
    Ui().RunTask(progress, [&](TaskContext& task) { outcome = RunUnzip(request, task); });
    const UnzipResult& result = outcome.result;
    ReportErrors(context.err, result.errors);
    switch (request.action) {
        case UnzipAction::List:
            for (const ZipMemberInfo& entry : outcome.members)
                context.out << entry.name << '\n';
            break;
        case UnzipAction::ExtractMember:
            if (result.matched == 0 && result.errors.empty())
                context.err << "arcanote-cli unzip: no member named " << request.member << " in "
                            << request.archive << '\n';
            break;
        case UnzipAction::ExtractExtension:
            if (result.matched == 0 && result.errors.empty())
                context.err << "arcanote-cli unzip: no member ends with " << request.extension
                            << " in " << request.archive << '\n';
            else if (result.matched > 0)
                context.out << result.written << " file(s) extracted\n";
            break;
        case UnzipAction::ExtractAll:
            if (result.errors.empty() && !result.completed)
                context.err << "arcanote-cli unzip: cannot extract " << request.archive << '\n';
            break;
    }
    return ExitCodeFor(outcome);
}

}  // namespace

CliCommand UnzipCommand() {
    return {"unzip",
            "extract an archive's members (every one with its folders, by default)",
            {{"ARCHIVE", "the .zip file"}},
            {{"--to", "DIR", "the destination (default: the current folder)"},
             {"--member", "NAME", "only this member, without its folders", 0, {}, "--ext"},
             {"--ext", "EXT", "only the members of this extension, without their folders"},
             {"--list", "", "print the members' names instead"}},
            Run};
}

}  // namespace arc::cli
