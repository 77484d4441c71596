#include "zip/ZipFileReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

namespace arc {
namespace {
constexpr std::size_t kChunk = 256 * 1024;
}

ZipFileReader::~ZipFileReader() {
    Close();
}

bool ZipFileReader::Open(std::string_view path) {
    Close();
    const std::string name(path);
    int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    size_ = static_cast<std::uint64_t>(info.st_size);
    return true;
}

void ZipFileReader::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    size_ = 0;
}

std::size_t ZipFileReader::ReadSomeAt(std::uint64_t offset, void* buffer, std::size_t count) const {
    if (fd_ < 0) return 0;
    auto* out = static_cast<unsigned char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        ssize_t got = ::pread(fd_, out + done, count - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

bool ZipFileReader::ReadAt(std::uint64_t offset, void* buffer, std::size_t count) const {
    if (offset > size_ || count > size_ - offset) return false;
    return ReadSomeAt(offset, buffer, count) == count;
}

ZipSequentialReader::ZipSequentialReader(const ZipFileReader& file, std::uint64_t position)
    : file_(file), position_(position) {}

bool ZipSequentialReader::Next(std::size_t count, const unsigned char*& out) {
    if (position_ > file_.Size() || count > file_.Size() - position_) return false;
    const bool inBuffer =
        position_ >= bufferStart_ && position_ + count <= bufferStart_ + bufferLength_;
    if (!inBuffer) {
        // No larger than what is left of the file: a small archive's
        // directory needs no large buffer.
        const std::size_t want = std::max(count, static_cast<std::size_t>(std::min<std::uint64_t>(
                                                     kChunk, file_.Size() - position_)));
        if (buffer_.size() < want) buffer_.resize(want);
        bufferStart_ = position_;
        bufferLength_ = file_.ReadSomeAt(position_, buffer_.data(), want);
        if (bufferLength_ < count) {
            bufferLength_ = 0;
            return false;
        }
    }
    out = buffer_.data() + (position_ - bufferStart_);
    position_ += count;
    return true;
}

}  // namespace arc
