#include "software/SoftwareWriterThread.h"

namespace arc {
namespace {

constexpr std::size_t kBatchOps = 4096;
constexpr std::size_t kQueuedBatches = 4;

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
        Batch batch;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return closing_ || !queue_.empty(); });
            if (queue_.empty()) return;
            batch = std::move(queue_.front());
            queue_.pop_front();
            busy_ = true;
        }
        changed_.notify_all();
        std::exception_ptr failure;
        try {
            if (!failure_) Apply(batch);
        } catch (...) {
            failure = std::current_exception();
        }
        {
            std::lock_guard lock(mutex_);
            busy_ = false;
            if (failure) failure_ = failure;
        }
        changed_.notify_all();
    }
}

void SoftwareWriterThread::Apply(const Batch& batch) {
    std::size_t at = 0;
    std::uint32_t start = 0;
    auto next = [&]() -> std::string_view {
        const std::uint32_t end = batch.ends[at++];
        const std::string_view value(batch.text.data() + start, end - start);
        start = end;
        return value;
    };
    for (const Op op : batch.ops) {
        switch (op) {
            case Op::BeginList: {
                const std::string_view name = next();
                writer_.BeginList(name, next());
                break;
            }
            case Op::BeginItem: {
                const std::string_view name = next();
                const std::string_view cloneOf = next();
                writer_.BeginItem(name, cloneOf, next());
                break;
            }
            case Op::Description:
                writer_.SetText(SoftwareText::Description, next());
                break;
            case Op::Year:
                writer_.SetText(SoftwareText::Year, next());
                break;
            case Op::Publisher:
                writer_.SetText(SoftwareText::Publisher, next());
                break;
            case Op::AddInfo: {
                const std::string_view kind = next();
                const std::string_view name = next();
                writer_.AddInfo(kind, name, next());
                break;
            }
            case Op::BeginPart: {
                const std::string_view name = next();
                writer_.BeginPart(name, next());
                break;
            }
            case Op::AddFeature: {
                const std::string_view name = next();
                writer_.AddFeature(name, next());
                break;
            }
            case Op::AddRom: {
                std::string_view v[7];
                for (std::string_view& value : v)
                    value = next();
                writer_.AddRom(v[0], v[1], v[2], v[3], v[4], v[5], v[6]);
                break;
            }
            case Op::EndPart:
                writer_.EndPart();
                break;
            case Op::EndItem:
                writer_.EndItem();
                break;
            case Op::EndList: {
                const int items = writer_.EndList();
                std::lock_guard lock(mutex_);
                ++saved_.lists;
                saved_.items += items;
                break;
            }
            case Op::AbandonList:
                writer_.AbandonList();
                break;
        }
    }
}

void SoftwareOps::Push(Op op, std::initializer_list<std::string_view> values) {
    current_.ops.push_back(op);
    for (std::string_view value : values) {
        current_.text.append(value);
        current_.ends.push_back(static_cast<std::uint32_t>(current_.text.size()));
    }
    if (current_.ops.size() >= kBatchOps) Flush();
}

void SoftwareOps::Flush() {
    if (current_.ops.empty()) return;
    sink_(std::move(current_));
    current_ = Batch();
}

void SoftwareWriterThread::Ship(Batch&& batch) {
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return failure_ || queue_.size() < kQueuedBatches; });
        if (failure_) std::rethrow_exception(failure_);
        queue_.push_back(std::move(batch));
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
