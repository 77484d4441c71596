#pragma once
// Random-access reading of an archive file, and a buffered sequential reader
// over a region of it (the central directory is read in large chunks).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace arc {

class ZipFileReader {
  public:
    ZipFileReader() = default;
    ~ZipFileReader();
    ZipFileReader(const ZipFileReader&) = delete;
    ZipFileReader& operator=(const ZipFileReader&) = delete;

    /// Opens a regular file for reading; false when it cannot be opened.
    bool Open(std::string_view path);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }
    std::uint64_t Size() const { return size_; }

    /// Reads exactly `count` bytes at `offset`; false on a short read or error.
    bool ReadAt(std::uint64_t offset, void* buffer, std::size_t count) const;
    /// Reads up to `count` bytes at `offset`; the number read (0 on error).
    std::size_t ReadSomeAt(std::uint64_t offset, void* buffer, std::size_t count) const;

  private:
    int fd_ = -1;
    std::uint64_t size_ = 0;
};

/// Reads forward from a position through a large buffer.
class ZipSequentialReader {
  public:
    ZipSequentialReader(const ZipFileReader& file, std::uint64_t position);

    /// Points `out` at the next `count` bytes (valid until the next call);
    /// false when the file ends first.
    bool Next(std::size_t count, const unsigned char*& out);
    std::uint64_t Position() const { return position_; }

  private:
    const ZipFileReader& file_;
    std::uint64_t position_;
    std::vector<unsigned char> buffer_;
    std::uint64_t bufferStart_ = 0;
    std::size_t bufferLength_ = 0;
};

}  // namespace arc
