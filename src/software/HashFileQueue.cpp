#include "software/HashFileQueue.h"

#include <libxml/parser.h>

#include <chrono>

namespace arc {
namespace {

/// Files read beyond the one being handed on: what waits is held in memory.
constexpr std::size_t kFilesAhead = 3;

}  // namespace

HashFileQueue::HashFileQueue(std::vector<std::string> files, int threads)
    : files_(std::move(files)), slots_(files_.size()) {
    xmlInitParser();  // once, before parsers run side by side
    for (int i = 0; i < threads; ++i)
        threads_.emplace_back([this] { Read(); });
}

HashFileQueue::~HashFileQueue() {
    Cancel();
    for (std::thread& thread : threads_)
        thread.join();
}

void HashFileQueue::Cancel() {
    {
        std::lock_guard lock(mutex_);
        cancelled_ = true;
    }
    changed_.notify_all();
}

void HashFileQueue::Read() {
    for (;;) {
        std::size_t index = 0;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] {
                return cancelled_ || claimed_ >= files_.size() || claimed_ < handed_ + kFilesAhead;
            });
            if (cancelled_ || claimed_ >= files_.size()) return;
            index = claimed_++;
        }
        Slot& slot = slots_[index];
        SoftwareOps ops([&](SoftwareOps::Batch&& batch) {
            {
                std::lock_guard lock(mutex_);
                slot.batches.push_back(std::move(batch));
            }
            changed_.notify_all();
        });
        HashFileResult result;
        std::exception_ptr failure;
        std::uint64_t told = 0;
        try {
            result = ReadHashFile(files_[index], ops, [&](std::uint64_t bytes) {
                bytes_ += bytes - told;
                told = bytes;
                return !cancelled_;
            });
        } catch (...) {
            failure = std::current_exception();
        }
        {
            std::lock_guard lock(mutex_);
            slot.result = std::move(result);
            slot.failure = failure;
            slot.done = true;
        }
        changed_.notify_all();
    }
}

std::optional<HashFileRead> HashFileQueue::Next(
    const std::function<void(SoftwareOps::Batch&&)>& ship,
    const std::function<bool(std::uint64_t)>& going) {
    if (handed_ >= files_.size() || cancelled_) return std::nullopt;
    if (!going(bytes_)) {
        Cancel();
        return std::nullopt;
    }
    Slot& slot = slots_[handed_];
    for (bool done = false; !done;) {
        std::deque<SoftwareOps::Batch> batches;
        {
            std::unique_lock lock(mutex_);
            changed_.wait_for(lock, std::chrono::milliseconds(100),
                              [&] { return !slot.batches.empty() || slot.done; });
            // Cancelled before any reading took the file: nothing of it to hand on.
            if (cancelled_ && claimed_ <= handed_) return std::nullopt;
            batches.swap(slot.batches);
            done = slot.done;
        }
        for (SoftwareOps::Batch& batch : batches)
            ship(std::move(batch));
        // A cancel lets the reading stop and hand on its rollback.
        if (!done && !cancelled_ && !going(bytes_)) Cancel();
    }
    if (slot.failure) std::rethrow_exception(slot.failure);
    HashFileRead read{files_[handed_], std::move(slot.result)};
    {
        std::lock_guard lock(mutex_);
        ++handed_;
    }
    changed_.notify_all();
    return read;
}

}  // namespace arc
