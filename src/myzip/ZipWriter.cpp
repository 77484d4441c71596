#include "ZipWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

#include "zip/ZipFormat.h"

namespace myzip {

using namespace arc::zipfmt;

namespace {

constexpr std::size_t kBuffer = 1 << 20;
constexpr std::size_t kInput = 256 * 1024;
/// Files from this size on get Zip64 sizes in their local header: deflate can
/// grow incompressible data a little past 4 GiB.
constexpr std::uint64_t kZip64LocalFrom = 0xF0000000ULL;
constexpr std::uint16_t kVersionDeflate = 20;
constexpr std::uint16_t kVersionZip64 = 45;
constexpr std::uint16_t kMadeByUnix = 3 << 8;

bool NeedsUtf8Flag(const std::string& name) {
    for (char c : name)
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    return false;
}

void DosStamp(std::time_t when, std::uint16_t& time, std::uint16_t& date) {
    std::tm local{};
    localtime_r(&when, &local);
    if (local.tm_year < 80) {
        time = 0;
        date = (1 << 5) | 1;  // 1980-01-01
        return;
    }
    time = static_cast<std::uint16_t>((local.tm_hour << 11) | (local.tm_min << 5) |
                                      (local.tm_sec / 2));
    date = static_cast<std::uint16_t>(((local.tm_year - 80) << 9) | ((local.tm_mon + 1) << 5) |
                                      local.tm_mday);
}

/// Closes a descriptor when the scope ends.
struct FdCloser {
    int fd;
    ~FdCloser() {
        if (fd >= 0) ::close(fd);
    }
};

}  // namespace

ZipWriter::ZipWriter() : out_(kBuffer), input_(kInput), deflated_(kInput) {
    streamReady_ = deflateInit2(&stream_, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8,
                                Z_DEFAULT_STRATEGY) == Z_OK;
}

ZipWriter::~ZipWriter() {
    if (streamReady_) deflateEnd(&stream_);
    if (fd_ >= 0) ::close(fd_);
}

bool ZipWriter::Fail(const std::string& message) {
    if (error_.empty()) error_ = message;
    return false;
}

bool ZipWriter::Create(const std::string& path) {
    if (!streamReady_) return Fail("zlib could not be initialised");
    path_ = path;
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) return Fail(path + ": " + std::strerror(errno));
    return true;
}

bool ZipWriter::Flush() {
    std::size_t done = 0;
    while (done < outLength_) {
        ssize_t count = ::write(fd_, out_.data() + done, outLength_ - done);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) return Fail(path_ + ": " + std::strerror(errno));
        done += static_cast<std::size_t>(count);
    }
    outLength_ = 0;
    return true;
}

bool ZipWriter::Write(const void* data, std::size_t count) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    position_ += count;
    while (count > 0) {
        if (outLength_ == out_.size() && !Flush()) return false;
        const std::size_t room = std::min(count, out_.size() - outLength_);
        std::memcpy(out_.data() + outLength_, bytes, room);
        outLength_ += room;
        bytes += room;
        count -= room;
    }
    return true;
}

bool ZipWriter::Patch(std::uint64_t offset, const std::string& bytes) {
    const std::uint64_t bufferStart = position_ - outLength_;
    if (offset >= bufferStart) {
        std::memcpy(out_.data() + (offset - bufferStart), bytes.data(), bytes.size());
        return true;
    }
    if (offset + bytes.size() > bufferStart && !Flush()) return false;
    if (::pwrite(fd_, bytes.data(), bytes.size(), static_cast<off_t>(offset)) !=
        static_cast<ssize_t>(bytes.size()))
        return Fail(path_ + ": " + std::strerror(errno));
    return true;
}

