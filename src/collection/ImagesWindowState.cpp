#include "collection/ImagesWindowState.h"

#include "collection/FolderText.h"
#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/Task.h"
#include "core/TextTable.h"
#include "core/UiService.h"

namespace arc {

namespace {

constexpr int kProcImagePaths = 673;

/// Shows the window again however the command ends.
class ShownAgainAtEnd {
  public:
    explicit ShownAgainAtEnd(const std::function<void(bool)>& show) : show_(show) {}
    ~ShownAgainAtEnd() {
        if (show_) show_(true);
    }
    ShownAgainAtEnd(const ShownAgainAtEnd&) = delete;
    ShownAgainAtEnd& operator=(const ShownAgainAtEnd&) = delete;

  private:
    const std::function<void(bool)>& show_;
};

}  // namespace

void ImagesWindowState::Load() {
    SourceText = TheSettings().ImageSource.empty() ? ProgramFolder() : TheSettings().ImageSource;
    DisableMenus();
}

void ImagesWindowState::Unload() {
    EnableMenus();
}

bool ImagesWindowState::AnyKind() const {
    for (bool kind : Kinds)
        if (kind) return true;
    return false;
}

void ImagesWindowState::SetVisible(bool visible) {
    if (ShowWindow) ShowWindow(visible);
}

void ImagesWindowState::BrowseSource() {
    TheSettings().ImageSource = SourceText;
    const std::string chosen =
        BrowseFolder(TheSettings().ImageSource, Text(kTextImagesSourceFolder));
    if (!chosen.empty()) TheSettings().ImageSource = SourceText = chosen;
}

ImagesRequest ImagesWindowState::Request(ImagesAction action) const {
    const Settings& settings = TheSettings();
    return {action, Kinds, settings.ArtFolders, settings.RomsFolder,
            WithFolderSeparator(SourceText)};
}

ImagesOutcome ImagesWindowState::Run(ImagesAction action) {
    if (!AnyKind()) return {};
    const ImagesRequest request = Request(action);
    if (action == ImagesAction::CopyWithRom) {
        if (request.source.empty()) return {};
        TheSettings().ImageSource = request.source;
    }
    SetVisible(false);
    ShownAgainAtEnd showAgain(ShowWindow);
    const ImagesOutcome outcome =
        RunShown([&](TaskContext& context) { return RunImages(request, context); },
                 {.window = true, .menusOff = false});
    if (!outcome.ran && !outcome.failed()) return outcome;
    if (!outcome.message.empty())
        Ui().Message(outcome.message, MsgButtons::Ok, MsgIcon::Exclamation);
    if (outcome.ran && !outcome.cancelled())
        Ui().Message(Text(kTextDone), MsgButtons::Ok, MsgIcon::Information);
    return outcome;
}

ImagesOutcome ImagesWindowState::DeleteImagesWithoutRom() {
    return Run(ImagesAction::DeleteWithoutRom);
}

ImagesOutcome ImagesWindowState::CopyImagesThatHaveRom() {
    return Run(ImagesAction::CopyWithRom);
}

void ImagesWindowState::EditPaths() {
    Guarded(kProcImagePaths, [&] {
        SetVisible(false);
        ShownAgainAtEnd showAgain(ShowWindow);
        Ui().RunWindow(WindowId::Paths);
    });
}

}  // namespace arc
