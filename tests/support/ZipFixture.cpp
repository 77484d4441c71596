#include "support/ZipFixture.h"

#include <zlib.h>

#include <cstdint>

#include "support/TestSupport.h"

namespace arc::test {
namespace {

void Put16(std::string& out, std::uint16_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

void Put32(std::string& out, std::uint32_t value) {
    Put16(out, static_cast<std::uint16_t>(value & 0xFFFF));
    Put16(out, static_cast<std::uint16_t>(value >> 16));
}

}  // namespace

std::string MakeZip(const std::vector<ZipMember>& members) {
    std::string body, directory;
    for (const ZipMember& member : members) {
        std::uint32_t crc =
            static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(member.data.data()),
                                             static_cast<uInt>(member.data.size())));
        if (member.badCrc) crc ^= 0xFFFFFFFFu;
        const auto size = static_cast<std::uint32_t>(member.data.size());
        const auto offset = static_cast<std::uint32_t>(body.size());
        auto common = [&](std::string& out) {
            Put16(out, 20);    // version needed
            Put16(out, 0);     // flags
            Put16(out, 0);     // stored
            Put16(out, 0);     // time
            Put16(out, 0x21);  // date 1980-01-01
            Put32(out, crc);
            Put32(out, size);
            Put32(out, size);
            Put16(out, static_cast<std::uint16_t>(member.name.size()));
            Put16(out, 0);  // extra
        };
        Put32(body, 0x04034b50);
        common(body);
        body += member.name;
        body += member.data;

        Put32(directory, 0x02014b50);
        Put16(directory, 20);  // made by
        common(directory);
        Put16(directory, 0);  // comment
        Put16(directory, 0);  // disk
        Put16(directory, 0);  // internal attributes
        Put32(directory, 0);  // external attributes
        Put32(directory, offset);
        directory += member.name;
    }
    std::string end;
    Put32(end, 0x06054b50);
    Put16(end, 0);
    Put16(end, 0);
    Put16(end, static_cast<std::uint16_t>(members.size()));
    Put16(end, static_cast<std::uint16_t>(members.size()));
    Put32(end, static_cast<std::uint32_t>(directory.size()));
    Put32(end, static_cast<std::uint32_t>(body.size()));
    Put16(end, 0);
    return body + directory + end;
}

void WriteZip(const std::string& path, const std::vector<ZipMember>& members) {
    WriteFile(path, MakeZip(members));
}

}  // namespace arc::test
