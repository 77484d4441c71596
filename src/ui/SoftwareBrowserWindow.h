#pragma once
// The software browser: the items of every list or of one, filtered as the
// user types, with their parts, notes and machines, and Play on the chosen
// machine.

#include <functional>
#include <memory>

#include "software/SoftwareBrowser.h"
#include "software/SoftwarePlay.h"
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
    /// Starts the emulator on a request (the database open) and says how it went.
    using Player = std::function<PlaySoftwareOutcome(const PlaySoftwareRequest&)>;

    SoftwareBrowserWindow();
    ~SoftwareBrowserWindow() override;
    /// Replaces the emulator start (tests).
    void SetPlayer(Player player) { player_ = std::move(player); }

  private:
    void OpenDatabaseFile();
    void LoadList();
    void Refilter();
    void ShowDetail();
    void Play();

    std::unique_ptr<ReadOnlyDatabase> db_;
    SoftwareBrowser browser_;
    Player player_;
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
