#include "core/ReplacingFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <optional>
#include <random>
#include <vector>

#include "core/SignalCleanup.h"

namespace arc {

namespace {

/// The permission bits of the regular file at `path`, if there is one.
std::optional<mode_t> RegularFileMode(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return info.st_mode & 07777;
}

constexpr std::size_t kBufferSize = 64 * 1024;

/// Puts the closed temporary file in the target's place. A new target keeps
/// the temporary file's mode (0666 less the umask, as the system applied it at
/// its creation); only a replaced file costs the look-up of its mode.
bool MoveIntoPlace(const std::string& temp, const std::string& target) {
    if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EEXIST && errno != EINVAL && errno != ENOSYS) return false;
    const auto mode = RegularFileMode(target);
    if (mode && ::chmod(temp.c_str(), *mode) != 0) return false;
    return std::rename(temp.c_str(), target.c_str()) == 0;
}

}  // namespace

mode_t ReplacementMode(const std::string& target) {
    if (const auto mode = RegularFileMode(target)) return *mode;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

ReplacingFile::ReplacingFile(std::string target, bool sync)
    : target_(std::move(target)), sync_(sync) {
    // The temporary file is created with 0666, less the umask as the system
    // applies it: the umask is never read, as reading it means setting it for
    // a moment, which would give a file another thread creates then the wrong
    // mode. One generator per thread, seeded once: seeding is a system call,
    // and a site writes tens of thousands of files. O_EXCL settles collisions.
    thread_local std::minstd_rand random{std::random_device{}()};
    // A signal between the creation and the registration would leave the file.
    const SignalsHeld held;
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, ".%08x", static_cast<unsigned>(random()));
        temp_ = target_ + suffix;
        fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0)
        temp_.clear();
    else
        signalSlot_ = RegisterForSignalCleanup(temp_);
}

ReplacingFile::~ReplacingFile() {
    if (file_)
        std::fclose(file_);
    else if (fd_ >= 0)
        ::close(fd_);
    if (!committed_ && !temp_.empty()) ::unlink(temp_.c_str());
    ReleaseSignalCleanup(signalSlot_);
}

void ReplacingFile::KeepCurrentMode() {
    const auto mode = fd_ < 0 ? std::nullopt : RegularFileMode(target_);
    if (!mode) return;
    if (::fchmod(fd_, *mode) != 0) failed_ = true;
    keptMode_ = true;
}

std::FILE* ReplacingFile::stream() {
    if (!file_ && fd_ >= 0 && !closed_ && Flush()) file_ = ::fdopen(fd_, "wb");
    return file_;
}

bool ReplacingFile::WriteOut(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t wrote = ::write(fd_, bytes.data(), bytes.size());
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(wrote));
    }
    return true;
}

bool ReplacingFile::Flush() {
    if (failed_) return false;
    if (file_ && (std::fflush(file_) != 0 || std::ferror(file_))) failed_ = true;
    if (!failed_ && !buffer_.empty() && !WriteOut(buffer_)) failed_ = true;
    buffer_.clear();
    return !failed_;
}

bool ReplacingFile::Write(std::string_view bytes) {
    if (fd_ < 0 || closed_ || failed_) return false;
    if (file_) {
        if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) failed_ = true;
        return !failed_;
    }
    if (buffer_.size() + bytes.size() <= kBufferSize) {
        buffer_.append(bytes);
        return true;
    }
    if (!Flush()) return false;
    if (bytes.size() < kBufferSize) {
        buffer_.append(bytes);
        return true;
    }
    if (!WriteOut(bytes)) failed_ = true;
    return !failed_;
}

bool ReplacingFile::Close() {
    if (closed_) return !failed_;
    closed_ = true;
    if (fd_ < 0) return false;
    Flush();
    if (!failed_ && sync_ && ::fsync(fd_) != 0) failed_ = true;
    const int error = errno;
    const int closed = file_ ? std::fclose(file_) : ::close(fd_);
    file_ = nullptr;
    fd_ = -1;
    if (closed != 0)
        failed_ = true;
    else
        errno = error;
    return !failed_;
}

bool ReplacingFile::Commit() {
    if (committed_) return true;
    if (!Close() || temp_.empty()) return false;
    if (keptMode_ ? std::rename(temp_.c_str(), target_.c_str()) != 0
                  : !MoveIntoPlace(temp_, target_))
        return false;
    committed_ = true;
    ReleaseSignalCleanup(signalSlot_);
    signalSlot_ = -1;
    return true;
}

bool ReplacingFile::CommitAs(const std::string& target) {
    if (committed_) return false;
    if (target != target_) keptMode_ = false;
    target_ = target;
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
