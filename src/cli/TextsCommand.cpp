// texts [--language en|fr]: the UI text table, one "N<TAB>text" line per entry.

#include <ostream>

#include "cli/Commands.h"
#include "core/TextTable.h"

namespace arc::cli {

int RunTextsCommand(CliContext& context, const std::vector<std::string>& args) {
    enum class Source { Current, English, French } source = Source::Current;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string value;
        if (args[i] == "--language" && i + 1 < args.size()) {
            value = args[++i];
        } else if (args[i].rfind("--language=", 0) == 0) {
            value = args[i].substr(11);
        } else {
            context.err << "arcanote-cli texts: unknown option '" << args[i]
                        << "' (usage: texts [--language en|fr])\n";
            return 2;
        }
        if (value == "en") {
            source = Source::English;
        } else if (value == "fr") {
            source = Source::French;
        } else {
            context.err << "arcanote-cli texts: language must be en or fr, not '" << value << "'\n";
            return 2;
        }
    }
    for (int n = 0; n < kTextEntries; ++n) {
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
        context.out << n << '\t' << text << '\n';
    }
    context.out.flush();
    if (context.out.good()) return 0;
    context.err << "arcanote-cli texts: cannot write the output\n";
    return 1;
}

}  // namespace arc::cli
