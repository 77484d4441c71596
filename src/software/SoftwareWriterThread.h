#pragma once
// The rows of the software lists handed from the readings to a thread of
// their own that writes them: reading the next items and writing the last
// ones go on side by side. The reading threads never touch the database.

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>

#include "software/SoftwareRows.h"
#include "software/SoftwareWriter.h"

namespace arc {

class SoftwareWriterThread {
  public:
    /// Prepares the writer on the calling thread (the database must be open)
    /// and starts the thread.
    SoftwareWriterThread();
    /// Stops the thread; chunks not yet written are dropped and an open list
    /// is rolled back.
    ~SoftwareWriterThread();
    SoftwareWriterThread(const SoftwareWriterThread&) = delete;
    SoftwareWriterThread& operator=(const SoftwareWriterThread&) = delete;

    /// Queues a chunk of rows, waiting while several are queued; throws the
    /// writer's error once it failed.
    void Ship(SoftwareRowChunk&& chunk);

    struct Saved {
        int lists = 0;
        int items = 0;
    };
    /// Waits until every chunk queued so far is written; the lists and items
    /// saved since the start. Throws the writer's error when it failed.
    Saved Sync();

  private:
    void Work();

    SoftwareWriter writer_;
    Saved saved_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<SoftwareRowChunk> queue_;
    bool busy_ = false;
    bool closing_ = false;
    std::exception_ptr failure_;
    std::thread thread_;
};

}  // namespace arc
