#pragma once
// The search window: fourteen criteria and a keyword on the Search tab, the
// full-text, favourites and year-range options on the Search tab, the paths
// and the backup option on the Options tab, the matching games in a sortable
// table and what to do with them and their archives on the Results tab.

#include <array>

#include "collection/SearchWindowState.h"
#include "ui/ChildWindow.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabBar;
class QTableView;

namespace arc::ui {

class SearchResultsModel;

class SearchWindow : public ChildWindow {
    Q_OBJECT

  public:
    SearchWindow();

    const SearchWindowState& Search() const { return state_; }

  protected:
    void OnUnload() override;

  private:
    QWidget* BuildSearchFrame();
    QWidget* BuildOptionsFrame();
    QWidget* BuildResultsFrame();
    void LoadCombos();
    void LoadFromState();
    void TakeBoxes();
    void Find();
    void ShowTab(int tab);
    void ShowResults();
    void SetBackupChecked(bool checked);
    void Display();
    /// The result of the table's current row; -1 for none.
    int CurrentResult() const;

    SearchWindowState state_;
    bool opened_ = false;
    int combosVersion_ = -1;  ///< the state's combosVersion the combo boxes show

    QTabBar* tabs_;
    std::array<QWidget*, 3> frames_{};
    std::array<QComboBox*, kSearchCriteria> combos_{};
    QComboBox* audit_ = nullptr;
    QLineEdit* keyword_ = nullptr;
    QCheckBox* fullText_ = nullptr;
    QCheckBox* favourites_ = nullptr;
    QComboBox* yearFrom_ = nullptr;
    QComboBox* yearTo_ = nullptr;
    QLineEdit* database_ = nullptr;
    QLineEdit* sheets_ = nullptr;
    QLineEdit* iniName_ = nullptr;
    QLineEdit* backupFolder_ = nullptr;
    QCheckBox* backup_ = nullptr;
    QPushButton* chooseBackup_ = nullptr;
    QTableView* list_ = nullptr;
    SearchResultsModel* model_ = nullptr;
    QLabel* count_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* move_ = nullptr;
    QPushButton* copy_ = nullptr;
};

}  // namespace arc::ui
