#pragma once
// One file of the cheat collection, checked as the emulator loads it: XML
// whose root is <mamecheat>, holding <cheat> elements.

#include <libxml/parser.h>

#include <cstddef>
#include <string>

namespace arc {

enum class CheatVerdict { Cheats, NoCheat, NotCheatFile };

/// Push-parses one cheat file fed in chunks: well-formed, root <mamecheat>,
/// its <cheat> children counted. Entity declarations are not kept, so no
/// entity is ever expanded, and nothing of the document is built in memory.
class CheatFileScanner {
  public:
    explicit CheatFileScanner(const std::string& name);
    ~CheatFileScanner();
    CheatFileScanner(const CheatFileScanner&) = delete;
    CheatFileScanner& operator=(const CheatFileScanner&) = delete;

    /// Parses the next bytes; nothing more once the file is known to be bad.
    void Feed(const char* data, std::size_t size);
    /// The file's verdict; `problem` says why it is no cheat file.
    CheatVerdict Finish(std::string& problem);

  private:
    static void Start(void* self, const xmlChar* localName, const xmlChar*, const xmlChar*, int,
                      const xmlChar**, int, int, const xmlChar**);
    static void End(void* self, const xmlChar*, const xmlChar*, const xmlChar*);
    static void Error(void* self, xmlErrorPtr error);

    xmlParserCtxtPtr context_ = nullptr;
    int depth_ = 0;
    bool cheatRoot_ = false;
    int cheats_ = 0;
    std::string error_;
};

}  // namespace arc
