// History.dat: one History row per entry, linked to every set it names.

#include <string>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "importers/HistoryEntry.h"
#include "importers/HistoryFiles.h"
#include "importers/HistoryWriter.h"
#include "importers/Importers.h"
#include "importers/IniLines.h"
#include "importers/SupportFileReader.h"

namespace arc {
namespace {

constexpr int kProcHistory = 401;

enum class EntryEnd { Complete, NextEntry, EndOfFile, Cancelled };

bool IsEntryStart(std::string_view line) {
    return StartsWithNoCase(line, "$info");
}

/// Reads one entry after its "$info" line. On NextEntry `line` holds the
/// "$info" line of the following entry.
EntryEnd ReadEntry(SupportFileReader& reader, HistoryEntry& entry, std::string& line) {
    auto stopped = [&] { return reader.Cancelled() ? EntryEnd::Cancelled : EntryEnd::EndOfFile; };
    // Three lines without test; the third is the title.
    for (int i = 0; i < 3; ++i) {
        if (!reader.Next(line)) return stopped();
        if (line == "$end") return EntryEnd::Complete;
        if (IsEntryStart(line)) return EntryEnd::NextEntry;
        if (i == 2) entry.yearManufacturer = YearManufacturer(line);
    }
    HistoryEntryBuilder builder(entry);
    while (reader.Next(line)) {
        if (IsEntryStart(line)) {
            builder.Close();
            return EntryEnd::NextEntry;
        }
        if (!builder.Line(line)) return EntryEnd::Complete;
    }
    builder.Close();
    return stopped();
}

std::string NamesText(const HistoryEntry& entry) {
    std::string text;
    for (const std::string& name : entry.names)
        text += (text.empty() ? "" : ",") + name;
    return text;
}

}  // namespace

bool ImportHistory(std::string_view path, TaskProgress& progress, DataValues* values) {
    if (!FileExists(path)) {
        const std::string xml = HistoryXmlBeside(path);
        return xml.empty() ? false : ImportHistoryXml(xml, progress, values);
    }
    if (LooksLikeXml(path)) return ImportHistoryXml(path, progress, values);

    return ImportLines(kProcHistory, path, progress, [&](SupportFileReader& reader) {
        HistoryWriter writer(values);
        std::string line;
        bool haveLine = false;  // `line` already holds the next entry's "$info" line
        while (haveLine || reader.Next(line)) {
            haveLine = false;
            if (!IsEntryStart(line)) continue;
            HistoryEntry entry;
            entry.names = HistoryNames(line);
            const EntryEnd end = ReadEntry(reader, entry, line);
            if (end == EntryEnd::Cancelled) break;
            if (end != EntryEnd::Complete)
                WriteLog("History: entry " + NamesText(entry) + " has no $end, kept as read");
            writer.Write(entry);
            haveLine = end == EntryEnd::NextEntry;
        }
        writer.Commit();
        // Collected links are not written yet: the clean-up needs them.
        if (!values && !reader.Cancelled()) RemoveUnusedHistoryRows();
    });
}

}  // namespace arc
