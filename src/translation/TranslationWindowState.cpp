#include "translation/TranslationWindowState.h"

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/Task.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "translation/Dictionary.h"

namespace arc {
namespace {

constexpr int kProcOpen = 860;
constexpr int kProcEdit = 861;

}  // namespace

void TranslationWindowState::Open() {
    Guarded(kProcOpen, [&] {
        const std::array<std::string, kTranslationRows> paths =
            TranslationPaths(TheSettings().DataFilePaths);
        for (int i = 0; i < kTranslationRows; ++i)
            rows[i].path = paths[i];
    });
}

void TranslationWindowState::Browse(int row) {
    if (row < 0 || row >= kTranslationRows) return;
    std::string filter = Text(TranslationRowFolder(row) == "dat" ? kTextDatFilter : kTextIniFilter);
    if (row == kTranslationRows - 1) filter += "XML files (*.xml)|*.xml|";
    const std::string chosen = ChooseFile({}, rows[row].path, 0, false, filter);
    if (!chosen.empty()) rows[row].path = chosen;
}

void TranslationWindowState::EditDictionary() {
    Guarded(kProcEdit, [&] {
        if (EnsureDictionary(DictionaryRequestFor(TheSettings().DataFilePaths)))
            Ui().OpenWithDefaultApp(DictionaryPath());
        else
            Ui().Message(Text(kTextNoDictionary), MsgButtons::Ok, MsgIcon::Critical);
    });
}

void TranslationWindowState::Translate() {
    TranslationRequest request;
    bool any = false;
    for (int i = 0; i < kTranslationRows; ++i) {
        rows[i].result = RowResult::NotTicked;
        request.paths[i] = rows[i].path;
        request.ticked[i] = rows[i].checked;
        any = any || rows[i].checked;
    }
    if (!any) return;

    buttonsEnabled = false;
    TranslationOutcome outcome;
    TaskProgress progress;
    Ui().RunTask(progress,
                 [&](TaskContext& context) { outcome = RunTranslation(request, context); },
                 {.window = true, .menusOff = false});
    buttonsEnabled = true;
    for (int i = 0; i < kTranslationRows; ++i)
        rows[i].result = outcome.results[i];
    Ui().Message(outcome.message, MsgButtons::Ok,
                 outcome.failed() ? MsgIcon::Critical : MsgIcon::Information);
}

std::string TranslationWindowState::EndMessage() const {
    std::array<std::string, kTranslationRows> paths;
    std::array<TranslationResult, kTranslationRows> results;
    for (int i = 0; i < kTranslationRows; ++i) {
        paths[i] = rows[i].path;
        results[i] = rows[i].result;
    }
    return TranslationEndMessage(paths, results);
}

}  // namespace arc
