#pragma once
// The rows of the software lists handed from the readings to a thread of
// their own that writes them: reading the next items and writing the last
// ones go on side by side. The reading threads never touch the database.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "software/SoftwareWriter.h"

namespace arc {

/// The writer's calls recorded by a reading, handed on in batches.
class SoftwareOps {
  public:
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
    struct Batch {
        std::vector<Op> ops;
        std::string text;                 // each op's arguments, one after the other
        std::vector<std::uint32_t> ends;  // where each argument ends in `text`
    };
    using Sink = std::function<void(Batch&&)>;

    explicit SoftwareOps(Sink sink) : sink_(std::move(sink)) {}
    /// Records a call; a full batch goes to the sink.
    void Push(Op op, std::initializer_list<std::string_view> values = {});
    /// Hands the calls recorded since the last batch to the sink.
    void Flush();

  private:
    Sink sink_;
    Batch current_;
};

class SoftwareWriterThread {
  public:
    using Op = SoftwareOps::Op;
    using Batch = SoftwareOps::Batch;

    /// Prepares the writer on the calling thread (the database must be open)
    /// and starts the thread.
    SoftwareWriterThread();
    /// Stops the thread; calls not yet written are dropped and an open list is
    /// rolled back.
    ~SoftwareWriterThread();
    SoftwareWriterThread(const SoftwareWriterThread&) = delete;
    SoftwareWriterThread& operator=(const SoftwareWriterThread&) = delete;

    /// Queues a batch of calls, waiting while several are queued; throws the
    /// writer's error once it failed.
    void Ship(Batch&& batch);

    struct Saved {
        int lists = 0;
        int items = 0;
    };
    /// Waits until every call queued so far is done; the lists and items saved
    /// since the start. Throws the writer's error when it failed.
    Saved Sync();

  private:
    void Work();
    void Apply(const Batch& batch);

    SoftwareWriter writer_;
    Saved saved_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Batch> queue_;
    bool busy_ = false;
    bool closing_ = false;
    std::exception_ptr failure_;
    std::thread thread_;
};

}  // namespace arc
