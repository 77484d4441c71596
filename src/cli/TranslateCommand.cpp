// translate [--create-dictionary] [--files NAME...]: writes a new dictionary,
// and/or translates the named support files (Catlist, Genre, Catver, Wizsort,
// Multiplayer, Nplayers, History, Mameinfo, history.xml; all of them when none
// is named, then a missing one is skipped).

#include <ostream>

#include "cli/Commands.h"
#include "core/Files.h"
#include "core/Log.h"
#include "translation/Dictionary.h"
#include "translation/TranslationWindowState.h"

namespace arc::cli {
namespace {

constexpr std::string_view kUsage = "translate [--create-dictionary] [--files NAME...]";

std::string_view Describe(TranslationWindowState::RowResult result) {
    switch (result) {
        case TranslationWindowState::RowResult::Translated:
            return "translated";
        case TranslationWindowState::RowResult::NoEntries:
            return "left as it is (no finished entry in its dictionary section)";
        case TranslationWindowState::RowResult::Missing:
            return "skipped (file not found)";
        case TranslationWindowState::RowResult::Cancelled:
            return "cancelled";
        case TranslationWindowState::RowResult::Failed:
            return "FAILED";
        case TranslationWindowState::RowResult::NotTicked:
            break;
    }
    return "not translated";
}

}  // namespace

int RunTranslateCommand(CliContext& context, const std::vector<std::string>& args) {
    bool create = false;
    bool filesOption = false;
    std::vector<int> rows;
    for (const std::string& arg : args) {
        if (arg == "--create-dictionary") {
            create = true;
        } else if (arg == "--files") {
            filesOption = true;
        } else if (filesOption && !arg.starts_with("--")) {
            const int row = TranslationWindowState::RowOfName(arg);
            if (row < 0) {
                context.err << "arcanote-cli translate: unknown file '" << arg
                            << "' (Catlist, Genre, Catver, Wizsort, Multiplayer, Nplayers, "
                               "History, Mameinfo, history.xml)\n";
                return 2;
            }
            rows.push_back(row);
        } else {
            context.err << "arcanote-cli translate: unknown option '" << arg
                        << "' (usage: " << kUsage << ")\n";
            return 2;
        }
    }
    if (filesOption && rows.empty()) {
        context.err << "arcanote-cli translate: --files needs at least one name\n";
        return 2;
    }

    if (create) {
        if (!CreateDictionary()) {
            context.err << "arcanote-cli translate: cannot write " << DictionaryPath() << " (see "
                        << LogFilePath() << ")\n";
            return 1;
        }
        context.out << "Dictionary written: " << DictionaryPath() << '\n';
        if (!filesOption) return 0;
    }
    if (!FileExists(DictionaryPath())) {
        context.err << "arcanote-cli translate: no dictionary " << DictionaryPath()
                    << " (create it with --create-dictionary, then fill in the translations)\n";
        return 1;
    }

    TranslationWindowState window;
    window.Open();
    if (rows.empty())
        for (int row = 0; row < kTranslationRows; ++row)
            rows.push_back(row);
    for (int row : rows)
        window.rows[row].checked = true;
    window.Translate();

    bool failed = false;
    for (int row = 0; row < kTranslationRows; ++row) {
        const TranslationWindowState::Row& entry = window.rows[row];
        if (!entry.checked) continue;
        // A file named on the command line that is not there was not translated.
        const bool failure =
            entry.result == TranslationWindowState::RowResult::Failed ||
            entry.result == TranslationWindowState::RowResult::Cancelled ||
            (filesOption && entry.result == TranslationWindowState::RowResult::Missing);
        failed = failed || failure;
        (failure ? context.err << "arcanote-cli translate: " : context.out)
            << TranslationWindowState::RowFileName(row) << ": " << Describe(entry.result) << " ("
            << entry.path << ")\n";
    }
    return failed ? 1 : 0;
}

}  // namespace arc::cli
