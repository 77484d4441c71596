// libFuzzer target for the translation dictionary: the input is read as
// TRANSLATE.DIC.txt, each section translates the input's lines and a copy of
// the input as a file; the input is also a support file the dictionary is
// made from (Catver.ini values, Genre.ini section names).

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "translation/Dictionary.h"
#include "translation/FileTranslation.h"
#include "translation/LineTranslator.h"

using namespace arc;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    fuzz::ResetForInput();
    const std::string dictionary = fuzz::WriteInput("TRANSLATE.DIC.txt", text);
    for (std::string_view header : {"[WIZ]", "[PLAYERS]", "[HISTORY]", "[MAMEINFO]"}) {
        const LineTranslator translator(LoadSection(header, dictionary));
        if (translator.empty()) continue;
        std::size_t start = 0;
        for (int lines = 0; start <= text.size() && lines < 100; ++lines) {
            const std::size_t end = std::min(text.find('\n', start), text.size());
            (void)translator.TranslateLine(text.substr(start, end - start));
            start = end + 1;
        }
        TranslateFile(fuzz::WriteInput("ini/Genre.ini", text), translator);
    }
    // Sorting many equal values is slow (known, mended elsewhere).
    if (fuzz::LineCount(text) <= 2000) {
        fuzz::WriteInput("ini/catver.ini", text);
        fuzz::WriteInput("ini/genre.ini", text);
        (void)DictionaryLines({});
    }
    return 0;
}
