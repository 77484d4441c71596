#include "audit/SetAuditor.h"

#include <algorithm>

#include "core/Files.h"

namespace arc {
namespace {

constexpr std::size_t kRecentSets = 64;

bool SameName(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

/// Where a ROM may be found, and under which name a member there is taken
/// for it when its CRC-32 is wrong.
struct Place {
    const SetFiles* files;
    bool own;  ///< the audited set's own files
    std::string_view expectedName;
};

}  // namespace

SetAuditor::SetAuditor(const RomFolder& folder, bool full)
    : SetAuditor(folder, full, std::make_unique<NeedsReader>()) {}

SetAuditor::SetAuditor(const RomFolder& folder, bool full, std::unique_ptr<NeedsSource> needs)
    : folder_(folder), full_(full), needs_(std::move(needs)) {}

std::shared_ptr<const SetFiles> SetAuditor::Files(const std::string& set) {
    const std::string key = ToLowerAscii(set);
    if (auto found = byName_.find(key); found != byName_.end()) {
        recent_.splice(recent_.begin(), recent_, found->second);
        return found->second->second;
    }
    auto files = std::make_shared<const SetFiles>(folder_.Read(set, full_, stop_));
    recent_.emplace_front(key, files);
    byName_[key] = recent_.begin();
    if (recent_.size() > kRecentSets) {
        byName_.erase(recent_.back().first);
        recent_.pop_back();
    }
    return files;
}

SetAudit SetAuditor::Audit(std::string_view set, std::optional<std::string_view> romOf) {
    SetAudit result;
    result.name = set;
    const SetNeeds needs = needs_->Read(set, romOf);
    std::vector<std::shared_ptr<const SetFiles>> chain;
    for (const std::string& name : needs.chain)
        chain.push_back(Files(name));
    const SetFiles& own = *chain.front();
    std::vector<bool> used(own.members.size(), false);
    std::string unreadable;
    auto noteError = [&](const SetFiles& files) {
        if (unreadable.empty() && !files.error.empty()) unreadable = files.error;
    };
    for (const auto& files : chain)
        noteError(*files);
    bool bestAvailable = false;

    std::vector<Place> places;
    std::vector<std::shared_ptr<const SetFiles>> held;  // the device archives of `places`
    for (const NeededRom& rom : needs.roms) {
        places.clear();
        held.clear();
        if (!rom.device.empty()) {
            held.push_back(Files(rom.device));
            noteError(*held.back());
            places.push_back({held.back().get(), false, rom.name});
            if (!rom.merge.empty())
                for (const std::string& related : needs_->DevicesOf(rom.device))
                    if (folder_.Owns(related)) {
                        held.push_back(Files(related));
                        places.push_back({held.back().get(), false, rom.merge});
                    }
        }
        for (std::size_t i = 0; i < chain.size(); ++i) {
            std::string_view expected = !rom.device.empty() || i == 0 ? rom.name : rom.merge;
            places.push_back({chain[i].get(), i == 0, expected});
        }
        // The emulator takes a member by its CRC-32 wherever along the chain.
        const SetMember* match = nullptr;
        const SetMember* named = nullptr;
        for (const Place& place : places) {
            for (std::size_t m = 0; m < place.files->members.size() && !match; ++m) {
                const SetMember& member = place.files->members[m];
                const bool right = member.size == rom.size && member.crc == rom.crc;
                const bool byName = !place.expectedName.empty() &&
                                    (SameName(member.name, place.expectedName) ||
                                     (place.own && SameName(member.name, rom.merge)));
                if (!right && !byName) continue;
                if (place.own) used[m] = true;
                if (right)
                    match = &member;
                else if (!named)
                    named = &member;
            }
            if (match) break;
        }
        const std::string label =
            rom.device.empty() ? rom.name : rom.name + " (device " + rom.device + ")";
        if (match && full_ && match->damaged) {
            ++result.bad;
            result.problems.push_back(label + ": damaged data");
        } else if (match && full_ && !rom.sha1.empty() && !match->sha1.empty() &&
                   match->sha1 != rom.sha1) {
            ++result.bad;
            result.problems.push_back(label + ": wrong SHA-1");
        } else if (match) {
            ++result.found;
            bestAvailable = bestAvailable || rom.baddump;
        } else if (named) {
            ++result.bad;
            result.problems.push_back(label +
                                      (named->size != rom.size ? ": wrong size" : ": wrong CRC"));
        } else {
            ++result.missing;
            result.problems.push_back(label + ": missing");
        }
    }

    for (const NeededDisk& disk : needs.disks) {
        std::string path;
        for (std::size_t i = 0; i < chain.size() && path.empty(); ++i) {
            const std::string& folder = chain[i]->folder;
            const std::string file =
                (i == 0 || disk.merge.empty() ? disk.name : disk.merge) + ".chd";
            if (folder.empty()) continue;
            const std::string candidate = FindNoCase(folder, file);
            if (FileExists(candidate)) path = candidate;
        }
        const std::string label = "disk " + disk.name;
        std::string error;
        const std::optional<std::string> sha1 = path.empty() ? std::nullopt : ChdSha1(path, error);
        if (path.empty()) {
            ++result.missing;
            result.problems.push_back(label + ": missing");
        } else if (!sha1) {
            ++result.bad;
            if (unreadable.empty()) unreadable = BaseName(path) + ": " + error;
        } else if (*sha1 != disk.sha1) {
            ++result.bad;
            result.problems.push_back(label + ": wrong SHA-1");
        } else {
            ++result.found;
            bestAvailable = bestAvailable || disk.baddump;
        }
    }

    std::optional<CloneRoms> clones;
    for (std::size_t m = 0; m < own.members.size(); ++m) {
        if (used[m]) continue;
        const SetMember& member = own.members[m];
        auto named = [&](const std::string& name) { return SameName(name, member.name); };
        // A device's ROM kept in the set's own archive too (non-merged sets).
        auto needed = [&](const NeededRom& rom) {
            return (rom.size == member.size && rom.crc == member.crc) || named(rom.name);
        };
        if (std::any_of(needs.knownNames.begin(), needs.knownNames.end(), named) ||
            std::any_of(needs.roms.begin(), needs.roms.end(), needed))
            continue;
        if (!clones) clones = needs_->ReadCloneRoms(set);
        if (std::any_of(clones->names.begin(), clones->names.end(), named) ||
            std::find(clones->crcs.begin(), clones->crcs.end(), member.crc) != clones->crcs.end())
            continue;
        ++result.unneeded;
        result.problems.push_back(member.name + ": unneeded");
    }

    result.needed = static_cast<int>(needs.roms.size() + needs.disks.size());
    if (!unreadable.empty()) {
        result.verdict = Verdict::Unreadable;
        result.problems.insert(result.problems.begin(), unreadable);
    } else if (result.bad > 0) {
        result.verdict = Verdict::Bad;
    } else if (result.missing > 0) {
        result.verdict = Verdict::Incomplete;
    } else {
        result.verdict = bestAvailable ? Verdict::BestAvailable : Verdict::Complete;
    }
    return result;
}

}  // namespace arc
