#pragma once
// State and rules of the import options window (window number 9), shown by
// the database build before it runs the emulator and the importers.

#include <string>

#include "core/WindowId.h"

namespace arc {

/// The text the build reads after the window closed: the build ends on it.
inline constexpr const char* kImportOptionsCancelled = "[FORM9]CANCEL";

class ImportOptionsWindowState {
  public:
    static constexpr int kWindowNumber = WindowNumber(WindowId::ImportOptions);

    /// Captions from the text table: window (95), check box (109), the two
    /// path options (171, 172), the method frame (264), the two methods (265,
    /// 266) and the paths button (148).
    struct Captions {
        std::string window, refreshList, definedPaths, ownPaths, methodFrame, fastMethod,
            documentMethod, paths;
    };
    static Captions LoadCaptions();

    /// Load: the check box from XmlOptions[1]; the defined-paths option when
    /// XmlOptions[2] is 1, else the program's own folders; the fast method
    /// selected; the open flag on. (The window keeps its own position as
    /// window 9, like every tool window.)
    ImportOptionsWindowState();

    bool refreshList = false;      ///< delete "listxml.txt" so that the emulator runs again
    bool useDefinedPaths = false;  ///< support files from the defined paths
    int method = 1;                ///< 1 fast text import, 2 document model

    bool IsOpen() const { return open_; }
    bool Confirmed() const { return confirmed_; }

    /// OK: confirms and empties the shared message text; the window then closes.
    void Confirm();
    /// After the paths window closed: the settings file is read again.
    void PathsWindowClosed();
    /// The window goes (also when closed without OK): the import method and the
    /// saved options are updated; confirmed, the list file is
    /// deleted when asked and UseDefinedPaths set; otherwise the shared message
    /// becomes "[FORM9]CANCEL". Clears the open flag.
    void Unload();

  private:
    bool open_ = true;
    bool confirmed_ = false;
};

}  // namespace arc
