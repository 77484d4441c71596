#include "audit/SetFiles.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <system_error>

#include "audit/Sha1.h"
#include "core/Files.h"
#include "zip/ZipDirectory.h"
#include "zip/ZipFileReader.h"
#include "zip/ZipFormat.h"

namespace arc {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kChunk = 256 * 1024;

using Stop = std::function<bool()>;

bool Stopped(const Stop& stop) {
    return stop && stop();
}

constexpr std::string_view kStopped = "not read to its end (cancelled)";

/// CRC-32 and, when asked, SHA-1 of a stream of bytes.
class Hasher {
  public:
    explicit Hasher(bool sha1) : sha1_(sha1) {}
    void Add(const unsigned char* data, std::size_t count) {
        size_ += count;
        for (std::size_t done = 0; done < count;) {
            const auto part = static_cast<uInt>(std::min<std::size_t>(count - done, 1u << 30));
            crc_ = crc32(crc_, data + done, part);
            done += part;
        }
        if (sha1_) hash_.Add(data, count);
    }
    std::uint64_t Size() const { return size_; }
    void Into(SetMember& member) {
        member.size = size_;
        member.crc = static_cast<std::uint32_t>(crc_);
        if (sha1_) member.sha1 = hash_.HexDigest();
    }

  private:
    bool sha1_;
    uLong crc_ = crc32(0L, Z_NULL, 0);
    std::uint64_t size_ = 0;
    Sha1 hash_;
};

/// Reads a ZIP member's data through `hasher`: stored bytes as they are,
/// deflated ones inflated. False when the data cannot be read or inflated.
/// A chunk at a time, until `stop` says so.
bool HashZipMember(const ZipFileReader& file, const ZipEntry& entry, Hasher& hasher,
                   std::vector<unsigned char>& input, std::vector<unsigned char>& output,
                   const Stop& stop) {
    using namespace zipfmt;
    unsigned char header[kLocalHeaderSize];
    if (!file.ReadAt(entry.localHeaderOffset, header, sizeof header) ||
        Get32(header) != kLocalHeaderSig)
        return false;
    std::uint64_t offset =
        entry.localHeaderOffset + kLocalHeaderSize + Get16(header + 26) + Get16(header + 28);
    if (offset > file.Size() || entry.compressedSize > file.Size() - offset) return false;
    std::uint64_t inputLeft = entry.compressedSize;
    if (entry.method == kMethodStored) {
        while (inputLeft > 0) {
            if (Stopped(stop)) return false;
            const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(inputLeft, kChunk));
            if (!file.ReadAt(offset, input.data(), count)) return false;
            hasher.Add(input.data(), count);
            offset += count;
            inputLeft -= count;
        }
        return true;
    }
    if (entry.method != kMethodDeflate) return false;
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return false;
    std::unique_ptr<z_stream, int (*)(z_stream*)> end(&z, inflateEnd);
    for (;;) {
        if (Stopped(stop)) return false;
        if (z.avail_in == 0 && inputLeft > 0) {
            const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(inputLeft, kChunk));
            if (!file.ReadAt(offset, input.data(), count)) return false;
            offset += count;
            inputLeft -= count;
            z.next_in = input.data();
            z.avail_in = static_cast<uInt>(count);
        }
        z.next_out = output.data();
        z.avail_out = static_cast<uInt>(output.size());
        const int status = inflate(&z, Z_NO_FLUSH);
        hasher.Add(output.data(), output.size() - z.avail_out);
        if (hasher.Size() > entry.uncompressedSize) return false;  // more than it declares
        if (status == Z_STREAM_END) return true;
        if (status != Z_OK && !(status == Z_BUF_ERROR && (z.avail_in > 0 || inputLeft > 0)))
            return false;
    }
}

std::string ReadZip(const std::string& path, bool readContents, std::vector<SetMember>& members,
                    const Stop& stop) {
    ZipFileReader file;
    if (!file.Open(path)) return "cannot be opened";
    const std::optional<std::uint64_t> at = FindEndRecord(file);
    ZipEndRecord end;
    if (!at || !ReadEndRecord(file, *at, end)) return "not a ZIP archive (no end record)";
    std::vector<ZipEntry> entries;
    if (end.Spanned() || !ReadCentralDirectory(file, end, entries, [] {}))
        return "damaged ZIP archive (central directory)";
    std::vector<unsigned char> input, output;
    if (readContents) {
        input.resize(kChunk);
        output.resize(kChunk);
    }
    for (const ZipEntry& entry : entries) {
        if (entry.name.ends_with('/')) continue;
        SetMember& member = members.emplace_back();
        member.name = entry.name;
        member.size = entry.uncompressedSize;
        member.crc = entry.crc32;
        if (!readContents) continue;
        SetMember read;
        Hasher hasher(true);
        const bool sound = HashZipMember(file, entry, hasher, input, output, stop);
        if (Stopped(stop)) return std::string(kStopped);
        hasher.Into(read);
        member.sha1 = read.sha1;
        member.damaged = !sound || read.size != entry.uncompressedSize || read.crc != entry.crc32;
    }
    return {};
}

struct ArchiveFree {
    void operator()(archive* reader) const { archive_read_free(reader); }
};

