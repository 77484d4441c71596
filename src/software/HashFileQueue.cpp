#include "software/HashFileQueue.h"

#include <libxml/parser.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

namespace arc {
namespace {

/// How far the readings may run ahead of the file being handed on, in bytes
/// of the files: what waits is held in memory. A big file is thus begun well
/// before the writer needs it.
constexpr std::uint64_t kBytesAhead = 16u << 20;
/// The chunks of one file that may wait to be handed on: a writer slower
/// than the reading (an update's) holds it back.
constexpr std::size_t kChunksWaiting = 16;
/// The niceness of the reading threads, above the writer's.
constexpr int kReadingNice = 10;

}  // namespace

HashFileQueue::HashFileQueue(std::vector<std::string> files, int threads)
    : files_(std::move(files)), slots_(files_.size()), ends_(files_.size()) {
    std::uint64_t end = 0;
    for (std::size_t i = 0; i < files_.size(); ++i) {
        std::error_code ec;
        const std::uintmax_t size = std::filesystem::file_size(files_[i], ec);
        end += ec ? 0 : size;
        ends_[i] = end;
    }
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
    // The writer is what the import waits for: the readings yield to it.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kReadingNice);
    for (;;) {
        std::size_t index = 0;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] {
                return cancelled_ || claimed_ >= files_.size() || claimed_ <= handed_ ||
                       ends_[claimed_ - 1] - (handed_ ? ends_[handed_ - 1] : 0) < kBytesAhead;
            });
            if (cancelled_ || claimed_ >= files_.size()) return;
            index = claimed_++;
        }
        Slot& slot = slots_[index];
        // A reading ahead of the writer waits once its file's chunks pile up.
        auto hand = [&](SoftwareRowChunk&& chunk) {
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock,
                              [&] { return cancelled_ || slot.chunks.size() < kChunksWaiting; });
                slot.chunks.push_back(std::move(chunk));
            }
            changed_.notify_all();
        };
        HashFileResult result;
        std::exception_ptr failure;
        std::uint64_t told = 0;
        try {
            result = ReadHashFile(files_[index], hand, [&](std::uint64_t bytes) {
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

std::optional<HashFileRead> HashFileQueue::Next(const std::function<void(SoftwareRowChunk&&)>& ship,
                                                const std::function<bool(std::uint64_t)>& going) {
    if (handed_ >= files_.size() || cancelled_) return std::nullopt;
    if (!going(bytes_)) {
        Cancel();
        return std::nullopt;
    }
    Slot& slot = slots_[handed_];
    for (bool done = false; !done;) {
        std::deque<SoftwareRowChunk> chunks;
        {
            std::unique_lock lock(mutex_);
            changed_.wait_for(lock, std::chrono::milliseconds(100),
                              [&] { return !slot.chunks.empty() || slot.done; });
            // Cancelled before any reading took the file: nothing of it to hand on.
            if (cancelled_ && claimed_ <= handed_) return std::nullopt;
            chunks.swap(slot.chunks);
            done = slot.done;
        }
        changed_.notify_all();  // room for the reading's next chunks
        for (SoftwareRowChunk& chunk : chunks)
            ship(std::move(chunk));
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
