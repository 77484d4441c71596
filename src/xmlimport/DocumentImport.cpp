// The document-model listxml import: the file is read with libxml2 (DTD
// default attributes applied, so a missing `runnable` reads "yes"; entity
// declarations refused) into a document model of one game element at a time,
// which is walked and freed.

#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/Progress.h"
#include "xmlimport/ListXmlImport.h"
#include "xmlimport/ListXmlWriter.h"

namespace arc {
namespace {

constexpr int kProcDocumentImport = 313;

struct DocumentFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
using Document = std::unique_ptr<xmlDoc, DocumentFree>;

struct ContextFree {
    void operator()(xmlParserCtxt* context) const { xmlFreeParserCtxt(context); }
};

bool IsGame(const xmlNode* node);

/// One reading of the file. A game element under the root is handed to
/// `onGame` when it ends, then freed with everything else read under the root
/// so far: the document holds one game at a time.
struct Pass {
    explicit Pass(std::function<bool(const xmlNode*)> visit) : onGame(std::move(visit)) {}
    std::function<bool(const xmlNode*)> onGame;  ///< false stops the reading
    bool entities = false;
    std::exception_ptr failure;  ///< thrown by onGame, carried across the parser
};

Pass& PassOf(void* context) {
    return *static_cast<Pass*>(static_cast<xmlParserCtxt*>(context)->_private);
}

// Attributes added from the DTD's defaults come after those written in the
// file. The count of written ones is kept in each element's _private (plus
// one), so that the import reads an attribute "as written" like the markup
// shows it, except where the DTD default is wanted (runnable).
void StartElementCountingWritten(void* context, const xmlChar* localName, const xmlChar* prefix,
                                 const xmlChar* uri, int namespaceCount, const xmlChar** namespaces,
                                 int attributeCount, int defaultedCount,
                                 const xmlChar** attributes) {
    xmlSAX2StartElementNs(context, localName, prefix, uri, namespaceCount, namespaces,
                          attributeCount, defaultedCount, attributes);
    auto* parser = static_cast<xmlParserCtxt*>(context);
    if (parser->node)
        parser->node->_private = reinterpret_cast<void*>(
            static_cast<std::intptr_t>(attributeCount - defaultedCount + 1));
}

void EndElementHandingOverGames(void* context, const xmlChar* localName, const xmlChar* prefix,
                                const xmlChar* uri) {
    auto* parser = static_cast<xmlParserCtxt*>(context);
    xmlNode* closed = parser->node;
    xmlSAX2EndElementNs(context, localName, prefix, uri);
    xmlNode* root = parser->myDoc ? xmlDocGetRootElement(parser->myDoc) : nullptr;
    // A root that is itself a game is walked whole once read.
    if (!closed || !root || closed->parent != root || IsGame(root) || !IsGame(closed)) return;
    Pass& pass = PassOf(context);
    try {
        if (!pass.onGame(closed)) xmlStopParser(parser);
    } catch (...) {
        pass.failure = std::current_exception();
        xmlStopParser(parser);
    }
    // Only the root is open here: its children (this game, the blanks and
    // comments between games) can all go.
    while (xmlNode* child = root->children) {
        xmlUnlinkNode(child);
        xmlFreeNode(child);
    }
}

/// An entity declaration stops the parse: expanding nested entities is how a
/// file of a few hundred bytes takes gigabytes and minutes.
void RefuseEntity(void* context, const xmlChar*, int, const xmlChar*, const xmlChar*, xmlChar*) {
    PassOf(context).entities = true;
    xmlStopParser(static_cast<xmlParserCtxt*>(context));
}

struct Loaded {
    Document doc;       ///< what is left: the root, and all of it when it is a game
    std::string error;  ///< the parser's reason when the file was not read whole
};

/// Reads the file within libxml2's default limits (no XML_PARSE_HUGE: a text
/// or attribute over 10 MB fails the load, and the fast method cuts it).
Loaded ReadDocument(std::string_view path, Pass& pass) {
    Loaded loaded;
    std::unique_ptr<xmlParserCtxt, ContextFree> context(xmlNewParserCtxt());
    if (!context) {
        loaded.error = "out of memory";
        return loaded;
    }
    context->sax->startElementNs = StartElementCountingWritten;
    context->sax->endElementNs = EndElementHandingOverGames;
    context->sax->entityDecl = RefuseEntity;
    context->sax->externalSubset = nullptr;  // the emulator's document type is internal
    context->_private = &pass;
    const std::string file(path);
    loaded.doc.reset(xmlCtxtReadFile(context.get(), file.c_str(), nullptr,
                                     XML_PARSE_DTDATTR | XML_PARSE_NONET | XML_PARSE_NOERROR |
                                         XML_PARSE_NOWARNING | XML_PARSE_COMPACT));
    if (pass.failure) std::rethrow_exception(pass.failure);
    if (pass.entities || (loaded.doc && !xmlDocGetRootElement(loaded.doc.get())))
        loaded.doc.reset();
    if (!loaded.doc) {
        const xmlError* error = xmlCtxtGetLastError(context.get());
        loaded.error = error && error->message ? "line " + std::to_string(error->line) + ": " +
                                                     std::string(Trim(error->message))
                                               : "no root element";
    }
    return loaded;
}

/// The games the reading left in the document, as the whole document is
/// walked: the root when it is one, then the games under it.
template <class Visit>
void ForEachGameLeft(const Loaded& loaded, Visit&& visit) {
    const xmlNode* root = xmlDocGetRootElement(loaded.doc.get());
    if (IsGame(root)) visit(root);
    for (const xmlNode* node = root->children; node; node = node->next)
        if (IsGame(node)) visit(node);
}

bool Named(const xmlNode* node, const char* name) {
    return node->type == XML_ELEMENT_NODE &&
           xmlStrcmp(node->name, reinterpret_cast<const xmlChar*>(name)) == 0;
}

bool IsGame(const xmlNode* node) {
    return Named(node, "game") || Named(node, "machine");
}

std::string TextOf(const xmlNode* node) {
    xmlChar* content = xmlNodeGetContent(node);
    std::string text(content ? reinterpret_cast<const char*>(content) : "");
    xmlFree(content);
    return text;
}

/// The decoded value of one attribute of `node`.
std::string ValueOf(const xmlNode* node, const xmlAttr* attribute) {
    const xmlNode* content = attribute->children;
    if (!content) return std::string();
    if (content->type == XML_TEXT_NODE && !content->next && content->content)
        return std::string(reinterpret_cast<const char*>(content->content));
    xmlChar* value = xmlNodeListGetString(node->doc, content, 1);
    std::string text(value ? reinterpret_cast<const char*>(value) : "");
    xmlFree(value);
    return text;
}

/// Calls `visit` with each attribute of `node` in document order; with
/// `written`, the attributes that only the DTD supplied are left out.
template <class Visit>
void ForEachAttribute(const xmlNode* node, bool written, Visit&& visit) {
    const auto limit = reinterpret_cast<std::intptr_t>(node->_private);
    std::intptr_t index = 0;
    for (const xmlAttr* attribute = node->properties; attribute; attribute = attribute->next) {
        if (written && limit > 0 && ++index >= limit) return;
        if (!visit(attribute)) return;
    }
}

/// The attribute's value (decoded); nullopt when absent. With `written`, an
/// attribute that only the DTD supplied counts as absent.
std::optional<std::string> Attribute(const xmlNode* node, const char* name, bool written = true) {
    std::optional<std::string> found;
    ForEachAttribute(node, written, [&](const xmlAttr* attribute) {
        if (xmlStrcmp(attribute->name, reinterpret_cast<const xmlChar*>(name)) != 0) return true;
        found = ValueOf(node, attribute);
        return false;
    });
    return found;
}

/// The attribute as the markup reading gives it: "" when absent.
std::string Read(const xmlNode* node, const char* name) {
    return Attribute(node, name).value_or(std::string());
}

/// Sets the field to the attribute when the element has it (an absent one
/// leaves the field as it is, as with the fast method).
void SetFrom(ListXmlWriter& writer, GameField field, const xmlNode* node, const char* name) {
    if (auto value = Attribute(node, name)) writer.Set(field, *value);
}

/// The parts of a video or display element, taken in the order written.
void ImportScreen(ListXmlWriter& writer, const xmlNode* node) {
    using Part = ListXmlWriter::ScreenPart;
    struct Name {
        const char* attribute;
        Part part;
    };
    static constexpr Name kVideo[] = {{"screen", Part::Type},     {"orientation", Part::Rotation},
                                      {"width", Part::Width},     {"height", Part::Height},
                                      {"aspectx", Part::AspectX}, {"aspecty", Part::AspectY},
                                      {"refresh", Part::Refresh}};
    static constexpr Name kDisplay[] = {{"type", Part::Type},
                                        {"rotate", Part::Rotation},
                                        {"width", Part::Width},
                                        {"height", Part::Height},
                                        {"refresh", Part::Refresh}};
    const std::span<const Name> names =
        Named(node, "video") ? std::span<const Name>(kVideo) : std::span<const Name>(kDisplay);
    ForEachAttribute(node, true, [&](const xmlAttr* attribute) {
        for (const Name& name : names)
            if (xmlStrcmp(attribute->name, reinterpret_cast<const xmlChar*>(name.attribute)) == 0)
                writer.Screen(name.part, ValueOf(node, attribute));
        return true;
    });
}

void ImportInput(ListXmlWriter& writer, const xmlNode* node) {
    // Current output moved the control type and buttons to control
    // children: the first type and the first button count are kept.
    std::optional<std::string> control = Attribute(node, "control");
    std::optional<std::string> buttons = Attribute(node, "buttons");
    for (const xmlNode* child = node->children; child; child = child->next) {
        if (!Named(child, "control")) continue;
        if (!control) control = Attribute(child, "type");
        if (!buttons) buttons = Attribute(child, "buttons");
    }
    SetFrom(writer, GameField::Players, node, "players");
    if (control) writer.Set(GameField::Controls, *control);
    if (buttons) writer.Set(GameField::InputButtons, *buttons);
    SetFrom(writer, GameField::InputCoins, node, "coins");
    SetFrom(writer, GameField::InputService, node, "service");
    SetFrom(writer, GameField::InputTilt, node, "tilt");
}

void ImportDriver(ListXmlWriter& writer, const xmlNode* node) {
    const std::optional<std::string> color = Attribute(node, "color");
    SetFrom(writer, GameField::DriverStatus, node, "status");
    SetFrom(writer, GameField::DriverEmulation, node, "emulation");
    if (color) {
        writer.Set(GameField::DriverColor, *color);
        writer.Set(GameField::CorrectColors, color == "good");
    }
    if (auto sound = Attribute(node, "sound")) {
        writer.Set(GameField::DriverSound, *sound);
        writer.Set(GameField::Sound, sound == "good");
    }
    SetFrom(writer, GameField::DriverGraphic, node, "graphic");
    const std::optional<std::string> cocktail = Attribute(node, "cocktail");
    if (cocktail) {
        writer.Set(GameField::DriverCocktail, *cocktail);
        writer.Set(GameField::ScreenFlip, cocktail == "good");
    }
    SetFrom(writer, GameField::DriverProtection, node, "protection");
    SetFrom(writer, GameField::Colors, node, "palettesize");
    writer.NoteDriver(color && !color->empty(), cocktail.value_or(""));
}

void ImportDipSwitch(ListXmlWriter& writer, const xmlNode* node) {
    const std::string switchName = Read(node, "name");
    if (switchName.empty()) return;
    for (const xmlNode* child = node->children; child; child = child->next) {
        if (!Named(child, "dipvalue")) continue;
        const std::string valueName = Read(child, "name");
        if (!valueName.empty()) writer.AddDipSwitch(switchName, valueName, Read(child, "default"));
    }
}

void ImportGame(ListXmlWriter& writer, const xmlNode* game) {
    writer.BeginGame(Attribute(game, "name").value_or(""), Attribute(game, "isdevice") == "yes");
    if (auto value = Attribute(game, "sourcefile")) writer.Set(GameField::Driver, *value);
    // The DTD declares "yes" as the default; a file without DTD reads the same.
    writer.Set(GameField::Working, Attribute(game, "runnable", false).value_or("yes") == "yes");
    if (auto value = Attribute(game, "cloneof")) writer.Set(GameField::CloneOf, *value);
    if (auto value = Attribute(game, "romof")) writer.Set(GameField::RomOf, *value);
    if (auto value = Attribute(game, "sampleof")) writer.Set(GameField::SampleOf, *value);
    for (const xmlNode* node = game->children; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE) continue;
        if (Named(node, "description")) {
            writer.Set(GameField::GameName, TextOf(node));
        } else if (Named(node, "year")) {
            writer.Set(GameField::Year, TextOf(node));
        } else if (Named(node, "manufacturer")) {
            writer.Set(GameField::Manufacturer, TextOf(node));
        } else if (Named(node, "history")) {
            writer.AddHistory(TextOf(node));
        } else if (Named(node, "biosset")) {
            writer.AddBiosSet(Read(node, "name"), Read(node, "description"), Read(node, "default"));
        } else if (Named(node, "rom")) {
            static constexpr const char* kNames[12] = {"name",   "bios",   "size",    "crc",
                                                       "md5",    "sha1",   "merge",   "region",
                                                       "offset", "status", "dispose", "soundonly"};
            std::array<std::string, 12> values;
            std::array<std::string_view, 12> views;
            for (std::size_t i = 0; i < values.size(); ++i)
                views[i] = values[i] = Read(node, kNames[i]);
            writer.AddRom(views);
        } else if (Named(node, "disk")) {
            static constexpr const char* kNames[7] = {"name",   "md5",   "sha1",  "merge",
                                                      "region", "index", "status"};
            std::array<std::string, 7> values;
            std::array<std::string_view, 7> views;
            for (std::size_t i = 0; i < values.size(); ++i)
                views[i] = values[i] = Read(node, kNames[i]);
            writer.AddDisk(views);
        } else if (Named(node, "sample")) {
            SetFrom(writer, GameField::SampleName, node, "name");
        } else if (Named(node, "chip")) {
            writer.AddChip(Read(node, "name"), Read(node, "type"), Read(node, "soundonly"),
                           Read(node, "clock"));
        } else if (Named(node, "video") || Named(node, "display")) {
            ImportScreen(writer, node);
        } else if (Named(node, "sound")) {
            SetFrom(writer, GameField::SoundChannels, node, "channels");
        } else if (Named(node, "input")) {
            ImportInput(writer, node);
        } else if (Named(node, "dipswitch")) {
            ImportDipSwitch(writer, node);
        } else if (Named(node, "driver")) {
            ImportDriver(writer, node);
        } else if (Named(node, "feature")) {
            writer.Feature(Read(node, "type"), Read(node, "status"), Read(node, "overall"));
        } else if (Named(node, "device_ref")) {
            writer.AddDeviceRef(Read(node, "name"));
        } else if (Named(node, "softwarelist")) {
            writer.AddSoftwareList(Read(node, "name"), Read(node, "status"), Read(node, "filter"));
        }
    }
    writer.EndGame();
}

}  // namespace

