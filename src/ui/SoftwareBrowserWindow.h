#pragma once
// The software browser: the items of every list or of one, filtered as the
// user types, with their parts, notes and machines, and Play on the chosen
// machine, the emulator left running on its own.

#include <memory>

#include "software/SoftwareBrowser.h"
#include "ui/ChildWindow.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace arc::ui {

class SoftwareRowsModel;

class SoftwareBrowserWindow : public ChildWindow {
    Q_OBJECT

  public:
    SoftwareBrowserWindow();
    ~SoftwareBrowserWindow() override;

  private:
    void OpenDatabaseFile();
    void LoadList();
    void Refilter();
    void ShowDetail();
    void Play();

    std::unique_ptr<ReadOnlyDatabase> db_;
    SoftwareBrowser browser_;
    SoftwareRowsModel* model_;
    QComboBox* lists_;
    QLineEdit* filter_;
    QLabel* count_;
    QTableView* table_;
    QPlainTextEdit* detail_;
    QComboBox* machines_;
    QPushButton* play_;
};

}  // namespace arc::ui
