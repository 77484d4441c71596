#include "translation/TranslationTask.h"

#include <algorithm>
#include <vector>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/ProgramFolder.h"
#include "core/TextTable.h"
#include "translation/Dictionary.h"
#include "translation/FileTranslation.h"
#include "translation/LineTranslator.h"

namespace arc {
namespace {

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
std::string HistoryXmlPath(const std::string& defined) {
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

TranslationResult ResultOf(TranslateOutcome outcome) {
    switch (outcome) {
        case TranslateOutcome::Translated:
            return TranslationResult::Translated;
        case TranslateOutcome::Missing:
            return TranslationResult::Missing;
        case TranslateOutcome::Cancelled:
            return TranslationResult::Cancelled;
        case TranslateOutcome::Failed:
            break;
    }
    return TranslationResult::Failed;
}

}  // namespace

std::string_view TranslationRowName(int row) {
    if (row == kHistoryXmlRow) return kHistoryXmlName;
    return row >= 0 && row < kTranslationRows ? RowFile(row).caption : std::string_view{};
}

std::string_view TranslationRowFolder(int row) {
    return row >= 0 && row < kTranslationRows ? RowFile(row).folder : std::string_view{};
}

int TranslationRowOfName(std::string_view name) {
    const std::string wanted = ToLowerAscii(Trim(name));
    for (int i = 0; i < kTranslationRows; ++i) {
        const std::string file = ToLowerAscii(TranslationRowName(i));
        if (wanted == file || wanted == file.substr(0, file.find('.'))) return i;
    }
    return -1;
}

std::array<std::string, kTranslationRows> TranslationPaths(
    const std::array<std::string, kDataFileSlots>& definedPaths) {
    std::array<std::string, kTranslationRows> paths;
    for (int i = 0; i < kTranslationRows; ++i) {
        if (i == kHistoryXmlRow) {
            paths[i] = HistoryXmlPath(definedPaths[SlotOf(SupportFile::History)]);
            continue;
        }
        const SupportFileRow& file = RowFile(i);
        const std::string& defined = definedPaths[file.slot];
        paths[i] =
            !defined.empty() && FileExists(defined) ? defined : OwnFile(file.folder, file.caption);
    }
    return paths;
}

std::string TranslationEndMessage(const std::array<std::string, kTranslationRows>& paths,
                                  const std::array<TranslationResult, kTranslationRows>& results) {
    std::string written;
    std::string failed;
    for (int i = 0; i < kTranslationRows; ++i) {
        if (results[i] == TranslationResult::Translated) written += "\n" + paths[i];
        if (results[i] == TranslationResult::Failed) failed += "\n" + paths[i];
    }
    std::string message =
        written.empty() ? Text(kTextNothingTranslated) : Text(kTextTranslatedFiles) + written;
    if (!failed.empty()) message += "\n\n" + Text(kTextTranslationFailed) + failed;
    return message;
}

TranslationOutcome RunTranslation(const TranslationRequest& request, TaskContext& context) {
    return RunCountingErrors<TranslationOutcome>([&] {
        TranslationOutcome outcome;
        TaskProgress& task = context.progress();
        Guarded(kProcTranslate, [&] {
            task.SetLabel(Text(kTextTranslating));
            for (const SectionRows& section : Sections()) {
                bool ticked = false;
                for (int i : section.rows)
                    ticked = ticked || request.ticked[i];
                if (!ticked) continue;
                const LineTranslator translator(LoadSection(section.header));
                for (int i : section.rows) {
                    if (!request.ticked[i]) continue;
                    TranslationResult& result = outcome.results[i];
                    const std::string& path = request.paths[i];
                    if (!FileExists(path))
                        result = TranslationResult::Missing;
                    else if (translator.empty())
                        result = TranslationResult::NoEntries;
                    else if (task.Cancelled() || !task.KeepGoing())
                        result = TranslationResult::Cancelled;
                    else
                        result = ResultOf(
                            TranslateFile(path, translator, [&] { return task.KeepGoing(); }));
                }
            }
        });
        for (int i = 0; i < kTranslationRows; ++i) {
            if (outcome.results[i] == TranslationResult::Translated) ++outcome.done;
            if (outcome.results[i] == TranslationResult::Failed) ++outcome.notDone;
        }
        outcome.message = TranslationEndMessage(request.paths, outcome.results);
        if (outcome.notDone > 0)
            outcome.kind = OutcomeKind::Failed;
        else if (task.Cancelled())
            outcome.kind = OutcomeKind::Cancelled;
        return outcome;
    });
}

}  // namespace arc
