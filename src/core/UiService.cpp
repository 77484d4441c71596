#include "core/UiService.h"

#include "core/Task.h"

namespace arc {
namespace {

/// Answers every question with No or Cancel and shows nothing.
class SilentUi final : public UiService {
  public:
    MsgAnswer Message(std::string_view, MsgButtons buttons, MsgIcon, std::string_view) override {
        return UnchosenAnswer(buttons);
    }
    std::string ChooseFileRaw(const FileDialogRequest&) override { return {}; }
    std::string ChooseFolderRaw(std::string_view, std::string_view) override { return {}; }
    bool OpenWithDefaultApp(std::string_view) override { return false; }
    void SetMenusEnabled(bool) override {}
};

SilentUi& Silent() {
    static SilentUi silent;
    return silent;
}

UiService* g_ui = nullptr;
thread_local UiService* t_ui = nullptr;

}  // namespace

MsgAnswer UnchosenAnswer(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::Ok:
            return MsgAnswer::Ok;
        case MsgButtons::OkCancel:
            return MsgAnswer::Cancel;
        default:
            return MsgAnswer::No;
    }
}

void UiService::RunTask(TaskProgress& progress, const TaskBody& body, TaskShow) {
    TaskContext context(progress, *this);
    body(context);
}

UiService& Ui() {
    if (t_ui) return *t_ui;
    return g_ui ? *g_ui : Silent();
}

ThreadUi::ThreadUi(UiService& ui) : previous_(t_ui) {
    t_ui = &ui;
}

ThreadUi::~ThreadUi() {
    t_ui = previous_;
}

void InstallUi(UiService* ui) {
    g_ui = ui;
}

}  // namespace arc
