#include "zip/ZipDirectory.h"

#include <algorithm>
#include <array>

#include "zip/ZipFormat.h"
#include "zip/ZipNames.h"

namespace arc {

using namespace zipfmt;

namespace {

bool HasSignatureAt(const ZipFileReader& file, std::uint64_t offset, std::uint32_t signature) {
    unsigned char bytes[4];
    return file.ReadAt(offset, bytes, 4) && Get32(bytes) == signature;
}

/// Takes the 64-bit values of a Zip64 extended-information field for the
/// fields whose 32-bit value is saturated, in the field's fixed order.
void ApplyZip64Extra(const unsigned char* extra, std::size_t length, ZipEntry& entry,
                     bool needUncompressed, bool needCompressed, bool needOffset) {
    std::size_t pos = 0;
    while (pos + 4 <= length) {
        const std::uint16_t id = Get16(extra + pos);
        const std::uint16_t size = Get16(extra + pos + 2);
        pos += 4;
        if (pos + size > length) return;
        if (id == kZip64ExtraId) {
            const unsigned char* field = extra + pos;
            std::size_t left = size;
            auto take = [&](std::uint64_t& value) {
                if (left < 8) return;
                value = Get64(field);
                field += 8;
                left -= 8;
            };
            if (needUncompressed) take(entry.uncompressedSize);
            if (needCompressed) take(entry.compressedSize);
            if (needOffset) take(entry.localHeaderOffset);
            return;
        }
        pos += size;
    }
}

/// Takes the saturated values from the Zip64 end record; its offset, or
/// nullopt when there is none.
std::optional<std::uint64_t> ReadZip64EndRecord(const ZipFileReader& file, ZipEndRecord& end) {
    if (end.position < kZip64LocatorSize) return std::nullopt;
    const std::uint64_t locatorAt = end.position - kZip64LocatorSize;
    std::array<unsigned char, kZip64LocatorSize> locator{};
    if (!file.ReadAt(locatorAt, locator.data(), locator.size()) ||
        Get32(locator.data()) != kZip64LocatorSig)
        return std::nullopt;
    std::uint64_t recordAt = Get64(locator.data() + 8);
    // Prepended data shifts the stated offset; the record normally sits just
    // before the locator.
    if (!HasSignatureAt(file, recordAt, kZip64EndRecordSig)) {
        if (locatorAt < kZip64EndRecordSize) return std::nullopt;
        recordAt = locatorAt - kZip64EndRecordSize;
    }
    std::array<unsigned char, kZip64EndRecordSize> record{};
    if (!file.ReadAt(recordAt, record.data(), record.size()) ||
        Get32(record.data()) != kZip64EndRecordSig)
        return std::nullopt;
    if (end.totalEntries == kMax16) end.totalEntries = Get64(record.data() + 32);
    if (end.directorySize == kMax32) end.directorySize = Get64(record.data() + 40);
    if (end.directoryOffset == kMax32) end.directoryOffset = Get64(record.data() + 48);
    end.zip64 = true;
    return recordAt;
}

}  // namespace

std::optional<std::uint64_t> FindEndRecord(const ZipFileReader& file) {
    const std::uint64_t size = file.Size();
    if (size < kEndRecordSize) return std::nullopt;
    const std::uint64_t window = std::min<std::uint64_t>(size, kMaxCommentSize + kEndRecordSize);
    const std::uint64_t start = size - window;
    std::vector<unsigned char> tail(static_cast<std::size_t>(window));
    if (!file.ReadAt(start, tail.data(), tail.size())) return std::nullopt;
    for (std::size_t i = tail.size() - kEndRecordSize + 1; i-- > 0;) {
        if (Get32(tail.data() + i) == kEndRecordSig) return start + i;
    }
    return std::nullopt;
}

bool ReadEndRecord(const ZipFileReader& file, std::uint64_t position, ZipEndRecord& end) {
    std::array<unsigned char, kEndRecordSize> record{};
    if (!file.ReadAt(position, record.data(), record.size()) ||
        Get32(record.data()) != kEndRecordSig)
        return false;
    end = ZipEndRecord{};
    end.position = position;
    end.thisDisk = Get16(record.data() + 4);
    end.directoryDisk = Get16(record.data() + 6);
    end.totalEntries = Get16(record.data() + 10);
    end.directorySize = Get32(record.data() + 12);
    end.directoryOffset = Get32(record.data() + 16);
    const std::uint16_t commentLength = Get16(record.data() + 20);
    std::string comment(commentLength, '\0');
    comment.resize(file.ReadSomeAt(position + kEndRecordSize, comment.data(), commentLength));
    end.comment = DecodeZipText(comment, false);

    // Where the directory really ends: the Zip64 end record follows it when present.
    std::uint64_t directoryEnd = position;
    const bool saturated =
        end.totalEntries == kMax16 || end.directorySize == kMax32 || end.directoryOffset == kMax32;
    if (saturated) directoryEnd = ReadZip64EndRecord(file, end).value_or(position);

    // Data prepended to the archive shifts every stored offset by the same amount.
    const std::uint64_t statedEnd = end.directoryOffset + end.directorySize;
    if (directoryEnd > statedEnd && end.totalEntries > 0 &&
        !HasSignatureAt(file, end.directoryOffset, kCentralHeaderSig) &&
        HasSignatureAt(file, end.directoryOffset + (directoryEnd - statedEnd), kCentralHeaderSig))
        end.prefixBytes = directoryEnd - statedEnd;
    return true;
}

bool ReadCentralDirectory(const ZipFileReader& file, const ZipEndRecord& end,
                          std::vector<ZipEntry>& entries, const std::function<void()>& yield,
                          EmptyEntries empty) {
    entries.clear();
    // Never trust the stated count for the reservation: a hostile one is huge.
    entries.reserve(static_cast<std::size_t>(
        std::min<std::uint64_t>(end.totalEntries, file.Size() / kCentralHeaderSize)));
    ZipSequentialReader reader(file, end.directoryOffset + end.prefixBytes);
    for (std::uint64_t i = 0; i < end.totalEntries; ++i) {
        const unsigned char* header = nullptr;
        if (!reader.Next(kCentralHeaderSize, header) || Get32(header) != kCentralHeaderSig)
            return false;
        ZipEntry entry;
        entry.flags = Get16(header + 8);
        entry.method = Get16(header + 10);
        entry.time = Get16(header + 12);
        entry.date = Get16(header + 14);
        entry.crc32 = Get32(header + 16);
        entry.compressedSize = Get32(header + 20);
        entry.uncompressedSize = Get32(header + 24);
        const std::uint16_t nameLength = Get16(header + 28);
        const std::uint16_t extraLength = Get16(header + 30);
        const std::uint16_t commentLength = Get16(header + 32);
        entry.localHeaderOffset = Get32(header + 42);

        const unsigned char* name = nullptr;
        if (!reader.Next(nameLength, name)) return false;
        entry.name = WithForwardSlashes(
            DecodeZipText(std::string_view(reinterpret_cast<const char*>(name), nameLength),
                          (entry.flags & kFlagUtf8) != 0));
        const unsigned char* extra = nullptr;
        if (!reader.Next(extraLength, extra)) return false;
        const bool needUncompressed = entry.uncompressedSize == kMax32;
        const bool needCompressed = entry.compressedSize == kMax32;
        const bool needOffset = entry.localHeaderOffset == kMax32;
        if (needUncompressed || needCompressed || needOffset)
            ApplyZip64Extra(extra, extraLength, entry, needUncompressed, needCompressed,
                            needOffset);
        const unsigned char* comment = nullptr;
        if (!reader.Next(commentLength, comment)) return false;

        entry.localHeaderOffset += end.prefixBytes;
        if (entry.uncompressedSize != 0 || empty == EmptyEntries::Keep)
            entries.push_back(std::move(entry));
        if (yield) yield();
    }
    return true;
}

}  // namespace arc
