#include "core/ReplacingFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <random>
#include <vector>

namespace arc {

mode_t ReplacementMode(const std::string& target) {
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode)) return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

ReplacingFile::ReplacingFile(std::string target, bool sync)
    : target_(std::move(target)), sync_(sync) {
    // The temporary file is created with 0666, less the umask as the system
    // applies it: the umask is never read, as reading it means setting it for
    // a moment, which would give a file another thread creates then the wrong
    // mode. A replaced file's own mode is set on the temporary file.
    struct stat info {};
    const bool replacing = ::stat(target_.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    // One generator per thread, seeded once: seeding is a system call, and a
    // site writes tens of thousands of files. O_EXCL settles any collision.
    thread_local std::minstd_rand random{std::random_device{}()};
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, ".%08x", static_cast<unsigned>(random()));
        temp_ = target_ + suffix;
        fd = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        temp_.clear();
        return;
    }
    if ((replacing && ::fchmod(fd, info.st_mode & 07777) != 0) || !(file_ = ::fdopen(fd, "wb"))) {
        const int error = errno;
        ::close(fd);
        ::unlink(temp_.c_str());
        temp_.clear();
        errno = error;
    }
}

ReplacingFile::~ReplacingFile() {
    if (file_) std::fclose(file_);
    if (!committed_ && !temp_.empty()) ::unlink(temp_.c_str());
}

bool ReplacingFile::Write(std::string_view bytes) {
    if (!file_ || failed_) return false;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) failed_ = true;
    return !failed_;
}

bool ReplacingFile::Close() {
    if (closed_) return !failed_;
    closed_ = true;
    if (!file_) return false;
    if (std::fflush(file_) != 0 || std::ferror(file_) || (sync_ && ::fsync(::fileno(file_)) != 0))
        failed_ = true;
    const int error = errno;
    if (std::fclose(file_) != 0)
        failed_ = true;
    else
        errno = error;
    file_ = nullptr;
    return !failed_;
}

bool ReplacingFile::Commit() {
    if (committed_) return true;
    if (!Close() || temp_.empty()) return false;
    if (std::rename(temp_.c_str(), target_.c_str()) != 0) return false;
    committed_ = true;
    return true;
}

bool ReplacingFile::CommitAs(const std::string& target) {
    if (committed_) return false;
    if (target != target_) {
        target_ = target;
        if (!closed_ && file_) {
            if (::fchmod(::fileno(file_), ReplacementMode(target_)) != 0) failed_ = true;
        } else if (!temp_.empty() && ::chmod(temp_.c_str(), ReplacementMode(target_)) != 0) {
            failed_ = true;
        }
    }
    return Commit();
}

bool CopyFileReplacing(const std::string& source, const std::string& target) {
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> in(std::fopen(source.c_str(), "rb"));
    if (!in) return false;
    ReplacingFile out(target);
    if (!out.IsOpen()) return false;
    std::vector<char> buffer(256 * 1024);
    std::size_t got;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), in.get())) > 0)
        if (!out.Write({buffer.data(), got})) return false;
    if (std::ferror(in.get())) return false;
    return out.Commit();
}

}  // namespace arc
