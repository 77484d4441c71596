// libFuzzer target for the INI importers (section lists, key lists, Mature,
// Catver, Wizsort): the first byte chooses the importer, the rest is the file,
// imported into a fresh database holding a few sets.

#include <array>
#include <cstdint>
#include <string_view>

#include "FuzzSupport.h"
#include "core/Progress.h"
#include "importers/Importers.h"

using namespace arc;

namespace {

constexpr std::array<Importer, 12> kImporters = {ImportResolution,  ImportAspect,   ImportYear,
                                                 ImportMultiplayer, ImportVersion,  ImportCategory,
                                                 ImportGenre,       ImportControls, ImportNPlayers,
                                                 ImportMature,      ImportCatver,   ImportWizsort};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return -1;
    fuzz::ResetForInput();
    const std::string path = fuzz::WriteInput("ini/input.ini", data + 1, size - 1);
    fuzz::OpenFreshDatabase({"pacman", "puckman", "mspacman", "galaga", "dkong"});
    TaskProgress progress;
    kImporters[data[0] % kImporters.size()](path, progress, nullptr);
    fuzz::CloseFreshDatabase();
    return 0;
}