std::string Read7z(const std::string& path, bool sha1, std::vector<SetMember>& members,
                   const Stop& stop) {
    std::unique_ptr<archive, ArchiveFree> reader(archive_read_new());
    if (!reader) return "out of memory";
    archive_read_support_format_7zip(reader.get());
    auto failure = [&] {
        const char* message = archive_error_string(reader.get());
        return "unreadable 7z archive (" + std::string(message ? message : "unknown error") + ")";
    };
    if (archive_read_open_filename(reader.get(), path.c_str(), kChunk) != ARCHIVE_OK)
        return failure();
    std::vector<unsigned char> buffer(kChunk);
    for (;;) {
        archive_entry* entry = nullptr;
        const int status = archive_read_next_header(reader.get(), &entry);
        if (status == ARCHIVE_EOF) return {};
        if (status != ARCHIVE_OK && status != ARCHIVE_WARN) return failure();
        if (archive_entry_filetype(entry) != AE_IFREG) continue;
        const char* utf8 = archive_entry_pathname_utf8(entry);
        const char* raw = archive_entry_pathname(entry);
        SetMember member;
        member.name = utf8 ? utf8 : raw ? raw : "";
        Hasher hasher(sha1);
        for (;;) {
            if (Stopped(stop)) return std::string(kStopped);
            const la_ssize_t got = archive_read_data(reader.get(), buffer.data(), buffer.size());
            if (got < 0) return failure();
            if (got == 0) break;
            hasher.Add(buffer.data(), static_cast<std::size_t>(got));
        }
        hasher.Into(member);
        members.push_back(std::move(member));
    }
}

/// Hashes a plain file; false when it cannot be read.
bool HashFile(const fs::path& path, bool sha1, SetMember& member, std::vector<unsigned char>& buf,
              const Stop& stop) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    Hasher hasher(sha1);
    ssize_t got = 0;
    while (!Stopped(stop) && (got = ::read(fd, buf.data(), buf.size())) > 0)
        hasher.Add(buf.data(), static_cast<std::size_t>(got));
    ::close(fd);
    hasher.Into(member);
    return got == 0;
}

/// The files of a set's folder and its sub-folders, disk images left out.
std::string ReadFolder(const std::string& folder, bool sha1, std::vector<SetMember>& members,
                       const Stop& stop) {
    std::error_code ec;
    fs::recursive_directory_iterator it(folder, ec);
    if (ec) return "unreadable folder (" + ec.message() + ")";
    std::vector<unsigned char> buffer(kChunk);
    for (; it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (ec) return "unreadable folder (" + ec.message() + ")";
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        const std::string name = it->path().lexically_relative(folder).generic_string();
        if (ToLowerAscii(name).ends_with(".chd")) continue;
        SetMember member;
        member.name = name;
        const bool read = HashFile(it->path(), sha1, member, buffer, stop);
        if (Stopped(stop)) return std::string(kStopped);
        if (!read) return name + " cannot be read";
        members.push_back(std::move(member));
    }
    return ec ? "unreadable folder (" + ec.message() + ")" : std::string();
}

std::uint32_t Big32(const unsigned char* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           std::uint32_t{p[3]};
}

}  // namespace

RomFolder::RomFolder(std::string_view folder)
    : folder_(WithTrailingSlash(folder)), archives_(folder) {
    if (folder_.empty()) return;
    for (std::string& name : ListFolder(folder_, "*", EntryKind::Folders))
        if (name != "." && name != "..") folders_.emplace(ToLowerAscii(name), std::move(name));
}

bool RomFolder::Owns(std::string_view set) const {
    return folders_.contains(ToLowerAscii(set)) || !archives_.Archives(set).empty();
}

std::string RomFolder::FolderOf(std::string_view set) const {
    const auto found = folders_.find(ToLowerAscii(set));
    return found == folders_.end() ? std::string() : folder_ + found->second + "/";
}

SetFiles RomFolder::Read(std::string_view set, bool readContents, const Stop& stop) const {
    SetFiles files;
    files.folder = FolderOf(set);
    files.owned = !files.folder.empty();
    for (const std::string& path : archives_.Archives(set)) {
        files.owned = true;
        const bool zip = ToLowerAscii(path).ends_with(".zip");
        std::string error = zip ? ReadZip(path, readContents, files.members, stop)
                                : Read7z(path, readContents, files.members, stop);
        if (!error.empty() && files.error.empty()) files.error = BaseName(path) + ": " + error;
    }
    if (!files.folder.empty()) {
        std::string error = ReadFolder(files.folder, readContents, files.members, stop);
        if (!error.empty() && files.error.empty()) files.error = std::string(set) + "/: " + error;
    }
    return files;
}

std::optional<std::string> ChdSha1(const std::string& path, std::string& error) {
    // Big-endian header: tag "MComprHD", length, version; the SHA-1 of the
    // whole disk (data and metadata) sits at 80 (v3), 48 (v4), 84 (v5).
    unsigned char header[124];
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = "cannot be opened";
        return std::nullopt;
    }
    const ssize_t got = ::pread(fd, header, sizeof header, 0);
    ::close(fd);
    if (got < 16 || std::string_view(reinterpret_cast<const char*>(header), 8) != "MComprHD") {
        error = "not a CHD file";
        return std::nullopt;
    }
    const std::uint32_t length = Big32(header + 8);
    const std::uint32_t version = Big32(header + 12);
    struct Layout {
        std::uint32_t version, length, sha1At;
    };
    static constexpr Layout kLayouts[] = {{3, 120, 80}, {4, 108, 48}, {5, 124, 84}};
    for (const Layout& layout : kLayouts) {
        if (layout.version != version) continue;
        if (length < layout.length || got < static_cast<ssize_t>(layout.length)) {
            error = "short CHD header";
            return std::nullopt;
        }
        return HexOf(header + layout.sha1At, 20);
    }
    error = "CHD version " + std::to_string(version) + " has no SHA-1";
    return std::nullopt;
}

}  // namespace arc
