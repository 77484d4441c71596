// zip-all --from DIR --to DIR [--delete-sources]: every sub-folder of DIR
// packed by myzip into one archive of the destination.

#include "cli/Commands.h"
#include "cli/ZipAllOptions.h"

namespace arc::cli {

int RunZipAllCommand(CliContext& context, const std::vector<std::string>& args) {
    ZipAllWindowState window;
    if (!ReadZipAllOptions("zip-all", args, window, context.err)) return 2;
    if (!window.ZipAllEnabled()) {
        context.err << "arcanote-cli zip-all: the packer myzip is not installed beside the "
                       "program\n";
        return 1;
    }
    window.ZipAll();
    return ZipAllExitCode(window, context.err);
}

}  // namespace arc::cli
