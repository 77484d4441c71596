#include "notes/NotesFile.h"

#include <vector>

#include "core/Files.h"
#include "core/TextFile.h"

namespace arc {
namespace {

constexpr std::size_t kHeaderWidth = 16;

std::string_view TrimSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

}  // namespace

std::string NoteHeaderLine(std::string_view internalName, std::string_view gameName) {
    std::string bracketed = "[" + std::string(internalName) + "]";
    if (bracketed.size() > kHeaderWidth) return bracketed + " " + std::string(gameName);
    bracketed.resize(kHeaderWidth, ' ');
    return bracketed + std::string(gameName);
}

bool IsNoteHeader(std::string_view line) {
    std::string_view trimmed = TrimSpaces(line);
    return !trimmed.empty() && trimmed.front() == '[' &&
           trimmed.find(']') != std::string_view::npos;
}

std::string NoteHeaderName(std::string_view line) {
    std::string_view trimmed = TrimSpaces(line);
    if (trimmed.empty()) return {};
    trimmed.remove_prefix(1);
    return std::string(trimmed.substr(0, trimmed.find(']')));
}

bool IsStorableNote(std::string_view note) {
    return !note.empty() && note != "\r\n";
}

std::string ReadOldNoteFile(std::string_view path) {
    std::vector<std::string> lines;
    if (!FileExists(path) || !ReadTextLines(path, lines) || lines.size() < 2) return {};
    const std::string& first = lines.front();
    const std::size_t open = first.find('[');
    if (open == std::string::npos || first.find(']', open) == std::string::npos) return {};
    std::string note;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].empty()) continue;
        if (!note.empty()) note += "\r\n";
        note += lines[i];
    }
    return note;
}

}  // namespace arc
