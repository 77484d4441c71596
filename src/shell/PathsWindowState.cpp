#include "shell/PathsWindowState.h"

#include <cstdlib>
#include <optional>

#include "core/Emulator.h"
#include "core/EmulatorConfig.h"
#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/ProgramFolder.h"
#include "core/TextTable.h"
#include "core/UiService.h"

namespace arc {
namespace {

constexpr int kProcPathsLoad = 30;
constexpr int kProcPathsCommand = 31;
constexpr int kProcPathsUnload = 32;

/// The text up to and including its last "\" or, failing that, its last "/";
/// nullopt when it holds neither.
std::optional<std::string> FolderPart(std::string_view path) {
    std::size_t cut = path.rfind('\\');
    if (cut == std::string_view::npos) cut = path.rfind('/');
    if (cut == std::string_view::npos) return std::nullopt;
    return std::string(path.substr(0, cut + 1));
}

std::string WithSeparator(std::string_view path) {
    std::string result(Trim(path));
    if (result.empty() || (result.back() != '/' && result.back() != '\\')) result += '/';
    return result;
}

bool Confirmed(int question) {
    return Ui().Message(WithLineBreaks(Text(question)), MsgButtons::YesNo, MsgIcon::Question) ==
           MsgAnswer::Yes;
}

}  // namespace

std::string PathsWindowState::EmulatorFolder(std::string_view executable) {
    if (auto folder = FolderPart(executable)) return *folder;
    return WithSeparator(executable);
}

std::string PathsWindowState::AutoFillBase(std::string_view executable) {
    if (auto folder = FolderPart(executable)) return *folder;
    const char* home = std::getenv("HOME");
    if (home && *home) {
        const std::string root = WithTrailingSlash(home);
        for (std::string_view probe : {"mame32", "mame", "advancemame"}) {
            const std::string folder = root + std::string(probe);
            if (FolderExists(folder)) return folder + "/";
        }
    }
    return ProgramFolder();
}

void PathsWindowState::Load() {
    Guarded(kProcPathsLoad, [this] {
        DisableMenus();
        const Settings& settings = TheSettings();
        mameExe = settings.MameExe;
        romsFolder = settings.RomsFolder;
        artFolders = settings.ArtFolders;
        dataFiles = settings.DataFilePaths;
        for (int slot = 0; slot < kDataFileSlots; ++slot)
            dataLabels_[slot] = BaseName(dataFiles[slot]);
    });
}

std::string PathsWindowState::ArtLabel(int slot) const {
    return ArtLabels()[slot];
}

bool PathsWindowState::ChooseExecutable() {
    bool changed = false;
    Guarded(kProcPathsCommand, [this, &changed] {
        Settings& settings = TheSettings();
        settings.MameFolder = EmulatorFolder(mameExe);
        settings.MameExe = mameExe;
        const std::string filter = Text(kTextProgramFilter) + " (*.*)|*.*|";
        const std::string chosen = ChooseFile({}, settings.MameExe, 1, false, filter);
        if (chosen.empty() || chosen == mameExe) return;
        settings.MameExe = chosen;
        mameExe = chosen;
        settings.MameFolder = EmulatorFolder(chosen);
        changed = true;
    });
    return changed;
}

bool PathsWindowState::ChooseRomsFolder() {
    bool changed = false;
    Guarded(kProcPathsCommand, [this, &changed] {
        Settings& settings = TheSettings();
        settings.RomsFolder = WithSeparator(romsFolder);
        const std::string chosen = BrowseFolder(settings.RomsFolder, Text(kTextSelectRomsPath));
        if (chosen.empty()) return;
        settings.RomsFolder = chosen;
        changed = chosen != romsFolder;
        romsFolder = chosen;
    });
    return changed;
}

bool PathsWindowState::ChooseArtFolder(int slot) {
    bool changed = false;
    Guarded(kProcPathsCommand, [this, slot, &changed] {
        const std::string start(Trim(artFolders.at(slot)));
        const std::string chosen = BrowseFolder(start, Text(kTextSelectPathFor) + ArtLabel(slot));
        if (chosen.empty()) return;
        TheSettings().ArtFolders[slot] = chosen;
        changed = chosen != artFolders[slot];
        artFolders[slot] = chosen;
    });
    return changed;
}

bool PathsWindowState::ChooseDataFile(int slot) {
    bool changed = false;
    Guarded(kProcPathsCommand, [this, slot, &changed] {
        const std::string& label = dataLabels_.at(slot);
        const std::string extension = label.size() > 3 ? label.substr(label.size() - 3) : label;
        const std::string filter = Text(kTextAllFiles) + " (*.*)|*.*|" + Text(kTextFilesTab) + " " +
                                   extension + "(*." + extension + ")|*." + extension + "|";
        const std::string start(Trim(dataFiles[slot]));
        const std::string chosen = ChooseFile({}, start, 2, false, filter);
        if (chosen.empty() || chosen == dataFiles[slot]) return;
        dataFiles[slot] = chosen;
        changed = true;
    });
    return changed;
}

EmulatorLayout PathsWindowState::AutoFillLayout() {
    TheSettings().MameExe = mameExe;
    // The emulator that the program would run reports where it looks.
    return LayOutEmulatorPaths(ReadEmulatorOptions(DefaultEmulatorConfigSources()),
                               AutoFillBase(mameExe));
}

bool PathsWindowState::FillArtFolders() {
    bool filled = false;
    Guarded(kProcPathsCommand, [this, &filled] {
        if (!Confirmed(166)) return;
        artFolders = AutoFillLayout().artFolders;
        TheSettings().ArtFolders = artFolders;
        filled = true;
    });
    return filled;
}

bool PathsWindowState::FillDataFiles() {
    bool filled = false;
    Guarded(kProcPathsCommand, [this, &filled] {
        if (!Confirmed(167)) return;
        dataFiles = AutoFillLayout().dataFiles;
        TheSettings().DataFilePaths = dataFiles;
        filled = true;
    });
    return filled;
}

std::string PathsWindowState::EmulatorInUse() const {
    return MameExecutable(Trim(mameExe), TheSettings().MameFolder);
}

bool PathsWindowState::IsMissing(std::string_view path) {
    const std::string trimmed(Trim(path));
    return !trimmed.empty() && !FileExists(trimmed) && !FolderExists(trimmed);
}

void PathsWindowState::Unload() {
    Guarded(kProcPathsUnload, [&] {
        Settings& settings = TheSettings();
        settings.MameExe = mameExe;
        settings.RomsFolder = romsFolder;
        settings.ArtFolders = artFolders;
        settings.DataFilePaths = dataFiles;
        SaveSettings();
    });
    // Whatever happened above, the menus come back.
    EnableMenus();
}

}  // namespace arc
