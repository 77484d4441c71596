#include "ui/LanguageWindow.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/FlatControls.h"

namespace arc::ui {

LanguageWindow::LanguageWindow(QWidget* parent) : QDialog(parent), languages_(new QComboBox(this)) {
    setObjectName("Form6");
    setWindowTitle("Arcanote");
    setModal(true);
    setWindowFlag(Qt::WindowStaysOnTopHint);  // above the splash window

    auto* label = new QLabel("Please, select your language.", this);
    label->setObjectName("Label1");
    languages_->setObjectName("Combo1");
    languages_->addItem("English");
    languages_->addItem(QString::fromUtf8("Français"));
    languages_->setCurrentIndex(0);
    auto* ok = new QPushButton("&Ok", this);
    ok->setObjectName("Command1");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(languages_);
    layout->addWidget(ok, 0, Qt::AlignRight);
    FlatControls(this);
}

int LanguageWindow::Ask() {
    exec();
    return languages_->currentIndex() == 1 ? 1 : 0;
}

}  // namespace arc::ui
