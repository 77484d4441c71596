#pragma once
// State and rules of the import options window (window number 9), shown by
// the database build before it runs the emulator and the importers.

#include <optional>
#include <string>

#include "core/WindowId.h"
#include "xmlimport/ImportChoices.h"

namespace arc {

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

    /// Load: the choices remembered in the settings; the fast method
    /// selected; the open flag on. (The window keeps its own position as
    /// window 9, like every tool window.)
    ImportOptionsWindowState();

    bool refreshList = false;      ///< delete "listxml.txt" so that the emulator runs again
    bool useDefinedPaths = false;  ///< support files from the defined paths
    int method = 1;                ///< 1 fast text import, 2 document model

    bool IsOpen() const { return open_; }
    bool Confirmed() const { return confirmed_; }

    /// OK: confirms; the window then closes.
    void Confirm();
    /// After the paths window closed: the settings file is read again.
    void PathsWindowClosed();
    /// The window goes (also when closed without OK): the check box and the
    /// paths option are remembered in the settings, the open flag cleared.
    /// The choices when confirmed; nothing when the build is cancelled (the
    /// window hands them to the build that opened it).
    std::optional<ImportChoices> Unload();

  private:
    bool open_ = true;
    bool confirmed_ = false;
};

}  // namespace arc
