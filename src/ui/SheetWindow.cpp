#include "ui/SheetWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/Settings.h"
#include "core/WindowId.h"
#include "ui/DesktopWindows.h"
#include "ui/QtText.h"
#include "ui/SelectAllText.h"
#include "ui/WindowRegistry.h"

namespace arc::ui {
namespace {

constexpr int kWindowNumber = WindowNumber(WindowId::Sheet);

}  // namespace

SheetWindow::SheetWindow() : ChildWindow(WindowId::Sheet) {
    // The folder chooser waits until the window shows (see showEvent).
    state_.Load(false);
    state_.showWindow = [this](bool show) { Frame()->setVisible(show); };
    setWindowTitle(Q(state_.caption));

    auto* frame1 = new QGroupBox(Q(state_.frame1), this);
    frame1->setObjectName("Frame1");
    text1_ = new QLineEdit(Q(state_.text1), frame1);
    text1_->setObjectName("Text1");
    SelectAllTextOnFocus(text1_);
    auto* command1 = new QPushButton("...", frame1);
    command1->setObjectName("Command1");
    command1->setFixedWidth(36);
    combo1_ = new QComboBox(frame1);
    combo1_->setObjectName("Combo1");
    for (const std::string& skin : state_.combo1)
        combo1_->addItem(Q(skin));
    combo1_->setCurrentIndex(state_.combo1Index);
    combo1_->setEnabled(!state_.combo1.empty());
    auto* frameRows = new QGridLayout(frame1);
    frameRows->addWidget(text1_, 0, 0);
    frameRows->addWidget(command1, 0, 1);
    frameRows->addWidget(combo1_, 1, 0, 1, 2);

    auto* selection = new QVBoxLayout;
    for (int index : SheetWindowState::kCheck1Indexes) {
        check1_.append(
            AddCheck(Indexed("Check1", index), state_.check1Captions[index], state_.check1[index]));
        selection->addWidget(check1_.back());
    }
    check3_ = AddCheck("Check3", state_.check3Caption, state_.check3);
    check4_ = AddCheck("Check4", state_.check4Caption, state_.check4);
    selection->addWidget(check3_);
    selection->addWidget(check4_);
    selection->addStretch(1);

    auto* copies = new QVBoxLayout;
    for (int i = 0; i < static_cast<int>(state_.check2.size()); ++i) {
        check2_.append(AddCheck(Indexed("Check2", i), state_.check2Captions[i], state_.check2[i]));
        copies->addWidget(check2_.back());
    }
    copies->addStretch(1);

    auto* options = new QHBoxLayout;
    options->addLayout(selection);
    options->addLayout(copies);

    auto* command2 = new QPushButton(Q(state_.command2Caption), this);
    command2->setObjectName("Command2");
    command2->setDefault(true);
    auto* command3 = new QPushButton(Q(state_.command3Caption), this);
    command3->setObjectName("Command3");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(command2);
    buttons->addWidget(command3);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame1);
    layout->addLayout(options);
    layout->addLayout(buttons);

    connect(command1, &QPushButton::clicked, this, &SheetWindow::ChooseFolder);
    connect(command2, &QPushButton::clicked, this, &SheetWindow::Make);
    connect(command3, &QPushButton::clicked, this, &ChildWindow::Unload);
    resize(620, 330);
}

QCheckBox* SheetWindow::AddCheck(const QString& name, const std::string& caption, bool checked) {
    auto* box = new QCheckBox(Q(caption), this);
    box->setObjectName(name);
    box->setChecked(checked);
    return box;
}

void SheetWindow::TakeControls() {
    for (int i = 0; i < check1_.size(); ++i)
        state_.check1[SheetWindowState::kCheck1Indexes[i]] = check1_[i]->isChecked();
    for (int i = 0; i < check2_.size(); ++i)
        state_.check2[i] = check2_[i]->isChecked();
    state_.check3 = check3_->isChecked();
    state_.check4 = check4_->isChecked();
    state_.text1 = text1_->text().toStdString();
    state_.combo1Index = state_.combo1.empty() ? -1 : combo1_->currentIndex();
}

void SheetWindow::ChooseFolder() {
    TakeControls();
    state_.ChooseSheetFolder();
    text1_->setText(Q(state_.text1));
}

void SheetWindow::Make() {
    if (running_) return;
    TakeControls();
    running_ = true;
    state_.Make();
    running_ = false;
    if (state_.focusText1) {
        state_.focusText1 = false;
        text1_->setFocus(Qt::OtherFocusReason);
    }
    if (state_.unloadRequested) {
        Unload();
    } else if (state_.visible && !Frame()->isVisible()) {
        Frame()->show();
    }
}

void SheetWindow::showEvent(QShowEvent* event) {
    ChildWindow::showEvent(event);
    if (!chooserShown_) {
        chooserShown_ = true;
        QTimer::singleShot(0, this, &SheetWindow::ChooseFolder);
    }
}

void SheetWindow::closeEvent(QCloseEvent* event) {
    // The run works on this window's state; it stays until the run ends.
    if (running_) {
        event->ignore();
        return;
    }
    ChildWindow::closeEvent(event);
}

void SheetWindow::OnUnload() {
    TakeControls();
    // ChildWindow stored the frame's position just before.
    state_.left = TheSettings().WindowLeft[kWindowNumber];
    state_.top = TheSettings().WindowTop[kWindowNumber];
    state_.Unload();
}

void RegisterSheetWindow() {
    RegisterWindow<SheetWindow>(WindowId::Sheet);
    RegisterMenuCommand(MenuCommand::MakeSheets, OpenWindowCommand(WindowId::Sheet));
}

}  // namespace arc::ui
