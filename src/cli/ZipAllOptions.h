#pragma once
// Options shared by the zip-all and unzip-all commands.

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Cli.h"
#include "collection/ZipAllWindowState.h"
#include "core/Files.h"

namespace arc::cli {

/// --from DIR --to DIR [--delete-sources].
inline std::vector<CliOption> ZipAllOptions(std::string_view from, std::string_view to) {
    return {{"--from", "DIR", from, kRequired},
            {"--to", "DIR", to, kRequired},
            {"--delete-sources", "", "trash each source once it is done"}};
}

/// Fills the window from the options; false (with the missing folder on
/// `err`) when the source folder does not exist.
inline bool ReadZipAllOptions(std::string_view command, const CommandArgs& args,
                              ZipAllWindowState& window, std::ostream& err) {
    window.SourceText = *args.Value("--from");
    window.DestText = *args.Value("--to");
    window.DeleteWhenDone = args.Has("--delete-sources");
    if (FolderExists(window.SourceText)) return true;
    err << "arcanote-cli " << command << ": no such folder: " << window.SourceText << '\n';
    return false;
}

/// Lists the sources the run could not handle; the command's exit code.
inline int ZipAllExitCode(const ZipAllWindowState& window, std::ostream& err) {
    for (const std::string& source : window.FailedSources())
        err << "not done: " << source << '\n';
    return window.FailedSources().empty() ? 0 : 1;
}

}  // namespace arc::cli
