#include "zip/UnzipTask.h"

#include "core/Files.h"
#include "zip/UnzipWindowState.h"

namespace arc {
namespace {

/// The unzip window's stage and bar, reported to the task's progress.
class ProgressView final : public UnzipWindowView {
  public:
    explicit ProgressView(TaskProgress& progress) : progress_(progress) {}
    void Show(const UnzipWindowState&) override { progress_.SetTotal(100); }
    void Refresh(const UnzipWindowState& window) override {
        if (window.Label1() != label_) progress_.SetLabel(label_ = window.Label1());
        progress_.Step(window.BarPercent());
    }
    void Unload() override {}

  private:
    TaskProgress& progress_;
    std::string label_;
};

}  // namespace

UnzipOutcome RunUnzip(const UnzipRequest& request, TaskContext& context) {
    return RunCountingErrors<UnzipOutcome>([&] {
        UnzipOutcome outcome;
        UnzipResult& result = outcome.result;
        if (!FileExists(request.archive)) {
            result.errors.push_back({ZipErrorKind::ArchiveMissing, request.archive, {}});
            static_cast<Outcome&>(outcome) = Outcome::Failure(DescribeZipError(result.errors[0]));
            return outcome;
        }
        if (request.action == UnzipAction::List) {
            ZipListing listing = ListZip(request.archive);
            outcome.members = std::move(listing.members);
            result.errors = std::move(listing.errors);
            result.completed = true;
            outcome.done = static_cast<int>(outcome.members.size());
            if (!result.ok()) outcome.kind = OutcomeKind::Failed;
            return outcome;
        }
        ProgressView view(context.progress());
        bool ok = false;
        if (request.action == UnzipAction::ExtractMember) {
            result = UnzipFileShownIn(request.archive, request.member, request.destination, &view);
            ok = result.ok() && result.written == 1;
        } else if (request.action == UnzipAction::ExtractExtension) {
            result = UnzipByExtensionShownIn(request.archive, request.extension,
                                             request.destination, &view);
            ok = result.ok();
        } else {
            result = UnzipAllShownIn(request.archive, request.destination, &view);
            ok = result.ok();
        }
        outcome.done = result.written;
        if (!ok) outcome.kind = OutcomeKind::Failed;
        return outcome;
    });
}

}  // namespace arc
