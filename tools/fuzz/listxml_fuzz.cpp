// libFuzzer target for the listxml scanner and the fast import: the input is
// tokenized as one game chunk, read by the attribute and history scanners,
// then imported as listxml.txt into a fresh database.

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "FuzzSupport.h"
#include "core/Progress.h"
#include "xmlimport/ListXmlImport.h"
#include "xmlimport/XmlScan.h"

using namespace arc;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ResetForInput();
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    KeyValueList pairs;
    pairs.Tokenize(text);
    const int shown = std::min(pairs.Count(), 200);
    for (int i = 1; i <= shown; ++i) {
        (void)pairs.Key(i);
        (void)pairs.Value(i);
        (void)pairs.ElementValue(i, "name");
        static constexpr std::string_view kKeys[] = {"rom_crc", "rom_size"};
        std::string_view values[2];
        pairs.LookupInGroup(i, "rom_name", "rom_", kKeys, values);
    }
    (void)pairs.LookupValue("name");
    (void)SplitHistorySections(text);

    const std::string path = fuzz::WriteInput("listxml.txt", text);
    fuzz::OpenFreshDatabase();
    TaskProgress progress;
    ImportListXmlFast(path, progress);
    fuzz::CloseFreshDatabase();
    return 0;
}
