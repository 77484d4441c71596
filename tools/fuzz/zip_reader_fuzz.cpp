// libFuzzer target for the ZIP reader: every input is opened, listed and
// extracted into a scratch folder, which must end up holding only files
// under it. Built and run by tools/fuzz.sh zip_reader.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "zip/ZipReader.h"

namespace fs = std::filesystem;

namespace {

const std::string& Scratch() {
    static const std::string folder = [] {
        char pattern[] = "/tmp/arcanote-fuzz-XXXXXX";
        return std::string(mkdtemp(pattern));
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string archive = Scratch() + "/input.zip";
    const std::string out = Scratch() + "/out";
    if (FILE* file = std::fopen(archive.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    arc::ZipReader reader;
    if (reader.ZipOpen(archive)) {
        for (int i = 1; i <= reader.FileCount(); ++i) {
            (void)reader.FileName(i);
            (void)reader.FileDateAndTime(i);
        }
        reader.ExtractAllFiles(out, true, true);
        reader.ExtractSingleFile(1, out, false, true);
    }
    reader.ZipClose();
    // Nothing may appear beside the scratch folder's own two entries.
    for (const auto& entry : fs::directory_iterator(Scratch())) {
        const std::string name = entry.path().filename().string();
        if (name != "input.zip" && name != "out") std::abort();
    }
    std::error_code ec;
    fs::remove_all(out, ec);
    return 0;
}