bool ZipWriter::WriteLocalHeader(const Member& member, bool zip64Local) {
    std::string header;
    Put32(header, kLocalHeaderSig);
    Put16(header, zip64Local ? kVersionZip64 : kVersionDeflate);
    Put16(header, member.flags);
    Put16(header, member.method);
    Put16(header, member.time);
    Put16(header, member.date);
    Put32(header, 0);  // CRC-32 and sizes are written back once known
    Put32(header, zip64Local ? kMax32 : 0);
    Put32(header, zip64Local ? kMax32 : 0);
    Put16(header, static_cast<std::uint16_t>(member.name.size()));
    Put16(header, zip64Local ? 20 : 0);
    header += member.name;
    if (zip64Local) {
        Put16(header, kZip64ExtraId);
        Put16(header, 16);
        Put64(header, 0);
        Put64(header, 0);
    }
    return Write(header);
}

bool ZipWriter::AddFolder(const std::string& sourcePath, const std::string& name) {
    struct stat info {};
    if (::stat(sourcePath.c_str(), &info) != 0)
        return Fail(sourcePath + ": " + std::strerror(errno));
    Member member;
    member.name = name.ends_with('/') ? name : name + "/";
    member.offset = position_;
    member.method = kMethodStored;
    member.flags = NeedsUtf8Flag(member.name) ? kFlagUtf8 : 0;
    member.mode = static_cast<std::uint32_t>(info.st_mode);
    member.folder = true;
    DosStamp(info.st_mtime, member.time, member.date);
    if (!WriteLocalHeader(member, false)) return false;
    members_.push_back(std::move(member));
    return true;
}

bool ZipWriter::AddFile(const std::string& sourcePath, const std::string& name) {
    FdCloser source{::open(sourcePath.c_str(), O_RDONLY | O_CLOEXEC)};
    if (source.fd < 0) return Fail(sourcePath + ": " + std::strerror(errno));
    struct stat info {};
    if (::fstat(source.fd, &info) != 0) return Fail(sourcePath + ": " + std::strerror(errno));

    Member member;
    member.name = name;
    member.offset = position_;
    member.method = info.st_size == 0 ? kMethodStored : kMethodDeflate;
    member.flags = NeedsUtf8Flag(name) ? kFlagUtf8 : 0;
    member.mode = static_cast<std::uint32_t>(info.st_mode);
    DosStamp(info.st_mtime, member.time, member.date);
    const bool zip64Local = static_cast<std::uint64_t>(info.st_size) >= kZip64LocalFrom;
    if (!WriteLocalHeader(member, zip64Local)) return false;

    uLong crc = crc32(0L, Z_NULL, 0);
    if (member.method == kMethodDeflate) {
        deflateReset(&stream_);
        int flush = Z_NO_FLUSH;
        do {
            ssize_t got = ::read(source.fd, input_.data(), input_.size());
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) return Fail(sourcePath + ": " + std::strerror(errno));
            crc = crc32(crc, input_.data(), static_cast<uInt>(got));
            member.uncompressedSize += static_cast<std::uint64_t>(got);
            flush = got == 0 ? Z_FINISH : Z_NO_FLUSH;
            stream_.next_in = input_.data();
            stream_.avail_in = static_cast<uInt>(got);
            do {
                stream_.next_out = deflated_.data();
                stream_.avail_out = static_cast<uInt>(deflated_.size());
                if (deflate(&stream_, flush) == Z_STREAM_ERROR) return Fail("deflate failed");
                const std::size_t produced = deflated_.size() - stream_.avail_out;
                member.compressedSize += produced;
                if (!Write(deflated_.data(), produced)) return false;
            } while (stream_.avail_out == 0);
        } while (flush != Z_FINISH);
    }
    member.crc = static_cast<std::uint32_t>(crc);

    const bool tooLarge = member.compressedSize >= kMax32 || member.uncompressedSize >= kMax32;
    if (tooLarge && !zip64Local) return Fail(sourcePath + ": grew past 4 GiB while being read");
    std::string sizes;
    Put32(sizes, member.crc);
    Put32(sizes, zip64Local ? kMax32 : static_cast<std::uint32_t>(member.compressedSize));
    Put32(sizes, zip64Local ? kMax32 : static_cast<std::uint32_t>(member.uncompressedSize));
    if (!Patch(member.offset + 14, sizes)) return false;
    if (zip64Local) {
        std::string extra;
        Put64(extra, member.uncompressedSize);
        Put64(extra, member.compressedSize);
        if (!Patch(member.offset + kLocalHeaderSize + name.size() + 4, extra)) return false;
    }
    members_.push_back(std::move(member));
    return true;
}

