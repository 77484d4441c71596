// Writes the empty template database (every table of the schema) to the path
// given as its argument; run by the build.

#include <iostream>
#include <string>

#include "database/Schema.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_template FILE\n";
        return 2;
    }
    std::string error;
    if (!arc::CreateTemplateDatabase(argv[1], &error)) {
        std::cerr << "make_template: " << error << '\n';
        return 1;
    }
    return 0;
}
