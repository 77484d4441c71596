#pragma once
// Builds ZIP archives byte by byte, so that tests control every field,
// malformed ones included; lists what extraction wrote.

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "support/TestSupport.h"
#include "zip/ZipFormat.h"

namespace arc::test {

/// `size` bytes whose CRC-32 is `crc`: filler, then four bytes worked out
/// backwards through the CRC table.
inline std::string ForgedData(std::size_t size, std::uint32_t crc, char fill) {
    std::string data(size - 4, fill);
    const auto* table = get_crc_table();
    auto indexOfTop = [&](std::uint32_t top) {
        int k = 0;
        while ((table[k] >> 24) != top)
            ++k;
        return k;
    };
    int k[4];
    std::uint32_t value = ~crc;
    for (int i = 3; i >= 0; --i) {
        k[i] = indexOfTop(value >> 24);
        value = (value ^ table[k[i]]) << 8;
    }
    std::uint32_t state = ~static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
    for (int i = 0; i < 4; ++i) {
        data.push_back(static_cast<char>((state ^ k[i]) & 0xFF));
        state = (state >> 8) ^ table[k[i]];
    }
    return data;
}

struct RawMember {
    RawMember(std::string memberName, std::string memberData, std::uint16_t memberMethod = 8)
        : name(std::move(memberName)), data(std::move(memberData)), method(memberMethod) {}

    std::string name;
    std::string data;  ///< uncompressed bytes
    std::uint16_t method = 8;
    std::uint16_t flags = 0;
    bool badCrc = false;            ///< store a wrong CRC-32
    bool zeroLocalSizes = false;    ///< sizes only in a trailing data descriptor
    std::uint64_t claimedSize = 0;  ///< uncompressed size to declare instead of the real one
    std::string rawData;            ///< when set, stored as the member's data as is
};

struct ZipLayout {
    std::string comment;
    std::uint16_t thisDisk = 0;
    std::uint16_t directoryDisk = 0;
    bool zip64 = false;                     ///< Zip64 end records and extra fields for every member
    std::string prefix;                     ///< bytes before the first local header
    std::int64_t directoryOffsetShift = 0;  ///< added to the stated directory offset
};

inline std::string RawDeflate(const std::string& data) {
    z_stream z{};
    deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, data.size()) + 16, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

inline std::string BuildZip(const std::vector<RawMember>& members, const ZipLayout& layout = {}) {
    using namespace zipfmt;
    std::string out = layout.prefix;
    std::string directory;
    const std::size_t base = layout.prefix.size();
    for (const RawMember& m : members) {
        const std::string payload =
            !m.rawData.empty() ? m.rawData : (m.method == 8 ? RawDeflate(m.data) : m.data);
        std::uint32_t crc = static_cast<std::uint32_t>(crc32(
            0, reinterpret_cast<const Bytef*>(m.data.data()), static_cast<uInt>(m.data.size())));
        if (m.badCrc) crc ^= 0x5A5A5A5A;
        const std::uint64_t usize = m.claimedSize ? m.claimedSize : m.data.size();
        const std::uint64_t csize = payload.size();
        const std::uint64_t offset = out.size() - base;
        const std::uint16_t flags = m.flags | (m.zeroLocalSizes ? kFlagDataDescriptor : 0);

        std::string zip64Extra;
        if (layout.zip64) {
            Put16(zip64Extra, kZip64ExtraId);
            Put16(zip64Extra, 24);
            Put64(zip64Extra, usize);
            Put64(zip64Extra, csize);
            Put64(zip64Extra, offset);
        }
        // The fields a local header shares with the directory entry.
        auto common = [&](std::string& to, std::uint32_t c, std::uint64_t cs, std::uint64_t us) {
            Put16(to, layout.zip64 ? 45 : 20);
            Put16(to, flags);
            Put16(to, m.method);
            Put16(to, 0x6000);                                                 // 12:00:00
            Put16(to, static_cast<std::uint16_t>((45 << 9) | (6 << 5) | 15));  // 2025-06-15
            Put32(to, c);
            Put32(to, static_cast<std::uint32_t>(cs));
            Put32(to, static_cast<std::uint32_t>(us));
        };
        Put32(out, kLocalHeaderSig);
        const bool hide = m.zeroLocalSizes;
        common(out, hide ? 0 : crc, hide ? 0 : csize, hide ? 0 : usize);
        Put16(out, static_cast<std::uint16_t>(m.name.size()));
        Put16(out, 0);
        out += m.name;
        out += payload;
        if (m.zeroLocalSizes) {
            Put32(out, 0x08074B50);
            Put32(out, crc);
            Put32(out, static_cast<std::uint32_t>(csize));
            Put32(out, static_cast<std::uint32_t>(usize));
        }

        Put32(directory, kCentralHeaderSig);
        Put16(directory, (3 << 8) | 20);
        common(directory, crc, layout.zip64 ? kMax32 : csize, layout.zip64 ? kMax32 : usize);
        Put16(directory, static_cast<std::uint16_t>(m.name.size()));
        Put16(directory, static_cast<std::uint16_t>(zip64Extra.size()));
        Put16(directory, 0);
        Put16(directory, 0);
        Put16(directory, 0);
        Put32(directory, 0);
        Put32(directory, layout.zip64 ? kMax32 : static_cast<std::uint32_t>(offset));
        directory += m.name;
        directory += zip64Extra;
    }
    const std::uint64_t directoryOffset = out.size() - base + layout.directoryOffsetShift;
    out += directory;
    if (layout.zip64) {
        const std::uint64_t recordAt = out.size() - base;
        Put32(out, kZip64EndRecordSig);
        Put64(out, 44);
        Put16(out, 45);
        Put16(out, 45);
        Put32(out, 0);
        Put32(out, 0);
        Put64(out, members.size());
        Put64(out, members.size());
        Put64(out, directory.size());
        Put64(out, directoryOffset);
        Put32(out, kZip64LocatorSig);
        Put32(out, 0);
        Put64(out, recordAt);
        Put32(out, 1);
    }
    Put32(out, kEndRecordSig);
    Put16(out, layout.thisDisk);
    Put16(out, layout.directoryDisk);
    const auto count16 = static_cast<std::uint16_t>(layout.zip64 ? kMax16 : members.size());
    Put16(out, count16);
    Put16(out, count16);
    Put32(out, layout.zip64 ? kMax32 : static_cast<std::uint32_t>(directory.size()));
    Put32(out, layout.zip64 ? kMax32 : static_cast<std::uint32_t>(directoryOffset));
    Put16(out, static_cast<std::uint16_t>(layout.comment.size()));
    out += layout.comment;
    return out;
}

inline void WriteZip(const std::string& path, const std::vector<RawMember>& members,
                     const ZipLayout& layout = {}) {
    WriteFile(path, BuildZip(members, layout));
}

/// Relative names ("/" between folders) of the files under `folder`, sorted.
inline std::vector<std::string> FilesUnder(const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    if (!fs::exists(folder)) return names;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            names.push_back(entry.path().lexically_relative(folder).generic_string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace arc::test
