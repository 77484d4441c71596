#include "download/Downloader.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>

#include "core/Files.h"
#include "core/ReplacingFile.h"
#include "core/Version.h"

namespace arc {
namespace {

constexpr std::size_t kHeadBytes = 512;

struct Transfer {
    std::FILE* file = nullptr;
    std::string dispositionName;  ///< from the last response's Content-Disposition
    std::uint64_t bytes = 0;
    std::string head;  ///< the first bytes of the body, to recognise what came
    bool writeFailed = false;
    bool tooLarge = false;
    const DownloadOptions* options = nullptr;
};

std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    const std::size_t length = size * count;
    if (transfer->bytes + length > transfer->options->maxBytes) {
        transfer->tooLarge = true;
        return 0;  // stops the transfer
    }
    if (transfer->head.size() < kHeadBytes)
        transfer->head.append(data, std::min(length, kHeadBytes - transfer->head.size()));
    if (std::fwrite(data, 1, length, transfer->file) != length) {
        transfer->writeFailed = true;
        return 0;  // stops the transfer
    }
    transfer->bytes += length;
    return length;
}

std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    const std::string_view line(data, size * count);
    if (line.starts_with("HTTP/")) transfer->dispositionName.clear();  // a new response
    const std::size_t colon = line.find(':');
    if (colon != std::string_view::npos &&
        ToLowerAscii(Trim(line.substr(0, colon))) == "content-disposition") {
        const std::string name = FileNameFromContentDisposition(line.substr(colon + 1));
        if (!name.empty()) transfer->dispositionName = name;
    }
    return size * count;
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

std::string PercentDecoded(std::string_view raw, bool plusIsSpace) {
    std::string text;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '%' && i + 2 < raw.size()) {
            const int high = HexValue(raw[i + 1]);
            const int low = HexValue(raw[i + 2]);
            if (high >= 0 && low >= 0) {
                text += static_cast<char>(high * 16 + low);
                i += 2;
                continue;
            }
        }
        text += plusIsSpace && raw[i] == '+' ? ' ' : raw[i];
    }
    return text;
}

/// The last component of a decoded name, or "" when it is not a plain file name.
std::string PlainFileName(std::string_view decoded) {
    const std::size_t last = decoded.find_last_of("/\\");
    std::string name(last == std::string_view::npos ? decoded : decoded.substr(last + 1));
    if (name.empty() || name == "." || name == "..") return {};
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7F) return {};
    return name;
}

/// Support files come as these; a name with another extension ("download.php")
/// names the link, not the file.
bool HasSupportFileExtension(std::string_view name) {
    for (std::string_view extension : {".zip", ".7z", ".dat", ".ini", ".xml"})
        if (EndsWithNoCase(name, extension)) return true;
    return false;
}

/// A support-file name given as a value of the query ("get.php?file=history.zip").
std::string FileNameFromQuery(std::string_view url) {
    std::string_view text = Trim(url);
    const std::size_t question = text.find('?');
    if (question == std::string_view::npos) return {};
    text = text.substr(question + 1);
    text = text.substr(0, text.find('#'));
    while (!text.empty()) {
        const std::size_t amp = text.find('&');
        std::string_view pair = text.substr(0, amp);
        text = amp == std::string_view::npos ? std::string_view{} : text.substr(amp + 1);
        const std::size_t equals = pair.find('=');
        const std::string name = PlainFileName(PercentDecoded(
            equals == std::string_view::npos ? pair : pair.substr(equals + 1), true));
        if (HasSupportFileExtension(name)) return name;
    }
    return {};
}

}  // namespace

std::string FileNameFromContentDisposition(std::string_view value) {
    std::string plain;
    std::string extended;
    std::string_view rest = value;
    while (!rest.empty()) {
        const std::size_t semicolon = rest.find(';');
        std::string_view part = Trim(rest.substr(0, semicolon));
        rest =
            semicolon == std::string_view::npos ? std::string_view{} : rest.substr(semicolon + 1);
        while (!part.empty() && (part.back() == '\r' || part.back() == '\n'))
            part.remove_suffix(1);
        const std::size_t equals = part.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string key = ToLowerAscii(Trim(part.substr(0, equals)));
        std::string_view data = Trim(part.substr(equals + 1));
        if (key == "filename*") {
            // charset'language'percent-encoded
            const std::size_t quote = data.rfind('\'');
            extended = PlainFileName(PercentDecoded(
                quote == std::string_view::npos ? data : data.substr(quote + 1), false));
        } else if (key == "filename") {
            if (data.size() >= 2 && data.front() == '"' && data.back() == '"')
                data = data.substr(1, data.size() - 2);
            plain = PlainFileName(data);
        }
    }
    return extended.empty() ? plain : extended;
}

