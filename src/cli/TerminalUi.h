#pragma once
// The command line's UiService: messages to stderr, questions answered by
// --yes (else the safe answer No, said aloud), a progress bar on a terminal
// and plain lines otherwise.

#include <iosfwd>
#include <string>

#include "core/UiService.h"

namespace arc::cli {

class TerminalUi final : public UiService {
  public:
    TerminalUi(std::ostream& err, bool assumeYes, bool isTerminal);

    MsgAnswer Message(std::string_view text, MsgButtons buttons, MsgIcon icon,
                      std::string_view title = {}) override;
    std::string ChooseFileRaw(const FileDialogRequest& request) override;
    std::string ChooseFolderRaw(std::string_view startFolder, std::string_view title) override;
    bool OpenWithDefaultApp(std::string_view pathOrUrl) override;
    void ProcessEvents() override;
    void SetMenusEnabled(bool enabled) override;
    void ShowProgressWindow() override;
    void SetProgressLabel(std::string_view text) override;
    void UnloadProgressWindow() override;
    void EndProgram(int exitCode) override;

    /// Answers for the file and folder choosers (set by commands from their options).
    std::string nextFile;
    std::string nextFolder;

  private:
    void DrawBar();

    std::ostream& err_;
    bool assumeYes_;
    bool isTerminal_;
    bool progressVisible_ = false;
    int lastPercent_ = -1;
    std::string label_;
};

}  // namespace arc::cli
