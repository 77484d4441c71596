#include "translation/FileTranslation.h"

#include <cstdio>
#include <filesystem>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/ReplacingFile.h"
#include "core/TextFile.h"

namespace arc {
namespace {

constexpr int kProcTranslateFile = 852;
constexpr std::string_view kTextOpen = "<text";
constexpr std::string_view kTextClose = "</text>";

namespace fs = std::filesystem;

bool IsXmlFile(std::string_view path) {
    return path.size() >= 4 && ToLowerAscii(path.substr(path.size() - 4)) == ".xml";
}

/// The text of an element is translated decoded, then escaped again; a piece
/// the translation does not change keeps its bytes (and its escaping) as they were.
std::string TranslateXmlText(std::string_view text, const LineTranslator& translator) {
    std::string decoded;
    if (!DecodeXmlText(text, decoded)) return std::string(text);
    const std::string translated = translator.TranslateLine(decoded);
    return translated == decoded ? std::string(text) : EscapeXmlText(translated);
}

/// Translates the text inside <text> elements of one line of an XML file;
/// `inText` carries over from line to line, since the text spans many lines.
std::string TranslateXmlLine(std::string_view line, const LineTranslator& translator,
                             bool& inText) {
    std::string out;
    std::size_t pos = 0;
    while (pos < line.size()) {
        if (inText) {
            const std::size_t close = line.find(kTextClose, pos);
            out += TranslateXmlText(line.substr(pos, close - pos), translator);
            if (close == std::string_view::npos) break;
            out += kTextClose;
            pos = close + kTextClose.size();
            inText = false;
            continue;
        }
        std::size_t open = line.find(kTextOpen, pos);
        while (open != std::string_view::npos && open + kTextOpen.size() < line.size() &&
               std::string_view(">/ \t").find(line[open + kTextOpen.size()]) ==
                   std::string_view::npos)
            open = line.find(kTextOpen, open + 1);  // "<textarea>" and the like
        const std::size_t tagEnd =
            open == std::string_view::npos ? open : line.find('>', open + kTextOpen.size());
        if (tagEnd == std::string_view::npos) {  // no start tag whole on this line
            out += line.substr(pos);
            break;
        }
        out += line.substr(pos, tagEnd + 1 - pos);
        inText = line[tagEnd - 1] != '/';
        pos = tagEnd + 1;
    }
    return out;
}

/// Writes the translated lines to `out`; false when a line could not be read or
/// written, or the user cancelled (`cancelled` set).
bool WriteTranslation(const std::string& path, const LineTranslator& translator,
                      const std::function<bool()>& keepGoing, ReplacingFile& out, bool& cancelled) {
    LineReader reader(path);
    if (!reader.IsOpen() || !out.IsOpen()) return false;
    const bool xml = IsXmlFile(path);
    bool inText = false;
    std::string line;
    while (reader.Next(line)) {
        std::string translated =
            xml ? TranslateXmlLine(line, translator, inText) : translator.TranslateLine(line);
        translated += "\r\n";
        if (!out.Write(translated)) return false;
        if (keepGoing && !keepGoing()) {
            cancelled = true;
            return false;
        }
    }
    return out.Close();
}

}  // namespace

std::string UntranslatedCopyName(std::string_view path) {
    const std::string text(path);
    const std::size_t slash = text.find_last_of("/\\");
    const std::size_t dot = text.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return text + ".ORIGINAL";
    return text.substr(0, dot + 1) + "ORIGINAL" + text.substr(dot);
}

TranslateOutcome TranslateFile(const std::string& path, const LineTranslator& translator,
                               const std::function<bool()>& keepGoing) {
    TranslateOutcome outcome = TranslateOutcome::Failed;
    Guarded(kProcTranslateFile, [&] {
        if (!FileExists(path)) {
            outcome = TranslateOutcome::Missing;
            return;
        }
        // The translation takes the mode of the file, which moves away before the commit.
        ReplacingFile translated(path);
        translated.KeepCurrentMode();
        bool cancelled = false;
        if (!WriteTranslation(path, translator, keepGoing, translated, cancelled)) {
            outcome = cancelled ? TranslateOutcome::Cancelled : TranslateOutcome::Failed;
            if (!cancelled) throw AppError(err::kPathFileAccess, "Cannot translate " + path);
            return;
        }
        const std::string copy = UntranslatedCopyName(path);
        if (FileExists(copy)) {
            DeleteFileIfExists(copy + ".bak");
            fs::rename(copy, copy + ".bak");
        }
        fs::rename(path, copy);
        if (!translated.Commit()) {
            const std::error_code ec(errno, std::generic_category());
            std::error_code ignored;
            fs::rename(copy, path, ignored);  // put the untranslated text back
            throw fs::filesystem_error("Cannot replace " + path, ec);
        }
        outcome = TranslateOutcome::Translated;
    });
    return outcome;
}

}  // namespace arc
