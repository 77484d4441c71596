// Fuzz target for the document-model listxml import: the input is imported as
// listxml.txt into a fresh database.

#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "core/Progress.h"
#include "xmlimport/ListXmlImport.h"

using namespace arc;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ResetForInput();
    const std::string path = fuzz::WriteInput("listxml.txt", data, size);
    fuzz::OpenFreshDatabase();
    TaskProgress progress;
    (void)ImportListXmlDocument(path, progress);
    fuzz::CloseFreshDatabase();
    return 0;
}
