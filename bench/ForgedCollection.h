#pragma once
// A ROM folder forged from the open database's ROM rows: a split set per game
// (its ROMs without a merge name) for the first games, and an archive per
// device with ROMs. Members have their ROM's name, size and CRC-32 (see
// ForgedZip.h); disks are left out.

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "ForgedZip.h"
#include "database/Database.h"

namespace arc::bench {

/// Writes the archives of the first `sets` games (in name order) and of every
/// device into `roms` (emptied first).
inline void GenerateCollection(const std::string& roms, int sets) {
    namespace fs = std::filesystem;
    using Clock = std::chrono::steady_clock;
    fs::remove_all(roms);
    fs::create_directories(roms);
    const auto start = Clock::now();
    std::uint64_t bytes = 0;
    int archives = 0, skipped = 0;
    Statement romsOf(
        "SELECT RomName, Romsize, Romcrc FROM Rom WHERE InternalName = ? AND "
        "COALESCE(Rommerge, '') = '' AND COALESCE(Romcrc, '') <> ''");
    auto write = [&](const std::string& set) {
        std::vector<Member> members;
        romsOf.Bind(1, set);
        while (romsOf.Step()) {
            Member m{romsOf.ColumnText(0), std::strtoull(romsOf.ColumnText(1).c_str(), nullptr, 10),
                     static_cast<std::uint32_t>(
                         std::strtoul(romsOf.ColumnText(2).c_str(), nullptr, 16))};
            bool seen = false;
            for (const Member& other : members)
                seen = seen || other.name == m.name;
            if (seen) continue;
            if (m.size < 4 || m.size >= 0xFFFFFFFFull) {
                ++skipped;  // no four bytes to forge, or a Zip64 member
                continue;
            }
            bytes += m.size;
            members.push_back(std::move(m));
        }
        romsOf.Reset();
        WriteZip(roms + set + ".zip", members);
        if (++archives % 5000 == 0)
            std::cout << "  " << archives << " archives, " << (bytes >> 20) << " MB of ROMs\n"
                      << std::flush;
    };
    std::vector<std::string> names;
    Statement games("SELECT InternalName FROM Data ORDER BY InternalName LIMIT ?");
    games.Bind(1, sets);
    while (games.Step())
        names.push_back(games.ColumnText(0));
    Statement devices(
        "SELECT DISTINCT InternalName FROM Rom WHERE InternalName NOT IN (SELECT InternalName "
        "FROM Data)");
    while (devices.Step())
        names.push_back(devices.ColumnText(0));
    for (const std::string& name : names)
        write(name);
    std::cout << "collection: " << archives << " archives (" << sets
              << " games, the rest devices), " << (bytes >> 20) << " MB of ROMs, " << skipped
              << " ROMs under 4 bytes left out, "
              << std::chrono::duration<double>(Clock::now() - start).count() << " s\n";
}

}  // namespace arc::bench
