#include "sheets/SheetText.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>

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
    std::remove(path.c_str());
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wb"),
                                                         &std::fclose);
    if (!file) return false;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        return false;
    return std::fclose(file.release()) == 0;
}

bool ReadPage(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

}  // namespace arc
