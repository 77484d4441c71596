#include "audit/SoftwareNeeds.h"

#include <algorithm>
#include <cstdlib>

#include "core/Files.h"

namespace arc {
namespace {

constexpr std::string_view kRomsOf =
    "SELECT r.Kind, r.Name, r.Size, r.Crc, r.Sha1, r.Status FROM SoftwareRom r JOIN Software s "
    "ON s.Id = r.SoftwareId WHERE s.ListName = ? AND ";

std::uint32_t CrcOf(std::string_view text) {
    return static_cast<std::uint32_t>(std::strtoul(std::string(Trim(text)).c_str(), nullptr, 16));
}

}  // namespace

SoftwareNeedsReader::SoftwareNeedsReader(std::string list)
    : list_(std::move(list)),
      parent_("SELECT CloneOf FROM Software WHERE ListName = ? AND Name = ?"),
      roms_(std::string(kRomsOf) + "s.Name = ?"),
      cloneRoms_(std::string(kRomsOf) + "s.CloneOf = ?") {}

SetNeeds SoftwareNeedsReader::Read(std::string_view item, std::optional<std::string_view> cloneOf) {
    SetNeeds needs;
    needs.chain.emplace_back(item);
    std::string parent;
    if (cloneOf) {
        parent = Trim(*cloneOf);
    } else {
        parent_.Bind(1, list_).Bind(2, item);
        if (parent_.Step()) parent = Trim(parent_.ColumnView(0));
        parent_.Reset();
    }
    if (!parent.empty() && !EqualsNoCase(parent, item)) needs.chain.push_back(parent);

    roms_.Bind(1, list_).Bind(2, item);
    while (roms_.Step()) {
        const std::string_view name = roms_.ColumnView(1);
        const std::string status = ToLowerAscii(roms_.ColumnView(5));
        const bool nodump = status == "nodump";
        if (roms_.ColumnView(0) == "disk") {
            const std::string_view sha1 = Trim(roms_.ColumnView(4));
            if (!nodump && !sha1.empty())
                needs.disks.push_back(
                    {std::string(name), {}, ToLowerAscii(sha1), status == "baddump"});
            continue;
        }
        needs.knownNames.emplace_back(name);
        const std::string_view crc = Trim(roms_.ColumnView(3));
        if (nodump || crc.empty()) continue;
        const bool seen = std::any_of(needs.roms.begin(), needs.roms.end(),
                                      [&](const NeededRom& rom) { return rom.name == name; });
        if (seen) continue;  // the same ROM in two parts
        NeededRom& rom = needs.roms.emplace_back();
        rom.name = name;
        rom.size = static_cast<std::uint64_t>(roms_.ColumnInt(2));
        rom.crc = CrcOf(crc);
        rom.sha1 = ToLowerAscii(Trim(roms_.ColumnView(4)));
        rom.baddump = status == "baddump";
    }
    roms_.Reset();
    return needs;
}

CloneRoms SoftwareNeedsReader::ReadCloneRoms(std::string_view item) {
    CloneRoms roms;
    cloneRoms_.Bind(1, list_).Bind(2, item);
    while (cloneRoms_.Step()) {
        roms.names.emplace_back(cloneRoms_.ColumnView(1));
        if (!Trim(cloneRoms_.ColumnView(3)).empty())
            roms.crcs.push_back(CrcOf(cloneRoms_.ColumnView(3)));
    }
    cloneRoms_.Reset();
    return roms;
}

}  // namespace arc
