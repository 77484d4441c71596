#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Commands.h"
#include "core/TextTable.h"
#include "core/TextTableData.h"

namespace arc::cli {

namespace {

/// The text on one line: CR, LF, tab and backslash written as escapes.
std::string OneLine(std::string_view text) {
    std::string line;
    line.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '\r':
                line += "\\r";
                break;
            case '\n':
                line += "\\n";
                break;
            case '\t':
                line += "\\t";
                break;
            case '\\':
                line += "\\\\";
                break;
            default:
                line += c;
        }
    }
    return line;
}

int Run(CliContext& context, const CommandArgs& args) {
    enum class Source { Current, English, French } source = Source::Current;
    if (const std::optional<std::string> language = args.Value("--language"))
        source = *language == "en" ? Source::English : Source::French;
    // The designed entries by position, then the entries added since.
    std::vector<int> numbers;
    for (int n = 0; n < kDesignedTextEntries; ++n)
        numbers.push_back(n);
    for (const AddedTextEntry& entry : kAddedTexts)
        numbers.push_back(entry.number);
    for (const int n : numbers) {
        std::string_view text;
        switch (source) {
            case Source::Current:
                text = Text(n);
                break;
            case Source::English:
                text = EnglishText(n);
                break;
            case Source::French:
                text = FrenchText(n);
                break;
        }
        context.out << n << '\t' << OneLine(text) << '\n';
    }
    context.out.flush();
    if (context.out.good()) return 0;
    context.err << "arcanote-cli texts: cannot write the output\n";
    return 1;
}

}  // namespace

CliCommand TextsCommand() {
    return {"texts",
            "print the text table of the interface, one \"N<TAB>text\" line per entry (CR, LF, "
            "tab and backslash escaped)",
            {},
            {{"--language", "en|fr", "the table of this language instead of the settings' one"}},
            Run};
}

}  // namespace arc::cli
