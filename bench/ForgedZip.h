#pragma once
// ZIP archives of forged members for the benchmarks: each member has the
// name, size and CRC-32 asked for (zeros, then four bytes forged to the CRC),
// deflated, so that a large collection stays small on disk.

#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "zip/ZipFormat.h"

namespace arc::bench {

using namespace arc::zipfmt;

inline constexpr std::size_t kChunk = 1 << 20;

/// A megabyte of zeros deflated and flushed to a byte boundary with no
/// reference beyond it: copies of it in a row are a valid deflate stream.
inline const std::string& ZeroChunk() {
    static const std::string chunk = [] {
        std::string zeros(kChunk, '\0'), out(kChunk, '\0');
        z_stream z{};
        deflateInit2(&z, 1, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
        z.next_in = reinterpret_cast<Bytef*>(zeros.data());
        z.avail_in = static_cast<uInt>(zeros.size());
        z.next_out = reinterpret_cast<Bytef*>(out.data());
        z.avail_out = static_cast<uInt>(out.size());
        deflate(&z, Z_FULL_FLUSH);
        out.resize(z.total_out);
        deflateEnd(&z);
        return out;
    }();
    return chunk;
}

/// CRC-32 of `count` zeros.
inline std::uint32_t ZerosCrc(std::uint64_t count) {
    const Bytef zero = 0;
    uLong crc = 0;
    uLong base = crc32(0, &zero, 1);
    for (z_off_t length = 1; count > 0; count >>= 1, length *= 2) {
        if (count & 1) crc = crc32_combine(crc, base, length);
        base = crc32_combine(base, base, length);
    }
    return static_cast<std::uint32_t>(crc);
}

/// The four bytes that bring a CRC-32 of `prefixCrc` to `crc`.
inline std::string ForgedTail(std::uint32_t prefixCrc, std::uint32_t crc) {
    const auto* table = get_crc_table();
    int k[4];
    std::uint32_t value = ~crc;
    for (int i = 3; i >= 0; --i) {
        int index = 0;
        while ((table[index] >> 24) != (value >> 24))
            ++index;
        k[i] = index;
        value = (value ^ table[index]) << 8;
    }
    std::string tail;
    std::uint32_t state = ~prefixCrc;
    for (int i = 0; i < 4; ++i) {
        tail.push_back(static_cast<char>((state ^ k[i]) & 0xFF));
        state = (state >> 8) ^ table[k[i]];
    }
    return tail;
}

/// Raw deflate of `size` bytes (zeros then the forged tail) whose CRC-32 is `crc`.
inline std::string ForgedDeflate(std::uint64_t size, std::uint32_t crc) {
    const std::uint64_t zeros = size - 4;
    std::string out;
    for (std::uint64_t i = 0; i < zeros / kChunk; ++i)
        out += ZeroChunk();
    std::string rest(zeros % kChunk, '\0');
    rest += ForgedTail(ZerosCrc(zeros), crc);
    std::string tail(deflateBound(nullptr, rest.size()) + 64, '\0');
    z_stream z{};
    deflateInit2(&z, 1, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    z.next_in = reinterpret_cast<Bytef*>(rest.data());
    z.avail_in = static_cast<uInt>(rest.size());
    z.next_out = reinterpret_cast<Bytef*>(tail.data());
    z.avail_out = static_cast<uInt>(tail.size());
    deflate(&z, Z_FINISH);
    tail.resize(z.total_out);
    deflateEnd(&z);
    return out + tail;
}

struct Member {
    std::string name;
    std::uint64_t size;
    std::uint32_t crc;
};

inline void WriteZip(const std::string& path, const std::vector<Member>& members) {
    std::ofstream out(path, std::ios::binary);
    std::string directory;
    std::uint64_t offset = 0;
    for (const Member& m : members) {
        const std::string data = ForgedDeflate(m.size, m.crc);
        auto common = [&](std::string& to) {
            Put16(to, 20);
            Put16(to, 0);
            Put16(to, kMethodDeflate);
            Put16(to, 0);
            Put16(to, 0x5A21);
            Put32(to, m.crc);
            Put32(to, static_cast<std::uint32_t>(data.size()));
            Put32(to, static_cast<std::uint32_t>(m.size));
            Put16(to, static_cast<std::uint16_t>(m.name.size()));
        };
        std::string local;
        Put32(local, kLocalHeaderSig);
        common(local);
        Put16(local, 0);
        out << local << m.name << data;
        Put32(directory, kCentralHeaderSig);
        Put16(directory, 20);
        common(directory);
        for (int i = 0; i < 4; ++i)
            Put16(directory, 0);
        Put32(directory, 0);
        Put32(directory, static_cast<std::uint32_t>(offset));
        directory += m.name;
        offset += local.size() + m.name.size() + data.size();
    }
    std::string end;
    Put32(end, kEndRecordSig);
    Put32(end, 0);
    Put16(end, static_cast<std::uint16_t>(members.size()));
    Put16(end, static_cast<std::uint16_t>(members.size()));
    Put32(end, static_cast<std::uint32_t>(directory.size()));
    Put32(end, static_cast<std::uint32_t>(offset));
    Put16(end, 0);
    out << directory << end;
}

}  // namespace arc::bench
