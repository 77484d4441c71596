#pragma once
// Options shared by the zip-all and unzip-all commands.

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "collection/ZipAllWindowState.h"
#include "core/Files.h"

namespace arc::cli {

/// Fills the window from --from DIR --to DIR [--delete-sources]; false (with
/// the usage or the missing folder on `err`) when they are wrong.
inline bool ReadZipAllOptions(std::string_view command, const std::vector<std::string>& args,
                              ZipAllWindowState& window, std::ostream& err) {
    bool haveFrom = false, haveTo = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--from" && i + 1 < args.size()) {
            window.SourceText = args[++i];
            haveFrom = true;
        } else if (arg == "--to" && i + 1 < args.size()) {
            window.DestText = args[++i];
            haveTo = true;
        } else if (arg == "--delete-sources") {
            window.DeleteWhenDone = true;
        } else {
            haveFrom = haveTo = false;
            break;
        }
    }
    if (haveFrom && haveTo) {
        if (FolderExists(window.SourceText)) return true;
        err << "arcanote-cli " << command << ": no such folder: " << window.SourceText << '\n';
        return false;
    }
    err << "arcanote-cli " << command << ": usage: " << command
        << " --from DIR --to DIR [--delete-sources]\n";
    return false;
}

/// Lists the sources the run could not handle; the command's exit code.
inline int ZipAllExitCode(const ZipAllWindowState& window, std::ostream& err) {
    for (const std::string& source : window.FailedSources())
        err << "not done: " << source << '\n';
    return window.FailedSources().empty() ? 0 : 1;
}

}  // namespace arc::cli
