#pragma once
// Hash files read on several threads at once, the writer's calls of each
// handed on in the order of the files: the rows come out as a single reading
// would write them.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "software/HashFileReader.h"
#include "software/SoftwareRows.h"

namespace arc {

struct HashFileRead {
    std::string path;
    HashFileResult result;
};

class HashFileQueue {
  public:
    /// Starts `threads` readings; a file is begun once those before it, from
    /// the one being handed on, are at most some megabytes.
    HashFileQueue(std::vector<std::string> files, int threads);
    /// Stops the readings (cancels them) and waits for them.
    ~HashFileQueue();
    HashFileQueue(const HashFileQueue&) = delete;
    HashFileQueue& operator=(const HashFileQueue&) = delete;

    /// Hands the rows of the next file to `ship` as they come, then tells how
    /// its reading went; nothing once every file was handed on or after a
    /// cancel. First and while it waits, `going` is told the bytes read so far
    /// by every reading, and returns false to cancel: the file's reading stops
    /// (its open list rolled back) and no later file is handed on.
    std::optional<HashFileRead> Next(const std::function<void(SoftwareRowChunk&&)>& ship,
                                     const std::function<bool(std::uint64_t)>& going);
    bool Cancelled() const { return cancelled_; }

  private:
    struct Slot {
        std::deque<SoftwareRowChunk> chunks;  // read, not yet handed on
        bool done = false;
        HashFileResult result;
        std::exception_ptr failure;
    };
    void Read();
    void Cancel();

    const std::vector<std::string> files_;
    std::vector<Slot> slots_;          // one per file
    std::vector<std::uint64_t> ends_;  // where each file ends, its size and the sizes before it
    std::size_t claimed_ = 0;          // files given to a reading
    std::size_t handed_ = 0;           // files handed on
    std::atomic<std::uint64_t> bytes_{0};
    std::atomic<bool> cancelled_{false};
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::thread> threads_;
};

}  // namespace arc
