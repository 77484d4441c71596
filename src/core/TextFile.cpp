#include "core/TextFile.h"

#include "core/ReplacingFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace arc {
namespace {

constexpr std::size_t kChunk = 64 * 1024;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

/// Code points of Windows-1252 bytes 0x80..0x9F (undefined bytes keep their value).
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool DecodeXmlText(std::string_view text, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            out += text[i];
            continue;
        }
        const std::size_t end = text.find(';', i);
        if (end == std::string_view::npos || end - i > 10) return false;
        const std::string_view name = text.substr(i + 1, end - i - 1);
        if (name == "amp")
            out += '&';
        else if (name == "lt")
            out += '<';
        else if (name == "gt")
            out += '>';
        else if (name == "quot")
            out += '"';
        else if (name == "apos")
            out += '\'';
        else if (name.size() > 1 && name[0] == '#') {
            const bool hex = name[1] == 'x';
            const std::string digits(name.substr(hex ? 2 : 1));
            if (digits.empty()) return false;
            char* rest = nullptr;
            const unsigned long code = std::strtoul(digits.c_str(), &rest, hex ? 16 : 10);
            if (*rest != '\0' || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000))
                return false;
            AppendUtf8(out, code);
        } else {
            return false;
        }
        i = end;
    }
    return true;
}

std::string EscapeXmlText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    AppendEscapedXml(out, text);
    return out;
}

void AppendEscapedXml(std::string& out, std::string_view text) {
    std::size_t from = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '&' && c != '<' && c != '>') continue;
        out.append(text.data() + from, i - from);
        out += c == '&' ? "&amp;" : c == '<' ? "&lt;" : "&gt;";
        from = i + 1;
    }
    out.append(text.data() + from, text.size() - from);
}

std::size_t Utf8FirstCharLength(std::string_view text) {
    if (text.empty()) return 0;
    const auto lead = static_cast<unsigned char>(text.front());
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return std::min(length, text.size());
}

bool IsValidUtf8(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int length;
        unsigned code;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
            code = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            code = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            code = c & 0x07;
        } else {
            return false;
        }
        if (end - p < length) return false;
        for (int i = 1; i < length; ++i) {
            if ((p[i] & 0xC0) != 0x80) return false;
            code = (code << 6) | (p[i] & 0x3F);
        }
        if (length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) return false;
        if (length == 4 && (code < 0x10000 || code > 0x10FFFF)) return false;
        p += length;
    }
    return true;
}

std::string Cp1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else if (c < 0xA0) {
            AppendUtf8(out, kCp1252High[c - 0x80]);
        } else {
            AppendUtf8(out, c);
        }
    }
    return out;
}

std::string ToUtf8(std::string_view text) {
    if (IsValidUtf8(text)) return std::string(text);
    return Cp1252ToUtf8(text);
}

bool ReadTextFile(std::string_view path, std::string& text) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(std::string(path).c_str(), "rb"));
    if (!file) return false;
    std::string bytes;
    char buffer[kChunk];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        bytes.append(buffer, got);
    if (std::ferror(file.get())) return false;
    std::string_view view(bytes);
    while (view.starts_with(kUtf8Bom))
        view.remove_prefix(kUtf8Bom.size());
    text = ToUtf8(view);
    return true;
}

bool ReadTextLines(std::string_view path, std::vector<std::string>& lines) {
    LineReader reader(path);
    if (!reader.IsOpen()) return false;
    lines.clear();
    std::string line;
    while (reader.Next(line))
        lines.push_back(std::move(line));
    return true;
}

bool WriteTextLines(std::string_view path, const std::vector<std::string>& lines) {
    bool ok = false;
    int error = 0;
    {
        ReplacingFile file{std::string(path)};
        ok = file.IsOpen();
        std::string chunk;
        for (const std::string& line : lines) {
            chunk += line;
            chunk += "\r\n";
            if (chunk.size() >= kChunk) {
                ok = ok && file.Write(chunk);
                chunk.clear();
            }
        }
        ok = ok && file.Write(chunk) && file.Commit();
        error = errno;
    }
    errno = error;  // kept for the caller's report
    return ok;
}

bool WriteFileAtomically(std::string_view path, std::string_view bytes, bool sync) {
    bool ok = false;
    int error = 0;
    {
        ReplacingFile file{std::string(path), sync};
        ok = file.IsOpen() && file.Write(bytes) && file.Commit();
        error = errno;
    }
    errno = error;
    return ok;
}

LineReader::LineReader(std::string_view path, bool raw) : raw_(raw) {
    file_ = std::fopen(std::string(path).c_str(), "rb");
    if (!file_) return;
    struct stat info {};
    if (::fstat(::fileno(file_), &info) == 0) size_ = static_cast<std::uint64_t>(info.st_size);
    DropByteOrderMarks();
}

LineReader::LineReader(std::FILE* stream, std::FILE* copy)
    : file_(stream), copy_(copy), owned_(false), raw_(true) {
    if (file_) DropByteOrderMarks();
}

void LineReader::DropByteOrderMarks() {
    buffer_.resize(kChunk);
    // Every leading byte-order mark goes: one kept as text would be lost at
    // the next save, changing the first value of the file.
    Fill();
    while (std::string_view(buffer_.data() + begin_, end_ - begin_).starts_with(kUtf8Bom)) {
        begin_ += kUtf8Bom.size();
        offset_ += kUtf8Bom.size();
        if (end_ - begin_ < kUtf8Bom.size()) Fill();
    }
}

LineReader::~LineReader() {
    if (file_ && owned_) std::fclose(file_);
}

bool LineReader::Fill() {
    if (eof_ || !file_) return false;
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    // A line longer than the buffer makes it grow; the buffer never holds
    // more than the longest line plus one chunk.
    if (buffer_.size() - end_ < kChunk / 2) buffer_.resize(buffer_.size() * 2);
    const std::size_t got = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_);
    if (copy_ && got > 0 && std::fwrite(buffer_.data() + end_, 1, got, copy_) != got)
        failed_ = true;
    if (got == 0 || failed_) {
        failed_ = failed_ || std::ferror(file_) != 0;
        eof_ = true;
        return false;
    }
    end_ += got;
    return true;
}

bool LineReader::Next(std::string& line) {
    std::string_view bytes;
    if (!NextView(bytes)) return false;
    line = raw_ ? std::string(bytes) : ToUtf8(bytes);
    return true;
}

bool LineReader::NextView(std::string_view& line) {
    if (!file_) return false;
    std::size_t searchFrom = begin_;
    for (;;) {
        const char* start = buffer_.data() + searchFrom;
        const void* found = std::memchr(start, '\n', end_ - searchFrom);
        if (found || eof_) {
            std::size_t lineEnd = found ? static_cast<const char*>(found) - buffer_.data() : end_;
            if (!found && begin_ == end_) return false;
            const std::size_t consumed = (found ? lineEnd + 1 : lineEnd) - begin_;
            if (lineEnd > begin_ && buffer_[lineEnd - 1] == '\r') --lineEnd;
            line = std::string_view(buffer_.data() + begin_, lineEnd - begin_);
            begin_ += consumed;
            offset_ += consumed;
            return true;
        }
        const std::size_t scanned = end_ - begin_;
        Fill();
        searchFrom = begin_ + scanned;
    }
}

}  // namespace arc
