#include "audit/SetNeeds.h"

#include <algorithm>
#include <cstdlib>

#include "core/Files.h"

namespace arc {
namespace {

constexpr int kMaxChain = 8;  // a romof loop in a damaged list ends here
constexpr int kStopCheckRows = 64;

constexpr std::string_view kRomColumns =
    "SELECT RomName, Rommerge, Romsize, Romcrc, Romsha1, Romstatus FROM Rom ";

bool HasTable(std::string_view table) {
    return QueryValue("SELECT count(*) FROM sqlite_master WHERE type='table' AND name='" +
                      SqlQuote(table) + "'") != "0";
}

}  // namespace

NeedsReader::NeedsReader(const std::function<bool()>& stop)
    : romOf_("SELECT romof FROM Data WHERE InternalName = ?"),
      roms_(std::string(kRomColumns) + "WHERE InternalName = ?"),
      disks_("SELECT diskName, diskmerge, disksha1, diskStatus FROM Disk WHERE InternalName = ?"),
      cloneRoms_(std::string(kRomColumns) +
                 "WHERE InternalName IN (SELECT InternalName FROM Data WHERE CloneOf = ?)") {
    int rows = 0;
    auto stopped = [&] { return stop && rows++ % kStopCheckRows == 0 && stop(); };
    Statement diskOwners("SELECT DISTINCT InternalName FROM Disk");
    while (diskOwners.Step())
        withDisks_.insert(ToLowerAscii(diskOwners.ColumnView(0)));
    if (!HasTable("DeviceRef")) return;
    knowsDevices_ = true;
    // A machine refers to a score of devices, few of which have ROMs: the
    // references to those are read once, in one pass over the table.
    std::vector<std::string> withRoms;
    Statement romDevices(
        "SELECT DISTINCT InternalName FROM Rom WHERE InternalName NOT IN (SELECT InternalName "
        "FROM Data)");
    while (romDevices.Step()) {
        if (stopped()) return;
        withRoms.emplace_back(romDevices.ColumnView(0));
    }
    std::sort(withRoms.begin(), withRoms.end());
    Statement references("SELECT Name, Device FROM DeviceRef");
    while (references.Step()) {
        if (stopped()) return;
        const std::string_view device = references.ColumnView(1);
        if (!std::binary_search(withRoms.begin(), withRoms.end(), device)) continue;
        std::vector<std::string>& devices = devices_[ToLowerAscii(references.ColumnView(0))];
        if (std::find(devices.begin(), devices.end(), device) == devices.end())
            devices.emplace_back(device);
    }
}

void NeedsReader::ReadRoms(Statement& statement, std::string_view device, SetNeeds& needs) {
    while (statement.Step()) {
        const std::string_view name = statement.ColumnView(0);
        const std::string_view crc = Trim(statement.ColumnView(3));
        const std::string status = ToLowerAscii(statement.ColumnView(5));
        if (device.empty()) needs.knownNames.emplace_back(name);
        if (status == "nodump" || crc.empty()) continue;
        const bool seen = std::any_of(needs.roms.begin(), needs.roms.end(), [&](const auto& rom) {
            return rom.device == device && rom.name == name;
        });
        if (seen) continue;  // the same ROM loaded twice
        NeededRom& rom = needs.roms.emplace_back();
        rom.name = name;
        rom.merge = statement.ColumnView(1);
        rom.device = device;
        rom.size = std::strtoull(std::string(statement.ColumnView(2)).c_str(), nullptr, 10);
        rom.crc = static_cast<std::uint32_t>(std::strtoul(std::string(crc).c_str(), nullptr, 16));
        rom.sha1 = ToLowerAscii(Trim(statement.ColumnView(4)));
        rom.baddump = status == "baddump";
    }
    statement.Reset();
}

const std::vector<NeededRom>& NeedsReader::DeviceRoms(const std::string& device) {
    auto found = deviceRoms_.find(device);
    if (found != deviceRoms_.end()) return found->second;
    SetNeeds needs;
    roms_.Bind(1, device);
    ReadRoms(roms_, device, needs);
    return deviceRoms_.emplace(device, std::move(needs.roms)).first->second;
}

const std::vector<std::string>& NeedsReader::DevicesOf(std::string_view name) const {
    static const std::vector<std::string> kNone;
    const auto found = devices_.find(ToLowerAscii(name));
    return found == devices_.end() ? kNone : found->second;
}

SetNeeds NeedsReader::Read(std::string_view set, std::optional<std::string_view> romOf) {
    SetNeeds needs;
    needs.chain.emplace_back(set);
    for (int depth = 0; depth < kMaxChain; ++depth) {
        std::string parent;
        if (depth == 0 && romOf) {
            parent = Trim(*romOf);
        } else {
            romOf_.Bind(1, needs.chain.back());
            if (romOf_.Step()) parent = Trim(romOf_.ColumnView(0));
            romOf_.Reset();
        }
        const bool loop = std::any_of(
            needs.chain.begin(), needs.chain.end(),
            [&](const auto& name) { return ToLowerAscii(name) == ToLowerAscii(parent); });
        if (parent.empty() || loop) break;
        needs.chain.push_back(std::move(parent));
    }
    roms_.Bind(1, set);
    ReadRoms(roms_, {}, needs);
    for (const std::string& device : DevicesOf(set)) {
        const std::vector<NeededRom>& roms = DeviceRoms(device);
        needs.roms.insert(needs.roms.end(), roms.begin(), roms.end());
    }
    if (!withDisks_.contains(ToLowerAscii(set))) return needs;
    disks_.Bind(1, set);
    while (disks_.Step()) {
        const std::string status = ToLowerAscii(disks_.ColumnView(3));
        const std::string_view sha1 = Trim(disks_.ColumnView(2));
        if (status == "nodump" || sha1.empty()) continue;
        needs.disks.push_back({std::string(disks_.ColumnView(0)), std::string(disks_.ColumnView(1)),
                               ToLowerAscii(sha1), status == "baddump"});
    }
    disks_.Reset();
    return needs;
}

CloneRoms NeedsReader::ReadCloneRoms(std::string_view set) {
    CloneRoms roms;
    cloneRoms_.Bind(1, set);
    while (cloneRoms_.Step()) {
        roms.names.emplace_back(cloneRoms_.ColumnView(0));
        const std::string crc(Trim(cloneRoms_.ColumnView(3)));
        if (!crc.empty())
            roms.crcs.push_back(static_cast<std::uint32_t>(std::strtoul(crc.c_str(), nullptr, 16)));
    }
    cloneRoms_.Reset();
    return roms;
}

}  // namespace arc
