#include "software/HashFileReader.h"

#include <libxml/parser.h>

#include <cstdio>
#include <cstring>
#include <deque>
#include <exception>
#include <memory>
#include <string_view>

#include "core/Files.h"
#include "core/TextFile.h"
#include "software/SoftwareRowBuilder.h"

namespace arc {
namespace {

constexpr std::size_t kChunkBytes = 256 * 1024;

/// The element and attribute names the reading acts on, as the parser's
/// dictionary holds them: a name it hands over is one of these exactly when
/// the pointers match.
struct Names {
    explicit Names(xmlDict* dict) {
        auto intern = [dict](const char* name) { return xmlDictLookup(dict, BAD_CAST name, -1); };
        software = intern("software");
        rom = intern("rom");
        disk = intern("disk");
        dataarea = intern("dataarea");
        diskarea = intern("diskarea");
        part = intern("part");
        feature = intern("feature");
        info = intern("info");
        sharedfeat = intern("sharedfeat");
        description = intern("description");
        year = intern("year");
        publisher = intern("publisher");
        softwarelist = intern("softwarelist");
        name = intern("name");
        cloneof = intern("cloneof");
        supported = intern("supported");
        size = intern("size");
        crc = intern("crc");
        sha1 = intern("sha1");
        status = intern("status");
        interface = intern("interface");
        value = intern("value");
    }
    const xmlChar *software, *rom, *disk, *dataarea, *diskarea, *part, *feature, *info, *sharedfeat,
        *description, *year, *publisher, *softwarelist;
    const xmlChar *name, *cloneof, *supported, *size, *crc, *sha1, *status, *interface, *value;
};

/// The state of one reading, handed to the parser's callbacks.
struct Reading {
    Reading(const SoftwareRowBuilder::Sink& sink, HashFileResult& into, xmlDict* dict)
        : rows(sink), result(into), names(dict) {}
    SoftwareRowBuilder rows;
    HashFileResult& result;
    const Names names;
    bool entities = false;
    bool sawList = false;
    std::exception_ptr failure;
    std::string area;  // name of the open data or disk area
    std::string text;  // the text of the element being captured
    bool capturing = false;
    std::deque<std::string> decoded;  // attribute values with references, of the current tag
};

Reading& ReadingOf(void* context) {
    return *static_cast<Reading*>(static_cast<xmlParserCtxt*>(context)->_private);
}

/// The attributes of a start tag, as the parser hands them: five pointers each
/// (local name, prefix, URI, value start, value end).
class Attributes {
  public:
    Attributes(const xmlChar** values, int count, std::deque<std::string>& scratch)
        : values_(values), count_(count), scratch_(scratch) {}

    /// The attribute's value, its character references decoded; "" when absent.
    std::string_view operator[](const xmlChar* name) const {
        for (int i = 0; i < count_; ++i) {
            const xmlChar** attribute = values_ + 5 * i;
            if (attribute[0] != name) continue;
            const std::string_view value(reinterpret_cast<const char*>(attribute[3]),
                                         static_cast<std::size_t>(attribute[4] - attribute[3]));
            if (value.find('&') == std::string_view::npos) return value;
            std::string& decoded = scratch_.emplace_back();
            return DecodeXmlText(value, decoded) ? std::string_view(decoded) : value;
        }
        return {};
    }

