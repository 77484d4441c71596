#pragma once
// What a ROM set needs, from the game database: its ROMs and disks, the
// archives where each may be found (the set's own, then its parent and BIOS
// along the romof chain, and a device's own archive for the device's ROMs).

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "database/Database.h"

namespace arc {

struct NeededRom {
    std::string name;    ///< the ROM's name in the set (or in its device)
    std::string merge;   ///< its name in the parent's or BIOS's archive ("" when its own)
    std::string device;  ///< the device it belongs to ("" for the set's own ROMs)
    std::uint64_t size = 0;
    std::uint32_t crc = 0;
    std::string sha1;  ///< lower-case hex, "" when the list gives none
    bool baddump = false;
};

struct NeededDisk {
    std::string name;
    std::string merge;
    std::string sha1;
    bool baddump = false;
};

struct SetNeeds {
    std::vector<std::string> chain;  ///< the set, then its romof ancestors
    std::vector<NeededRom> roms;     ///< nodump ROMs left out
    std::vector<NeededDisk> disks;   ///< nodump disks left out
    /// Names of every ROM of the set, nodump ones included (so that a member
    /// that carries one is never called unneeded).
    std::vector<std::string> knownNames;
};

/// The ROMs of a set's clones, which a merged parent archive holds too.
struct CloneRoms {
    std::vector<std::string> names;
    std::vector<std::uint32_t> crcs;
};

/// Where the audit reads what each set needs: the machines of the game
/// database, or the items of one software list.
class NeedsSource {
  public:
    virtual ~NeedsSource() = default;
    /// `romOf`: the set's parent when the caller has read it already.
    virtual SetNeeds Read(std::string_view set, std::optional<std::string_view> romOf = {}) = 0;
    virtual CloneRoms ReadCloneRoms(std::string_view set) = 0;
    /// False when the devices' ROMs are not known and so not required.
    virtual bool KnowsDevices() const = 0;
    /// The devices with ROMs that a set uses.
    virtual const std::vector<std::string>& DevicesOf(std::string_view name) const = 0;
};

/// Reads the needs of one machine after another with statements prepared
/// once; the ROMs of devices, shared by many sets, are read once per device.
class NeedsReader : public NeedsSource {
  public:
    /// Reads which devices have ROMs and who refers to them; once `stop`
    /// says so, the rest is left unread (the reader is then not to be used).
    explicit NeedsReader(const std::function<bool()>& stop = {});
    SetNeeds Read(std::string_view set, std::optional<std::string_view> romOf = {}) override;
    CloneRoms ReadCloneRoms(std::string_view set) override;
    /// False for a database imported before the device references were kept.
    bool KnowsDevices() const override { return knowsDevices_; }
    /// For a device, the ones it refers to, its romof device among them
    /// (where the ROMs it merges are).
    const std::vector<std::string>& DevicesOf(std::string_view name) const override;

  private:
    void ReadRoms(Statement& statement, std::string_view device, SetNeeds& needs);
    const std::vector<NeededRom>& DeviceRoms(const std::string& device);

    Statement romOf_, roms_, disks_, cloneRoms_;
    bool knowsDevices_ = false;  // the list import made DeviceRef
    std::unordered_map<std::string, std::vector<std::string>> devices_;  // by lower-case name
    std::unordered_set<std::string> withDisks_;  // lower-case names of the sets with disks
    std::unordered_map<std::string, std::vector<NeededRom>> deviceRoms_;
};

}  // namespace arc
