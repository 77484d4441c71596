#pragma once
// Import of the emulator's -listxml output into the open database: the entry
// point and its two methods.

#include <string>
#include <string_view>

namespace arc {

/// Program folder + "listxml.txt".
std::string DefaultListXmlPath();

/// The import entry point. `path` empty means the program folder's
/// "listxml.txt". A missing or empty file is told to the user (text entry 179)
/// and nothing is imported (false). Otherwise the caption becomes text entry
/// 180 and the file is read by the method of State().ImportMethod (1 fast, 2
/// document model); when the document cannot be loaded the fast method reads
/// it with the caption of text entry 267. The database must be open and the
/// progress window showing; progress and cancel follow Progress().
bool ImportListXml(std::string_view path = {});

/// The fast method: a streaming text scan of the file (never held whole in
/// memory). Progress().Total / Done count kilobytes; stops before the next
/// game once the cancel flag is set. Errors are logged as error blocks and end
/// the import; rows already written stay.
void ImportListXmlFast(std::string_view path);

/// The document-model method (libxml2, DTD default attributes applied). Returns
/// false, without touching the database, when the document cannot be loaded.
/// Progress().Total / Done count games.
bool ImportListXmlDocument(std::string_view path);

}  // namespace arc
