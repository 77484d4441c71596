// libFuzzer target for the DAT importers (Cheat.dat, Hiscore.dat, Command.dat,
// Mameinfo.dat): the first byte chooses the importer, the rest is the file,
// imported into a fresh database holding a few sets.

#include <array>
#include <cstdint>
#include <string_view>

#include "FuzzSupport.h"
#include "core/Progress.h"
#include "importers/Importers.h"

using namespace arc;

namespace {

constexpr std::array<Importer, 4> kImporters = {ImportCheat, ImportHiscore, ImportCommand,
                                                ImportMameinfo};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return -1;
    fuzz::ResetForInput();
    const std::string path = fuzz::WriteInput("dat/input.dat", data + 1, size - 1);
    fuzz::OpenFreshDatabase({"pacman", "puckman", "mspacman", "galaga", "dkong"});
    TaskProgress progress;
    kImporters[data[0] % kImporters.size()](path, progress, nullptr);
    fuzz::CloseFreshDatabase();
    return 0;
}
