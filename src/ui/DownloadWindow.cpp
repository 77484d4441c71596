#include "ui/DownloadWindow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/TextTable.h"
#include "core/UiService.h"
#include "ui/DesktopWindows.h"
#include "ui/MainWindow.h"
#include "ui/QtText.h"
#include "ui/TaskRunner.h"
#include "ui/WindowRegistry.h"
#include "ui/WindowRun.h"

namespace arc::ui {
DownloadWindow::DownloadWindow() : ChildWindow(WindowId::Download) {
    setWindowTitle(Q(Text(kTextDownloadingData)));
    auto* explanation = new QLabel(Q(Text(kTextSelectFilesToDownload)), this);
    explanation->setObjectName("Label1");
    explanation->setWordWrap(true);

    auto* grid = new QGridLayout;
    for (int i = 0; i < kDownloadEntries; ++i) {
        checks_[i] = new QCheckBox(Q(std::string(DownloadEntries()[i].label)), this);
        checks_[i]->setObjectName(Indexed("Check1", i));
        urls_[i] = new QLineEdit(this);
        urls_[i]->setObjectName(Indexed("Text1", i));
        urls_[i]->setMinimumWidth(360);
        sites_[i] = new QPushButton("Site", this);
        sites_[i]->setObjectName(Indexed("Command4", i));
        successMarks_[i] = new QLabel(QString::fromUtf8("✔"), this);
        successMarks_[i]->setObjectName(Indexed("Image1", i));
        successMarks_[i]->setStyleSheet("color: green;");
        failureMarks_[i] = new QLabel(QString::fromUtf8("✘"), this);
        failureMarks_[i]->setObjectName(Indexed("Image2", i));
        failureMarks_[i]->setStyleSheet("color: red;");
        grid->addWidget(checks_[i], i, 0);
        grid->addWidget(urls_[i], i, 1);
        grid->addWidget(sites_[i], i, 2);
        grid->addWidget(successMarks_[i], i, 3);
        grid->addWidget(failureMarks_[i], i, 4);

        connect(urls_[i], &QLineEdit::editingFinished, this, [this, i] {
            // The refusal's message box takes the focus: no second editingFinished.
            const QSignalBlocker quiet(urls_[i]);
            if (!state_.EditUrl(i, urls_[i]->text().toStdString()))
                urls_[i]->setText(Q(state_.rows[i].fileUrl));
        });
        connect(sites_[i], &QPushButton::clicked, this, [this, i] {
            state_.OpenSite(i);
            Refresh();
        });
    }

    auto* note = new QLabel(Q(Text(kTextDataCopiedIntoProgramFolder)), this);
    note->setObjectName("Label3");
    note->setWordWrap(true);
    copy_ = new QCheckBox(Q(Text(kTextCopyDataIntoDefinedFolders)), this);
    copy_->setObjectName("Check2");
    status_ = new QLabel(this);
    status_->setObjectName("Label2");

    download_ = new QPushButton(Q(Text(kTextDownload)), this);
    download_->setObjectName("Command1");
    cancel_ = new QPushButton(Q(Text(kTextCancel)), this);
    cancel_->setObjectName("Command2");
    paths_ = new QPushButton(Q(Text(kTextWizardPaths)), this);
    paths_->setObjectName("Command3");
    editList_ = new QPushButton("Arcanote.url.inf", this);
    editList_->setObjectName("Command5");
    connect(download_, &QPushButton::clicked, this, &DownloadWindow::RunDownload);
    connect(cancel_, &QPushButton::clicked, this, &DownloadWindow::Unload);
    connect(paths_, &QPushButton::clicked, this, [this] { state_.Paths(); });
    connect(editList_, &QPushButton::clicked, this, [this] {
        Collect();
        state_.EditList();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(editList_);
    buttons->addStretch();
    buttons->addWidget(paths_);
    buttons->addWidget(download_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addLayout(grid);
    layout->addWidget(note);
    layout->addWidget(copy_);
    layout->addWidget(status_);
    layout->addLayout(buttons);

    state_.onChanged = [this] { RunOnUiThread([this] { Refresh(); }); };
    state_.onCloseRequest = [this] { Unload(); };
    state_.setVisible = [this](bool visible) { Frame()->setVisible(visible); };
    state_.Open();
    for (int i = 0; i < kDownloadEntries; ++i)
        urls_[i]->setText(Q(state_.rows[i].fileUrl));
    Refresh();
    RestorePlace();
}

void DownloadWindow::Collect() {
    for (int i = 0; i < kDownloadEntries; ++i) {
        state_.rows[i].checked = checks_[i]->isChecked();
        state_.rows[i].fileUrl = urls_[i]->text().toStdString();
    }
    state_.copyToPaths = copy_->isChecked();
}

void DownloadWindow::Refresh() {
    for (int i = 0; i < kDownloadEntries; ++i) {
        if (urls_[i]->text().toStdString() != state_.rows[i].fileUrl)
            urls_[i]->setText(Q(state_.rows[i].fileUrl));
        urls_[i]->setEnabled(state_.controlsEnabled);
        sites_[i]->setEnabled(state_.controlsEnabled);
        successMarks_[i]->setVisible(state_.rows[i].success);
        failureMarks_[i]->setVisible(state_.rows[i].failure);
    }
    for (QPushButton* button : {download_, cancel_, paths_, editList_})
        button->setEnabled(state_.controlsEnabled);
    status_->setText(Q(state_.status));
    status_->setVisible(state_.statusVisible);
}

void DownloadWindow::RunDownload() {
    Collect();
    state_.Run();
}

void DownloadWindow::OnUnload() {
    Collect();
    state_.Close();
}

std::string RunDownloadStep(MainWindow& main) {
    std::string summary;
    RunWindowTied<DownloadWindow>(
        main, WindowId::Download,
        [&summary](DownloadWindow& window) {
            window.OpenedByWizard();
            window.State().onRunEnded = [&summary](const std::string& what) { summary = what; };
        },
        [](DownloadWindow& window) { window.State().onRunEnded = nullptr; });
    return summary;
}

void RegisterDownloadWindow() {
    RegisterWindow<DownloadWindow>(WindowId::Download);
    RegisterMenuCommand(MenuCommand::Download, OpenWindowCommand(WindowId::Download));
}

}  // namespace arc::ui
