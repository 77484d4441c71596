#include "ui/Form13.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <QVBoxLayout>

#include "core/AppState.h"
#include "core/Files.h"
#include "core/UiService.h"
#include "database/BuildPipeline.h"
#include "ui/MainWindow.h"
#include "ui/WindowRegistry.h"

namespace arc::ui {
namespace {

QPushButton* Button(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

}  // namespace

Form13::Form13(QWidget* parent)
    : ChildWindow("Form13", 13, parent),
      path_(new QLineEdit(this)),
      definedPaths_(new QRadioButton(QString::fromUtf8("Utiliser les chemins définis"), this)),
      ownPaths_(new QRadioButton(QString::fromUtf8("Utiliser les données d'Arcanote"), this)) {
    setWindowTitle(QString::fromUtf8("Mise à jour d'une base access"));
    path_->setObjectName("Text1");
    definedPaths_->setObjectName("Option1_0");
    ownPaths_->setObjectName("Option1_1");

    auto* grid = new QGridLayout;
    for (int box = 0; box < UpdateWindowState::kBoxes; ++box) {
        const std::string_view caption = UpdateWindowState::BoxCaption(box);
        boxes_[box] = new QCheckBox(QString::fromUtf8(caption.data(), caption.size()), this);
        boxes_[box]->setObjectName(QString("Check1_%1").arg(box));
        // Box 0 on its own row, the support files in two columns under it.
        if (box == 0)
            grid->addWidget(boxes_[box], 0, 0, 1, 2);
        else
            grid->addWidget(boxes_[box], 1 + (box - 1) / 2, (box - 1) % 2);
    }

    auto* choose = Button(this, "Command5", "...");
    auto* update = Button(this, "Command1", QString::fromUtf8("Mettre à jour"));
    auto* close = Button(this, "Command2", "Fermer");
    auto* paths = Button(this, "Command3", "Chemins");
    auto* download = Button(this, "Command4", QString::fromUtf8("Télécharger"));
    connect(choose, &QPushButton::clicked, this, &Form13::ChooseFile);
    connect(update, &QPushButton::clicked, this, &Form13::RunUpdate);
    connect(close, &QPushButton::clicked, this, &Form13::Unload);
    connect(paths, &QPushButton::clicked, this, [this] { WaitForWindow("Form1", true); });
    connect(download, &QPushButton::clicked, this, [this] { WaitForWindow("Form4", false); });

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(path_);
    pathRow->addWidget(choose);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {update, paths, download, close})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pathRow);
    layout->addLayout(grid);
    layout->addWidget(definedPaths_);
    layout->addWidget(ownPaths_);
    layout->addLayout(buttons);

    state_.showWindow = [this](bool shown) { Frame()->setVisible(shown); };
    state_.Load();
    ToWidgets();
}

void Form13::ToWidgets() {
    path_->setText(QString::fromStdString(state_.databasePath));
    for (int box = 0; box < UpdateWindowState::kBoxes; ++box)
        boxes_[box]->setChecked(state_.boxes[box]);
    (state_.useDefinedPaths ? definedPaths_ : ownPaths_)->setChecked(true);
}

void Form13::FromWidgets() {
    state_.databasePath = path_->text().toStdString();
    for (int box = 0; box < UpdateWindowState::kBoxes; ++box)
        state_.boxes[box] = boxes_[box]->isChecked();
    state_.useDefinedPaths = definedPaths_->isChecked();
}

void Form13::ChooseFile() {
    FromWidgets();
    state_.ChooseDatabase();
    ToWidgets();
}

void Form13::RunUpdate() {
    FromWidgets();
    state_.Update();
}

void Form13::WaitForWindow(const char* windowName, bool menusOffAfter) {
    FromWidgets();
    Frame()->hide();
    // The main window may close this one while it waits.
    const QPointer<Form13> self(this);
    if (Ui().OpenWindow(windowName)) {
        while (self && Ui().IsWindowOpen(windowName)) {
            QApplication::processEvents(QEventLoop::AllEvents, 50);
            QThread::msleep(10);
        }
    }
    if (!self) return;
    if (menusOffAfter) DisableMenus();
    Frame()->show();
}

void Form13::OnUnload() {
    FromWidgets();
    state_.Unload();
}

ARCANOTE_REGISTER_WINDOW(Form13);
ARCANOTE_REGISTER_COMMAND(MnuMAJ, OpenWindowCommand("Form13"));
ARCANOTE_REGISTER_COMMAND(MnuCreerBaseMDB, [](MDIForm1& main) {
    BuildHooks hooks;
    hooks.openImportOptions = [] {
        // Without an options window the options stay as they are.
        if (!Ui().OpenWindow("Form9")) State().Form9Message.clear();
    };
    hooks.importOptionsOpen = [] { return Ui().IsWindowOpen("Form9"); };
    if (CreerMDB(hooks) == BuildOutcome::TemplateMissing) main.close();
});

}  // namespace arc::ui
