#pragma once
// Import of the emulator's -listxml output into the open database: the entry
// point and its two methods.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace arc {

class TaskProgress;

/// Program folder + "listxml.txt".
std::string DefaultListXmlPath();

/// How the list is read: the fast text scan, or the document model.
enum class ImportMethod { Fast = 1, Document = 2 };

/// The import entry point. `path` empty means the program folder's
/// "listxml.txt". A missing or empty file is told to the user (text entry 179)
/// and nothing is imported. Otherwise the caption becomes text entry 180 and
/// the file is read by `method`; when the document cannot be loaded the fast method reads it with
/// the caption of text entry 267. The database must be open; the captions,
/// the count and the cancel go through `progress`. False when the list was not
/// imported or only in part (told to the user); a cancel is no failure.
/// `updateMode` (the update): a set already in the database is replaced.
bool ImportListXml(std::string_view path, TaskProgress& progress,
                   ImportMethod method = ImportMethod::Fast, bool updateMode = false);

/// The fast method: a streaming text scan of the file (never held whole in
/// memory). `progress` counts kilobytes, complete at the end; stops before the
/// next game once `progress` is cancelled. A list that declares entities is
/// refused; one without any game element, or cut before its end, is told
/// (the games it holds stay imported). An oversized value or game element is
/// cut and logged. Errors are logged as error blocks and end the import; rows
/// already written stay. False on any of these.
bool ImportListXmlFast(std::string_view path, TaskProgress& progress, bool updateMode = false);

/// The fast method on a stream that is read as it arrives (the emulator's
/// output), `name` standing for it in what is told. Every byte read is also
/// written to `copy` when one is given; a read or copy error fails the import.
/// `expectedBytes` sizes the progress. Same results as ImportListXmlFast.
bool ImportListXmlStream(std::FILE* stream, std::string_view name, std::FILE* copy,
                         std::uint64_t expectedBytes, TaskProgress& progress);

enum class DocumentResult {
    Imported,
    Failed,     ///< told to the user or logged; nothing more to do
    NotLoaded,  ///< the parser rejected the file: the database is untouched
};

/// The document-model method (libxml2 within its default limits, DTD default
/// attributes applied). The file is read twice: once whole to check it and
/// count its games, then into a document model of one game at a time. A list
/// that declares entities is refused (Failed). `progress` counts games,
/// complete once the import ran to its end; stops before the next game once
/// `progress` is cancelled.
DocumentResult ImportListXmlDocument(std::string_view path, TaskProgress& progress,
                                     bool updateMode = false);

/// Tells the user and the log that the list at `path` was not imported (or
/// only in part): "<path> <fault>".
void TellListFault(std::string_view path, std::string_view fault);

/// The faults told for a list that declares entities and for one without games.
inline constexpr std::string_view kEntitiesRefused =
    "declares entities, which the emulator's list never does: it was not imported.";
inline constexpr std::string_view kNoGame = "holds no machine: it is not the emulator's list.";

}  // namespace arc
