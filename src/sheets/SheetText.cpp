#include "sheets/SheetText.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace arc {

void ReplaceAll(std::string& text, std::string_view marker, std::string_view value) {
    if (marker.empty()) return;
    std::size_t pos = text.find(marker);
    if (pos == std::string::npos) return;
    std::string out;
    out.reserve(text.size() + value.size());
    std::size_t from = 0;
    while (pos != std::string::npos) {
        out.append(text, from, pos - from);
        out += value;
        from = pos + marker.size();
        pos = text.find(marker, from);
    }
    out.append(text, from, std::string::npos);
    text = std::move(out);
}

std::string WithHtmlBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    std::size_t from = 0;
    for (std::size_t pos = text.find("\r\n"); pos != std::string_view::npos;
         pos = text.find("\r\n", from)) {
        out.append(text.substr(from, pos - from));
        out += "<br>\r\n";
        from = pos + 2;
    }
    out.append(text.substr(from));
    return out;
}

std::string ToSlashPath(std::string_view path) {
    std::string out(path);
    for (char& c : out) {
        if (c == '\\') c = '/';
    }
    return out;
}

std::string ToFileUrl(std::string_view path) {
    std::string slashed = ToSlashPath(path);
    std::string_view rest = slashed;
    if (!rest.empty() && rest.front() == '/') rest.remove_prefix(1);
    return "file:///" + std::string(rest);
}

bool WritePage(const std::string& path, std::string_view bytes) {
    // A new file in one call; an existing one (or a link) is deleted first.
    constexpr int kFlags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC;
    int fd = ::open(path.c_str(), kFlags, 0644);
    if (fd < 0 && errno == EEXIST) {
        ::unlink(path.c_str());
        fd = ::open(path.c_str(), kFlags, 0644);
    }
    if (fd < 0) return false;
    bool ok = true;
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        done += static_cast<std::size_t>(written);
    }
    return ::close(fd) == 0 && ok;
}

}  // namespace arc
