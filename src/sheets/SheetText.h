#pragma once
// Text operations of the page builders: marker replacement, line breaks,
// image paths.

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>

namespace arc {

/// Replaces every occurrence of `marker` (case-sensitive) by `value`.
void ReplaceAll(std::string& text, std::string_view marker, std::string_view value);

/// Each CR LF becomes "<br>" + CR LF (the long texts of the game page).
std::string WithHtmlBreaks(std::string_view text);

/// A path for a quoted attribute: "&", "\"", "<" and ">" as entities, and
/// "%", "#", "?" and control characters percent-encoded, as they would cut
/// the path short.
std::string AttributeUrl(std::string_view path);

/// "href=" and the target: as it is when it holds only letters, digits, "_",
/// "." and "-", else quoted through AttributeUrl.
std::string HrefTo(std::string_view target);

/// A picture's address for a template attribute, quoted or not: every byte
/// that could end an unquoted attribute or the path is percent-encoded.
std::string ImageUrl(std::string_view url);

/// Every "\" becomes "/".
std::string ToSlashPath(std::string_view path);

/// "file:///" followed by the slashed path (an absolute Unix path keeps a
/// single leading slash after the scheme's three).
std::string ToFileUrl(std::string_view path);

/// Writes a page whole through a temporary file renamed over `path` (a page
/// in the way is replaced, never written through). Throws AppError when the
/// page cannot be written; nothing is then left under its name.
void WritePage(const std::string& path, std::string_view bytes);

/// Writes pages with WritePage on a thread of its own while the caller makes
/// the next ones: the file system's work and the page making overlap. Pages
/// are written in the order given; at most a bounded number wait. After a
/// failure the pages still queued are not written.
///
/// Pages that all go to distinct paths need no order: then, when the queue is
/// full, the caller writes its page itself instead of waiting, and both
/// threads write.
class PageWriter {
  public:
    explicit PageWriter(bool distinctPaths = false);
    /// Writes what is still queued.
    ~PageWriter();
    PageWriter(const PageWriter&) = delete;
    PageWriter& operator=(const PageWriter&) = delete;

    /// Queues a page (with distinct paths: writes it at once when the queue is
    /// full). Throws the failure of this page or of an earlier one.
    void Write(std::string path, std::string bytes);
    /// Waits until every queued page is written; throws the first failure.
    void Finish();

  private:
    void Drain();
    void RethrowFailure();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::pair<std::string, std::string>> queue_;
    bool writing_ = false;
    bool stopping_ = false;
    bool failed_ = false;  ///< a page failed: the rest are dropped
    bool distinctPaths_;
    std::exception_ptr failure_;
    std::thread thread_;
};

}  // namespace arc
