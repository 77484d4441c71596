#include "download/ArchiveUnpack.h"

#include "zip/ZipModule.h"

namespace arc {

int UnpackByExtension(const std::string& archive, std::string_view extension,
                      const std::string& folder, std::string& error) {
    // An error left by an earlier, unrelated call must not be reported for this archive.
    ZipState().ZipLastError.clear();
    const int count = UnzipByExtension(archive, extension, std::string_view(folder), true);
    error = ZipState().ZipLastError;
    ZipState().ZipLastError.clear();
    return count;
}

}  // namespace arc
