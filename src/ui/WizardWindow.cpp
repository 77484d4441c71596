#include "ui/WizardWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>

#include "core/TextTable.h"
#include "ui/ArcanoteArt.h"
#include "ui/DesktopWindows.h"
#include "ui/DownloadWindow.h"
#include "ui/ImportOptionsWindow.h"
#include "ui/MainWindow.h"
#include "ui/QtText.h"
#include "ui/WindowRegistry.h"
#include "wizard/StandardWizardSteps.h"

namespace arc::ui {
namespace {

/// The steps the wizard window runs: the shipped ones, with the windows that
/// tell what they did tied to the main window `wizard` sits in.
WizardSteps DesktopWizardSteps(QWidget* wizard) {
    WizardSteps steps = StandardWizardSteps([wizard] {
        auto* main = qobject_cast<MainWindow*>(wizard->window());
        return main ? AskImportOptions(*main) : std::optional<ImportChoices>();
    });
    steps.download = [wizard] {
        auto* main = qobject_cast<MainWindow*>(wizard->window());
        return main ? RunDownloadStep(*main) : std::string();
    };
    return steps;
}

}  // namespace

WizardWindow::WizardWindow() : ChildWindow(WindowId::Wizard), state_(DesktopWizardSteps(this)) {
    setWindowTitle("Wizard");
    auto* picture = new QLabel(this);
    picture->setObjectName("Image1");
    picture->setPixmap(ArcanotePicture(160, 200));

    auto* frame = new QFrame(this);
    frame->setObjectName("Frame1_0");
    frame->setFrameShape(QFrame::NoFrame);
    auto* spare = new QFrame(this);
    spare->setObjectName("Frame1_1");
    spare->setFrameShape(QFrame::NoFrame);
    spare->hide();

    auto* explanation = new QPlainTextEdit(Q(Text(kTextWizardIntro)), frame);
    explanation->setObjectName("Text1");
    explanation->setReadOnly(true);
    explanation->setMaximumHeight(70);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(explanation);
    for (int i = 0; i < kWizardBoxes; ++i) {
        boxes_[i] = new QCheckBox(Q(WizardWindowState::BoxCaption(i)), frame);
        boxes_[i]->setObjectName(QString("Check1_%1").arg(i));
        frameLayout->addWidget(boxes_[i]);
        connect(boxes_[i], &QCheckBox::toggled, this, [this, i](bool ticked) {
            state_.SetBox(i, ticked);
            next_->setEnabled(state_.nextEnabled);
        });
    }
    frameLayout->addStretch();

    next_ = new QPushButton(Q(Text(kTextNext)), this);
    next_->setObjectName("Command1");
    auto* cancel = new QPushButton("&" + Q(Text(kTextCancel)), this);
    cancel->setObjectName("Command2");
    auto* paths = new QPushButton(Q(Text(kTextWizardPaths)), this);
    paths->setObjectName("Command3");
    // The steps and the paths dialog run inside these calls; the wizard cannot
    // be closed under them.
    const auto runStep = [this, cancel, paths](const std::function<void()>& step) {
        for (QPushButton* button : {next_, cancel, paths})
            button->setEnabled(false);
        step();
        if (closeAfterRun_) {
            Unload();
            return;
        }
        cancel->setEnabled(true);
        paths->setEnabled(true);
        next_->setEnabled(state_.nextEnabled);
    };
    connect(next_, &QPushButton::clicked, this,
            [this, runStep] { runStep([this] { state_.Run(); }); });
    connect(cancel, &QPushButton::clicked, this, &WizardWindow::Unload);
    connect(paths, &QPushButton::clicked, this,
            [this, runStep] { runStep([this] { state_.Paths(); }); });

    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addWidget(frame, 1);
    top->addWidget(spare);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(paths);
    buttons->addStretch();
    buttons->addWidget(next_);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);

    state_.Open();
    next_->setEnabled(state_.nextEnabled);
    RestorePlace();
}

void WizardWindow::closeEvent(QCloseEvent* event) {
    // The close box during a run stops the run; the window closes when the
    // step under way has let go (this window's state is still in use until then).
    if (state_.IsRunning()) {
        event->ignore();
        closeAfterRun_ = true;
        state_.RequestStop();
        return;
    }
    ChildWindow::closeEvent(event);
}

void WizardWindow::OnUnload() {
    state_.Close();
}

void RegisterWizardWindow() {
    RegisterWindow<WizardWindow>(WindowId::Wizard);
    RegisterMenuCommand(MenuCommand::Wizard, OpenWindowCommand(WindowId::Wizard));
}

}  // namespace arc::ui
