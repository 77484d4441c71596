// images delete|copy [--kinds K,...] [--source DIR] [--confirm]: artwork
// housekeeping over the artwork folders of the settings. Kinds: titles, snap,
// marquees, cabinets, cpanel, flyers (or 0-5); all six when not given. delete
// trashes images, so only --confirm answers its question (never --yes).

#include <ostream>
#include <sstream>

#include "cli/Commands.h"
#include "cli/TerminalUi.h"
#include "collection/ImagesWindowState.h"
#include "core/Files.h"

namespace arc::cli {
namespace {

constexpr const char* kUsage =
    "usage: images delete|copy [--kinds K,...] [--source DIR] [--confirm]";

int KindNumber(const std::string& name) {
    static const char* const kNames[kArtSlots][2] = {
        {"titles", "title"},     {"snap", "snapshots"}, {"marquees", "marquee"},
        {"cabinets", "cabinet"}, {"cpanel", "cpanels"}, {"flyers", "flyer"}};
    const std::string lower = ToLowerAscii(name);
    for (int i = 0; i < kArtSlots; ++i) {
        if (lower == std::to_string(i) || lower == kNames[i][0] || lower == kNames[i][1]) return i;
    }
    return -1;
}

bool ReadKinds(const std::string& list, ImagesWindowState& window, std::ostream& err) {
    std::stringstream items(list);
    std::string item;
    while (std::getline(items, item, ',')) {
        const int kind = KindNumber(std::string(Trim(item)));
        if (kind < 0) {
            err << "arcanote-cli images: unknown kind '" << item
                << "' (titles, snap, marquees, cabinets, cpanel, flyers)\n";
            return false;
        }
        window.Kinds[static_cast<std::size_t>(kind)] = true;
    }
    return true;
}

}  // namespace

int RunImagesCommand(CliContext& context, const std::vector<std::string>& args) {
    if (args.empty() || (args[0] != "delete" && args[0] != "copy")) {
        context.err << "arcanote-cli images: " << kUsage << '\n';
        return 2;
    }
    ImagesWindowState window;
    window.SourceText = TheSettings().ImageSource;
    bool kindsGiven = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--kinds" && i + 1 < args.size()) {
            if (!ReadKinds(args[++i], window, context.err)) return 2;
            kindsGiven = true;
        } else if (args[i] == "--source" && i + 1 < args.size()) {
            window.SourceText = args[++i];
        } else if (args[i] == "--confirm" && args[0] == "delete") {
            if (context.ui) context.ui->GrantConsent("--confirm");
        } else {
            context.err << "arcanote-cli images: " << kUsage << '\n';
            return 2;
        }
    }
    if (!kindsGiven) window.Kinds.fill(true);
    if (args[0] == "copy" && window.SourceText.empty()) {
        context.err << "arcanote-cli images: copy needs --source DIR\n";
        return 2;
    }
    if (args[0] == "copy" && !FolderExists(window.SourceText)) {
        context.err << "arcanote-cli images: no such folder: " << window.SourceText << '\n';
        return 2;
    }
    const ImagesOutcome outcome =
        args[0] == "delete" ? window.DeleteImagesWithoutRom() : window.CopyImagesThatHaveRom();
    if (outcome.Complete()) return 0;
    context.err << "arcanote-cli images " << args[0] << ": ";
    if (!outcome.ran) {
        context.err << "nothing done\n";
    } else if (outcome.cancelled) {
        context.err << "cancelled after " << outcome.done << " image(s)\n";
    } else {
        context.err << outcome.failed.size() << " image(s) not "
                    << (args[0] == "delete" ? "trashed" : "copied") << '\n';
    }
    return 1;
}

}  // namespace arc::cli
