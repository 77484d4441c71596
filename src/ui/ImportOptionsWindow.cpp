#include "ui/ImportOptionsWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <utility>

#include "core/UiService.h"
#include "ui/DesktopWindows.h"
#include "ui/MainWindow.h"
#include "ui/QtText.h"
#include "ui/TaskRunner.h"
#include "ui/WindowRegistry.h"
#include "ui/WindowRun.h"

namespace arc::ui {
ImportOptionsWindow::ImportOptionsWindow() : ChildWindow(WindowId::ImportOptions) {
    const ImportOptionsWindowState::Captions captions = ImportOptionsWindowState::LoadCaptions();
    setWindowTitle(Q(captions.window));

    check1_ = new QCheckBox(Q(captions.refreshList), this);
    check1_->setObjectName("Check1");
    check1_->setChecked(state_.refreshList);

    option1_ = new QRadioButton(Q(captions.definedPaths), this);
    option1_->setObjectName("Option1");
    option2_ = new QRadioButton(Q(captions.ownPaths), this);
    option2_->setObjectName("Option2");
    auto* paths = new QButtonGroup(this);
    paths->addButton(option1_);
    paths->addButton(option2_);
    (state_.useDefinedPaths ? option1_ : option2_)->setChecked(true);

    auto* frame = new QGroupBox(Q(captions.methodFrame), this);
    frame->setObjectName("Frame1");
    fastMethod_ = new QRadioButton(Q(captions.fastMethod), frame);
    fastMethod_->setObjectName("Option3_0");
    documentMethod_ = new QRadioButton(Q(captions.documentMethod), frame);
    documentMethod_->setObjectName("Option3_1");
    (state_.method == 2 ? documentMethod_ : fastMethod_)->setChecked(true);
    auto* methods = new QVBoxLayout(frame);
    methods->addWidget(fastMethod_);
    methods->addWidget(documentMethod_);

    auto* pathsButton = new QPushButton(Q(captions.paths), this);
    pathsButton->setObjectName("Command2");
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("Command1");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] {
        state_.Confirm();
        Unload();
    });
    connect(pathsButton, &QPushButton::clicked, this, [this] { OpenPaths(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(pathsButton);
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(check1_);
    layout->addWidget(option1_);
    layout->addWidget(option2_);
    layout->addWidget(frame);
    layout->addLayout(buttons);
}

void ImportOptionsWindow::OpenPaths() {
    // This window steps aside while the paths window is open, then reads the
    // settings it saved.
    QPointer<ImportOptionsWindow> self(this);
    Frame()->hide();
    Ui().RunWindow(WindowId::Paths);
    if (!self) return;
    Frame()->show();
    state_.PathsWindowClosed();
}

void ImportOptionsWindow::OnUnload() {
    state_.refreshList = check1_->isChecked();
    state_.useDefinedPaths = option1_->isChecked();
    state_.method = documentMethod_->isChecked() ? 2 : 1;
    const std::optional<ImportChoices> choices = state_.Unload();
    if (onClosed) std::exchange(onClosed, nullptr)(choices);
}

std::optional<ImportChoices> AskImportOptions(MainWindow& main) {
    std::optional<ImportChoices> choices;
    // A wait ended by the wizard's close box leaves the window open: its
    // choices no longer reach this build.
    RunWindowTied<ImportOptionsWindow>(
        main, WindowId::ImportOptions,
        [&choices](ImportOptionsWindow& window) {
            window.onClosed = [&choices](std::optional<ImportChoices> closed) { choices = closed; };
        },
        [](ImportOptionsWindow& window) { window.onClosed = nullptr; });
    return choices;
}

void RegisterImportOptionsWindow() {
    RegisterWindow<ImportOptionsWindow>(WindowId::ImportOptions);
}

}  // namespace arc::ui