std::string FileNameFromUrl(std::string_view url) {
    const std::string fromQuery = FileNameFromQuery(url);
    const std::string fromPath = SafeBaseNameFromUrl(url);
    if (!fromQuery.empty() && !HasSupportFileExtension(fromPath)) return fromQuery;
    return fromPath;
}

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

namespace {

/// Transfers url into `out` (not committed); the error is set when the body is
/// not whole or the status is not a success.
void Fetch(std::string_view url, ReplacingFile& out, const DownloadOptions& options,
           Transfer& transfer, DownloadResult& result, std::string& effectiveUrl) {
    InitCurlOnce();
    if (!out.IsOpen()) {
        result.error = "cannot create a file beside " + out.target();
        return;
    }
    transfer.options = &options;
    transfer.file = out.stream();

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
        curl_easy_setopt(handle, CURLOPT_MAXFILESIZE_LARGE,
                         static_cast<curl_off_t>(options.maxBytes));
        curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &OnBody);
        curl_easy_setopt(handle, CURLOPT_WRITEDATA, &transfer);
        curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, &OnHeader);
        curl_easy_setopt(handle, CURLOPT_HEADERDATA, &transfer);
        curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, &OnProgress);
        curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &transfer);
        curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, errorBuffer);
        code = curl_easy_perform(handle);
        curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &result.httpStatus);
        char* effective = nullptr;
        if (curl_easy_getinfo(handle, CURLINFO_EFFECTIVE_URL, &effective) == CURLE_OK && effective)
            effectiveUrl = effective;
    }
    const bool closed = out.Close();

    if (code != CURLE_OK) {
        result.error = errorBuffer[0] ? errorBuffer : curl_easy_strerror(code);
        if (transfer.writeFailed) result.error = "cannot write beside " + out.target();
        if (transfer.tooLarge || code == CURLE_FILESIZE_EXCEEDED)
            result.error =
                "larger than the limit of " + std::to_string(options.maxBytes) + " bytes";
    } else if (result.httpStatus < 200 || result.httpStatus > 299) {
        result.error = "HTTP status " + std::to_string(result.httpStatus);
    } else if (!closed) {
        result.error = "cannot write beside " + out.target();
    }
}

void Keep(ReplacingFile& out, const std::string& target, const Transfer& transfer,
          DownloadResult& result) {
    if (result.error.empty()) result.error = WrongContent(target, transfer.head);
    if (!result.error.empty()) return;
    if (!out.CommitAs(target)) {
        result.error = "cannot rename to " + target + ": " + std::strerror(errno);
        return;
    }
    result.ok = true;
    result.path = target;
    result.bytes = transfer.bytes;
}

}  // namespace

DownloadResult DownloadToFile(std::string_view url, const std::string& target,
                              const DownloadOptions& options) {
    DownloadResult result;
    ReplacingFile out(target);
    Transfer transfer;
    std::string effectiveUrl;
    Fetch(url, out, options, transfer, result, effectiveUrl);
    Keep(out, target, transfer, result);
    return result;
}

DownloadResult DownloadIntoFolder(std::string_view url, const std::string& folder,
                                  const DownloadOptions& options) {
    DownloadResult result;
    const std::string fromUrl = FileNameFromUrl(url);
    ReplacingFile out(folder + (fromUrl.empty() ? std::string("download") : fromUrl));
    Transfer transfer;
    std::string effectiveUrl;
    Fetch(url, out, options, transfer, result, effectiveUrl);
    // The server's name first, then the link's, then the one the redirects led to.
    std::string name = transfer.dispositionName;
    if (name.empty()) name = fromUrl;
    if (name.empty() || !HasSupportFileExtension(name)) {
        const std::string fromEffective = FileNameFromUrl(effectiveUrl);
        if (!fromEffective.empty() && (name.empty() || HasSupportFileExtension(fromEffective)))
            name = fromEffective;
    }
    if (name.empty() && result.error.empty())
        result.error = "no file name in the address or the server's answer";
    Keep(out, folder + name, transfer, result);
    return result;
}

}  // namespace arc
