#include "ui/UpdateWindow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/Files.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "pipeline/BuildPipeline.h"
#include "pipeline/SoftwareStep.h"
#include "ui/DesktopWindows.h"
#include "ui/ImportOptionsWindow.h"
#include "ui/MainWindow.h"
#include "ui/QtText.h"
#include "ui/TaskRunner.h"
#include "ui/WindowRegistry.h"

namespace arc::ui {
UpdateWindow::UpdateWindow(QWidget* parent)
    : ChildWindow(WindowId::Update, parent),
      path_(new QLineEdit(this)),
      software_(new QCheckBox(Q(Text(kTextSoftwareListsBox)), this)),
      definedPaths_(new QRadioButton(Q(Text(kTextUseDefinedPaths)), this)),
      ownPaths_(new QRadioButton(Q(Text(kTextUseOwnData)), this)) {
    setWindowTitle(Q(Text(kTextUpdateTitle)));
    path_->setObjectName("Text1");
    definedPaths_->setObjectName("Option1_0");
    ownPaths_->setObjectName("Option1_1");
    software_->setObjectName("CheckSoftware");

    auto* grid = new QGridLayout;
    for (int box = 0; box < UpdateWindowState::kBoxes; ++box) {
        boxes_[box] = new QCheckBox(Q(UpdateWindowState::BoxCaption(box)), this);
        boxes_[box]->setObjectName(QString("Check1_%1").arg(box));
        // Box 0 on its own row, the support files in two columns under it.
        if (box == 0)
            grid->addWidget(boxes_[box], 0, 0, 1, 2);
        else
            grid->addWidget(boxes_[box], 1 + (box - 1) / 2, (box - 1) % 2);
    }

    auto* choose = Button("Command5", "...", this);
    auto* update = Button("Command1", Q(Text(kTextUpdateButton)), this);
    auto* close = Button("Command2", Q(Text(kTextCloseButton)), this);
    auto* paths = Button("Command3", Q(Text(kTextPaths)), this);
    auto* download = Button("Command4", Q(Text(kTextDownload)), this);
    connect(choose, &QPushButton::clicked, this, &UpdateWindow::ChooseFile);
    connect(update, &QPushButton::clicked, this, &UpdateWindow::RunUpdate);
    connect(close, &QPushButton::clicked, this, &UpdateWindow::Unload);
    connect(paths, &QPushButton::clicked, this, [this] { WaitForWindow(WindowId::Paths, true); });
    connect(download, &QPushButton::clicked, this,
            [this] { WaitForWindow(WindowId::Download, false); });

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(path_);
    pathRow->addWidget(choose);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {update, paths, download, close})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pathRow);
    layout->addLayout(grid);
    layout->addWidget(software_);
    layout->addWidget(definedPaths_);
    layout->addWidget(ownPaths_);
    layout->addLayout(buttons);

    state_.showWindow = [this](bool shown) { Frame()->setVisible(shown); };
    state_.Load();
    ToWidgets();
}

void UpdateWindow::ToWidgets() {
    path_->setText(QString::fromStdString(state_.databasePath));
    for (int box = 0; box < UpdateWindowState::kBoxes; ++box)
        boxes_[box]->setChecked(state_.boxes[box]);
    software_->setChecked(state_.software);
    (state_.useDefinedPaths ? definedPaths_ : ownPaths_)->setChecked(true);
}

void UpdateWindow::FromWidgets() {
    state_.databasePath = path_->text().toStdString();
    for (int box = 0; box < UpdateWindowState::kBoxes; ++box)
        state_.boxes[box] = boxes_[box]->isChecked();
    state_.software = software_->isChecked();
    state_.useDefinedPaths = definedPaths_->isChecked();
}

void UpdateWindow::ChooseFile() {
    FromWidgets();
    state_.ChooseDatabase();
    ToWidgets();
}

void UpdateWindow::RunUpdate() {
    FromWidgets();
    state_.Update();
}

void UpdateWindow::WaitForWindow(WindowId window, bool menusOffAfter) {
    FromWidgets();
    Frame()->hide();
    // The main window may close this one while it waits.
    const QPointer<UpdateWindow> self(this);
    Ui().RunWindow(window);
    if (!self) return;
    if (menusOffAfter) DisableMenus();
    Frame()->show();
}

void UpdateWindow::OnUnload() {
    FromWidgets();
    state_.Unload();
}

void RegisterUpdateWindow() {
    RegisterWindow<UpdateWindow>(WindowId::Update);
    RegisterMenuCommand(MenuCommand::UpdateDatabase, OpenWindowCommand(WindowId::Update));
    RegisterMenuCommand(MenuCommand::BuildDatabase, [](MainWindow& main) {
        BuildHooks hooks;
        hooks.askImportOptions = [&main] { return AskImportOptions(main); };
        hooks.softwareSource = AvailableSoftwareSource;
        if (BuildDatabase(hooks).result == BuildResult::TemplateMissing) main.close();
    });
}

}  // namespace arc::ui
