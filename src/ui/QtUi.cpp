#include "ui/QtUi.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

#include "core/Progress.h"
#include "ui/ChildWindow.h"

#include "ui/FileDialogFilter.h"
#include "ui/MainWindow.h"
#include "ui/ProgressWindow.h"
#include "ui/QtText.h"
#include "ui/TaskRunner.h"
#include "ui/WindowFit.h"

namespace arc::ui {
namespace {

QMessageBox::Icon ToQt(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Information:
            return QMessageBox::Information;
        case MsgIcon::Exclamation:
            return QMessageBox::Warning;
        case MsgIcon::Critical:
            return QMessageBox::Critical;
        case MsgIcon::Question:
            return QMessageBox::Question;
        case MsgIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQt(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::Ok:
            return QMessageBox::Ok;
        case MsgButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MsgButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MsgButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

/// The answer of a box closed without a button (Escape, close box).
MsgAnswer Dismissed(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::Ok:
            return MsgAnswer::Ok;
        case MsgButtons::YesNo:
            return MsgAnswer::No;
        default:
            return MsgAnswer::Cancel;
    }
}

bool LooksLikeUrl(const QString& text) {
    const int colon = text.indexOf(QLatin1String("://"));
    return colon > 1 || text.startsWith(QLatin1String("mailto:"));
}

}  // namespace

QtUi::QtUi()
    : opener_([](const QString& target) {
          const QUrl url = LooksLikeUrl(target) ? QUrl(target) : QUrl::fromLocalFile(target);
          return QDesktopServices::openUrl(url);
      }) {}

QWidget* QtUi::DialogParent() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (progress_ && progress_->isVisible()) return progress_;
    return main_;
}

MsgAnswer QtUi::Message(std::string_view text, MsgButtons buttons, MsgIcon icon,
                        std::string_view title) {
    QMessageBox box(ToQt(icon), title.empty() ? QStringLiteral("Arcanote") : Q(title), Q(text),
                    ToQt(buttons), DialogParent());
    box.setObjectName("MsgBox");
    box.setTextFormat(Qt::PlainText);
    if (buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel)
        box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
        case QMessageBox::Ok:
            return MsgAnswer::Ok;
        case QMessageBox::Cancel:
            return MsgAnswer::Cancel;
        case QMessageBox::Yes:
            return MsgAnswer::Yes;
        case QMessageBox::No:
            return MsgAnswer::No;
        default:
            return Dismissed(buttons);
    }
}

std::string QtUi::ChooseFileRaw(const FileDialogRequest& request) {
    QFileDialog dialog(DialogParent(), Q(request.title));
    dialog.setObjectName("FileDialog");
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (request.flags & kNoOverwritePrompt) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const NameFilters filters = ToNameFilters(request.filter, request.initialName);
    if (!filters.filters.isEmpty()) {
        dialog.setNameFilters(filters.filters);
        dialog.selectNameFilter(filters.filters.at(filters.selected));
    }
    const QString initial = Q(request.initialName);
    if (!initial.isEmpty()) {
        const QFileInfo info(initial);
        if (info.isDir()) {
            dialog.setDirectory(info.absoluteFilePath());
        } else {
            if (info.dir().exists()) dialog.setDirectory(info.dir());
            dialog.selectFile(info.fileName());
        }
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst().toStdString();
}

std::string QtUi::ChooseFolderRaw(std::string_view startFolder, std::string_view title) {
    QFileDialog dialog(DialogParent(), Q(title));
    dialog.setObjectName("FolderDialog");
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    const QString start = Q(startFolder);
    if (!start.isEmpty() && QFileInfo(start).isDir()) dialog.setDirectory(start);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst().toStdString();
}

bool QtUi::OpenWithDefaultApp(std::string_view pathOrUrl) {
    return opener_(Q(pathOrUrl));
}

void QtUi::SetMenusEnabled(bool enabled) {
    if (main_) main_->SetMenusEnabled(enabled);
}

void QtUi::RunTask(TaskProgress& progress, const TaskBody& body, TaskShow show) {
    MenusOff menus(show.menusOff);
    QPointer<ProgressWindow> window;
    if (show.window) {
        window = new ProgressWindow(progress, main_);
        // Input to the other windows waits for the task; they still repaint.
        window->setWindowModality(Qt::ApplicationModal);
        window->show();
        window->raise();
        FitIntoVisibleArea(window);
        progress_ = window;
    }
    running_.push_back(&progress);
    struct End {
        QtUi& ui;
        QPointer<ProgressWindow>& window;
        ~End() {
            ui.running_.pop_back();
            if (window) window->Finish();
        }
    } end{*this, window};
    RunOnWorker(*this, progress, body);
}

void QtUi::CancelTask() {
    for (TaskProgress* task : running_)
        task->Cancel();
}

bool QtUi::OpenWindow(WindowId window) {
    return main_ && main_->OpenWindow(ObjectNameOf(window)) != nullptr;
}

bool QtUi::RunWindow(WindowId window, WindowCaller caller) {
    QWidget* opened = main_ ? main_->OpenWindow(ObjectNameOf(window)) : nullptr;
    if (!opened) return false;
    if (auto* child = qobject_cast<ChildWindow*>(opened); child && caller == WindowCaller::Wizard)
        child->OpenedByWizard();
    RunUntilClosed(opened);
    return true;
}

void QtUi::StopWaiting() {
    StopInnermostWait();
}

bool QtUi::IsWindowOpen(WindowId window) {
    if (window == WindowId::Progress) return progress_ && !progress_->Unloaded();
    return main_ && main_->FindOpenWindow(ObjectNameOf(window)) != nullptr;
}

}  // namespace arc::ui
