#pragma once
// Line shapes shared by the INI importers.

#include <string>
#include <string_view>
#include <utility>

#include "core/ErrorGuard.h"
#include "core/Log.h"
#include "importers/SupportFileReader.h"

namespace arc {

/// A header line's value: the text between its first and last character.
std::string HeaderValue(std::string_view header);

/// "name = value": both parts trimmed. False when the line holds no "=" or the
/// name is empty.
bool SplitKeyValue(std::string_view line, std::string_view& name, std::string_view& value);

/// True when the reader opened its file. Otherwise ends the run the way a
/// missing file does, and reports an existing file that could not be read.
bool OpenedOrFinished(const SupportFileReader& reader, std::string_view path,
                      TaskProgress& progress);

/// The frame of a line importer, run as operation `procedure`: opens the file
/// (a missing one ends the run as OpenedOrFinished does, after logging
/// `missingNote` + path when a note is given), runs body(reader), then ends
/// the progress. True when the file was read without cancel or error.
template <class Body>
bool ImportLines(int procedure, std::string_view path, TaskProgress& progress,
                 std::string_view missingNote, Body&& body) {
    bool result = false;
    Guarded(procedure, [&] {
        SupportFileReader reader(path, progress);
        if (!reader.IsOpen() && !missingNote.empty())
            DebugLog(std::string(missingNote) + std::string(path));
        if (!OpenedOrFinished(reader, path, progress)) return;
        body(reader);
        reader.Finish();
        result = !reader.Cancelled();
    });
    return result;
}

template <class Body>
bool ImportLines(int procedure, std::string_view path, TaskProgress& progress, Body&& body) {
    return ImportLines(procedure, path, progress, {}, std::forward<Body>(body));
}

}  // namespace arc
