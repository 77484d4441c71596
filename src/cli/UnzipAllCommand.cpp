// unzip-all: every archive of the source extracted into a sub-folder of the
// destination named after it.

#include "cli/Commands.h"
#include "cli/ZipAllOptions.h"

namespace arc::cli {
namespace {

int Run(CliContext& context, const CommandArgs& args) {
    return RunZipAllTask(context, "unzip-all", RunUnzipAll, ZipAllRequestOf(args));
}

}  // namespace

CliCommand UnzipAllCommand() {
    return {"unzip-all",
            "extract each archive of a folder into a sub-folder named after it",
            {},
            ZipAllOptions("the folder of the archives", "the folder of the sub-folders"),
            Run};
}

}  // namespace arc::cli
