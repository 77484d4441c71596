#include "zip/ZipMemberWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <system_error>
#include <vector>

#include "core/ReplacingFile.h"
#include "zip/ZipFormat.h"

namespace arc {

using namespace zipfmt;

namespace {

constexpr std::size_t kChunk = 256 * 1024;

}  // namespace

/// A temporary file beside the target, removed unless committed.
class TempOutput {
  public:
    explicit TempOutput(const std::string& target) {
        const std::size_t slash = target.find_last_of('/');
        const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
        path_ = folder + ".arcanote-unzip-XXXXXX";
        fd_ = ::mkstemp(path_.data());
        if (fd_ < 0) throw std::system_error(errno, std::generic_category(), target);
        ::fchmod(fd_, ReplacementMode(target));  // a replaced file keeps its mode
    }
    ~TempOutput() {
        if (fd_ >= 0) ::close(fd_);
        if (!committed_) ::unlink(path_.c_str());
    }
    TempOutput(const TempOutput&) = delete;
    TempOutput& operator=(const TempOutput&) = delete;

    void Write(const unsigned char* data, std::size_t count) {
        while (count > 0) {
            ssize_t done = ::write(fd_, data, count);
            if (done < 0 && errno == EINTR) continue;
            if (done < 0) throw std::system_error(errno, std::generic_category(), path_);
            data += done;
            count -= static_cast<std::size_t>(done);
        }
    }

    /// Closes the file and renames it over `target`; false when the rename fails.
    bool CommitAs(const std::string& target) {
        int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0) throw std::system_error(errno, std::generic_category(), path_);
        if (::rename(path_.c_str(), target.c_str()) != 0) return false;
        committed_ = true;
        return true;
    }

  private:
    std::string path_;
    int fd_ = -1;
    bool committed_ = false;
};

ZipMemberWriter::ZipMemberWriter() : input_(kChunk), output_(kChunk) {
    streamReady_ = inflateInit2(&stream_, -MAX_WBITS) == Z_OK;
}

ZipMemberWriter::~ZipMemberWriter() {
    if (streamReady_) inflateEnd(&stream_);
}

/// Copies `size` bytes at `offset` to the output.
bool ZipMemberWriter::CopyStored(const ZipFileReader& file, std::uint64_t offset,
                                 std::uint64_t size, const Sink& out) {
    while (size > 0) {
        const std::size_t count =
            static_cast<std::size_t>(std::min<std::uint64_t>(size, input_.size()));
        if (!file.ReadAt(offset, input_.data(), count)) return false;
        out(input_.data(), count);
        offset += count;
        size -= count;
    }
    return true;
}

/// Inflates the raw deflate data at `offset` into the output, at most the
/// declared uncompressed size. True when exactly that size came out and its
/// CRC-32 is the expected one.
bool ZipMemberWriter::InflateChecked(const ZipFileReader& file, std::uint64_t offset,
                                     const ZipEntry& entry, const Sink& out) {
    if (!streamReady_ || inflateReset(&stream_) != Z_OK) return false;
    z_stream& z = stream_;
    z.next_in = nullptr;
    z.avail_in = 0;
    std::uint64_t inputLeft = entry.compressedSize;
    std::uint64_t outputLeft = entry.uncompressedSize;
    uLong crc = crc32(0L, Z_NULL, 0);
    bool ended = false;
    while (!ended && outputLeft > 0) {
        if (z.avail_in == 0 && inputLeft > 0) {
            const std::size_t count =
                static_cast<std::size_t>(std::min<std::uint64_t>(inputLeft, input_.size()));
            const std::size_t got = file.ReadSomeAt(offset, input_.data(), count);
            if (got == 0) return false;
            offset += got;
            inputLeft -= got;
            z.next_in = input_.data();
            z.avail_in = static_cast<uInt>(got);
        }
        const std::size_t room =
            static_cast<std::size_t>(std::min<std::uint64_t>(outputLeft, output_.size()));
        z.next_out = output_.data();
        z.avail_out = static_cast<uInt>(room);
        const int status = inflate(&z, Z_NO_FLUSH);
        const std::size_t produced = room - z.avail_out;
        if (produced > 0) {
            crc = crc32(crc, output_.data(), static_cast<uInt>(produced));
            out(output_.data(), produced);
            outputLeft -= produced;
        }
        if (status == Z_STREAM_END) {
            ended = true;
        } else if (status == Z_BUF_ERROR) {
            // No progress possible: input used up.
            if (z.avail_in == 0 && inputLeft == 0) return false;
        } else if (status != Z_OK) {
            return false;
        }
    }
    return outputLeft == 0 && crc == entry.crc32;
}

