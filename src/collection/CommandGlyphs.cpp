#include "collection/CommandGlyphs.h"

namespace arc {
namespace {

/// The glyph of "_c", or nothing.
std::string_view Glyph(char code) {
    switch (code) {
        // Directions, laid out as a numeric keypad.
        case '1':
            return "\u2199";  // ↙
        case '2':
            return "\u2193";  // ↓
        case '3':
            return "\u2198";  // ↘
        case '4':
            return "\u2190";  // ←
        case '5':
            return "\u25CF";  // ● neutral
        case '6':
            return "\u2192";  // →
        case '7':
            return "\u2196";  // ↖
        case '8':
            return "\u2191";  // ↑
        case '9':
            return "\u2197";  // ↗
        // Buttons.
        case 'A':
            return "\u24B6";  // Ⓐ
        case 'B':
            return "\u24B7";
        case 'C':
            return "\u24B8";
        case 'D':
            return "\u24B9";
        case 'E':
            return "\u24BA";
        case 'F':
            return "\u24BB";
        case 'G':
            return "\u24BC";  // guard
        case 'H':
            return "\u24BD";
        case 'K':
            return "\u24C0";  // kick
        case 'P':
            return "\u24C5";  // punch
        case 'S':
            return "\u24C8";  // start
        case '+':
            return "+";
        case '.':
            return "\u2026";  // …
        default:
            return {};
    }
}

}  // namespace

std::string CommandTextForDisplay(std::string_view raw) {
    std::string text;
    text.reserve(raw.size() + raw.size() / 4);
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == '_' && i + 1 < raw.size()) {
            if (const std::string_view glyph = Glyph(raw[i + 1]); !glyph.empty()) {
                text += glyph;
                ++i;
                continue;
            }
        }
        if (c == '\xC2' && i + 1 < raw.size() && raw[i + 1] == '\x97') {
            text += "\u2014";  // —
            ++i;
            continue;
        }
        text += c;
    }
    return text;
}

}  // namespace arc
