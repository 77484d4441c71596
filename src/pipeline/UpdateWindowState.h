#pragma once
// The update window's state and rules: which sources (the emulator's list and
// every support file of the catalogue) refresh an existing database, saved
// between runs. The window itself only binds to it.

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "core/SupportFileCatalogue.h"
#include "pipeline/UpdateTask.h"

namespace arc {

struct Settings;

class UpdateWindowState {
  public:
    /// Box 0 is the emulator's list, the others the support files.
    static constexpr int kBoxes = kUpdateSources;

    /// Caption of box 0..17 (box 0 in the current language, then "Alltime.ini", ...).
    static std::string BoxCaption(int box);
    /// The support file of box 1..17.
    static SupportFile BoxFile(int box);

    std::string databasePath;          ///< the text box
    std::array<bool, kBoxes> boxes{};  ///< Check1(0..17)
    bool useDefinedPaths = true;       ///< first option button; false: the second
    bool software = false;             ///< the software lists box

    /// Hides (false) or shows (true) the window around the update run.
    std::function<void(bool)> showWindow;

    /// Window load: menus off, controls from the saved state
    /// (UpdateDatabasePath, else DatabasePath; UpdateFileChoices).
    void Load();
    /// Window unload: choices saved, settings saved, menus on.
    void Unload();

    /// The choices in their saved form: the 18 box values (0 or 1), the
    /// software box (a 19th value, which older readers skip) and the first
    /// option's value ("True"/"False"), joined by ";".
    std::string ChoicesText() const;
    /// Reads the saved form; missing values leave the boxes unticked.
    void SetChoicesText(std::string_view text);

    /// The file button: an open dialog on the current path.
    void ChooseDatabase();

    /// The update's request: the window's choices, the emulator and the
    /// defined paths from `settings`; with the software box, the software
    /// lists of the emulator's hash path (or its -listsoftware).
    UpdateRequest Request(const Settings& settings) const;

    /// The update button. Returns true when the update ran to its end and
    /// every ticked source was read; what failed is told to the user.
    bool Update();
};

}  // namespace arc
