// software [--db FILE] [--list NAME] [--owned] [--supported] [WORDS...]:
// without a filter, the imported software lists (name, title, items, owned);
// with one, the matching items as tab-separated lines (list, name, parent,
// title, year, publisher, supported, owned). With --play, the emulator
// started with the item and the first machine that runs it (or --machine).

#include <algorithm>
#include <ostream>

#include "cli/Commands.h"
#include "cli/OutcomeReport.h"
#include "core/Emulator.h"
#include "core/Files.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/Task.h"
#include "core/UiService.h"
#include "database/Database.h"
#include "software/SoftwarePlay.h"
#include "software/SoftwareQuery.h"
#include "software/SoftwareTables.h"

namespace arc::cli {
namespace {

int Run(CliContext& context, const CommandArgs& args) {
    const std::string path = args.Value("--db").value_or(TheSettings().DatabasePath);
    DatabaseScope database;
    if (!database.Open(path)) {
        context.err << "software: cannot open the database " << path << '\n';
        return 1;
    }
    if (!HasSoftwareTables()) {
        context.err << "software: the database holds no software lists (update it with "
                       "--software)\n";
        return 1;
    }
    if (const auto item = args.Value("--play")) {
        PlaySoftwareRequest request;
        request.emulator = args.Value("--mame").value_or(MameExecutable());
        request.romsFolder = args.Value("--roms").value_or(TheSettings().RomsFolder);
        request.list = args.Value("--list").value_or(std::string());
        request.item = *item;
        request.machine = args.Value("--machine").value_or(std::string());
        TaskProgress progress;
        TaskContext task(progress, Ui());
        return ReportOutcome(context, "software", RunPlaySoftware(request, task));
    }
    SoftwareFilter filter;
    filter.list = args.Value("--list").value_or(std::string());
    filter.words = args.Words();
    filter.owned = args.Has("--owned");
    filter.supported = args.Has("--supported");
    const std::vector<SoftwareListRow> lists = SoftwareLists();
    if (filter.list.empty() && filter.words.empty() && !filter.owned && !filter.supported) {
        for (const SoftwareListRow& list : lists)
            context.out << list.name << '\t' << list.description << '\t' << list.items << '\t'
                        << list.owned << '\n';
        return 0;
    }
    if (!filter.list.empty() &&
        std::none_of(lists.begin(), lists.end(), [&](const SoftwareListRow& list) {
            return EqualsNoCase(list.name, filter.list);
        })) {
        context.err << "software: no software list named " << filter.list << '\n';
        return 1;
    }
    for (const SoftwareRow& row : FindSoftware(filter))
        context.out << row.list << '\t' << row.name << '\t' << row.cloneOf << '\t'
                    << row.description << '\t' << row.year << '\t' << row.publisher << '\t'
                    << row.supported << '\t' << (row.owned ? "owned" : "") << '\n';
    return 0;
}

}  // namespace

CliCommand SoftwareCommand() {
    return {"software",
            "print the software lists, or the items that match the words and options",
            {{"[WORDS...]", "words found in an item's name, title or publisher"}},
            {{"--db", "FILE", "the database (this run only; default: the settings' one)"},
             {"--list", "NAME", "only the items of this software list"},
             {"--owned", "", "only the items the user owns"},
             {"--supported", "", "only the items the emulator supports fully"},
             {"--play", "NAME", "start the emulator with this item of the list", 0, "--list"},
             {"--machine", "NAME", "the machine to start (default: the list's own)", 0, "--play"},
             {"--mame", "EXE", "the emulator to start (this run only)", 0, "--play"},
             {"--roms", "DIR", "the ROM folder (this run only)", 0, "--play"}},
            Run};
}

}  // namespace arc::cli
