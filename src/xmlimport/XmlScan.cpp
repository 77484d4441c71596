#include "xmlimport/XmlScan.h"

#include <algorithm>
#include <cstring>

#include "core/ErrorGuard.h"
#include "core/Files.h"

namespace arc {
namespace {

constexpr int kProcTokenize = 310;
constexpr std::string_view kLineFeedReference = "&#10;";

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

/// Text before the first blank (the whole text when there is none).
std::string_view ElementName(std::string_view piece) {
    return piece.substr(0, piece.find(' '));
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    std::size_t pos = 0;
    while ((pos = text.find(from, pos)) != std::string::npos) {
        text.replace(pos, from.size(), to);
        pos += to.size();
    }
}

}  // namespace

void KeyValueList::Append(std::string_view key, std::string_view value, int element) {
    pairs_.push_back({key, value, element});
}

std::string& KeyValueList::Scratch() {
    // The texts of the last game are reused with their buffers.
    if (ownUsed_ == own_.size()) own_.emplace_back();
    std::string& text = own_[ownUsed_++];
    text.clear();
    return text;
}

std::string_view KeyValueList::Own(std::string_view text) {
    return Scratch().assign(text);
}

void KeyValueList::Tokenize(std::string_view chunk) {
    text_.assign(chunk);
    TokenizeText();
}

void KeyValueList::Tokenize(std::string& chunk) {
    text_.swap(chunk);
    TokenizeText();
}

void KeyValueList::TokenizeText() {
    pairs_.clear();
    ownUsed_ = 0;
    // Tabs go; "&#10;" is the one character reference decoded, in place.
    // Each of the two characters is looked for on its own (memchr), the
    // position of the other kept until it is passed.
    const std::string_view chunk(text_);
    char* out = text_.data();
    std::size_t written = 0;
    std::size_t from = 0;
    std::size_t tab = chunk.find('\t');
    std::size_t amp = chunk.find('&');
    auto keep = [&](std::size_t end) {
        if (written != from) std::memmove(out + written, out + from, end - from);
        written += end - from;
    };
    while (from < chunk.size()) {
        if (tab < from) tab = chunk.find('\t', from);
        if (amp < from) amp = chunk.find('&', from);
        const std::size_t special = std::min(tab, amp);
        if (special == std::string_view::npos) {
            keep(chunk.size());
            break;
        }
        keep(special);
        if (chunk[special] == '\t') {
            from = special + 1;
        } else if (chunk.substr(special, kLineFeedReference.size()) == kLineFeedReference) {
            out[written++] = '\n';
            from = special + kLineFeedReference.size();
        } else {
            out[written++] = '&';
            from = special + 1;
        }
    }
    text_.resize(written);
    Guarded(kProcTokenize, [&] {
        const std::string_view text(text_);
        const std::size_t close = text.find('>');
        ReadGameAttributes(text.substr(0, close));
        if (close != std::string_view::npos) ReadChildren(text.substr(close + 1));
    });
}

void KeyValueList::ReadGameAttributes(std::string_view head) {
    // The tag name goes; modern output names the element "machine".
    for (std::string_view tag : {std::string_view("<game"), std::string_view("<machine")}) {
        const std::size_t at = head.find(tag);
        if (at == std::string_view::npos) continue;
        if (Trim(head.substr(0, at)).empty()) {
            head = head.substr(at + tag.size());
        } else {
            head = Own(std::string(head.substr(0, at)) + std::string(head.substr(at + tag.size())));
        }
    }
    // Split at the quotes: names with their "=" alternate with the values.
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t quote = head.find('"', start);
        parts.push_back(
            head.substr(start, quote == std::string_view::npos ? head.npos : quote - start));
        if (quote == std::string_view::npos) break;
        start = quote + 1;
    }
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        const std::string_view part = Trim(parts[i]);
        const std::size_t equals = part.find('=');
        if (equals == std::string_view::npos) continue;
        Append(Trim(part.substr(0, equals)), Trim(parts[i + 1]));
    }
}

