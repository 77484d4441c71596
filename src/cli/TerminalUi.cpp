#include "cli/TerminalUi.h"

#include <iostream>

#include "core/Log.h"
#include "core/Progress.h"
#include "core/Task.h"

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
    if (lastPercent_ >= 0 && isTerminal_) {
        err_ << '\n';  // below the bar, which starts again on the next line
        lastPercent_ = -1;
    }
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

void TerminalUi::SetMenusEnabled(bool) {}

void TerminalUi::RunTask(TaskProgress& progress, const TaskBody& body, TaskShow show) {
    if (!show.window) {
        UiService::RunTask(progress, body, show);
        return;
    }
    lastPercent_ = -1;
    lastTenth_ = -1;
    label_.clear();
    progress.Watch([this](TaskProgress& reported) { Report(reported); });
    struct BarEnd {
        TerminalUi& ui;
        ~BarEnd() {
            if (ui.isTerminal_ && ui.lastPercent_ >= 0) ui.err_ << '\n';
            ui.lastPercent_ = -1;
        }
    } end{*this};
    TaskContext context(progress, *this);
    body(context);
}

void TerminalUi::Report(const TaskProgress& progress) {
    const int percent = ProgressBarValue(progress.Total(), progress.Done());
    std::string label = progress.Label();
    if (!isTerminal_) {
        // Plain lines: one per tenth of the way, with the item then worked
        // on (a task naming thousands of sets shows a few of them).
        const int tenth = percent / 10;
        if (tenth == lastTenth_ || (label.empty() && progress.Done() == 0)) return;
        label_ = std::move(label);
        err_ << percent << '%';
        if (!label_.empty()) err_ << ' ' << label_;
        err_ << '\n';
        lastTenth_ = tenth;
        return;
    }
    if (percent == lastPercent_ && !throttle_.Due()) return;
    label_ = std::move(label);
    constexpr int kWidth = 30;
    const int filled = percent * kWidth / 100;
    err_ << "\r[" << std::string(filled, '#') << std::string(kWidth - filled, '.') << "] "
         << percent << "% " << label_.substr(0, 40) << "\x1b[K" << std::flush;
    lastPercent_ = percent;
}

}  // namespace arc::cli
