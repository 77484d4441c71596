#pragma once
// The start-up steps shared by the desktop program, around its windows:
//   (second-instance check, splash)
//   if (!LoadStartupSettings()) {     defaults, settings file
//       (language window) -> FirstRunLanguageChosen(index);   settings written at once
//   }
//   FinishStartup();                  text table, backup folder
//   (main window)

namespace arc {

/// Sets every default and loads the settings file.
/// False on a first run (no file, or one that ends before its language line).
bool LoadStartupSettings();

/// The language window closed (whatever closed it) with `index` selected
/// (0 English, 1 French): sets Language and writes the settings file at once.
void FirstRunLanguageChosen(int index);

/// Builds the text table and makes sure BackupFolder is set and exists.
void FinishStartup();

}  // namespace arc
