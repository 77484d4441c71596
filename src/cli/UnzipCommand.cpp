// unzip ARCHIVE: the unzip entry points from the command line. Without --member
// or --ext every member is extracted with its folders.

#include <filesystem>
#include <optional>
#include <ostream>
#include <vector>

#include "cli/Commands.h"
#include "core/Files.h"
#include "core/Progress.h"
#include "core/Task.h"
#include "core/UiService.h"
#include "zip/Unzip.h"
#include "zip/UnzipWindowState.h"

namespace arc::cli {
namespace {

/// The unzip window on a terminal: its percent goes to the task's progress,
/// which the terminal UI draws.
class TerminalUnzipView final : public UnzipWindowView {
  public:
    explicit TerminalUnzipView(TaskProgress& progress) : progress_(progress) {}
    void Show(const UnzipWindowState&) override { progress_.SetTotal(100); }
    void Refresh(const UnzipWindowState& window) override { progress_.Step(window.BarPercent()); }
    void Unload() override {}

  private:
    TaskProgress& progress_;
};

/// The reader's errors on the error stream; true when there was one.
bool ReportErrors(std::ostream& err, const std::vector<ZipError>& errors) {
    for (const ZipError& error : errors)
        err << "arcanote-cli unzip: " << DescribeZipError(error) << '\n';
    return !errors.empty();
}

int Run(CliContext& context, const CommandArgs& args) {
    const std::string& archive = args.Operand(0);
    const std::optional<std::string> member = args.Value("--member");
    const std::optional<std::string> extension = args.Value("--ext");
    if (!FileExists(archive)) {
        context.err << "arcanote-cli unzip: "
                    << DescribeZipError({ZipErrorKind::ArchiveMissing, archive, {}}) << '\n';
        return 1;
    }

    if (args.Has("--list")) {
        const ZipListing listing = ListZip(archive);
        for (const ZipMemberInfo& entry : listing.members)
            context.out << entry.name << '\n';
        return ReportErrors(context.err, listing.errors) ? 1 : 0;
    }

    std::string destination = args.Value("--to").value_or("");
    if (destination.empty()) destination = std::filesystem::current_path().string();
    TaskProgress progress;
    TerminalUnzipView view(progress);
    InstallUnzipWindowView(&view);
    int code = 0;
    Ui().RunTask(progress, [&](TaskContext&) {
        if (member) {
            const UnzipResult result = UnzipFile(archive, *member, destination, true);
            ReportErrors(context.err, result.errors);
            if (result.matched == 0 && result.errors.empty())
                context.err << "arcanote-cli unzip: no member named " << *member << " in "
                            << archive << '\n';
            if (!result.ok() || result.written != 1) code = 1;
        } else if (extension) {
            const UnzipResult result = UnzipByExtension(archive, *extension, destination, true);
            ReportErrors(context.err, result.errors);
            if (result.matched == 0 && result.errors.empty()) {
                context.err << "arcanote-cli unzip: no member ends with " << *extension << " in "
                            << archive << '\n';
            } else if (result.matched > 0) {
                context.out << result.written << " file(s) extracted\n";
            }
            if (!result.ok()) code = 1;
        } else {
            const UnzipResult result = UnzipAll(archive, destination, true);
            if (!ReportErrors(context.err, result.errors) && !result.completed)
                context.err << "arcanote-cli unzip: cannot extract " << archive << '\n';
            if (!result.ok()) code = 1;
        }
    });
    InstallUnzipWindowView(nullptr);
    return code;
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
