#include "translation/TranslationWindowState.h"

#include <vector>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/Settings.h"
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

constexpr int kTextDatFilter = 156;
constexpr int kTextIniFilter = 116;
constexpr int kTextNoDictionary = 155;
constexpr int kTextTranslating = 157;
constexpr int kTextDone = 92;

struct RowInfo {
    std::string_view fileName;
    std::string_view fallback;
    int slot;
};

constexpr std::array<RowInfo, kTranslationRows> kRows = {{
    {"Catlist.ini", "ini/Catlist.ini", kCatlistIni},
    {"Genre.ini", "ini/Genre.ini", kGenreIni},
    {"Catver.ini", "ini/Catver.ini", kCatverIni},
    {"Wizsort.ini", "ini/Wizsort.ini", kWizsortIni},
    {"Multiplayer.ini", "ini/Multiplayer.ini", kMultiplayerIni},
    {"Nplayers.ini", "ini/Nplayers.ini", kNPlayersIni},
    {"History.dat", "dat/History.dat", kHistoryDat},
    {"Mameinfo.dat", "dat/Mameinfo.dat", kMameinfoDat},
    {"history.xml", "dat/history.xml", kHistoryDat},
}};
constexpr int kHistoryXmlRow = 8;

struct SectionRows {
    std::string_view header;
    std::vector<int> rows;
};

const std::array<SectionRows, 4> kSections = {{
    {"[WIZ]", {0, 1, 2, 3}},
    {"[PLAYERS]", {4, 5}},
    {"[HISTORY]", {6, kHistoryXmlRow}},
    {"[MAMEINFO]", {7}},
}};

/// Today's History comes as history.xml: the one beside the defined History
/// file, else the program's own.
std::string HistoryXmlPath() {
    const std::string& defined = TheSettings().DataFilePaths[kHistoryDat];
    if (!defined.empty()) {
        if (ToLowerAscii(BaseName(defined)) == "history.xml" && FileExists(defined)) return defined;
        const std::size_t slash = defined.find_last_of('/');
        if (slash != std::string::npos) {
            const std::string beside = FindNoCase(defined.substr(0, slash + 1), "history.xml");
            if (FileExists(beside)) return beside;
        }
    }
    return FindNoCase(ProgramFolder(), kRows[kHistoryXmlRow].fallback);
}

}  // namespace

std::string_view TranslationWindowState::RowFileName(int row) {
    return row >= 0 && row < kTranslationRows ? kRows[row].fileName : std::string_view{};
}

int TranslationWindowState::RowOfName(std::string_view name) {
    const std::string wanted = ToLowerAscii(Trim(name));
    for (int i = 0; i < kTranslationRows; ++i) {
        const std::string file = ToLowerAscii(kRows[i].fileName);
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
            const std::string& defined = TheSettings().DataFilePaths[kRows[i].slot];
            rows[i].path = !defined.empty() && FileExists(defined)
                               ? defined
                               : FindNoCase(ProgramFolder(), kRows[i].fallback);
        }
    });
}

void TranslationWindowState::Browse(int row) {
    if (row < 0 || row >= kTranslationRows) return;
    std::string filter = Text(row >= 6 ? kTextDatFilter : kTextIniFilter);
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

    Guarded(kProcTranslate, [&] {
        LongTask task(0, false);
        task.SetLabel(Text(kTextTranslating));
        buttonsEnabled = false;
        for (const SectionRows& section : kSections) {
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
                switch (TranslateFile(rows[i].path, translator, [&] { return task.KeepGoing(); })) {
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
        task.Finish();
    });
    buttonsEnabled = true;
    std::string failed;
    for (int i = 0; i < kTranslationRows; ++i)
        if (rows[i].result == RowResult::Failed)
            failed += std::string(failed.empty() ? "" : ", ") + rows[i].path;
    if (failed.empty())
        Ui().Message(Text(kTextDone), MsgButtons::Ok, MsgIcon::Information);
    else
        Ui().Message("Translation failed (files left as they were): " + failed, MsgButtons::Ok,
                     MsgIcon::Critical);
}

}  // namespace arc
