// images delete|copy: artwork housekeeping over the artwork folders of the
// settings. delete trashes images, so only --confirm answers its question
// (never --yes).

#include <ostream>
#include <sstream>

#include "cli/Commands.h"
#include "collection/ImagesWindowState.h"
#include "core/Files.h"

namespace arc::cli {
namespace {

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

int Run(CliContext& context, const CommandArgs& args) {
    const std::string& action = args.Operand(0);
    if (args.Has("--confirm") && action != "delete")
        return UsageError(context.err, args.Command(), "--confirm goes with delete");
    ImagesWindowState window;
    window.SourceText = args.Value("--source").value_or(TheSettings().ImageSource);
    const std::optional<std::string> kinds = args.Value("--kinds");
    if (kinds && !ReadKinds(*kinds, window, context.err)) return 2;
    if (!kinds) window.Kinds.fill(true);
    if (action == "copy" && window.SourceText.empty()) {
        context.err << "arcanote-cli images: copy needs --source DIR\n";
        return 2;
    }
    if (action == "copy" && !FolderExists(window.SourceText)) {
        context.err << "arcanote-cli images: no such folder: " << window.SourceText << '\n';
        return 2;
    }
    const ImagesOutcome outcome =
        action == "delete" ? window.DeleteImagesWithoutRom() : window.CopyImagesThatHaveRom();
    if (outcome.Complete()) return 0;
    context.err << "arcanote-cli images " << action << ": ";
    if (!outcome.ran) {
        context.err << "nothing done\n";
    } else if (outcome.cancelled) {
        context.err << "cancelled after " << outcome.done << " image(s)\n";
    } else {
        context.err << outcome.failed.size() << " image(s) not "
                    << (action == "delete" ? "trashed" : "copied") << '\n';
    }
    return 1;
}

}  // namespace

CliCommand ImagesCommand() {
    return {"images",
            "artwork housekeeping in the art folders of the settings",
            {{"delete|copy",
              "delete: trash the images of sets that are not in the ROM folder; copy: copy in "
              "the images of the sets that are"}},
            {{"--kinds", "K,...",
              "only these kinds: titles, snap, marquees, cabinets, cpanel, flyers (or 0-5); "
              "default: all six"},
             {"--source", "DIR", "copy: the folder to copy from (default: the settings' one)"},
             {"--confirm", "", "delete: trash the images without asking", kConsent}},
            Run};
}

}  // namespace arc::cli
