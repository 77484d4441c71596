#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv, argv + argc);
    return arc::cli::RunCli(args, std::cout, std::cerr);
}
