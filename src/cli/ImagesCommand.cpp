// images delete|copy: artwork housekeeping over the artwork folders of the
// settings. delete trashes images, so only --confirm answers its question
// (never --yes).

#include <ostream>
#include <sstream>

#include "cli/Commands.h"
#include "cli/OutcomeReport.h"
#include "collection/Images.h"
#include "core/Files.h"
#include "core/Progress.h"
#include "core/Task.h"
#include "core/UiService.h"

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

bool ReadKinds(const std::string& list, ImagesRequest& request, std::ostream& err) {
    std::stringstream items(list);
    std::string item;
    while (std::getline(items, item, ',')) {
        const int kind = KindNumber(std::string(Trim(item)));
        if (kind < 0) {
            err << "arcanote-cli images: unknown kind '" << item
                << "' (titles, snap, marquees, cabinets, cpanel, flyers)\n";
            return false;
        }
        request.kinds[static_cast<std::size_t>(kind)] = true;
    }
    return true;
}

int Run(CliContext& context, const CommandArgs& args) {
    const std::string& action = args.Operand(0);
    if (args.Has("--confirm") && action != "delete")
        return UsageError(context.err, args.Command(), "--confirm goes with delete");
    ImagesRequest request;
    request.action =
        action == "delete" ? ImagesAction::DeleteWithoutRom : ImagesAction::CopyWithRom;
    request.artFolders = TheSettings().ArtFolders;
    request.romsFolder = TheSettings().RomsFolder;
    request.source = args.Value("--source").value_or(TheSettings().ImageSource);
    const std::optional<std::string> kinds = args.Value("--kinds");
    if (kinds && !ReadKinds(*kinds, request, context.err)) return 2;
    if (!kinds) request.kinds.fill(true);
    if (action == "copy" && request.source.empty()) {
        context.err << "arcanote-cli images: copy needs --source DIR\n";
        return 2;
    }
    if (action == "copy" && !FolderExists(request.source)) {
        context.err << "arcanote-cli images: no such folder: " << request.source << '\n';
        return 2;
    }
    ImagesOutcome outcome;
    {
        outcome = RunShown([&](TaskContext& task) { return RunImages(request, task); });
    }
    if (outcome.cancelled() && !outcome.ran) outcome.message = "nothing done";
    if (outcome.cancelled() && outcome.ran)
        outcome.message = "after " + std::to_string(outcome.done) + " image(s)";
    return ReportOutcome(context, "arcanote-cli images " + action, outcome);
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
