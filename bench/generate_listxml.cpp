// Writes a synthetic -listxml file of any size, for the import benchmark and
// for trying the import without the emulator.
//
//   generate_listxml OUT.xml --machines N
//   generate_listxml OUT.xml --megabytes M

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "SyntheticListXml.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: generate_listxml OUT.xml --machines N | --megabytes M\n";
        return 2;
    }
    const std::string unit = argv[2];
    const long amount = std::atol(argv[3]);
    if (amount <= 0 || (unit != "--machines" && unit != "--megabytes")) {
        std::cerr << "generate_listxml: give a positive --machines or --megabytes\n";
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    if (!out) {
        std::cerr << "generate_listxml: cannot write " << argv[1] << '\n';
        return 1;
    }
    arc::bench::SyntheticListXml xml;
    xml.WriteHeader(out);
    long machines = 0;
    const std::streamoff limit = static_cast<std::streamoff>(amount) << 20;
    while (unit == "--machines" ? machines < amount : out.tellp() < limit)
        xml.WriteMachine(out, machines++);
    xml.WriteFooter(out);
    out.close();
    if (!out) {
        std::cerr << "generate_listxml: write failed\n";
        return 1;
    }
    std::cout << machines << " machines written to " << argv[1] << '\n';
    return 0;
}
