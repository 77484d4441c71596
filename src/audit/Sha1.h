#pragma once
// SHA-1 of a byte stream, for the dumps' hashes the emulator's list gives.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace arc {

class Sha1 {
  public:
    Sha1();
    void Add(const void* data, std::size_t count);
    /// The digest as 40 lower-case hexadecimal digits; the object is spent.
    std::string HexDigest();

  private:
    void Block(const unsigned char* block);
    std::array<std::uint32_t, 5> state_;
    std::array<unsigned char, 64> buffer_{};
    std::size_t buffered_ = 0;
    std::uint64_t length_ = 0;
};

/// Lower-case hexadecimal digits of bytes.
std::string HexOf(const unsigned char* bytes, std::size_t count);

}  // namespace arc
