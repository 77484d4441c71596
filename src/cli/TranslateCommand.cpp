// translate: writes a new dictionary, and/or translates the named support
// files (all of them when none is named, then a missing one is skipped).

#include <ostream>

#include "cli/Commands.h"
#include "core/Files.h"
#include "core/Log.h"
#include "translation/Dictionary.h"
#include "translation/TranslationWindowState.h"

namespace arc::cli {
namespace {

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

int Run(CliContext& context, const CommandArgs& args) {
    const bool create = args.Has("--create-dictionary");
    const bool filesOption = args.Has("--files");
    std::vector<int> rows;
    for (const std::string& name : args.Values("--files")) {
        const int row = TranslationWindowState::RowOfName(name);
        if (row < 0) {
            context.err << "arcanote-cli translate: unknown file '" << name << "' (";
            for (int known = 0; known < kTranslationRows; ++known)
                context.err << (known ? ", " : "") << TranslationWindowState::RowFileName(known);
            context.err << ")\n";
            return 2;
        }
        rows.push_back(row);
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

}  // namespace

CliCommand TranslateCommand() {
    return {"translate",
            "write a new dictionary, or translate support files with the dictionary",
            {},
            {{"--create-dictionary", "", "write a new dictionary from the support files"},
             {"--files", "NAME",
              "only these files (Catlist, Genre, Catver, Wizsort, Multiplayer, Nplayers, "
              "History, Mameinfo, history.xml); default: every one found",
              kRepeatable}},
            Run};
}

}  // namespace arc::cli
