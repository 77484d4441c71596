// Mameinfo.dat: the text block of each set into Data.MameInfo.

#include <string>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "importers/DataUpdate.h"
#include "importers/Importers.h"
#include "importers/IniLines.h"
#include "importers/SupportFileReader.h"

namespace arc {
namespace {

constexpr int kProcMameinfo = 433;

bool IsMarker(std::string_view line, std::string_view upperMarker) {
    return ToUpperAscii(Trim(line)) == upperMarker;
}

}  // namespace

bool ImportMameinfo(std::string_view path, TaskProgress& progress, DataValues* values) {
    return ImportLines(
        kProcMameinfo, path, progress, " (1) Can't find ", [&](SupportFileReader& reader) {
            DataFieldUpdate update("MameInfo", values);
            WritesBatch batch(values);
            std::string name;
            std::string text;
            std::string line;
            while (reader.Next(line)) {
                if (StartsWithNoCase(line, "$info") && line.find('=') != std::string::npos) {
                    name = Trim(line.substr(line.find('=') + 1));
                    text.clear();  // what an entry without "$end" gathered is not carried over
                    if (!reader.NextRaw(line)) line.clear();
                }
                if (IsMarker(line, "$MAME") && !reader.NextRaw(line)) line.clear();
                if (IsMarker(line, "$END")) {
                    if (!name.empty()) {
                        update.Run(name, text);
                        batch.RowDone();
                    }
                    name.clear();
                    text.clear();
                    line.clear();
                }
                if (!name.empty()) {
                    text += line;
                    text += "\r\n";
                }
            }
        });
}

}  // namespace arc
