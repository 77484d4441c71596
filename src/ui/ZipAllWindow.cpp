#include "ui/ZipAllWindow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/TextTable.h"
#include "ui/DesktopWindows.h"
#include "ui/QtText.h"
#include "ui/SelectAllText.h"
#include "ui/WindowRegistry.h"

namespace arc::ui {
namespace {

/// A framed folder box with its browse button.
QGroupBox* FolderFrame(const char* frameName, const QString& caption, QLineEdit* box,
                       QPushButton* browse, QWidget* parent) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(frameName);
    auto* row = new QHBoxLayout(frame);
    row->addWidget(box);
    row->addWidget(browse);
    browse->setFixedWidth(36);
    return frame;
}

}  // namespace

ZipAllWindow::ZipAllWindow()
    : ChildWindow(WindowId::ZipAll),
      text1_(new QLineEdit(this)),
      text2_(new QLineEdit(this)),
      check1_(new QCheckBox(Q(Text(kTextDeleteWhenDone)), this)),
      zipAll_(Button("Command3", Q(Text(kTextZipAll)), this)) {
    state_.Load();
    state_.ShowWindow = [this](bool shown) { Frame()->setVisible(shown); };
    setWindowTitle(Q(Text(kTextZipUnzip)).remove(QChar('&')));

    auto* explanation = new QLabel(Q(Text(kTextZipAllHelp)), this);
    explanation->setObjectName("Label1");
    explanation->setWordWrap(true);
    text1_->setObjectName("Text1");
    text2_->setObjectName("Text2");
    text1_->setText(Q(state_.SourceText));
    text2_->setText(Q(state_.DestText));
    SelectAllTextOnFocus(text1_);
    SelectAllTextOnFocus(text2_);
    check1_->setObjectName("Check1");
    auto* browseSource = Button("Command1", "...", this);
    auto* browseDest = Button("Command2", "...", this);
    auto* unzipAll = Button("Command4", Q(Text(kTextUnzipAll)), this);
    auto* close = Button("Command5", Q(Text(kTextCloseButton)), this);
    zipAll_->setEnabled(state_.ZipAllEnabled());

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(zipAll_);
    buttons->addWidget(unzipAll);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addWidget(FolderFrame("Frame1", Q(Text(kTextSourcePath)), text1_, browseSource, this));
    layout->addWidget(
        FolderFrame("Frame2", Q(Text(kTextDestinationPath)), text2_, browseDest, this));
    layout->addWidget(check1_);
    layout->addLayout(buttons);

    connect(browseSource, &QPushButton::clicked, this, [this] {
        TakeBoxes();
        state_.BrowseSource();
        text1_->setText(Q(state_.SourceText));
    });
    connect(browseDest, &QPushButton::clicked, this, [this] {
        TakeBoxes();
        state_.BrowseDest();
        text2_->setText(Q(state_.DestText));
    });
    connect(zipAll_, &QPushButton::clicked, this, [this] {
        TakeBoxes();
        state_.ZipAll();
    });
    connect(unzipAll, &QPushButton::clicked, this, [this] {
        TakeBoxes();
        state_.UnzipAll();
    });
    connect(close, &QPushButton::clicked, this, [this] { Unload(); });
}

void ZipAllWindow::TakeBoxes() {
    state_.SourceText = text1_->text().toStdString();
    state_.DestText = text2_->text().toStdString();
    state_.DeleteWhenDone = check1_->isChecked();
}

void RegisterZipAllWindow() {
    RegisterWindow<ZipAllWindow>(WindowId::ZipAll);
    RegisterMenuCommand(MenuCommand::ZipUnzip, OpenWindowCommand(WindowId::ZipAll));
}

}  // namespace arc::ui
