#include "software/SoftwareWriterThread.h"

namespace arc {
namespace {

constexpr std::size_t kQueuedChunks = 8;

}  // namespace

SoftwareWriterThread::SoftwareWriterThread() : thread_([this] { Work(); }) {}

SoftwareWriterThread::~SoftwareWriterThread() {
    {
        std::lock_guard lock(mutex_);
        closing_ = true;
        queue_.clear();
    }
    changed_.notify_all();
    thread_.join();
    try {
        writer_.AbandonList();
    } catch (...) {
        // The connection may be gone; nothing is left to undo then.
    }
}

void SoftwareWriterThread::Work() {
    for (;;) {
        SoftwareRowChunk chunk;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return closing_ || !queue_.empty(); });
            if (queue_.empty()) return;
            chunk = std::move(queue_.front());
            queue_.pop_front();
            busy_ = true;
        }
        changed_.notify_all();
        std::exception_ptr failure;
        std::optional<int> items;
        try {
            if (!failure_) items = writer_.Write(chunk);
        } catch (...) {
            failure = std::current_exception();
        }
        {
            std::lock_guard lock(mutex_);
            busy_ = false;
            if (failure) failure_ = failure;
            if (items) {
                ++saved_.lists;
                saved_.items += *items;
            }
        }
        changed_.notify_all();
    }
}

void SoftwareWriterThread::Ship(SoftwareRowChunk&& chunk) {
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return failure_ || queue_.size() < kQueuedChunks; });
        if (failure_) std::rethrow_exception(failure_);
        queue_.push_back(std::move(chunk));
    }
    changed_.notify_all();
}

SoftwareWriterThread::Saved SoftwareWriterThread::Sync() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return failure_ || (queue_.empty() && !busy_); });
    if (failure_) std::rethrow_exception(failure_);
    return saved_;
}

}  // namespace arc
