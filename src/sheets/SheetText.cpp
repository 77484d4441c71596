#include "sheets/SheetText.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "core/ErrorGuard.h"
#include "core/TextFile.h"

namespace arc {

void ReplaceAll(std::string& text, std::string_view marker, std::string_view value) {
    if (marker.empty()) return;
    std::size_t pos = text.find(marker);
    if (pos == std::string::npos) return;
    std::string out;
    out.reserve(text.size() + value.size());
    std::size_t from = 0;
    while (pos != std::string::npos) {
        out.append(text, from, pos - from);
        out += value;
        from = pos + marker.size();
        pos = text.find(marker, from);
    }
    out.append(text, from, std::string::npos);
    text = std::move(out);
}

std::string WithHtmlBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    std::size_t from = 0;
    for (std::size_t pos = text.find("\r\n"); pos != std::string_view::npos;
         pos = text.find("\r\n", from)) {
        out.append(text.substr(from, pos - from));
        out += "<br>\r\n";
        from = pos + 2;
    }
    out.append(text.substr(from));
    return out;
}

namespace {

void AppendPercent(std::string& out, unsigned char c) {
    constexpr char kHex[] = "0123456789ABCDEF";
    out += '%';
    out += kHex[c >> 4];
    out += kHex[c & 15];
}

bool IsPlainNameByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '.' || c == '-';
}

}  // namespace

std::string AttributeUrl(std::string_view path) {
    std::string out;
    out.reserve(path.size());
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '%':
            case '#':
            case '?':
                AppendPercent(out, byte);
                break;
            default:
                if (byte < 0x20 || byte == 0x7F)
                    AppendPercent(out, byte);
                else
                    out += c;
        }
    }
    return out;
}

std::string HrefTo(std::string_view target) {
    const bool plain =
        !target.empty() && std::all_of(target.begin(), target.end(), IsPlainNameByte);
    if (plain) return "href=" + std::string(target);
    return "href=\"" + AttributeUrl(target) + "\"";
}

std::string ImageUrl(std::string_view url) {
    std::string out;
    out.reserve(url.size());
    for (const char c : url) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 || IsPlainNameByte(c) || c == '/' || c == ':' || c == '~' || c == '(' ||
            c == ')' || c == ',' || c == '+' || c == '!' || c == '$' || c == ';' || c == '@')
            out += c;
        else
            AppendPercent(out, byte);
    }
    return out;
}

std::string ToSlashPath(std::string_view path) {
    std::string out(path);
    for (char& c : out) {
        if (c == '\\') c = '/';
    }
    return out;
}

std::string ToFileUrl(std::string_view path) {
    std::string slashed = ToSlashPath(path);
    std::string_view rest = slashed;
    if (!rest.empty() && rest.front() == '/') rest.remove_prefix(1);
    return "file:///" + std::string(rest);
}

void WritePage(const std::string& path, std::string_view bytes) {
    // Pages are made again by the next run: no flush to the disk per page.
    if (WriteFileAtomically(path, bytes, false)) return;
    const std::error_code error(errno, std::generic_category());
    throw AppError(ErrorNumberFor(error), "Cannot write " + path + ": " + error.message());
}

namespace {
constexpr std::size_t kQueuedPages = 64;
}  // namespace

PageWriter::PageWriter(bool distinctPaths)
    : distinctPaths_(distinctPaths), thread_([this] { Drain(); }) {}

PageWriter::~PageWriter() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void PageWriter::Write(std::string path, std::string bytes) {
    std::unique_lock lock(mutex_);
    if (failure_) {
        lock.unlock();
        RethrowFailure();
    }
    if (distinctPaths_ && queue_.size() >= kQueuedPages && !failed_) {
        // The writer is behind: this thread writes the page itself rather than wait.
        lock.unlock();
        try {
            WritePage(path, bytes);
        } catch (...) {
            std::lock_guard relock(mutex_);
            failed_ = true;  // the writer drops what is still queued
            throw;
        }
        return;
    }
    changed_.wait(lock, [&] { return queue_.size() < kQueuedPages || failure_; });
    if (failure_) {
        lock.unlock();
        RethrowFailure();
    }
    const bool wasEmpty = queue_.empty();
    queue_.emplace_back(std::move(path), std::move(bytes));
    lock.unlock();
    if (wasEmpty) changed_.notify_all();
}

void PageWriter::Finish() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return (queue_.empty() && !writing_) || failure_; });
    lock.unlock();
    RethrowFailure();
}

void PageWriter::RethrowFailure() {
    std::exception_ptr failure;
    {
        std::lock_guard lock(mutex_);
        std::swap(failure, failure_);
    }
    if (failure) std::rethrow_exception(failure);
}

void PageWriter::Drain() {
    // Takes the queue as a batch: one wake-up per batch, not two per page.
    std::deque<std::pair<std::string, std::string>> batch;
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] { return !queue_.empty() || stopping_; });
        if (queue_.empty()) return;
        batch.swap(queue_);
        writing_ = true;
        lock.unlock();
        changed_.notify_all();
        std::exception_ptr failure;
        for (const auto& [path, bytes] : batch) {
            if (failed_ || failure) break;
            try {
                WritePage(path, bytes);
            } catch (...) {
                failure = std::current_exception();
            }
        }
        batch.clear();
        lock.lock();
        writing_ = false;
        if (failure) {
            failed_ = true;
            failure_ = failure;
        }
        changed_.notify_all();
    }
}

}  // namespace arc
