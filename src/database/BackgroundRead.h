#pragma once
// A read of the open database made on a thread and a connection of its own
// while the caller goes on with work that does not read the database.

#include <atomic>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "database/Database.h"

namespace arc {

/// Starts `read` at construction on a read-only connection of its own to the
/// open database file. Get() waits for its result; when the database is no file
/// or that connection cannot be opened or read, Get() makes the read on the
/// shared connection instead (`read` gets null then).
///
///     BackgroundRead<Counts> counts(CountRows);  // CountRows(const ReadOnlyDatabase*)
///     WriteOtherPages();
///     Use(counts.Get());
template <class Result>
class BackgroundRead {
  public:
    using Read = std::function<Result(const ReadOnlyDatabase*)>;

    explicit BackgroundRead(Read read) : read_(std::move(read)) {
        const std::string path = OpenDatabasePath();
        if (!FileExists(path)) return;
        result_ =
            std::async(std::launch::async,
                       [path, read = read_, abandoned = abandoned_]() -> std::optional<Result> {
                           try {
                               const ReadOnlyDatabase own(path);
                               own.StopWhen(*abandoned);
                               return read(&own);
                           } catch (const AppError&) {
                               return std::nullopt;  // read on the shared connection instead
                           }
                       });
    }

    /// A read whose result is not wanted (its task was cancelled) stops soon.
    ~BackgroundRead() { *abandoned_ = true; }
    BackgroundRead(const BackgroundRead&) = delete;
    BackgroundRead& operator=(const BackgroundRead&) = delete;

    /// The result; call once.
    Result Get() {
        std::optional<Result> result;
        if (result_.valid()) result = result_.get();
        return result ? std::move(*result) : read_(nullptr);
    }

  private:
    Read read_;
    std::shared_ptr<std::atomic<bool>> abandoned_ = std::make_shared<std::atomic<bool>>(false);
    std::future<std::optional<Result>> result_;
};

}  // namespace arc
