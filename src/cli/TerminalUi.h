#pragma once
// The command line's UiService: messages to stderr, questions answered by
// --yes (else the safe answer No, said aloud), questions that would destroy
// files answered only by their own option, a progress bar on a terminal and
// plain lines otherwise.

#include <iosfwd>
#include <set>
#include <string>

#include "core/Progress.h"
#include "core/UiService.h"

namespace arc::cli {

class TerminalUi final : public UiService {
  public:
    TerminalUi(std::ostream& err, bool assumeYes, bool isTerminal);

    MsgAnswer Message(std::string_view text, MsgButtons buttons, MsgIcon icon,
                      std::string_view title = {}) override;
    MsgAnswer AskDestructive(std::string_view text, MsgButtons buttons, MsgIcon icon,
                             MsgAnswer destructive, std::string_view consent,
                             std::string_view title = {}) override;
    std::string ChooseFileRaw(const FileDialogRequest& request) override;
    std::string ChooseFolderRaw(std::string_view startFolder, std::string_view title) override;
    bool OpenWithDefaultApp(std::string_view pathOrUrl) override;
    void SetMenusEnabled(bool enabled) override;
    /// Runs the task here, its progress drawn as a bar on a terminal and as
    /// a line per tenth of the way otherwise.
    void RunTask(TaskProgress& progress, const TaskBody& body, TaskShow show = {}) override;

    /// Grants the destructive answer of the questions that name this option.
    void GrantConsent(std::string option) { consents_.insert(std::move(option)); }

    /// Answers for the file and folder choosers (set by commands from their options).
    std::string nextFile;
    std::string nextFolder;

  private:
    void Report(const TaskProgress& progress);
    void Show(std::string_view text, std::string_view title);

    std::ostream& err_;
    bool assumeYes_;
    bool isTerminal_;
    int lastPercent_ = -1;  ///< the percent last drawn on the bar
    int lastTenth_ = -1;    ///< the tenth of the way at the last plain line
    std::string label_;
    LabelThrottle throttle_;
    std::set<std::string, std::less<>> consents_;
};

}  // namespace arc::cli
