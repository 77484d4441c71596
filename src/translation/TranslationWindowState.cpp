#include "translation/TranslationWindowState.h"

#include <algorithm>
#include <vector>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/Task.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "translation/Dictionary.h"
#include "translation/FileTranslation.h"
#include "translation/LineTranslator.h"

namespace arc {
namespace {

constexpr int kProcOpen = 860;
constexpr int kProcEdit = 861;
constexpr int kProcTranslate = 862;

constexpr int kHistoryXmlRow = kTranslationRows - 1;
constexpr std::string_view kHistoryXmlName = "history.xml";

/// The file of each row; history.xml is today's History.
constexpr std::array<SupportFile, kTranslationRows> kRowFiles = [] {
    std::array<SupportFile, kTranslationRows> files{};
    for (const SupportFileRow& row : kSupportFileCatalogue)
        if (row.translation.row >= 0) files[row.translation.row] = row.file;
    files[kHistoryXmlRow] = SupportFile::History;
    return files;
}();

const SupportFileRow& RowFile(int row) {
    return RowOf(kRowFiles[row]);
}

struct SectionRows {
    std::string_view header;
    std::vector<int> rows;
};

/// The dictionary sections in the order of their first row, each with its rows.
std::vector<SectionRows> Sections() {
    std::vector<SectionRows> sections;
    for (int i = 0; i < kTranslationRows; ++i) {
        const std::string_view header = RowFile(i).translation.section;
        auto section = std::find_if(sections.begin(), sections.end(),
                                    [&](const SectionRows& s) { return s.header == header; });
        if (section == sections.end())
            sections.push_back({header, {i}});
        else
            section->rows.push_back(i);
    }
    return sections;
}

/// The program's own dat/ or ini/ file, any case.
std::string OwnFile(std::string_view folder, std::string_view name) {
    return FindNoCase(ProgramFolder(), std::string(folder) + "/" + std::string(name));
}

/// Today's History comes as history.xml: the one beside the defined History
/// file, else the program's own.
std::string HistoryXmlPath() {
    const std::string& defined = TheSettings().DataFilePaths[SlotOf(SupportFile::History)];
    if (!defined.empty()) {
        if (ToLowerAscii(BaseName(defined)) == "history.xml" && FileExists(defined)) return defined;
        const std::size_t slash = defined.find_last_of('/');
        if (slash != std::string::npos) {
            const std::string beside = FindNoCase(defined.substr(0, slash + 1), "history.xml");
            if (FileExists(beside)) return beside;
        }
    }
    return OwnFile(RowOf(SupportFile::History).folder, kHistoryXmlName);
}

}  // namespace

std::string_view TranslationWindowState::RowFileName(int row) {
    if (row == kHistoryXmlRow) return kHistoryXmlName;
    return row >= 0 && row < kTranslationRows ? RowFile(row).caption : std::string_view{};
}

int TranslationWindowState::RowOfName(std::string_view name) {
    const std::string wanted = ToLowerAscii(Trim(name));
    for (int i = 0; i < kTranslationRows; ++i) {
        const std::string file = ToLowerAscii(RowFileName(i));
        if (wanted == file || wanted == file.substr(0, file.find('.'))) return i;
    }
    return -1;
}

void TranslationWindowState::Open() {
    Guarded(kProcOpen, [&] {
        for (int i = 0; i < kTranslationRows; ++i) {
            if (i == kHistoryXmlRow) {
                rows[i].path = HistoryXmlPath();
                continue;
            }
            const SupportFileRow& file = RowFile(i);
            const std::string& defined = TheSettings().DataFilePaths[file.slot];
            rows[i].path = !defined.empty() && FileExists(defined)
                               ? defined
                               : OwnFile(file.folder, file.caption);
        }
    });
}

void TranslationWindowState::Browse(int row) {
    if (row < 0 || row >= kTranslationRows) return;
    std::string filter = Text(RowFile(row).folder == "dat" ? kTextDatFilter : kTextIniFilter);
    if (row == kHistoryXmlRow) filter += "XML files (*.xml)|*.xml|";
    const std::string chosen = ChooseFile({}, rows[row].path, 0, false, filter);
    if (!chosen.empty()) rows[row].path = chosen;
}

void TranslationWindowState::EditDictionary() {
    Guarded(kProcEdit, [&] {
        if (EnsureDictionary())
            Ui().OpenWithDefaultApp(DictionaryPath());
        else
            Ui().Message(Text(kTextNoDictionary), MsgButtons::Ok, MsgIcon::Critical);
    });
}

void TranslationWindowState::Translate() {
    for (Row& row : rows)
        row.result = RowResult::NotTicked;
    bool any = false;
    for (const Row& row : rows)
        any = any || row.checked;
    if (!any) return;

    buttonsEnabled = false;
    TaskProgress shown;
    Ui().RunTask(shown,
                 [&](TaskContext& context) {
                     Guarded(kProcTranslate, [&] {
                         TaskProgress& task = context.progress();
                         task.SetLabel(Text(kTextTranslating));
                         for (const SectionRows& section : Sections()) {
                             bool ticked = false;
                             for (int i : section.rows)
                                 ticked = ticked || rows[i].checked;
                             if (!ticked) continue;
                             const LineTranslator translator(LoadSection(section.header));
                             for (int i : section.rows) {
                                 if (!rows[i].checked) continue;
                                 if (!FileExists(rows[i].path)) {
                                     rows[i].result = RowResult::Missing;
                                     continue;
                                 }
                                 if (translator.empty()) {
                                     rows[i].result = RowResult::NoEntries;
                                     continue;
                                 }
                                 if (task.Cancelled() || !task.KeepGoing()) {
                                     rows[i].result = RowResult::Cancelled;
                                     continue;
                                 }
                                 switch (TranslateFile(rows[i].path, translator,
                                                       [&] { return task.KeepGoing(); })) {
                                     case TranslateOutcome::Translated:
                                         rows[i].result = RowResult::Translated;
                                         break;
                                     case TranslateOutcome::Missing:
                                         rows[i].result = RowResult::Missing;
                                         break;
                                     case TranslateOutcome::Cancelled:
                                         rows[i].result = RowResult::Cancelled;
                                         break;
                                     case TranslateOutcome::Failed:
                                         rows[i].result = RowResult::Failed;
                                         break;
                                 }
                             }
                         }
                     });
                 },
                 {.window = true, .menusOff = false});
    buttonsEnabled = true;
    bool failed = false;
    for (const Row& row : rows)
        failed = failed || row.result == RowResult::Failed;
    Ui().Message(EndMessage(), MsgButtons::Ok, failed ? MsgIcon::Critical : MsgIcon::Information);
}

std::string TranslationWindowState::EndMessage() const {
    std::string written;
    std::string failed;
    for (const Row& row : rows) {
        if (row.result == RowResult::Translated) written += "\n" + row.path;
        if (row.result == RowResult::Failed) failed += "\n" + row.path;
    }
    std::string message =
        written.empty() ? Text(kTextNothingTranslated) : Text(kTextTranslatedFiles) + written;
    if (!failed.empty()) message += "\n\n" + Text(kTextTranslationFailed) + failed;
    return message;
}

}  // namespace arc
