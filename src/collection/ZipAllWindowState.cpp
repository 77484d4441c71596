#include "collection/ZipAllWindowState.h"

#include <filesystem>

#include "collection/FolderText.h"
#include "core/Files.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/Task.h"
#include "core/TextTable.h"
#include "core/UiService.h"

namespace arc {

namespace fs = std::filesystem;

namespace {

/// Shows the window again however the command ends.
class WindowShownAtEnd {
  public:
    explicit WindowShownAtEnd(std::function<void(bool)>& show) : show_(show) {}
    ~WindowShownAtEnd() {
        if (show_) show_(true);
    }
    WindowShownAtEnd(const WindowShownAtEnd&) = delete;
    WindowShownAtEnd& operator=(const WindowShownAtEnd&) = delete;

  private:
    std::function<void(bool)>& show_;
};

}  // namespace

void ZipAllWindowState::Load() {
    SourceText = TheSettings().ZipAllSource;
    DestText = TheSettings().ZipAllDest;
}

bool ZipAllWindowState::ZipAllEnabled() const {
    return !FindPacker(PackerFolders).empty();
}

void ZipAllWindowState::SetVisible(bool visible) {
    if (ShowWindow) ShowWindow(visible);
}

void ZipAllWindowState::BrowseSource() {
    TheSettings().ZipAllSource = SourceText;
    const std::string chosen = BrowseFolder(TheSettings().ZipAllSource, Text(kTextSourcePath));
    if (!chosen.empty()) TheSettings().ZipAllSource = SourceText = chosen;
}

void ZipAllWindowState::BrowseDest() {
    TheSettings().ZipAllDest = DestText;
    const std::string chosen = BrowseFolder(TheSettings().ZipAllDest, Text(kTextDestinationPath));
    if (!chosen.empty()) TheSettings().ZipAllDest = DestText = chosen;
}

ZipAllRequest ZipAllWindowState::Request() {
    Settings& settings = TheSettings();
    settings.ZipAllSource = WithFolderSeparator(SourceText);
    settings.ZipAllDest = WithFolderSeparator(DestText);
    return {settings.ZipAllSource, settings.ZipAllDest, FindPacker(PackerFolders), DeleteWhenDone};
}

ZipAllOutcome ZipAllWindowState::Run(ZipAllOutcome (*task)(const ZipAllRequest&, TaskContext&)) {
    const ZipAllRequest request = Request();
    if (request.sourceFolder.empty() || request.destFolder.empty()) return {};
    SetVisible(false);
    WindowShownAtEnd showAgain(ShowWindow);
    const ZipAllOutcome outcome =
        RunShown([&](TaskContext& context) { return task(request, context); },
                 {.window = true, .menusOff = false});
    SetVisible(true);
    if (outcome.cancelled()) return outcome;
    if (!outcome.failed()) Ui().Message(Text(kTextDone), MsgButtons::Ok, MsgIcon::Information);
    if (!outcome.ok())
        Ui().Message(outcome.message, MsgButtons::Ok,
                     outcome.failed() ? MsgIcon::Critical : MsgIcon::Exclamation);
    return outcome;
}

ZipAllOutcome ZipAllWindowState::ZipAll() {
    return Run(RunZipAll);
}

ZipAllOutcome ZipAllWindowState::UnzipAll() {
    return Run(RunUnzipAll);
}

}  // namespace arc
