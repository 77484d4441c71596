// zip-all: every sub-folder of the source packed by myzip into one archive of
// the destination.

#include "cli/Commands.h"
#include "cli/ZipAllOptions.h"

namespace arc::cli {
namespace {

int Run(CliContext& context, const CommandArgs& args) {
    ZipAllRequest request = ZipAllRequestOf(args);
    request.packer = FindPacker(DefaultPackerFolders());
    return RunZipAllTask(context, "zip-all", RunZipAll, request);
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
