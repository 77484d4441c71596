// unzip ARCHIVE [--to DIR] [--member NAME | --ext EXT] [--list]: the unzip
// entry points from the command line. Without --member or --ext every member
// is extracted with its folders. The destination defaults to the current folder.

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

constexpr const char* kUsage =
    "usage: unzip ARCHIVE [--to DIR] [--member NAME | --ext EXT] [--list]";

/// The unzip window on a terminal: the progress bar of the terminal UI.
class TerminalUnzipView final : public UnzipWindowView {
  public:
    void Show(const UnzipWindowState&) override {
        Progress().Total = 100;
        Progress().Done = 0;
        Ui().ShowProgressWindow();
    }
    void Refresh(const UnzipWindowState& window) override {
        Progress().Done = window.BarPercent();
        LetEventsRun();
    }
    void Unload() override { Ui().UnloadProgressWindow(); }
};

struct UnzipOptions {
    std::string archive;
    std::string destination;
    std::optional<std::string> member;
    std::optional<std::string> extension;
    bool list = false;
};

bool ParseOptions(const std::vector<std::string>& args, UnzipOptions& options, std::ostream& err) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--list") {
            options.list = true;
        } else if ((arg == "--to" || arg == "--member" || arg == "--ext") && hasValue) {
            const std::string& value = args[++i];
            if (arg == "--to") options.destination = value;
            if (arg == "--member") options.member = value;
            if (arg == "--ext") options.extension = value;
        } else if (arg.rfind("--", 0) != 0 && options.archive.empty()) {
            options.archive = arg;
        } else {
            err << "arcanote-cli unzip: unexpected '" << arg << "' (" << kUsage << ")\n";
            return false;
        }
    }
    if (options.archive.empty() || (options.member && options.extension)) {
        err << "arcanote-cli unzip: " << kUsage << '\n';
        return false;
    }
    return true;
}

/// The reader's last error, if any, on the error stream; true when there was one.
bool ReportLastError(std::ostream& err) {
    const std::string& error = ZipState().ZipLastError;
    if (!error.empty()) err << "arcanote-cli unzip: " << error << '\n';
    return !error.empty();
}

}  // namespace

int RunUnzipCommand(CliContext& context, const std::vector<std::string>& args) {
    UnzipOptions options;
    if (!ParseOptions(args, options, context.err)) return 2;
    ZipState().ZipLastError.clear();
    if (!FileExists(options.archive)) {
        context.err << "arcanote-cli unzip: " << options.archive << ": no such file\n";
        return 1;
    }

    if (options.list) {
        ZipListFiles(options.archive);
        for (int i = 1; i <= ZipState().ZipFileCount; ++i)
            context.out << ZipState().ZipFileList[static_cast<std::size_t>(i)] << '\n';
        return ReportLastError(context.err) ? 1 : 0;
    }

    std::string destination = options.destination.empty() ? std::filesystem::current_path().string()
                                                          : options.destination;
    TerminalUnzipView view;
    InstallUnzipWindowView(&view);
    int code = 0;
    if (options.member) {
        if (!UnzipFile(options.archive, *options.member, destination, false)) {
            if (!ReportLastError(context.err))
                context.err << "arcanote-cli unzip: no member named " << *options.member << " in "
                            << options.archive << '\n';
            code = 1;
        }
    } else if (options.extension) {
        const int count = UnzipByExtension(options.archive, *options.extension, destination, false);
        if (count < 0) {
            ReportLastError(context.err);
            context.err << "arcanote-cli unzip: no member ends with " << *options.extension
                        << " in " << options.archive << '\n';
            code = 1;
        } else {
            context.out << count << " file(s) extracted\n";
            if (ReportLastError(context.err)) code = 1;
        }
    } else {
        const bool done = UnzipAll(options.archive, destination, false);
        const bool reported = ReportLastError(context.err);
        if (!done && !reported)
            context.err << "arcanote-cli unzip: cannot extract " << options.archive << '\n';
        if (reported || !done) code = 1;
    }
    InstallUnzipWindowView(nullptr);
    return code;
}

}  // namespace arc::cli