bool ZipWriter::Finish() {
    const std::uint64_t directoryOffset = position_;
    for (const Member& member : members_) {
        const bool bigUncompressed = member.uncompressedSize >= kMax32;
        const bool bigCompressed = member.compressedSize >= kMax32;
        const bool bigOffset = member.offset >= kMax32;
        std::string extra;
        if (bigUncompressed || bigCompressed || bigOffset) {
            std::string values;
            if (bigUncompressed) Put64(values, member.uncompressedSize);
            if (bigCompressed) Put64(values, member.compressedSize);
            if (bigOffset) Put64(values, member.offset);
            Put16(extra, kZip64ExtraId);
            Put16(extra, static_cast<std::uint16_t>(values.size()));
            extra += values;
        }
        const std::uint16_t version = extra.empty() ? kVersionDeflate : kVersionZip64;
        std::string header;
        Put32(header, kCentralHeaderSig);
        Put16(header, kMadeByUnix | version);
        Put16(header, version);
        Put16(header, member.flags);
        Put16(header, member.method);
        Put16(header, member.time);
        Put16(header, member.date);
        Put32(header, member.crc);
        Put32(header, bigCompressed ? kMax32 : static_cast<std::uint32_t>(member.compressedSize));
        Put32(header,
              bigUncompressed ? kMax32 : static_cast<std::uint32_t>(member.uncompressedSize));
        Put16(header, static_cast<std::uint16_t>(member.name.size()));
        Put16(header, static_cast<std::uint16_t>(extra.size()));
        Put16(header, 0);  // comment
        Put16(header, 0);  // disk
        Put16(header, 0);  // internal attributes
        // The high word holds the Unix mode; 0x10 is the DOS folder attribute.
        Put32(header, (member.mode << 16) | (member.folder ? 0x10u : 0u));
        Put32(header, bigOffset ? kMax32 : static_cast<std::uint32_t>(member.offset));
        header += member.name;
        header += extra;
        if (!Write(header)) return false;
    }
    const std::uint64_t directorySize = position_ - directoryOffset;
    const std::uint64_t count = members_.size();
    const bool zip64 = count >= kMax16 || directoryOffset >= kMax32 || directorySize >= kMax32;
    std::string tail;
    if (zip64) {
        const std::uint64_t recordAt = position_;
        Put32(tail, kZip64EndRecordSig);
        Put64(tail, kZip64EndRecordSize - 12);
        Put16(tail, kMadeByUnix | kVersionZip64);
        Put16(tail, kVersionZip64);
        Put32(tail, 0);
        Put32(tail, 0);
        Put64(tail, count);
        Put64(tail, count);
        Put64(tail, directorySize);
        Put64(tail, directoryOffset);
        Put32(tail, kZip64LocatorSig);
        Put32(tail, 0);
        Put64(tail, recordAt);
        Put32(tail, 1);
    }
    Put32(tail, kEndRecordSig);
    Put16(tail, 0);
    Put16(tail, 0);
    Put16(tail, zip64 ? kMax16 : static_cast<std::uint16_t>(count));
    Put16(tail, zip64 ? kMax16 : static_cast<std::uint16_t>(count));
    Put32(tail, zip64 ? kMax32 : static_cast<std::uint32_t>(directorySize));
    Put32(tail, zip64 ? kMax32 : static_cast<std::uint32_t>(directoryOffset));
    Put16(tail, 0);
    if (!Write(tail) || !Flush()) return false;
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return Fail(path_ + ": " + std::strerror(errno));
    return true;
}

}  // namespace myzip
