// Fuzz target for the audit's reading of a ROM set: the first byte chooses
// the form (ZIP from its directory, ZIP inflated for SHA-1, 7z, CHD header),
// the rest is the file, listed and hashed.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "audit/SetFiles.h"

using namespace arc;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return -1;
    fuzz::ResetForInput();
    const std::string folder = fuzz::WriteInput("roms/.keep", "");
    std::error_code ec;
    std::filesystem::remove_all(std::filesystem::path(folder).parent_path(), ec);
    const int form = data[0] % 4;
    if (form == 3) {
        std::string error;
        const auto sha1 =
            ChdSha1(fuzz::WriteInput("roms/pacman/disk.chd", data + 1, size - 1), error);
        if (sha1 ? sha1->size() != 40 : error.empty()) std::abort();
        return 0;
    }
    fuzz::WriteInput(form == 2 ? "roms/pacman.7z" : "roms/pacman.zip", data + 1, size - 1);
    const RomFolder roms(std::filesystem::path(folder).parent_path().string());
    if (!roms.Owns("PacMan")) std::abort();
    const SetFiles files = roms.Read("pacman", form == 1);
    for (const SetMember& member : files.members)
        if (!member.sha1.empty() && member.sha1.size() != 40) std::abort();
    return 0;
}