  private:
    const xmlChar** values_;
    int count_;
    std::deque<std::string>& scratch_;  // decoded values, each kept until the tag is done
};

template <class Body>
void Guard(void* context, Body&& body) {
    Reading& reading = ReadingOf(context);
    if (reading.failure) return;
    try {
        body(reading);
    } catch (...) {
        reading.failure = std::current_exception();
        xmlStopParser(static_cast<xmlParserCtxt*>(context));
    }
}

void StartElement(void* context, const xmlChar* name, const xmlChar*, const xmlChar*, int,
                  const xmlChar**, int count, int, const xmlChar** values) {
    Guard(context, [&](Reading& reading) {
        SoftwareRowBuilder& rows = reading.rows;
        const Names& is = reading.names;
        if (!reading.decoded.empty()) reading.decoded.clear();
        const Attributes attributes(values, count, reading.decoded);
        if (name == is.software) {
            rows.BeginItem(attributes[is.name], attributes[is.cloneof], attributes[is.supported]);
        } else if (name == is.rom || name == is.disk) {
            const std::string_view kind = name == is.rom ? "rom" : "disk";
            rows.AddRom(reading.area, kind, attributes[is.name], attributes[is.size],
                        attributes[is.crc], attributes[is.sha1], attributes[is.status]);
        } else if (name == is.dataarea || name == is.diskarea) {
            reading.area.assign(attributes[is.name]);
        } else if (name == is.part) {
            rows.BeginPart(attributes[is.name], attributes[is.interface]);
        } else if (name == is.feature) {
            rows.AddFeature(attributes[is.name], attributes[is.value]);
        } else if (name == is.info || name == is.sharedfeat) {
            rows.AddInfo(reinterpret_cast<const char*>(name), attributes[is.name],
                         attributes[is.value]);
        } else if (name == is.description || name == is.year || name == is.publisher) {
            reading.capturing = true;
            reading.text.clear();
        } else if (name == is.softwarelist) {
            reading.sawList = true;
            rows.BeginList(attributes[is.name], attributes[is.description]);
        }
    });
}

void EndElement(void* context, const xmlChar* name, const xmlChar*, const xmlChar*) {
    Guard(context, [&](Reading& reading) {
        SoftwareRowBuilder& rows = reading.rows;
        const Names& is = reading.names;
        if (name == is.software) {
            rows.EndItem();
        } else if (name == is.part) {
            rows.EndPart();
        } else if (reading.capturing) {
            reading.capturing = false;
            const SoftwareText field = name == is.description ? SoftwareText::Description
                                       : name == is.year      ? SoftwareText::Year
                                                              : SoftwareText::Publisher;
            rows.SetText(field, reading.text);
        } else if (name == is.softwarelist && rows.InList()) {
            ++reading.result.lists;
            reading.result.items += rows.EndList();
        }
    });
}

void Characters(void* context, const xmlChar* text, int length) {
    Reading& reading = ReadingOf(context);
    if (reading.capturing)
        reading.text.append(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length));
}

/// An entity declaration stops the reading: nested entities are how a file of
/// a few hundred bytes takes gigabytes.
void RefuseEntity(void* context, const xmlChar*, int, const xmlChar*, const xmlChar*, xmlChar*) {
    ReadingOf(context).entities = true;
    xmlStopParser(static_cast<xmlParserCtxt*>(context));
}

xmlSAXHandler StreamingHandler() {
    xmlSAXHandler handler;
    std::memset(&handler, 0, sizeof handler);
    handler.initialized = XML_SAX2_MAGIC;
    handler.startElementNs = StartElement;
    handler.endElementNs = EndElement;
    handler.characters = Characters;
    handler.cdataBlock = Characters;
    handler.entityDecl = RefuseEntity;
    return handler;  // no externalSubset: the DTD the file names is never loaded
}

struct ContextFree {
    void operator()(xmlParserCtxt* context) const {
        // An entity declaration makes the parser keep a document of its own
        // for it, even without a tree handler.
        if (context->myDoc) xmlFreeDoc(context->myDoc);
        context->myDoc = nullptr;
        xmlFreeParserCtxt(context);
    }
};
struct FileClose {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

/// The file the parser pulls, told as it goes by.
struct Source {
    std::unique_ptr<std::FILE, FileClose> file;
    const std::function<bool(std::uint64_t)>& onBytes;
    std::uint64_t read = 0;
    std::uint64_t told = 0;  // bytes last told to onBytes
    bool cancelled = false;
    bool failed = false;
};

/// The parser's read: -1 stops it (a cancel or a read error).
int ReadSome(void* context, char* buffer, int length) {
    Source& source = *static_cast<Source*>(context);
    const std::size_t got =
        std::fread(buffer, 1, static_cast<std::size_t>(length), source.file.get());
    if (got == 0 && std::ferror(source.file.get())) {
        source.failed = true;
        return -1;
    }
    source.read += got;
    if (source.onBytes && source.read - source.told >= kChunkBytes) {
        source.told = source.read;
        if (!source.onBytes(source.read)) {
            source.cancelled = true;
            return -1;
        }
    }
    return static_cast<int>(got);
}

std::string ParserError(xmlParserCtxt* context) {
    const xmlError* error = xmlCtxtGetLastError(context);
    if (!error || !error->message) return "not well-formed XML";
    return "line " + std::to_string(error->line) + ": " + std::string(Trim(error->message));
}

}  // namespace

HashFileResult ReadHashFile(const std::string& path, const SoftwareRowSink& sink,
                            const std::function<bool(std::uint64_t)>& onBytes) {
    HashFileResult result;
    Source source{std::unique_ptr<std::FILE, FileClose>(std::fopen(path.c_str(), "rb")), onBytes};
    if (!source.file) {
        result.error = "cannot be read";
        return result;
    }
    std::setvbuf(source.file.get(), nullptr, _IOFBF, kChunkBytes);
    xmlSAXHandler handler = StreamingHandler();
    // The parser pulls the file through ReadSome; it closes nothing of ours.
    std::unique_ptr<xmlParserCtxt, ContextFree> context(xmlCreateIOParserCtxt(
        &handler, nullptr, ReadSome, nullptr, &source, XML_CHAR_ENCODING_NONE));
    if (!context) {
        result.error = "out of memory";
        return result;
    }
    Reading reading(sink, result, context->dict);
    context->_private = &reading;
    xmlCtxtUseOptions(context.get(), XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    const bool failed = xmlParseDocument(context.get()) != 0;
    const bool wellFormed = context->wellFormed != 0;
    result.cancelled = source.cancelled;
    reading.rows.AbandonList();  // a list the file did not close, if any
    if (reading.failure) std::rethrow_exception(reading.failure);
    if (result.cancelled) return result;
    if (reading.entities)
        result.error = kHashEntitiesRefused;
    else if (source.failed)
        result.error = "cannot be read";
    else if (failed || !wellFormed)
        result.error = ParserError(context.get());
    else if (!reading.sawList)
        result.error = "holds no software list";
    if (onBytes) onBytes(source.read);
    return result;
}

}  // namespace arc
