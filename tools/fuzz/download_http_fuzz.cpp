// Fuzz target for the downloader's handling of an HTTP answer: the first byte
// chooses the link's file name, the rest is sent as the whole raw answer
// (status line, headers, body) by a one-shot server on 127.0.0.1. Redirects
// are not followed, so nothing leaves the machine. The header lines also go
// through the name parsers on their own.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <thread>

#include "FuzzSupport.h"
#include "download/Downloader.h"

using namespace arc;

namespace {

/// A listening socket on 127.0.0.1; each Answer serves one connection.
class OneShotServer {
  public:
    OneShotServer() {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (listener_ < 0 ||
            ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            ::listen(listener_, 4) != 0 ||
            ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            std::abort();
        port_ = ntohs(address.sin_port);
    }
    ~OneShotServer() { ::close(listener_); }

    int port() const { return port_; }

    /// Reads the request head, sends `answer` and closes.
    void Answer(std::string_view answer) const {
        pollfd waiting{listener_, POLLIN, 0};
        if (::poll(&waiting, 1, 10000) != 1) return;  // the download never connected
        const int client = ::accept(listener_, nullptr, nullptr);
        if (client < 0) return;
        std::string head;
        char buffer[4096];
        while (head.find("\r\n\r\n") == std::string::npos) {
            const ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
            if (got <= 0) break;
            head.append(buffer, static_cast<std::size_t>(got));
        }
        for (std::size_t sent = 0; sent < answer.size();) {
            const ssize_t n =
                ::send(client, answer.data() + sent, answer.size() - sent, MSG_NOSIGNAL);
            if (n <= 0) break;
            sent += static_cast<std::size_t>(n);
        }
        ::shutdown(client, SHUT_WR);
        ::close(client);
    }

  private:
    int listener_ = -1;
    int port_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return -1;
    static const OneShotServer server;
    fuzz::ResetForInput();
    const std::string_view answer(reinterpret_cast<const char*>(data + 1), size - 1);
    for (std::size_t start = 0; start < answer.size();) {
        const std::size_t end = std::min(answer.find('\n', start), answer.size());
        const std::string_view line = answer.substr(start, end - start);
        (void)FileNameFromContentDisposition(line);
        (void)FileNameFromUrl(line);
        start = end + 1;
    }

    static constexpr std::string_view kPaths[] = {"/history.zip", "/catver.ini",
                                                  "/get.php?file=a.dat", "/"};
    const std::string url =
        "http://127.0.0.1:" + std::to_string(server.port()) + std::string(kPaths[data[0] % 4]);
    const std::string folder = fuzz::WriteInput("download/.keep", "");
    const std::filesystem::path into = std::filesystem::path(folder).parent_path();
    DownloadOptions options;
    options.maxRedirects = 0;
    options.connectTimeoutSeconds = 5;
    options.lowSpeedSeconds = 5;
    std::thread serving([&] { server.Answer(answer); });
    const DownloadResult result = DownloadIntoFolder(url, into.string() + "/", options);
    serving.join();
    // A kept file lies in the folder and holds the body; a failure keeps nothing.
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(into)) {
        if (entry.path().filename() == ".keep") continue;
        ++files;
        if (!result.ok || entry.path() != std::filesystem::path(result.path)) std::abort();
        if (std::filesystem::file_size(entry.path()) != result.bytes) std::abort();
        std::filesystem::remove(entry.path());
    }
    if (result.ok != (files == 1)) std::abort();
    if (!result.ok && result.error.empty()) std::abort();
    return 0;
}
