// The document-model listxml import: the whole file is loaded with libxml2
// (DTD default attributes applied, so a missing `runnable` reads "yes") and
// its game elements are walked.

#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdint>
#include <memory>

#include "core/AppState.h"
#include "core/ErrorGuard.h"
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

Document LoadDocument(std::string_view path) {
    std::unique_ptr<xmlParserCtxt, ContextFree> context(xmlNewParserCtxt());
    if (!context) return nullptr;
    context->sax->startElementNs = StartElementCountingWritten;
    const std::string file(path);
    Document doc(xmlCtxtReadFile(context.get(), file.c_str(), nullptr,
                                 XML_PARSE_DTDATTR | XML_PARSE_HUGE | XML_PARSE_NONET |
                                     XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_COMPACT));
    if (doc && !xmlDocGetRootElement(doc.get())) doc.reset();
    return doc;
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

/// The attribute's value (decoded); nullopt when absent. With `written`, an
/// attribute that only the DTD supplied counts as absent.
std::optional<std::string> Attribute(const xmlNode* node, const char* name, bool written = true) {
    const auto limit = reinterpret_cast<std::intptr_t>(node->_private);
    std::intptr_t index = 0;
    for (const xmlAttr* attribute = node->properties; attribute; attribute = attribute->next) {
        ++index;
        if (written && limit > 0 && index >= limit) break;
        if (xmlStrcmp(attribute->name, reinterpret_cast<const xmlChar*>(name)) != 0) continue;
        const xmlNode* content = attribute->children;
        if (!content) return std::string();
        if (content->type == XML_TEXT_NODE && !content->next && content->content)
            return std::string(reinterpret_cast<const char*>(content->content));
        xmlChar* value = xmlNodeListGetString(node->doc, content, 1);
        std::string text(value ? reinterpret_cast<const char*>(value) : "");
        xmlFree(value);
        return text;
    }
    return std::nullopt;
}

/// The attribute as the markup reading gives it: "" when absent.
std::string Read(const xmlNode* node, const char* name) {
    return Attribute(node, name).value_or(std::string());
}

const xmlNode* FirstChild(const xmlNode* node, const char* name) {
    for (const xmlNode* child = node->children; child; child = child->next)
        if (Named(child, name)) return child;
    return nullptr;
}

void ImportVideo(ListXmlWriter& writer, const xmlNode* node) {
    writer.Set(GameField::VideoScreen, Read(node, "screen"));
    writer.Set(GameField::VideoOrientation, Read(node, "orientation"));
    writer.Set(GameField::Resolution, Read(node, "width") + "x" + Read(node, "height"));
    writer.Set(GameField::Aspect, Read(node, "aspectx") + ":" + Read(node, "aspecty"));
    writer.Set(GameField::Refresh, Read(node, "refresh"));
}

void ImportInput(ListXmlWriter& writer, const xmlNode* node) {
    // Current output moved the control type and buttons to control children.
    const xmlNode* control = FirstChild(node, "control");
    writer.Set(GameField::Players, Read(node, "players"));
    writer.Set(GameField::Controls,
               Attribute(node, "control").value_or(control ? Read(control, "type") : ""));
    writer.Set(GameField::InputButtons,
               Attribute(node, "buttons").value_or(control ? Read(control, "buttons") : ""));
    writer.Set(GameField::InputCoins, Read(node, "coins"));
    writer.Set(GameField::InputService, Read(node, "service"));
    writer.Set(GameField::InputTilt, Read(node, "tilt"));
}

void ImportDriver(ListXmlWriter& writer, const xmlNode* node) {
    const std::optional<std::string> color = Attribute(node, "color");
    const std::string sound = Read(node, "sound");
    const std::string cocktail = Read(node, "cocktail");
    writer.Set(GameField::DriverStatus, Read(node, "status"));
    writer.Set(GameField::DriverEmulation, Read(node, "emulation"));
    writer.Set(GameField::DriverColor, color.value_or(""));
    writer.Set(GameField::CorrectColors, color == "good");
    writer.Set(GameField::DriverSound, sound);
    writer.Set(GameField::Sound, sound == "good");
    writer.Set(GameField::DriverGraphic, Read(node, "graphic"));
    writer.Set(GameField::DriverCocktail, cocktail);
    writer.Set(GameField::ScreenFlip, cocktail == "good");
    writer.Set(GameField::DriverProtection, Read(node, "protection"));
    writer.Set(GameField::Colors, Read(node, "palettesize"));
    writer.NoteDriver(color && !color->empty(), cocktail);
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
    writer.BeginGame(Attribute(game, "name").value_or(""));
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
            writer.Set(GameField::SampleName, Read(node, "name"));
        } else if (Named(node, "chip")) {
            writer.AddChip(Read(node, "name"), Read(node, "type"), Read(node, "soundonly"),
                           Read(node, "clock"));
        } else if (Named(node, "video")) {
            ImportVideo(writer, node);
        } else if (Named(node, "sound")) {
            writer.Set(GameField::SoundChannels, Read(node, "channels"));
        } else if (Named(node, "input")) {
            ImportInput(writer, node);
        } else if (Named(node, "dipswitch")) {
            ImportDipSwitch(writer, node);
        } else if (Named(node, "driver")) {
            ImportDriver(writer, node);
        } else if (Named(node, "feature")) {
            writer.Feature(Read(node, "type"), Read(node, "status"));
        }
    }
    writer.EndGame();
}

}  // namespace

bool ImportListXmlDocument(std::string_view path) {
    Document doc = LoadDocument(path);
    if (!doc) return false;
    Guarded(kProcDocumentImport, [&] {
        const xmlNode* root = xmlDocGetRootElement(doc.get());
        std::vector<const xmlNode*> games;
        if (IsGame(root)) games.push_back(root);
        for (const xmlNode* node = root->children; node; node = node->next)
            if (IsGame(node)) games.push_back(node);
        ListXmlWriter writer(State().UpdateMode);
        Progress().Total = static_cast<int>(games.size());
        Progress().Done = 0;
        for (const xmlNode* game : games) {
            LetEventsRun();
            if (Progress().Cancel) break;
            ++Progress().Done;
            ImportGame(writer, game);
        }
        writer.Finish();
    });
    doc.reset();
    LetEventsRunNow();
    return true;
}

}  // namespace arc
