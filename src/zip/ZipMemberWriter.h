#pragma once
// Writes one member of an archive to a file: stored bytes copied, deflated
// bytes inflated as a stream, both through a temporary file beside the
// target that replaces the target only when the member is sound. Reads one
// into memory the same way.

#include <zlib.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "zip/ZipDirectory.h"
#include "zip/ZipFileReader.h"

namespace arc {

enum class MemberResult {
    Written,
    Unsupported,    ///< a compression method other than stored and deflate
    BadChecksum,    ///< inflate failed, or size or CRC-32 differ from the directory
    Unreadable,     ///< no local header where the directory says, or data past the end
    CannotReplace,  ///< the finished file could not take the target's name
};

struct MemberOutcome {
    MemberResult result = MemberResult::Written;
    std::string localName;  ///< the name as the local header stores it
};

/// Extracts members one after the other with the same buffers and inflate
/// state (allocating them per member costs more than inflating small ones).
class ZipMemberWriter {
  public:
    ZipMemberWriter();
    ~ZipMemberWriter();
    ZipMemberWriter(const ZipMemberWriter&) = delete;
    ZipMemberWriter& operator=(const ZipMemberWriter&) = delete;

    /// Extracts `entry` to `target`. Sizes and CRC-32 come from the central
    /// directory (the local header may hold zeros when a data descriptor
    /// follows the data). Never writes more than the declared size. System
    /// errors while writing (disk full, no permission) are thrown, the
    /// temporary file removed.
    MemberOutcome Extract(const ZipFileReader& file, const ZipEntry& entry,
                          const std::string& target);

    /// Reads `entry` into `bytes` with the same checks (the caller bounds the
    /// declared size: this many bytes are reserved).
    MemberResult Read(const ZipFileReader& file, const ZipEntry& entry, std::string& bytes);

  private:
    /// Where the bytes of a member go.
    using Sink = std::function<void(const unsigned char* data, std::size_t count)>;

    /// Checks the local header and the method; the offset of the member's data.
    MemberResult Locate(const ZipFileReader& file, const ZipEntry& entry, std::string& localName,
                        std::uint64_t& dataAt) const;
    /// Copies or inflates the member's data into the sink: Written, Unreadable
    /// or BadChecksum.
    MemberResult Decode(const ZipFileReader& file, const ZipEntry& entry, std::uint64_t dataAt,
                        const Sink& out);
    bool CopyStored(const ZipFileReader& file, std::uint64_t offset, std::uint64_t size,
                    const Sink& out);
    bool InflateChecked(const ZipFileReader& file, std::uint64_t offset, const ZipEntry& entry,
                        const Sink& out);

    std::vector<unsigned char> input_;
    std::vector<unsigned char> output_;
    z_stream stream_{};
    bool streamReady_ = false;
};

}  // namespace arc
