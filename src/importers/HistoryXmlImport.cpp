// history.xml: <history><entry><systems><system name=".."/></systems>
// <text>..</text></entry></history>, streamed with libxml2's reader into the
// same History rows and links as History.dat.

#include <libxml/xmlreader.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/Progress.h"
#include "importers/HistoryEntry.h"
#include "importers/HistoryWriter.h"
#include "importers/Importers.h"
#include "importers/SupportFileReader.h"

namespace arc {
namespace {

constexpr int kProcHistoryXml = 402;

struct ReaderFree {
    void operator()(xmlTextReader* reader) const { xmlFreeTextReader(reader); }
};
struct XmlCharFree {
    void operator()(xmlChar* text) const { xmlFree(text); }
};
using XmlText = std::unique_ptr<xmlChar, XmlCharFree>;

std::string_view View(const xmlChar* text) {
    return text ? std::string_view(reinterpret_cast<const char*>(text)) : std::string_view();
}

void CollectError(void* arg, const char* message, xmlParserSeverities severity,
                  xmlTextReaderLocatorPtr locator) {
    auto* first = static_cast<std::string*>(arg);
    if (!first->empty() || severity == XML_PARSER_SEVERITY_WARNING ||
        severity == XML_PARSER_SEVERITY_VALIDITY_WARNING)
        return;
    *first = "line " + std::to_string(xmlTextReaderLocatorLineNumber(locator)) + ": " +
             std::string(Trim(message ? message : ""));
}

/// Splits the entry's text into its title and body, as History.dat holds them.
void FillEntry(HistoryEntry& entry, std::string_view text) {
    HistoryEntryBuilder builder(entry);
    bool titleSeen = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::string_view trimmed = Trim(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!titleSeen) {
            if (trimmed.empty()) continue;
            titleSeen = true;
            if (trimmed.find("(c)") != std::string_view::npos) {
                entry.yearManufacturer = YearManufacturer(trimmed);
                continue;
            }
        }
        builder.Line(trimmed);
    }
    builder.Close();
}

}  // namespace

bool ImportHistoryXml(std::string_view path, TaskProgress& progress, DataValues* values) {
    bool result = false;
    Guarded(kProcHistoryXml, [&] {
        if (!FileExists(path)) return;
        const std::string file(path);
        std::unique_ptr<xmlTextReader, ReaderFree> reader(
            xmlReaderForFile(file.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_COMPACT));
        if (!reader) throw AppError(err::kPathFileAccess, "Cannot read " + file);
        std::string xmlError;
        xmlTextReaderSetErrorHandler(reader.get(), CollectError, &xmlError);

        DebugLog("Analysing " + file);
        progress.SetLabel(AnalysingCaption(path));
        const int total = ProgressCount(std::filesystem::file_size(file));
        progress.SetTotal(total);
        progress.Step(0);

        HistoryWriter writer(values);
        HistoryEntry entry;
        bool inEntry = false;
        bool cancelled = false;
        int status = 1;
        while ((status = xmlTextReaderRead(reader.get())) == 1) {
            if (!progress.KeepGoing()) {
                cancelled = true;
                break;
            }
            const int type = xmlTextReaderNodeType(reader.get());
            const std::string_view name = View(xmlTextReaderConstLocalName(reader.get()));
            if (type == XML_READER_TYPE_ELEMENT) {
                if (name == "entry") {
                    entry = HistoryEntry();
                    inEntry = xmlTextReaderIsEmptyElement(reader.get()) == 0;
                } else if (inEntry && name == "system") {
                    XmlText set(xmlTextReaderGetAttribute(reader.get(), BAD_CAST "name"));
                    if (!Trim(View(set.get())).empty())
                        entry.names.emplace_back(Trim(View(set.get())));
                } else if (inEntry && name == "text") {
                    XmlText text(xmlTextReaderReadString(reader.get()));
                    FillEntry(entry, View(text.get()));
                }
            } else if (type == XML_READER_TYPE_END_ELEMENT && name == "entry") {
                // Entries for software lists name no set of this database.
                if (inEntry && !entry.names.empty()) writer.Write(entry);
                inEntry = false;
                // A cancel is noted at the next node.
                const long consumed = xmlTextReaderByteConsumed(reader.get());
                progress.Step(
                    ProgressCount(static_cast<std::uint64_t>(consumed < 0 ? 0 : consumed)));
            }
        }
        writer.Commit();
        if (status < 0) {
            WriteLog("history.xml: " + file + " is not well formed (" + xmlError +
                     "), entries before the fault are kept");
            progress.Step(total);
            return;
        }
        if (!cancelled && !values) RemoveUnusedHistoryRows();
        progress.Step(total);
        result = !cancelled && !progress.Cancelled();
    });
    return result;
}

}  // namespace arc