MemberResult ZipMemberWriter::Locate(const ZipFileReader& file, const ZipEntry& entry,
                                     std::string& localName, std::uint64_t& dataAt) const {
    unsigned char header[kLocalHeaderSize];
    if (!file.ReadAt(entry.localHeaderOffset, header, sizeof header) ||
        Get32(header) != kLocalHeaderSig)
        return MemberResult::Unreadable;
    const std::uint16_t nameLength = Get16(header + 26);
    const std::uint16_t extraLength = Get16(header + 28);
    localName.resize(nameLength);
    if (!file.ReadAt(entry.localHeaderOffset + kLocalHeaderSize, localName.data(), nameLength))
        return MemberResult::Unreadable;
    dataAt = entry.localHeaderOffset + kLocalHeaderSize + nameLength + extraLength;
    if (entry.method != kMethodStored && entry.method != kMethodDeflate)
        return MemberResult::Unsupported;
    if (dataAt > file.Size() || entry.compressedSize > file.Size() - dataAt)
        return MemberResult::Unreadable;
    return MemberResult::Written;
}

MemberResult ZipMemberWriter::Decode(const ZipFileReader& file, const ZipEntry& entry,
                                     std::uint64_t dataAt, const Sink& out) {
    if (entry.method == kMethodStored)
        return CopyStored(file, dataAt, entry.compressedSize, out) ? MemberResult::Written
                                                                   : MemberResult::Unreadable;
    return InflateChecked(file, dataAt, entry, out) ? MemberResult::Written
                                                    : MemberResult::BadChecksum;
}

MemberOutcome ZipMemberWriter::Extract(const ZipFileReader& file, const ZipEntry& entry,
                                       const std::string& target) {
    MemberOutcome outcome;
    std::uint64_t dataAt = 0;
    outcome.result = Locate(file, entry, outcome.localName, dataAt);
    if (outcome.result != MemberResult::Written) return outcome;
    TempOutput out(target);
    outcome.result =
        Decode(file, entry, dataAt,
               [&out](const unsigned char* data, std::size_t count) { out.Write(data, count); });
    if (outcome.result == MemberResult::Written && !out.CommitAs(target))
        outcome.result = MemberResult::CannotReplace;
    return outcome;
}

MemberResult ZipMemberWriter::Read(const ZipFileReader& file, const ZipEntry& entry,
                                   std::string& bytes) {
    bytes.clear();
    std::string localName;
    std::uint64_t dataAt = 0;
    MemberResult result = Locate(file, entry, localName, dataAt);
    if (result != MemberResult::Written) return result;
    // A stored member is copied as its compressed size says: only the declared size is read.
    if (entry.method == kMethodStored && entry.compressedSize != entry.uncompressedSize)
        return MemberResult::BadChecksum;
    bytes.reserve(static_cast<std::size_t>(entry.uncompressedSize));
    result = Decode(file, entry, dataAt, [&bytes](const unsigned char* data, std::size_t count) {
        bytes.append(reinterpret_cast<const char*>(data), count);
    });
    if (result != MemberResult::Written) bytes.clear();
    return result;
}

}  // namespace arc
