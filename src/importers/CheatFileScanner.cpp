#include "importers/CheatFileScanner.h"

#include <libxml/xmlerror.h>

#include <algorithm>
#include <new>
#include <string_view>

#include "core/Files.h"

namespace arc {
namespace {
constexpr std::size_t kChunk = 64 * 1024;
}

CheatFileScanner::CheatFileScanner(const std::string& name) {
    xmlSAXHandler sax{};
    sax.initialized = XML_SAX2_MAGIC;
    sax.startElementNs = &CheatFileScanner::Start;
    sax.endElementNs = &CheatFileScanner::End;
    sax.serror = &CheatFileScanner::Error;
    context_ = xmlCreatePushParserCtxt(&sax, this, nullptr, 0, name.c_str());
    if (!context_) throw std::bad_alloc();
    xmlCtxtUseOptions(context_, XML_PARSE_NONET);
}

CheatFileScanner::~CheatFileScanner() {
    xmlFreeParserCtxt(context_);
}

void CheatFileScanner::Feed(const char* data, std::size_t size) {
    while (size > 0 && context_->wellFormed) {
        const int count = static_cast<int>(std::min<std::size_t>(size, kChunk));
        xmlParseChunk(context_, data, count, 0);
        data += count;
        size -= static_cast<std::size_t>(count);
    }
}

CheatVerdict CheatFileScanner::Finish(std::string& problem) {
    if (context_->wellFormed) xmlParseChunk(context_, nullptr, 0, 1);
    if (!context_->wellFormed) {
        problem = error_.empty() ? "not well-formed XML" : error_;
        return CheatVerdict::NotCheatFile;
    }
    if (!cheatRoot_) {
        problem = "no <mamecheat> root";
        return CheatVerdict::NotCheatFile;
    }
    return cheats_ > 0 ? CheatVerdict::Cheats : CheatVerdict::NoCheat;
}

void CheatFileScanner::Start(void* self, const xmlChar* localName, const xmlChar*, const xmlChar*,
                             int, const xmlChar**, int, int, const xmlChar**) {
    auto& scanner = *static_cast<CheatFileScanner*>(self);
    const std::string_view name(reinterpret_cast<const char*>(localName));
    ++scanner.depth_;
    if (scanner.depth_ == 1) scanner.cheatRoot_ = name == "mamecheat";
    if (scanner.depth_ == 2 && scanner.cheatRoot_ && name == "cheat") ++scanner.cheats_;
}

void CheatFileScanner::End(void* self, const xmlChar*, const xmlChar*, const xmlChar*) {
    --static_cast<CheatFileScanner*>(self)->depth_;
}

void CheatFileScanner::Error(void* self, xmlErrorPtr error) {
    auto& scanner = *static_cast<CheatFileScanner*>(self);
    if (!error || error->level < XML_ERR_ERROR || !scanner.error_.empty()) return;
    std::string_view message = error->message ? error->message : "";
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
        message.remove_suffix(1);
    scanner.error_ = "line " + std::to_string(error->line) + ": " + std::string(Trim(message));
}

}  // namespace arc
