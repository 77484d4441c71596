// zip-all: every sub-folder of the source packed by myzip into one archive of
// the destination.

#include "cli/Commands.h"
#include "cli/ZipAllOptions.h"

namespace arc::cli {
namespace {

int Run(CliContext& context, const CommandArgs& args) {
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

}  // namespace

CliCommand ZipAllCommand() {
    return {"zip-all",
            "pack each sub-folder of a folder into an archive of its own",
            {},
            ZipAllOptions("the folder of the sub-folders", "the folder of the archives"),
            Run};
}

}  // namespace arc::cli
