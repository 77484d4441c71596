#include "translation/FileTranslation.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/TextFile.h"

namespace arc {
namespace {

constexpr int kProcTranslateFile = 852;

namespace fs = std::filesystem;

/// Writes the translated lines to a temporary file beside `path`; its name, or
/// "" when it could not be written or the user cancelled (`cancelled` set).
std::string WriteTranslatedCopy(const std::string& path, const LineTranslator& translator,
                                const std::function<bool()>& keepGoing, bool& cancelled) {
    std::string tempName = path + ".translating-XXXXXX";
    const int fd = mkstemp(tempName.data());
    if (fd < 0) return {};
    std::FILE* out = fdopen(fd, "wb");
    if (!out) {
        close(fd);
        DeleteFileIfExists(tempName);
        return {};
    }
    LineReader reader(path);
    bool ok = reader.IsOpen();
    std::string line;
    while (ok && reader.Next(line)) {
        std::string translated = translator.TranslateLine(line);
        translated += "\r\n";
        ok = std::fwrite(translated.data(), 1, translated.size(), out) == translated.size();
        if (keepGoing && !keepGoing()) {
            cancelled = true;
            ok = false;
        }
    }
    ok = std::fclose(out) == 0 && ok;
    if (!ok) {
        DeleteFileIfExists(tempName);
        return {};
    }
    return tempName;
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
        bool cancelled = false;
        const std::string translated = WriteTranslatedCopy(path, translator, keepGoing, cancelled);
        if (translated.empty()) {
            outcome = cancelled ? TranslateOutcome::Cancelled : TranslateOutcome::Failed;
            if (!cancelled) throw AppError(err::kPathFileAccess, "Cannot translate " + path);
            return;
        }
        const std::string copy = UntranslatedCopyName(path);
        try {
            if (FileExists(copy)) {
                DeleteFileIfExists(copy + ".bak");
                fs::rename(copy, copy + ".bak");
            }
            fs::rename(path, copy);
            std::error_code ec;
            fs::rename(translated, path, ec);
            if (ec) {
                std::error_code ignored;
                fs::rename(copy, path, ignored);  // put the untranslated text back
                throw fs::filesystem_error("Cannot replace " + path, ec);
            }
        } catch (...) {
            DeleteFileIfExists(translated);
            throw;
        }
        outcome = TranslateOutcome::Translated;
    });
    return outcome;
}

}  // namespace arc
