// unzip ARCHIVE: the unzip entry points from the command line. Without --member
// or --ext every member is extracted with its folders.

#include <filesystem>
#include <optional>
#include <ostream>

#include "cli/Commands.h"
#include "core/Files.h"
#include "core/Progress.h"
#include "core/UiService.h"
#include "zip/UnzipWindowState.h"
#include "zip/ZipModule.h"

namespace arc::cli {
namespace {

/// The unzip window on a terminal: the progress bar of the terminal UI, in percent.
class TerminalUnzipView final : public UnzipWindowView {
  public:
    void Show(const UnzipWindowState&) override {
        progress_.emplace(100);
        Ui().ShowProgressWindow();
    }
    void Refresh(const UnzipWindowState& window) override {
        if (progress_) progress_->Step(window.BarPercent());
    }
    void Unload() override {
        Ui().UnloadProgressWindow();
        progress_.reset();
    }

  private:
    std::optional<WindowProgress> progress_;
};

/// The reader's last error, if any, on the error stream; true when there was one.
bool ReportLastError(std::ostream& err) {
    const std::string& error = ZipState().ZipLastError;
    if (!error.empty()) err << "arcanote-cli unzip: " << error << '\n';
    return !error.empty();
}

int Run(CliContext& context, const CommandArgs& args) {
    const std::string& archive = args.Operand(0);
    const std::optional<std::string> member = args.Value("--member");
    const std::optional<std::string> extension = args.Value("--ext");
    ZipState().ZipLastError.clear();
    if (!FileExists(archive)) {
        context.err << "arcanote-cli unzip: " << archive << ": no such file\n";
        return 1;
    }

    if (args.Has("--list")) {
        ZipListFiles(archive);
        for (int i = 1; i <= ZipState().ZipFileCount; ++i)
            context.out << ZipState().ZipFileList[static_cast<std::size_t>(i)] << '\n';
        return ReportLastError(context.err) ? 1 : 0;
    }

    std::string destination = args.Value("--to").value_or("");
    if (destination.empty()) destination = std::filesystem::current_path().string();
    TerminalUnzipView view;
    InstallUnzipWindowView(&view);
    int code = 0;
    if (member) {
        if (!UnzipFile(archive, *member, destination, false)) {
            if (!ReportLastError(context.err))
                context.err << "arcanote-cli unzip: no member named " << *member << " in "
                            << archive << '\n';
            code = 1;
        }
    } else if (extension) {
        const int count = UnzipByExtension(archive, *extension, destination, false);
        if (count < 0) {
            ReportLastError(context.err);
            context.err << "arcanote-cli unzip: no member ends with " << *extension << " in "
                        << archive << '\n';
            code = 1;
        } else {
            context.out << count << " file(s) extracted\n";
            if (ReportLastError(context.err)) code = 1;
        }
    } else {
        const bool done = UnzipAll(archive, destination, false);
        const bool reported = ReportLastError(context.err);
        if (!done && !reported)
            context.err << "arcanote-cli unzip: cannot extract " << archive << '\n';
        if (reported || !done) code = 1;
    }
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
