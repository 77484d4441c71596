#include "core/UiService.h"

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
    void ProcessEvents() override {}
    void SetMenusEnabled(bool) override {}
    void ShowProgressWindow() override {}
    void SetProgressLabel(std::string_view) override {}
    void UnloadProgressWindow() override {}
};

SilentUi& Silent() {
    static SilentUi silent;
    return silent;
}

UiService* g_ui = nullptr;

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

UiService& Ui() {
    return g_ui ? *g_ui : Silent();
}

void InstallUi(UiService* ui) {
    g_ui = ui;
}

}  // namespace arc
