#pragma once
// Streams files into a deflated ZIP archive, switching to Zip64 records
// where sizes, offsets or the member count need them. Memory stays bounded:
// one buffer per direction and one small record per member.

#include <sys/types.h>

#include <zlib.h>
#include <cstdint>
#include <string>
#include <vector>

namespace myzip {

class ZipWriter {
  public:
    ZipWriter();
    ~ZipWriter();
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    /// Creates the archive file; false with a message in error().
    bool Create(const std::string& path);
    /// Adds a file under `name` ("/" between folders). False on a read or write error.
    bool AddFile(const std::string& sourcePath, const std::string& name);
    /// Adds a folder entry "name/" (an empty folder makes the round trip only so).
    bool AddFolder(const std::string& sourcePath, const std::string& name);
    /// Writes the central directory and the end records, closes the file.
    bool Finish();

    const std::string& error() const { return error_; }

  private:
    struct Member {
        std::string name;
        std::uint64_t offset = 0;
        std::uint64_t compressedSize = 0;
        std::uint64_t uncompressedSize = 0;
        std::uint32_t crc = 0;
        std::uint16_t method = 0;
        std::uint16_t flags = 0;
        std::uint16_t time = 0;
        std::uint16_t date = 0;
        std::uint32_t mode = 0;
        bool folder = false;
    };

    /// Writes the local header of a member whose sizes are patched in later.
    bool WriteLocalHeader(const Member& member, bool zip64Local);

    bool Write(const void* data, std::size_t count);
    bool Write(const std::string& bytes) { return Write(bytes.data(), bytes.size()); }
    bool Flush();
    /// Rewrites bytes already written at `offset`.
    bool Patch(std::uint64_t offset, const std::string& bytes);
    bool Fail(const std::string& message);

    int fd_ = -1;
    std::string path_;
    std::uint64_t position_ = 0;  ///< bytes written so far (flushed + buffered)
    std::vector<unsigned char> out_;
    std::size_t outLength_ = 0;
    std::vector<unsigned char> input_;
    std::vector<unsigned char> deflated_;
    z_stream stream_{};
    bool streamReady_ = false;
    std::vector<Member> members_;
    std::string error_;
};

}  // namespace myzip
