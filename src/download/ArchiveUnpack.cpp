#include "download/ArchiveUnpack.h"

#include "zip/Unzip.h"

namespace arc {

int UnpackByExtension(const std::string& archive, std::string_view extension,
                      const std::string& folder, std::string& error) {
    const UnzipResult result = UnzipByExtension(archive, extension, folder);
    error = DescribeZipErrors(result.errors);
    return result.matched == 0 ? -1 : result.written;
}

}  // namespace arc
