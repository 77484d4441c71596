#include "download/Downloader.h"

#include <curl/curl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <mutex>

#include "core/Files.h"
#include "core/Version.h"

namespace arc {
namespace {

constexpr std::size_t kHeadBytes = 512;

struct Transfer {
    std::FILE* file = nullptr;
    std::uint64_t bytes = 0;
    std::string head;  ///< the first bytes of the body, to recognise what came
    bool writeFailed = false;
    const DownloadOptions* options = nullptr;
};

std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    const std::size_t length = size * count;
    if (transfer->head.size() < kHeadBytes)
        transfer->head.append(data, std::min(length, kHeadBytes - transfer->head.size()));
    if (std::fwrite(data, 1, length, transfer->file) != length) {
        transfer->writeFailed = true;
        return 0;  // stops the transfer
    }
    transfer->bytes += length;
    return length;
}

int OnProgress(void* user, curl_off_t expected, curl_off_t received, curl_off_t, curl_off_t) {
    auto* transfer = static_cast<Transfer*>(user);
    if (transfer->options->progress)
        transfer->options->progress(static_cast<std::uint64_t>(received),
                                    static_cast<std::uint64_t>(expected));
    return 0;
}

void InitCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           ToLowerAscii(text.substr(text.size() - suffix.size())) == suffix;
}

bool LooksLikeHtml(std::string_view head) {
    std::size_t start = 0;
    if (head.substr(0, 3) == "\xEF\xBB\xBF") start = 3;
    while (start < head.size() && std::isspace(static_cast<unsigned char>(head[start])))
        ++start;
    const std::string lower = ToLowerAscii(head.substr(start, 20));
    return lower.starts_with("<!doctype html") || lower.starts_with("<html");
}

/// Why a body that arrived whole is still not the file the name promises ("" when fine).
std::string WrongContent(const std::string& target, std::string_view head) {
    const bool zip = EndsWithNoCase(target, ".zip");
    if (zip && !(head.starts_with("PK\x03\x04") || head.starts_with("PK\x05\x06")))
        return "not a ZIP archive";
    if ((zip || EndsWithNoCase(target, ".dat") || EndsWithNoCase(target, ".ini")) &&
        LooksLikeHtml(head))
        return "an HTML page came instead of the file";
    return {};
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string SafeBaseNameFromUrl(std::string_view url) {
    std::string_view text = Trim(url);
    if (std::size_t cut = text.find_first_of("?#"); cut != std::string_view::npos)
        text = text.substr(0, cut);
    // Skip "scheme://host" so that a bare host name is not taken for a file.
    if (std::size_t scheme = text.find("://"); scheme != std::string_view::npos) {
        std::string_view rest = text.substr(scheme + 3);
        std::size_t path = rest.find_first_of("/\\");
        if (path == std::string_view::npos) return {};
        text = rest.substr(path);
    }
    std::size_t last = text.find_last_of("/\\");
    std::string_view raw = last == std::string_view::npos ? text : text.substr(last + 1);

    std::string name;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '%' && i + 2 < raw.size()) {
            int high = HexValue(raw[i + 1]);
            int low = HexValue(raw[i + 2]);
            if (high >= 0 && low >= 0) {
                name += static_cast<char>(high * 16 + low);
                i += 2;
                continue;
            }
        }
        name += raw[i];
    }
    if (name.empty() || name == "." || name == "..") return {};
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7F || c == '/' || c == '\\') return {};
    return name;
}

DownloadResult DownloadToFile(std::string_view url, const std::string& target,
                              const DownloadOptions& options) {
    DownloadResult result;
    InitCurlOnce();

    std::string tempName = target + ".part-XXXXXX";
    int fd = mkstemp(tempName.data());
    if (fd < 0) {
        result.error = "cannot create a file beside " + target;
        return result;
    }
    fchmod(fd, 0644);
    Transfer transfer;
    transfer.options = &options;
    transfer.file = fdopen(fd, "wb");
    if (!transfer.file) {
        close(fd);
        DeleteFileIfExists(tempName);
        result.error = "cannot write " + tempName;
        return result;
    }

    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), &curl_easy_cleanup);
    std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> headers(nullptr,
                                                                        &curl_slist_free_all);
    headers.reset(curl_slist_append(nullptr, "Cache-Control: no-cache"));
    curl_slist_append(headers.get(), "Pragma: no-cache");
    const std::string urlText(Trim(url));
    const std::string agent = "Arcanote/" + VersionString();
    char errorBuffer[CURL_ERROR_SIZE] = {};

    CURLcode code = CURLE_FAILED_INIT;
    if (curl && headers) {
        CURL* handle = curl.get();
        curl_easy_setopt(handle, CURLOPT_URL, urlText.c_str());
        curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(handle, CURLOPT_MAXREDIRS, options.maxRedirects);
        curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
        curl_easy_setopt(handle, CURLOPT_USERAGENT, agent.c_str());
        curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, options.connectTimeoutSeconds);
        curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, options.lowSpeedBytes);
        curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, options.lowSpeedSeconds);
        curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &OnBody);
        curl_easy_setopt(handle, CURLOPT_WRITEDATA, &transfer);
        curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, &OnProgress);
        curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &transfer);
        curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, errorBuffer);
        code = curl_easy_perform(handle);
        curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &result.httpStatus);
    }
    const bool closed = std::fclose(transfer.file) == 0;

    if (code != CURLE_OK) {
        result.error = errorBuffer[0] ? errorBuffer : curl_easy_strerror(code);
        if (transfer.writeFailed) result.error = "cannot write " + tempName;
    } else if (result.httpStatus < 200 || result.httpStatus > 299) {
        result.error = "HTTP status " + std::to_string(result.httpStatus);
    } else if (!closed) {
        result.error = "cannot write " + tempName;
    } else {
        result.error = WrongContent(target, transfer.head);
    }
    if (!result.error.empty()) {
        DeleteFileIfExists(tempName);
        return result;
    }

    std::error_code ec;
    std::filesystem::rename(tempName, target, ec);
    if (ec) {
        DeleteFileIfExists(tempName);
        result.error = "cannot rename to " + target + ": " + ec.message();
        return result;
    }
    result.ok = true;
    result.bytes = transfer.bytes;
    return result;
}

}  // namespace arc
