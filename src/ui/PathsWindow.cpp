#include "ui/PathsWindow.h"

#include <QAction>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "core/TextTable.h"
#include "ui/DesktopWindows.h"
#include "ui/MainWindow.h"
#include "ui/QtText.h"
#include "ui/WindowRegistry.h"

namespace arc::ui {
namespace {

// Support-file slots shown on each of the three data tabs.
constexpr int kDataTabFirst[] = {0, 6, 12};
constexpr int kDataTabEnd[] = {6, 12, kDataFileSlots};

QPushButton* ChooserButton(const QString& name, QWidget* parent) {
    auto* button = new QPushButton("...", parent);
    button->setObjectName(name);
    button->setFixedWidth(36);
    return button;
}

}  // namespace

PathsWindow::PathsWindow()
    : ChildWindow(WindowId::Paths), tabs_(new QTabWidget(this)), emulator_(new QLabel(this)) {
    state_.Load();
    setWindowTitle(Q(Text(kTextPaths)));

    auto* top = new QGridLayout;
    auto* exeLabel = new QLabel(Q(Text(kTextEmulatorPath)), this);
    exeLabel->setObjectName("Label1_0");
    text1_ = AddPathBox("Text1");
    auto* command1 = ChooserButton("Command1", this);
    auto* romsLabel = new QLabel(Q(Text(kTextRomPath)), this);
    romsLabel->setObjectName("Label1_1");
    text2_ = AddPathBox("Text2");
    auto* command2 = ChooserButton("Command2", this);
    top->addWidget(exeLabel, 0, 0, 1, 2);
    top->addWidget(text1_, 1, 0);
    top->addWidget(command1, 1, 1);
    emulator_->setObjectName("LabelEmulator");
    emulator_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    top->addWidget(emulator_, 2, 0, 1, 2);
    connect(text1_, &QLineEdit::textChanged, this, &PathsWindow::ShowEmulatorInUse);
    top->addWidget(romsLabel, 3, 0, 1, 2);
    top->addWidget(text2_, 4, 0);
    top->addWidget(command2, 4, 1);
    connect(command1, &QPushButton::clicked, this, [this] {
        TakeBoxes();
        if (state_.ChooseExecutable()) text1_->setText(Q(state_.mameExe));
    });
    connect(command2, &QPushButton::clicked, this, [this] {
        TakeBoxes();
        if (state_.ChooseRomsFolder()) text2_->setText(Q(state_.romsFolder));
    });

    tabs_->setObjectName("TS");
    auto* images = new QWidget;
    images->setObjectName("Frame1_0");
    auto* imageRows = new QGridLayout(images);
    for (int slot = 0; slot < kArtSlots; ++slot) {
        auto* label = new QLabel(Q(state_.ArtLabel(slot)), images);
        label->setObjectName(Indexed("Label2", slot));
        QLineEdit* box = AddPathBox(Indexed("Text3", slot));
        auto* button = ChooserButton(Indexed("Command3", slot), images);
        imageRows->addWidget(label, slot * 2, 0, 1, 2);
        imageRows->addWidget(box, slot * 2 + 1, 0);
        imageRows->addWidget(button, slot * 2 + 1, 1);
        text3_.append(box);
        connect(button, &QPushButton::clicked, this, [this, slot] {
            TakeBoxes();
            if (state_.ChooseArtFolder(slot)) text3_[slot]->setText(Q(state_.artFolders[slot]));
        });
    }
    imageRows->setRowStretch(kArtSlots * 2, 1);
    tabs_->addTab(images, Q(Text(kTextImagesTab)));

    for (int tab = 0; tab < 3; ++tab) {
        auto* frame = new QWidget;
        frame->setObjectName(Indexed("Frame1", tab + 1));
        auto* rows = new QGridLayout(frame);
        int row = 0;
        for (int slot = kDataTabFirst[tab]; slot < kDataTabEnd[tab]; ++slot, row += 2) {
            auto* label = new QLabel(Q(state_.DataFileLabel(slot)), frame);
            label->setObjectName(Indexed("Label3", slot));
            QLineEdit* box = AddPathBox(Indexed("Text4", slot));
            auto* button = ChooserButton(Indexed("Command4", slot), frame);
            rows->addWidget(label, row, 0, 1, 2);
            rows->addWidget(box, row + 1, 0);
            rows->addWidget(button, row + 1, 1);
            text4_.append(box);
            connect(button, &QPushButton::clicked, this, [this, slot] {
                TakeBoxes();
                if (state_.ChooseDataFile(slot)) text4_[slot]->setText(Q(state_.dataFiles[slot]));
            });
        }
        rows->setRowStretch(row, 1);
        tabs_->addTab(frame, Q(Text(kTextDataTab) + " " + std::to_string(tab + 1)));
    }

    auto* command5 = new QPushButton(Q(Text(kTextArtPathsFromEmulator)), this);
    command5->setObjectName("Command5");
    auto* command6 = new QPushButton(Q(Text(kTextDataPathsFromEmulator)), this);
    command6->setObjectName("Command6");
    connect(command5, &QPushButton::clicked, this, [this] {
        TakeBoxes();
        if (state_.FillArtFolders()) ShowState();
    });
    connect(command6, &QPushButton::clicked, this, [this] {
        TakeBoxes();
        if (state_.FillDataFiles()) ShowState();
    });
    auto* autoFill = new QHBoxLayout;
    autoFill->addWidget(command5);
    autoFill->addWidget(command6);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(tabs_, 1);
    layout->addLayout(autoFill);
    ShowState();
    ShowEmulatorInUse();
    resize(680, 600);
}

QLineEdit* PathsWindow::AddPathBox(const QString& name) {
    auto* box = new QLineEdit(this);
    box->setObjectName(name);
    box->installEventFilter(this);
    // A box naming a file or folder that does not exist shows a warning sign
    // (an action of the box: the flat style sheet leaves it alone).
    QAction* warning = box->addAction(style()->standardIcon(QStyle::SP_MessageBoxWarning),
                                      QLineEdit::TrailingPosition);
    warning->setToolTip(Q(Text(kTextPathMissing)));
    warning->setVisible(false);
    connect(box, &QLineEdit::textChanged, box, [box, warning](const QString& text) {
        const bool missing = PathsWindowState::IsMissing(text.toStdString());
        box->setProperty("missing", missing);
        warning->setVisible(missing);
    });
    return box;
}

void PathsWindow::ShowEmulatorInUse() {
    state_.mameExe = text1_->text().toStdString();
    const std::string used = state_.EmulatorInUse();
    emulator_->setText(Q(Text(kTextEmulatorUsed) + (used.empty() ? Text(kTextNoneFound) : used)));
}

void PathsWindow::ShowState() {
    text1_->setText(Q(state_.mameExe));
    text2_->setText(Q(state_.romsFolder));
    for (int slot = 0; slot < kArtSlots; ++slot)
        text3_[slot]->setText(Q(state_.artFolders[slot]));
    for (int slot = 0; slot < kDataFileSlots; ++slot)
        text4_[slot]->setText(Q(state_.dataFiles[slot]));
}

void PathsWindow::TakeBoxes() {
    state_.mameExe = text1_->text().toStdString();
    state_.romsFolder = text2_->text().toStdString();
    for (int slot = 0; slot < kArtSlots; ++slot)
        state_.artFolders[slot] = text3_[slot]->text().toStdString();
    for (int slot = 0; slot < kDataFileSlots; ++slot)
        state_.dataFiles[slot] = text4_[slot]->text().toStdString();
}

bool PathsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (auto* box = qobject_cast<QLineEdit*>(watched)) {
            // Select the whole (trimmed) text once the click that gave the focus is handled.
            box->setText(box->text().trimmed());
            QTimer::singleShot(0, box, &QLineEdit::selectAll);
        }
    }
    return ChildWindow::eventFilter(watched, event);
}

void PathsWindow::OnUnload() {
    TakeBoxes();
    state_.Unload();
}

void RegisterPathsWindow() {
    RegisterWindow<PathsWindow>(WindowId::Paths);
    RegisterMenuCommand(MenuCommand::Paths, OpenWindowCommand(WindowId::Paths));
}

}  // namespace arc::ui
