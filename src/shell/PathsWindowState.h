#pragma once
// The paths window's contents and commands: the emulator, the ROM folder, the
// six artwork folders and the 17 support files, their choosers and the two
// auto-fill commands. The window binds its text boxes to the public strings.

#include <array>
#include <string>
#include <string_view>

#include "core/EmulatorConfig.h"
#include "core/Settings.h"

namespace arc {

class PathsWindowState {
  public:
    std::string mameExe;                                ///< Text1
    std::string romsFolder;                             ///< Text2
    std::array<std::string, kArtSlots> artFolders;      ///< Text3(0..5)
    std::array<std::string, kDataFileSlots> dataFiles;  ///< Text4(0..16)

    /// Window load: fills the boxes and labels from the settings and switches the menus off.
    void Load();

    /// Label2(i): the artwork kind's caption.
    std::string ArtLabel(int slot) const;
    /// Label3(i): the support file's name as it was when the window loaded.
    const std::string& DataFileLabel(int slot) const { return dataLabels_[slot]; }

    /// Command1: the folder rule, then the file chooser; true when Text1 changed.
    bool ChooseExecutable();
    /// Command2: the folder chooser on the ROM folder; true when Text2 changed.
    bool ChooseRomsFolder();
    /// Command3(i); true when Text3(i) changed.
    bool ChooseArtFolder(int slot);
    /// Command4(i); true when Text4(i) changed.
    bool ChooseDataFile(int slot);
    /// Command5 / Command6: asks for confirmation, then fills every box from the
    /// emulator's own configuration and folders (LayOutEmulatorPaths over
    /// AutoFillBase). False when the user answered No.
    bool FillArtFolders();
    bool FillDataFiles();

    /// The emulator the program would run with Text1 as typed ("" when none is found).
    std::string EmulatorInUse() const;
    /// True when a box names a file or folder that does not exist.
    static bool IsMissing(std::string_view path);

    /// Window unload (after the window stored its position): stores every box
    /// as typed, saves the settings, switches the menus on and releases whoever
    /// waits for the window (wizard, paths-dialog flag).
    void Unload();

    /// The emulator folder of an executable path as Command1 takes it: up to
    /// the last separator, else the trimmed text with a "/" appended.
    static std::string EmulatorFolder(std::string_view executable);
    /// The base folder of the auto-fill commands: up to the last separator,
    /// else the first of $HOME/mame32, $HOME/mame, $HOME/advancemame that
    /// exists, else the program folder.
    static std::string AutoFillBase(std::string_view executable);

  private:
    EmulatorLayout AutoFillLayout();

    std::array<std::string, kDataFileSlots> dataLabels_;
};

}  // namespace arc
