#pragma once
// The one interface through which the logic reaches the user. The desktop
// program installs the Qt implementation, the command line its terminal one,
// the tests a scripted one.

#include <functional>
#include <string>
#include <string_view>

#include "core/WindowId.h"

namespace arc {

class TaskContext;
class TaskProgress;
using TaskBody = std::function<void(TaskContext&)>;

/// What RunTask shows while the task runs.
struct TaskShow {
    bool window = true;    ///< the progress window
    bool menusOff = true;  ///< the menus off until the task ended
};

enum class MsgIcon { None, Information, Exclamation, Critical, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

/// The answer when nobody chooses: Ok for an Ok-only box, Cancel for Ok /
/// Cancel, No for the others.
MsgAnswer UnchosenAnswer(MsgButtons buttons);

/// FileDialogRequest::flags: a save dialog that does not ask before replacing
/// a file, because its caller asks.
inline constexpr int kNoOverwritePrompt = 0x100;

/// A file dialog request. The filter is in the design's form:
/// "description|pattern|description|pattern|" (patterns may hold ";").
/// Who opens a tool window: the user (its menu command, a button) or the
/// wizard, as one of its steps (the window then runs without its end message
/// and closes itself after its run).
enum class WindowCaller { User, Wizard };

struct FileDialogRequest {
    std::string title;
    std::string initialName;
    std::string filter;
    int flags = 0;
    bool save = false;
};

class UiService {
  public:
    virtual ~UiService() = default;

    /// Shows a message box and returns the answer (Ok for an Ok-only box).
    virtual MsgAnswer Message(std::string_view text, MsgButtons buttons, MsgIcon icon,
                              std::string_view title = {}) = 0;

    /// A question one of whose answers, `destructive`, destroys or moves the user's
    /// files (empties a folder, trashes notes, deletes archives). A person answers
    /// it like any question; a front end that answers on the user's behalf gives
    /// the destructive answer only with the consent named `consent` (the command
    /// line's option, such as "--empty-destination"), never for a plain --yes.
    virtual MsgAnswer AskDestructive(std::string_view text, MsgButtons buttons, MsgIcon icon,
                                     MsgAnswer destructive, std::string_view consent,
                                     std::string_view title = {}) {
        (void)destructive;
        (void)consent;
        return Message(text, buttons, icon, title);
    }

    /// Raw file chooser: the chosen file, or an empty string when cancelled.
    virtual std::string ChooseFileRaw(const FileDialogRequest& request) = 0;

    /// Raw folder chooser opened on startFolder: the chosen folder, or empty when cancelled.
    virtual std::string ChooseFolderRaw(std::string_view startFolder, std::string_view title) = 0;

    /// Opens a document, folder or web address with the desktop's default application.
    virtual bool OpenWithDefaultApp(std::string_view pathOrUrl) = 0;

    /// Switches the main window's five top-level menus on or off.
    virtual void SetMenusEnabled(bool enabled) = 0;

    /// Runs a long task and returns when it ended: `body` reports to
    /// `progress` and asks its questions through the context it is given. The
    /// progress window shows `progress` (when `show.window`), the menus are off
    /// (when `show.menusOff`), its Cancel cancels `progress`. The desktop runs
    /// the body on a worker thread and keeps its windows live; the others run
    /// it here.
    virtual void RunTask(TaskProgress& progress, const TaskBody& body, TaskShow show = {});

    /// Cancels the task RunTask is running, if any (the wizard's stop).
    virtual void CancelTask() {}

    /// Opens a tool window without waiting; a window that is already open is
    /// brought to the front. False when this front end has no such window (the
    /// command line has none).
    virtual bool OpenWindow(WindowId window) {
        (void)window;
        return false;
    }

    /// True while the tool window is open.
    virtual bool IsWindowOpen(WindowId window) {
        (void)window;
        return false;
    }

    /// Opens a tool window and returns once it has closed, or once
    /// StopWaiting() ended the wait (the window then stays open). False when
    /// this front end has no such window (nothing was shown).
    virtual bool RunWindow(WindowId window, WindowCaller caller = WindowCaller::User) {
        (void)window;
        (void)caller;
        return false;
    }

    /// Ends the innermost RunWindow wait (the wizard's close box).
    virtual void StopWaiting() {}
};

/// The installed implementation (a silent one until a front end installs its
/// own); on a thread that installed its own with ThreadUi, that one.
UiService& Ui();

/// What the calling thread gets from Ui() while in scope (a worker thread's
/// questions go through it to the UI thread).
class ThreadUi {
  public:
    explicit ThreadUi(UiService& ui);
    ~ThreadUi();
    ThreadUi(const ThreadUi&) = delete;
    ThreadUi& operator=(const ThreadUi&) = delete;

  private:
    UiService* previous_;
};

/// Installs an implementation; the caller keeps it alive while installed.
/// Passing nullptr restores the silent default.
void InstallUi(UiService* ui);

}  // namespace arc
