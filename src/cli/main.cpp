#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "core/SignalCleanup.h"

int main(int argc, char** argv) {
    // Ctrl+C or a kill leaves no temporary file behind (a download, a page).
    arc::InstallSignalCleanup();
    std::vector<std::string> args(argv, argv + argc);
    return arc::cli::RunCli(args, std::cout, std::cerr);
}
