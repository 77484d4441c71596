#include "cli/TerminalUi.h"

#include <iostream>

#include "core/Log.h"
#include "core/Progress.h"

namespace arc::cli {

TerminalUi::TerminalUi(std::ostream& err, bool assumeYes, bool isTerminal)
    : err_(err), assumeYes_(assumeYes), isTerminal_(isTerminal) {}

namespace {

const char* AnswerName(MsgAnswer answer) {
    switch (answer) {
        case MsgAnswer::Ok:
            return "OK";
        case MsgAnswer::Cancel:
            return "Cancel";
        case MsgAnswer::Yes:
            return "Yes";
        case MsgAnswer::No:
            return "No";
    }
    return "";
}

/// The answer that keeps the user's files when `destructive` would not.
MsgAnswer SafeAnswer(MsgButtons buttons, MsgAnswer destructive) {
    switch (buttons) {
        case MsgButtons::Ok:
            return MsgAnswer::Ok;
        case MsgButtons::OkCancel:
            return destructive == MsgAnswer::Cancel ? MsgAnswer::Ok : MsgAnswer::Cancel;
        case MsgButtons::YesNo:
            return destructive == MsgAnswer::No ? MsgAnswer::Yes : MsgAnswer::No;
        case MsgButtons::YesNoCancel:
            return MsgAnswer::Cancel;
    }
    return MsgAnswer::Cancel;
}

}  // namespace

void TerminalUi::Show(std::string_view text, std::string_view title) {
    std::string shown(text);
    for (char& c : shown)
        if (c == '|') c = '\n';
    if (progressVisible_ && isTerminal_) err_ << '\n';
    if (!title.empty()) err_ << title << ": ";
    err_ << shown << '\n';
}

MsgAnswer TerminalUi::AskDestructive(std::string_view text, MsgButtons buttons, MsgIcon,
                                     MsgAnswer destructive, std::string_view consent,
                                     std::string_view title) {
    Show(text, title);
    if (consents_.count(consent) != 0) {
        err_ << "  -> " << AnswerName(destructive) << " (" << consent << ")\n";
        return destructive;
    }
    const MsgAnswer safe = SafeAnswer(buttons, destructive);
    if (buttons != MsgButtons::Ok)
        err_ << "  -> " << AnswerName(safe) << " (use " << consent << " to answer "
             << AnswerName(destructive) << ")\n";
    return safe;
}

MsgAnswer TerminalUi::Message(std::string_view text, MsgButtons buttons, MsgIcon,
                              std::string_view title) {
    Show(text, title);
    switch (buttons) {
        case MsgButtons::Ok:
            return MsgAnswer::Ok;
        case MsgButtons::OkCancel:
            err_ << (assumeYes_ ? "  -> OK (--yes)\n" : "  -> Cancel (use --yes to accept)\n");
            return assumeYes_ ? MsgAnswer::Ok : MsgAnswer::Cancel;
        case MsgButtons::YesNo:
        case MsgButtons::YesNoCancel:
            err_ << (assumeYes_ ? "  -> Yes (--yes)\n" : "  -> No (use --yes to answer Yes)\n");
            return assumeYes_ ? MsgAnswer::Yes : MsgAnswer::No;
    }
    return MsgAnswer::No;
}

std::string TerminalUi::ChooseFileRaw(const FileDialogRequest&) {
    return nextFile;
}

std::string TerminalUi::ChooseFolderRaw(std::string_view, std::string_view) {
    return nextFolder;
}

bool TerminalUi::OpenWithDefaultApp(std::string_view pathOrUrl) {
    err_ << "See: " << pathOrUrl << '\n';
    return true;
}

void TerminalUi::ProcessEvents() {
    if (progressVisible_) DrawBar();
}

void TerminalUi::SetMenusEnabled(bool) {}

void TerminalUi::ShowProgressWindow() {
    progressVisible_ = true;
    lastPercent_ = -1;
    lastLabelTenth_ = -1;
}

void TerminalUi::SetProgressLabel(std::string_view text) {
    label_ = std::string(text);
    if (!progressVisible_) return;
    if (isTerminal_) {
        DrawBar();
        return;
    }
    // Plain lines: a task that names each item it works on (thousands of
    // sets) shows one name per tenth of the way, not every one.
    const int tenth = ProgressBarValue(Progress().Total, Progress().Done) / 10;
    if (!label_.empty() && tenth != lastLabelTenth_) {
        err_ << label_ << '\n';
        lastLabelTenth_ = tenth;
    }
}

void TerminalUi::UnloadProgressWindow() {
    if (progressVisible_ && isTerminal_) err_ << '\n';
    progressVisible_ = false;
}

void TerminalUi::DrawBar() {
    const int percent = ProgressBarValue(Progress().Total, Progress().Done);
    if (!isTerminal_) {
        // Plain lines: one per tenth of the way.
        if (percent / 10 != lastPercent_ / 10) err_ << percent << "%\n";
        lastPercent_ = percent;
        return;
    }
    constexpr int kWidth = 30;
    const int filled = percent * kWidth / 100;
    std::string label = label_.substr(0, 40);
    err_ << "\r[" << std::string(filled, '#') << std::string(kWidth - filled, '.') << "] "
         << percent << "% " << label << "\x1b[K" << std::flush;
    lastPercent_ = percent;
}

}  // namespace arc::cli
