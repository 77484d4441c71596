#pragma once
// The rows of the software lists handed from the reading to a thread of their
// own that writes them: reading the next items and writing the last ones go
// on side by side. The reading thread never touches the database.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "software/SoftwareWriter.h"

namespace arc {

class SoftwareWriterThread {
  public:
    /// Prepares the writer on the calling thread (the database must be open)
    /// and starts the thread.
    SoftwareWriterThread();
    /// Stops the thread; rows not yet written are dropped and an open list is
    /// rolled back.
    ~SoftwareWriterThread();
    SoftwareWriterThread(const SoftwareWriterThread&) = delete;
    SoftwareWriterThread& operator=(const SoftwareWriterThread&) = delete;

    /// The writer's calls, one value per argument in the writer's order.
    enum class Op : std::uint8_t {
        BeginList,    ///< name, description
        BeginItem,    ///< name, cloneof, supported
        Description,  ///< text
        Year,         ///< text
        Publisher,    ///< text
        AddInfo,      ///< kind, name, value
        BeginPart,    ///< name, interface
        AddFeature,   ///< name, value
        AddRom,       ///< area, kind, name, size, crc, sha1, status
        EndPart,
        EndItem,
        EndList,
        AbandonList,
    };
    /// Queues a call; throws the writer's error once it failed.
    void Push(Op op, std::initializer_list<std::string_view> values = {});

    struct Saved {
        int lists = 0;
        int items = 0;
    };
    /// Waits until every call queued so far is done; the lists and items saved
    /// since the start. Throws the writer's error when it failed.
    Saved Sync();

  private:
    struct Batch {
        std::vector<Op> ops;
        std::string text;                 // each op's arguments, one after the other
        std::vector<std::uint32_t> ends;  // where each argument ends in `text`
    };
    void Ship();
    void Work();
    void Apply(const Batch& batch);
    void ThrowIfFailed();

    SoftwareWriter writer_;
    Saved saved_;
    Batch current_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Batch> queue_;
    bool busy_ = false;
    bool closing_ = false;
    std::exception_ptr failure_;
    std::thread thread_;
};

}  // namespace arc
