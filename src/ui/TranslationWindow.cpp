#include "ui/TranslationWindow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/Settings.h"
#include "core/TextTable.h"
#include "translation/Dictionary.h"
#include "ui/DesktopWindows.h"
#include "ui/MainWindow.h"
#include "ui/QtText.h"
#include "ui/WindowRegistry.h"

namespace arc::ui {
TranslationWindow::TranslationWindow() : ChildWindow(WindowId::Translation) {
    setWindowTitle(Q(Text(kTextTranslation)));
    auto* grid = new QGridLayout;
    for (int i = 0; i < kTranslationRows; ++i) {
        checks_[i] = new QCheckBox(Q(TranslationRowName(i)), this);
        checks_[i]->setObjectName(Indexed("Check1", i));
        paths_[i] = new QLineEdit(this);
        paths_[i]->setObjectName(Indexed("Text1", i));
        paths_[i]->setMinimumWidth(360);
        auto* browse = new QPushButton("...", this);
        browse->setObjectName(Indexed("Command1", i));
        grid->addWidget(checks_[i], i, 0);
        grid->addWidget(paths_[i], i, 1);
        grid->addWidget(browse, i, 2);
        connect(browse, &QPushButton::clicked, this, [this, i] {
            Collect();
            state_.Browse(i);
            Refresh();
        });
    }
    edit_ = new QPushButton(Q(Text(kTextEditDictionaries)), this);
    edit_->setObjectName("Command2");
    translate_ = new QPushButton(Q(Text(kTextTranslate)), this);
    translate_->setObjectName("Command3");
    auto* close = new QPushButton(Q(Text(kTextCloseButton)), this);
    close->setObjectName("Command4");
    connect(edit_, &QPushButton::clicked, this, [this] { state_.EditDictionary(); });
    connect(translate_, &QPushButton::clicked, this, [this] {
        Collect();
        edit_->setEnabled(false);
        translate_->setEnabled(false);
        state_.Translate();
        Refresh();
    });
    connect(close, &QPushButton::clicked, this, &TranslationWindow::Unload);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(edit_);
    buttons->addStretch();
    buttons->addWidget(translate_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    state_.Open();
    Refresh();
    RestorePlace();
}

void TranslationWindow::Collect() {
    for (int i = 0; i < kTranslationRows; ++i) {
        state_.rows[i].checked = checks_[i]->isChecked();
        state_.rows[i].path = paths_[i]->text().toStdString();
    }
}

void TranslationWindow::Refresh() {
    for (int i = 0; i < kTranslationRows; ++i) {
        checks_[i]->setChecked(state_.rows[i].checked);
        paths_[i]->setText(QString::fromStdString(state_.rows[i].path));
    }
    edit_->setEnabled(state_.buttonsEnabled);
    translate_->setEnabled(state_.buttonsEnabled);
}

void RegisterTranslationWindow() {
    RegisterWindow<TranslationWindow>(WindowId::Translation);
    RegisterMenuCommand(MenuCommand::Translations, [](MainWindow& main) {
        EnsureDictionary(DictionaryRequestFor(TheSettings().DataFilePaths));
        main.OpenWindow(ObjectNameOf(WindowId::Translation));
    });
}

}  // namespace arc::ui