DocumentResult ImportListXmlDocument(std::string_view path, TaskProgress& progress,
                                     bool updateMode) {
    // A first reading checks the whole file and counts its games: a file the
    // parser rejects leaves the database untouched, as a load would.
    std::size_t games = 0;
    Pass check([&](const xmlNode*) {
        ++games;
        progress.KeepGoing();  // a cancel here stops the import before its first game
        return true;
    });
    Loaded loaded = ReadDocument(path, check);
    if (check.entities) {
        TellListFault(path, kEntitiesRefused);
        return DocumentResult::Failed;
    }
    if (!loaded.doc) {
        WriteLog("listxml: " + std::string(path) + " not loaded as a document (" + loaded.error +
                 "), read by the fast method");
        return DocumentResult::NotLoaded;
    }
    ForEachGameLeft(loaded, [&](const xmlNode*) { ++games; });
    loaded.doc.reset();
    int imported = 0;
    bool stopped = false;
    const bool ran = Guarded(kProcDocumentImport, [&] {
        ListXmlWriter writer(updateMode);
        progress.SetTotal(static_cast<int>(games));
        progress.Step(imported);
        auto import = [&](const xmlNode* game) {
            if (stopped) return;
            if (!progress.KeepGoing()) {
                stopped = true;
                return;
            }
            progress.Step(++imported);
            ImportGame(writer, game);
        };
        Pass second([&](const xmlNode* game) {
            import(game);
            return !stopped;
        });
        const Loaded rest = ReadDocument(path, second);
        if (rest.doc)
            ForEachGameLeft(rest, import);
        else if (!stopped)
            WriteLog("listxml: " + std::string(path) + " changed while read (" + rest.error +
                     "), " + std::to_string(imported) + " games imported");
        writer.Finish();
    });
    // A list changed while read ends short of its count; the import is done all the same.
    if (ran && !stopped) progress.Step(static_cast<int>(games));
    if (ran && games == 0) {
        TellListFault(path, kNoGame);
        return DocumentResult::Failed;
    }
    return ran ? DocumentResult::Imported : DocumentResult::Failed;
}

}  // namespace arc
