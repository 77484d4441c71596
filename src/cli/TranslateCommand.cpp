// translate: writes a new dictionary, and/or translates the named support
// files (all of them when none is named, then a missing one is skipped).

#include <ostream>

#include "cli/Commands.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/Task.h"
#include "core/UiService.h"
#include "translation/Dictionary.h"
#include "translation/TranslationTask.h"

namespace arc::cli {
namespace {

std::string_view Describe(TranslationResult result) {
    switch (result) {
        case TranslationResult::Translated:
            return "translated";
        case TranslationResult::NoEntries:
            return "left as it is (no finished entry in its dictionary section)";
        case TranslationResult::Missing:
            return "skipped (file not found)";
        case TranslationResult::Cancelled:
            return "cancelled";
        case TranslationResult::Failed:
            return "FAILED";
        case TranslationResult::NotTicked:
            break;
    }
    return "not translated";
}

int Run(CliContext& context, const CommandArgs& args) {
    const bool create = args.Has("--create-dictionary");
    const bool filesOption = args.Has("--files");
    std::vector<int> rows;
    for (const std::string& name : args.Values("--files")) {
        const int row = TranslationRowOfName(name);
        if (row < 0) {
            context.err << "arcanote-cli translate: unknown file '" << name << "' (";
            for (int known = 0; known < kTranslationRows; ++known)
                context.err << (known ? ", " : "") << TranslationRowName(known);
            context.err << ")\n";
            return 2;
        }
        rows.push_back(row);
    }

    if (create) {
        TaskProgress progress;
        TaskContext task(progress, Ui());
        if (!RunDictionary(DictionaryRequestFor(TheSettings().DataFilePaths), task).ok()) {
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

    TranslationRequest request;
    request.paths = TranslationPaths(TheSettings().DataFilePaths);
    if (rows.empty())
        for (int row = 0; row < kTranslationRows; ++row)
            rows.push_back(row);
    for (int row : rows)
        request.ticked[row] = true;
    const TranslationOutcome outcome =
        RunShown([&](TaskContext& task) { return RunTranslation(request, task); },
                 {.window = true, .menusOff = false});
    Ui().Message(outcome.message, MsgButtons::Ok,
                 outcome.failed() ? MsgIcon::Critical : MsgIcon::Information);

    bool failed = false;
    for (int row = 0; row < kTranslationRows; ++row) {
        if (!request.ticked[row]) continue;
        const TranslationResult result = outcome.results[row];
        // A file named on the command line that is not there was not translated.
        const bool failure = result == TranslationResult::Failed ||
                             result == TranslationResult::Cancelled ||
                             (filesOption && result == TranslationResult::Missing);
        failed = failed || failure;
        (failure ? context.err << "arcanote-cli translate: " : context.out)
            << TranslationRowName(row) << ": " << Describe(result) << " (" << request.paths[row]
            << ")\n";
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
