// libFuzzer target for the download list Arcanote.url.inf: the input is read
// over the default list; the list written back must read the same.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "FuzzSupport.h"
#include "download/DownloadList.h"

using namespace arc;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ResetForInput();
    const std::string path = fuzz::WriteInput("Arcanote.url.inf", data, size);
    DownloadList list = DefaultDownloadList();
    if (!ReadDownloadList(path, list)) return 0;
    if (!WriteDownloadList(path, list)) std::abort();
    DownloadList again = DefaultDownloadList();
    if (!ReadDownloadList(path, again)) std::abort();
    if (again.fileUrls != list.fileUrls || again.siteUrls != list.siteUrls) std::abort();
    return 0;
}
