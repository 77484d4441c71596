// Fuzz target for vermame.txt: the emulator's version is read from the input,
// which is then gone.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "FuzzSupport.h"
#include "core/TextTable.h"
#include "pipeline/DatabaseBuild.h"

using namespace arc;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ResetForInput();
    const std::string path = fuzz::WriteInput("vermame.txt", data, size);
    const std::string version = ReadMameVersion();
    if (version.empty() || version.find('\n') != std::string::npos) std::abort();
    // A version read from the file is not read twice.
    if (version != Text(kTextUnknownValue) && std::filesystem::exists(path)) std::abort();
    return 0;
}