void KeyValueList::ReadChildren(std::string_view body) {
    std::vector<std::string_view>& pieces = pieces_;
    pieces.clear();
    std::size_t start = 0;
    for (;;) {
        const std::size_t joint = body.find("><", start);
        if (joint == std::string_view::npos) {
            pieces.push_back(body.substr(start));
            break;
        }
        pieces.push_back(body.substr(start, joint - start));
        start = joint + 2;
    }
    // The last piece is the game's own closing tag.
    for (std::size_t j = 0; j + 1 < pieces.size(); ++j) {
        const std::string_view piece = pieces[j];
        // Attributes are quoted inside the start tag; a text element may hold
        // raw quotes in its text, after the tag's ">".
        const bool quoted = piece.substr(0, piece.find('>')).find('"') != std::string_view::npos;
        if (quoted && !piece.empty() && piece.back() == '/') {
            // An element with attributes that closes itself: name_attribute
            // keys, each value read to its closing quote (a value may hold
            // blanks, even at its start).
            const std::string_view name = ElementName(piece);
            const int element = Count() + 1;
            std::size_t at = name.size();
            for (;;) {
                const std::size_t equals = piece.find('=', at);
                if (equals == std::string_view::npos) break;
                const std::size_t open = piece.find('"', equals);
                if (open == std::string_view::npos) break;
                const std::size_t close = piece.find('"', open + 1);
                if (close == std::string_view::npos) break;
                const std::string_view attribute = Trim(piece.substr(at, equals - at));
                if (!attribute.empty()) {
                    std::string& key = Scratch();
                    key.append(name).append("_").append(attribute);
                    Append(key, piece.substr(open + 1, close - open - 1), element);
                }
                at = close + 1;
            }
        } else if (quoted) {
            // An element with attributes and children: its start tag is the
            // key, the children's markup the value.
            const std::string_view name = ElementName(piece);
            std::string& value = Scratch();
            std::size_t k = j + 1;
            for (; k < pieces.size(); ++k) {
                const std::string_view inner = pieces[k];
                if (inner.size() == name.size() + 1 && inner[0] == '/' && inner.substr(1) == name)
                    break;
                value.append(inner);
            }
            Append(piece, value);
            j = k;  // past the closing tag (or past the last piece)
        } else {
            // A text element: name>text</name.
            const std::size_t close = piece.find('>');
            if (close == std::string_view::npos) {
                Append(piece, piece.substr(0, 0));
            } else {
                const std::size_t end = piece.find("</", close + 1);
                if (end == std::string_view::npos)
                    throw AppError(err::kInvalidCall,
                                   "Invalid procedure call or argument (unclosed element \"" +
                                       std::string(piece.substr(0, close)) + "\")");
                Append(piece.substr(0, close), piece.substr(close + 1, end - close - 1));
            }
        }
        if (!pairs_.empty() && StartsWithNoCase(pairs_.back().key, "input players")) RewriteInput();
    }
}

void KeyValueList::RewriteInput() {
    const Pair input = pairs_.back();
    std::string joined(input.key.substr(6));
    joined += ' ';
    joined.append(input.value);
    // Each control child ends with "/": a blank keeps its attributes apart
    // from the next child's.
    std::replace(joined.begin(), joined.end(), '/', ' ');
    ReplaceAll(joined, "control type", "control");
    std::erase(joined, '"');
    pairs_.pop_back();
    const std::string_view attributes = Own(std::string(Trim(joined)));
    std::size_t start = 0;
    while (start <= attributes.size()) {
        std::size_t blank = attributes.find(' ', start);
        if (blank == std::string_view::npos) blank = attributes.size();
        const std::string_view part = attributes.substr(start, blank - start);
        const std::size_t equals = part.find('=');
        if (equals != std::string_view::npos && equals >= 1)
            Append(Own("input_" + std::string(part.substr(0, equals))), part.substr(equals + 1));
        start = blank + 1;
    }
}

std::string_view KeyValueList::LookupValue(std::string_view key) const {
    for (const Pair& pair : pairs_)
        if (pair.key == key) return pair.value;
    return {};
}

void KeyValueList::LookupInGroup(int start, std::string_view stopPrefix,
                                 std::string_view groupPrefix,
                                 std::span<const std::string_view> keys,
                                 std::span<std::string_view> values) const {
    std::uint32_t found = 0;  // one bit per key
    for (int i = std::max(start, 1); i <= Count(); ++i) {
        const Pair& pair = pairs_[i - 1];
        if (StartsWith(pair.key, stopPrefix) || !StartsWith(pair.key, groupPrefix)) return;
        for (std::size_t k = 0; k < keys.size() && k < 32; ++k) {
            if (pair.key != keys[k]) continue;
            if (!(found & (1u << k))) values[k] = pair.value;
            found |= 1u << k;
            break;
        }
    }
}

std::string_view KeyValueList::ElementValue(int index, std::string_view key) const {
    if (index < 1 || index > Count()) return {};
    const int element = pairs_[index - 1].element;
    if (element == 0) return {};
    for (int i = element; i <= Count() && pairs_[i - 1].element == element; ++i)
        if (pairs_[i - 1].key == key) return pairs_[i - 1].value;
    return {};
}

HistorySections SplitHistorySections(std::string_view text) {
    static constexpr std::array<std::string_view, 9> kHeadings = {
        "- TECHNICAL -", "- TRIVIA -", "- UPDATES -", "- SCORING -", "- TIPS AND TRICKS -",
        "- SERIES -",    "- STAFF -",  "- PORTS -",   "- SOURCES -"};
    HistorySections sections;
    int current = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.remove_suffix(1);
        line = Trim(line);
        start = end + 1;
        if (line.empty()) continue;
        bool heading = false;
        for (std::size_t h = 0; h < kHeadings.size(); ++h)
            if (line.find(kHeadings[h]) != std::string_view::npos) {
                current = static_cast<int>(h) + 1;
                heading = true;
            }
        if (heading) continue;
        sections[current].append(line).append("\r\n");
    }
    return sections;
}

}  // namespace arc
