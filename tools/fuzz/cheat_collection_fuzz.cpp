// Fuzz target for the cheat collections: the first byte chooses the form
// (cheat.7z, cheat.zip, or a cheat/ folder whose sf2.xml is the input), the
// rest is the collection, read member by member.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "core/Progress.h"
#include "importers/CheatCollection.h"

using namespace arc;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return -1;
    fuzz::ResetForInput();
    static constexpr std::string_view kForms[] = {"cheat.7z", "cheat.zip", "cheat/sf2.xml"};
    const std::string_view form = kForms[data[0] % 3];
    std::error_code ec;
    std::filesystem::remove_all(fuzz::WriteInput("cheat/x", ""), ec);
    const std::string path = fuzz::WriteInput(form, data + 1, size - 1);
    const std::string collection = form.ends_with(".xml") ? path.substr(0, path.rfind('/')) : path;
    TaskProgress progress;
    ReadCheatCollection(collection, progress, [](std::string_view set) {
        if (set.empty() || set.find('/') != std::string_view::npos) std::abort();
    });
    return 0;
}
