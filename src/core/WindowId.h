#pragma once
// The tool windows the logic can open. Each value is the window's number: the
// slot its position is saved under, and N of its objectName "FormN".

#include <string>

namespace arc {

enum class WindowId : int {
    Paths = 1,
    Progress = 2,
    Sheet = 3,
    Download = 4,
    Language = 6,
    Wizard = 7,
    Translation = 8,
    ImportOptions = 9,
    Search = 10,
    ZipAll = 11,
    Images = 12,
    Update = 13,
    Audit = 14,        ///< keeps no place: the settings file has slots 1..13
    GameBrowser = 20,  ///< no saved place (the settings keep 1 to 13)
    SoftwareBrowser = 21,
};

/// The window's number: its slot in WindowLeft/WindowTop.
constexpr int WindowNumber(WindowId id) {
    return static_cast<int>(id);
}

/// The window's objectName ("Form1" ... "Form13").
inline std::string ObjectNameOf(WindowId id) {
    return "Form" + std::to_string(WindowNumber(id));
}

}  // namespace arc
