// unzip-all --from DIR --to DIR [--delete-sources]: every archive of DIR
// extracted into a sub-folder of the destination named after it.

#include "cli/Commands.h"
#include "cli/ZipAllOptions.h"

namespace arc::cli {

int RunUnzipAllCommand(CliContext& context, const std::vector<std::string>& args) {
    ZipAllWindowState window;
    if (!ReadZipAllOptions("unzip-all", args, window, context.err)) return 2;
    window.UnzipAll();
    return ZipAllExitCode(window, context.err);
}

}  // namespace arc::cli
