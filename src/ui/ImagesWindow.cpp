#include "ui/ImagesWindow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/TextTable.h"
#include "core/UiService.h"
#include "ui/DesktopWindows.h"
#include "ui/QtText.h"
#include "ui/SelectAllText.h"
#include "ui/WindowRegistry.h"

namespace arc::ui {
ImagesWindow::ImagesWindow() : ChildWindow(WindowId::Images), text1_(new QLineEdit(this)) {
    state_.Load();
    state_.ShowWindow = [this](bool shown) { Frame()->setVisible(shown); };
    setWindowTitle(Q(Text(kTextImagesWindow)));

    auto* kinds = new QGridLayout;
    for (int slot = 0; slot < kArtSlots; ++slot) {
        auto* box = new QCheckBox(Q(Text(slot)), this);
        box->setObjectName(QString("Check1_%1").arg(slot));
        check1_[static_cast<std::size_t>(slot)] = box;
        kinds->addWidget(box, slot / 2, slot % 2);
    }
    auto* deleteButton = Button("Command1", Q(Text(kTextDeleteImagesWithoutRom)), this);
    auto* copyButton = Button("Command2", Q(Text(kTextCopyImagesWithRom)), this);

    auto* frame = new QGroupBox(Q(Text(kTextImagesSourceFolder)), this);
    frame->setObjectName("Frame1");
    text1_->setObjectName("Text1");
    text1_->setText(Q(state_.SourceText));
    SelectAllTextOnFocus(text1_);
    auto* browse = Button("Command3", "...", frame);
    browse->setFixedWidth(36);
    auto* sourceRow = new QHBoxLayout(frame);
    sourceRow->addWidget(text1_);
    sourceRow->addWidget(browse);

    auto* paths = Button("Command4", Q(Text(kTextPaths)), this);
    auto* close = Button("Command5", Q(Text(kTextCloseButton)), this);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(paths);
    bottom->addStretch();
    bottom->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(kinds);
    layout->addWidget(deleteButton);
    layout->addWidget(copyButton);
    layout->addWidget(frame);
    layout->addLayout(bottom);

    connect(deleteButton, &QPushButton::clicked, this, [this] {
        TakeBoxes();
        state_.DeleteImagesWithoutRom();
    });
    connect(copyButton, &QPushButton::clicked, this, [this] {
        TakeBoxes();
        state_.CopyImagesThatHaveRom();
        text1_->setText(Q(state_.SourceText));
    });
    connect(browse, &QPushButton::clicked, this, [this] {
        TakeBoxes();
        state_.BrowseSource();
        text1_->setText(Q(state_.SourceText));
    });
    connect(paths, &QPushButton::clicked, this, [this] { state_.EditPaths(); });
    connect(close, &QPushButton::clicked, this, [this] { Unload(); });
}

void ImagesWindow::TakeBoxes() {
    for (int slot = 0; slot < kArtSlots; ++slot)
        state_.Kinds[static_cast<std::size_t>(slot)] =
            check1_[static_cast<std::size_t>(slot)]->isChecked();
    state_.SourceText = text1_->text().toStdString();
}

void ImagesWindow::OnUnload() {
    state_.Unload();
}

void RegisterImagesWindow() {
    RegisterWindow<ImagesWindow>(WindowId::Images);
    RegisterMenuCommand(MenuCommand::Images, OpenWindowCommand(WindowId::Images));
}

}  // namespace arc::ui
