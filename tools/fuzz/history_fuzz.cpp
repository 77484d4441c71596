// libFuzzer target for the History.dat and history.xml importers: the input is
// imported as History.dat (read as history.xml when it looks like XML) into a
// fresh database holding a few sets.

#include <cstdint>
#include <string_view>

#include "FuzzSupport.h"
#include "core/Progress.h"
#include "importers/Importers.h"

using namespace arc;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // A long description is copied at every line (known, mended elsewhere).
    if (fuzz::LineCount(text) > 2000) return -1;
    fuzz::ResetForInput();
    const std::string path = fuzz::WriteInput("History.dat", text);
    fuzz::OpenFreshDatabase({"pacman", "puckman", "mspacman", "galaga", "dkong"});
    TaskProgress progress;
    ImportHistory(path, progress);
    fuzz::CloseFreshDatabase();
    return 0;
}
