#include "software/SoftwarePlay.h"

#include <algorithm>

#include "core/Files.h"
#include "database/Database.h"

namespace arc {
namespace {

std::vector<std::string_view> Tokens(std::string_view text) {
    std::vector<std::string_view> tokens;
    while (!text.empty()) {
        const std::size_t comma = std::min(text.find(','), text.size());
        if (const std::string_view token = Trim(text.substr(0, comma)); !token.empty())
            tokens.push_back(token);
        text.remove_prefix(std::min(comma + 1, text.size()));
    }
    return tokens;
}

std::string CompatibilityOf(const std::string& list, const std::string& item,
                            const ReadOnlyDatabase* db) {
    Statement select(
        db,
        "SELECT i.Value FROM SoftwareInfo i JOIN Software s ON s.Id = i.SoftwareId WHERE "
        "s.ListName = ? AND s.Name = ? AND i.Kind = 'sharedfeat' AND i.Name = 'compatibility'");
    select.Bind(1, list).Bind(2, item);
    return select.Step() ? select.ColumnText(0) : std::string();
}

}  // namespace

bool FilterAccepts(std::string_view filter, std::string_view compatibility) {
    const std::vector<std::string_view> have = Tokens(compatibility);
    if (Tokens(filter).empty() || have.empty()) return true;
    auto has = [&](std::string_view token) {
        return std::any_of(have.begin(), have.end(),
                           [&](std::string_view mine) { return EqualsNoCase(mine, token); });
    };
    bool wanted = false;
    bool anyWanted = false;
    for (std::string_view token : Tokens(filter)) {
        if (token.front() == '!') {
            if (has(token.substr(1))) return false;
        } else {
            anyWanted = true;
            wanted = wanted || has(token);
        }
    }
    return wanted || !anyWanted;
}

std::vector<SoftwareListLink> MachinesForItem(const std::string& list, const std::string& item,
                                              const ReadOnlyDatabase* db) {
    std::vector<SoftwareListLink> machines;
    if (!(db ? db->HasTable("MachineSoftwareList") : TableExists("MachineSoftwareList")))
        return machines;
    const std::string compatibility = CompatibilityOf(list, item, db);
    Statement select(
        db,
        "SELECT l.Machine, l.Status, coalesce(l.Filter, '') FROM MachineSoftwareList l JOIN Data "
        "d ON d.InternalName = l.Machine WHERE l.ListName = ? ORDER BY l.Status = 'original' "
        "DESC, l.Machine = l.ListName DESC, coalesce(d.CloneOf, '') <> '', l.Machine");
    select.Bind(1, list);
    while (select.Step())
        if (FilterAccepts(select.ColumnView(2), compatibility))
            machines.push_back({select.ColumnText(0), select.ColumnText(1), select.ColumnText(2)});
    return machines;
}

PlaySoftwareOutcome RunPlaySoftware(const PlaySoftwareRequest& request, TaskContext&) {
    PlaySoftwareOutcome outcome;
    auto fail = [&](std::string message) {
        static_cast<Outcome&>(outcome) = Outcome::Failure(std::move(message));
        return outcome;
    };
    if (!IsDatabaseOpen()) return fail("no database is open");
    const std::vector<SoftwareRow> found = FindSoftware({request.list, {}, false, false});
    const bool known = std::any_of(found.begin(), found.end(), [&](const SoftwareRow& row) {
        return EqualsNoCase(row.name, request.item);
    });
    if (!known) return fail(request.list + "/" + request.item + " is not a software item");
    const std::vector<SoftwareListLink> machines = MachinesForItem(request.list, request.item);
    const auto chosen =
        std::find_if(machines.begin(), machines.end(), [&](const SoftwareListLink& link) {
            return request.machine.empty() || EqualsNoCase(link.machine, request.machine);
        });
    if (chosen == machines.end())
        return fail(request.machine.empty()
                        ? "no machine runs " + request.list + "/" + request.item
                        : request.machine + " does not run " + request.list + "/" + request.item);
    outcome.machine = chosen->machine;
    if (request.emulator.empty()) return fail("no emulator to start");
    std::string roms = request.romsFolder;
    while (roms.size() > 1 && roms.back() == '/')
        roms.pop_back();
    const int code =
        RunProgramAndWait({request.emulator, outcome.machine, request.item, "-rompath", roms});
    if (code != 0)
        return fail("the emulator ended with code " + std::to_string(code) + " on " +
                    outcome.machine + " " + request.item);
    outcome.message = outcome.machine + " " + request.item;
    return outcome;
}

}  // namespace arc
