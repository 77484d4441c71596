#pragma once
// Writing a file safely: the bytes go to a temporary file beside the target,
// which is renamed over the target only when everything was written. The
// result keeps the mode of the file it replaces; a new file gets the usual
// mode of new files (0666 less the umask), not the private mode of a
// temporary file.

#include <sys/types.h>

#include <cstdio>
#include <string>
#include <string_view>

namespace arc {

/// The mode a file written to `target` should get: the existing file's
/// permission bits, else 0666 less the process's umask.
mode_t ReplacementMode(const std::string& target);

class ReplacingFile {
  public:
    /// Creates the temporary file beside `target`; see IsOpen(). `sync` flushes
    /// the data to the disk before the rename; files that are cheap to make
    /// again (generated pages) may skip it.
    explicit ReplacingFile(std::string target, bool sync = true);
    /// Removes the temporary file unless it was committed.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    /// A buffered stream of the temporary file (for writers that take a FILE*);
    /// null when it cannot be made. Write() may be mixed with it.
    std::FILE* stream();
    const std::string& target() const { return target_; }

    /// Keeps the mode of the file the target names now for the result, for a
    /// caller that moves that file away before Commit().
    void KeepCurrentMode();

    /// Appends bytes; a failure is remembered and makes Commit() fail.
    bool Write(std::string_view bytes);
    /// Flushes, syncs and closes the temporary file; false when any byte may
    /// be missing. Called by Commit() when not called before.
    bool Close();
    /// Renames the complete temporary file over the target, giving it the
    /// replaced file's mode. False (target untouched, temporary file removed,
    /// errno set) on any failure.
    bool Commit();
    /// Commit() to another name (beside the first), with that file's mode.
    bool CommitAs(const std::string& target);

  private:
    bool Flush();
    bool WriteOut(std::string_view bytes);

    std::string target_;
    std::string temp_;
    int fd_ = -1;
    std::FILE* file_ = nullptr;
    std::string buffer_;
    bool failed_ = false;
    bool closed_ = false;
    bool committed_ = false;
    bool sync_ = true;
    bool keptMode_ = false;
    int signalSlot_ = -1;  ///< the temporary file's place in the signal cleanup
};

/// Copies `source` over `target` through a ReplacingFile. False on failure.
bool CopyFileReplacing(const std::string& source, const std::string& target);

}  // namespace arc
