#include "sheets/HtmlSanitizer.h"

#include <optional>

namespace arc {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

std::string Lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = Lower(c);
    return out;
}

std::string_view SkipBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    return text;
}

bool OnlyBlanks(std::string_view text) {
    return SkipBlanks(text).empty();
}

// The href of "a": "&amp;" read as "&"; nothing that could end the attribute
// or hide a scheme.
std::optional<std::string> LinkTarget(std::string_view value) {
    std::string target;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const auto c = static_cast<unsigned char>(value[i]);
        if (c < 0x20 || c == 0x7F || c == '"' || c == '\'' || c == '<' || c == '>' || c == '`')
            return std::nullopt;
        if (value.substr(i, 5) == "&amp;") i += 4;
        target += static_cast<char>(c);
    }
    const std::string lower = Lowered(target.substr(0, 8));
    if (lower.rfind("http://", 0) != 0 && lower.rfind("https://", 0) != 0) return std::nullopt;
    return target;
}

// "href=value" with the value quoted or not, and nothing after it.
std::optional<std::string> AnchorHref(std::string_view rest) {
    rest = SkipBlanks(rest);
    if (Lowered(rest.substr(0, 4)) != "href") return std::nullopt;
    rest = SkipBlanks(rest.substr(4));
    if (rest.empty() || rest.front() != '=') return std::nullopt;
    rest = SkipBlanks(rest.substr(1));
    std::string_view value;
    if (!rest.empty() && (rest.front() == '"' || rest.front() == '\'')) {
        const std::size_t close = rest.find(rest.front(), 1);
        if (close == std::string_view::npos) return std::nullopt;
        value = rest.substr(1, close - 1);
        rest.remove_prefix(close + 1);
    } else {
        std::size_t end = 0;
        while (end < rest.size() && !IsBlank(rest[end]))
            ++end;
        value = rest.substr(0, end);
        rest.remove_prefix(end);
    }
    if (!OnlyBlanks(rest)) return std::nullopt;
    return LinkTarget(value);
}

// What an allowed tag ("<...>", both brackets included) becomes; nothing
// when it is not allowed.
std::optional<std::string> AllowedTag(std::string_view tag) {
    std::string_view inner = tag.substr(1, tag.size() - 2);
    const bool closing = !inner.empty() && inner.front() == '/';
    if (closing) inner.remove_prefix(1);
    std::size_t length = 0;
    while (length < inner.size() && IsLetter(inner[length]))
        ++length;
    const std::string name = Lowered(inner.substr(0, length));
    std::string_view rest = inner.substr(length);
    const bool plain = name == "b" || name == "i" || name == "u" || name == "p";
    if (closing) {
        if ((plain || name == "a") && OnlyBlanks(rest)) return std::string(tag);
        return std::nullopt;
    }
    if (name == "br") {
        rest = SkipBlanks(rest);
        if (!rest.empty() && rest.front() == '/') rest.remove_prefix(1);
    }
    if ((plain || name == "br") && OnlyBlanks(rest)) return std::string(tag);
    if (name == "a" && !rest.empty() && IsBlank(rest.front())) {
        if (const auto href = AnchorHref(rest)) {
            std::string anchor = "<a href=\"";
            for (char c : *href) {
                if (c == '&')
                    anchor += "&amp;";
                else
                    anchor += c;
            }
            return anchor + "\">";
        }
    }
    return std::nullopt;
}

}  // namespace

std::string SanitizeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '<') {
            const std::size_t end = text.find_first_of("<>", i + 1);
            if (end != std::string_view::npos && text[end] == '>') {
                if (const auto kept = AllowedTag(text.substr(i, end - i + 1))) {
                    out += *kept;
                    i = end + 1;
                    continue;
                }
            }
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else {
            out += c;
        }
        ++i;
    }
    return out;
}

}  // namespace arc
