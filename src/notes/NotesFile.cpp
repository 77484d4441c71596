#include "notes/NotesFile.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "core/Files.h"
#include "core/ReplacingFile.h"
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

/// Where the note of a game lies in a file: [bodyStart, bodyEnd) its lines,
/// followed by the blank lines up to the next header.
struct NotePlace {
    bool found = false;
    std::size_t bodyStart = 0;
    std::size_t bodyEnd = 0;
};

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

NotePlace FindNote(std::string_view text, std::string_view set) {
    NotePlace place;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t newline = text.find('\n', at);
        const std::size_t next = newline == std::string_view::npos ? text.size() : newline + 1;
        const std::string_view line = text.substr(at, next - at);
        const std::string_view bare = line.substr(0, line.find_first_of("\r\n"));
        if (IsNoteHeader(bare)) {
            if (place.found) return place;
            if (EqualsNoCase(NoteHeaderName(bare), set)) {
                place = {true, next, next};
                if (newline == std::string_view::npos)
                    place.bodyStart = place.bodyEnd = text.size();
            }
        } else if (place.found && !IsBlank(line)) {
            place.bodyEnd = next;
        }
        at = next;
    }
    return place;
}

std::string_view LineEnd(std::string_view text) {
    return text.find("\r\n") != std::string_view::npos || text.find('\n') == std::string_view::npos
               ? "\r\n"
               : "\n";
}

}  // namespace

std::string GameNote(std::string_view fileText, std::string_view set) {
    const NotePlace place = FindNote(fileText, set);
    if (!place.found) return {};
    std::string note;
    for (const char c : fileText.substr(place.bodyStart, place.bodyEnd - place.bodyStart))
        if (c != '\r') note += c;
    while (!note.empty() && note.back() == '\n')
        note.pop_back();
    return note;
}

std::string WithGameNote(std::string_view fileText, std::string_view set, std::string_view title,
                         std::string_view note) {
    const std::string_view eol = LineEnd(fileText);
    std::string body;
    for (const char c : note) {
        if (c == '\r') continue;
        if (c == '\n')
            body += eol;
        else
            body += c;
    }
    while (body.size() >= eol.size() && body.ends_with(eol))
        body.resize(body.size() - eol.size());
    if (!body.empty()) body += eol;
    const NotePlace place = FindNote(fileText, set);
    std::string result;
    if (!place.found) {
        result = std::string(fileText);
        if (!result.empty() && result.back() != '\n') result += eol;
        return result + NoteHeaderLine(set, title) + std::string(eol) + body + std::string(eol);
    }
    result = std::string(fileText.substr(0, place.bodyStart));
    if (!result.empty() && result.back() != '\n') result += eol;  // a header on the last line
    return result + body + std::string(fileText.substr(place.bodyEnd));
}

bool SaveGameNote(const std::string& path, std::string_view set, std::string_view title,
                  std::string_view note) {
    std::string text;
    if (FileExists(path)) {
        std::ifstream in(path, std::ios::binary);
        if (!in) return false;
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (in.bad()) return false;
    }
    ReplacingFile out(path);
    return out.IsOpen() && out.Write(WithGameNote(text, set, title, note)) && out.Commit();
}

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
