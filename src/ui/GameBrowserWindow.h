#pragma once
// The game browser: every game of the database in a sortable table, filtered
// as you type and by quick filters, with the selected game's details,
// pictures, history, Mameinfo and commands beside it; Play starts the
// emulator (and records the play), Sheet opens the game's page. Favourites,
// plays, per-game emulator options and the window's layout live in the user
// database beside the built one; the note of a game in NOTES.TXT. The rules
// are in GameBrowserQuery, BrowserLayout and GameActions; this window binds
// widgets to them.

#include <QList>
#include <QString>
#include <array>
#include <string>

#include "collection/ArtImages.h"
#include "collection/GameBrowserQuery.h"
#include "core/Settings.h"
#include "ui/ChildWindow.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QSplitter;
class QTabWidget;
class QTableView;
class QTextBrowser;
class QTimer;

namespace arc::ui {

class GameTableModel;

class GameBrowserWindow : public ChildWindow {
    Q_OBJECT

  public:
    GameBrowserWindow();
    ~GameBrowserWindow() override;

    /// The set name of the selected game ("" when none).
    std::string SelectedSet() const;
    /// Reads the database again when it changed (or another one was chosen),
    /// keeping the filter and the selected game. True when it was read.
    bool ReloadIfChanged();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* BuildFilterBar();
    QWidget* BuildDetailPane();
    void Load();
    void ApplyFilter();
    void ShowCount();
    void SelectSet(const std::string& setName);
    void ShowDetails();
    void ShowImage(QLabel* label, int artSlot, const std::string& setName);
    void Play();
    void PlayWithOptions();
    void PlaySet(const std::string& setName, const std::string& options);
    void OpenSheet();
    void ToggleFavourite();
    void OpenRomFolder();
    void CopySetName();
    void ShowGameMenu(const QPoint& at);
    /// Reads the favourites and plays again and shows them.
    void RefreshUserData();
    /// Marks the words of a full-text filter in the text panes.
    void HighlightMatches();
    std::string UserDatabasePath() const;
    /// Sort, widths, chosen columns and splitter: restored from the user
    /// database beside the built one, and kept there.
    void RestoreLayout();
    void SaveLayout();
    void ShowColumnChooser(const QPoint& at);
    /// Writes the edited note of the shown game to the notes file.
    void SaveNote();

    GameBrowserQuery query_;
    ArtImages art_;
    GameTableModel* model_ = nullptr;
    std::string loadedStamp_;  ///< DatabaseStamp of what the index holds
    std::string seenStamp_;    ///< the stamp seen at the last check
    std::string loadError_;
    std::string shownSet_;  ///< the set the detail pane shows
    bool placed_ = false;

    QLineEdit* filter_ = nullptr;
    QCheckBox* owned_ = nullptr;
    QCheckBox* working_ = nullptr;
    QCheckBox* noClones_ = nullptr;
    QCheckBox* noMature_ = nullptr;
    QCheckBox* favourites_ = nullptr;
    QCheckBox* recent_ = nullptr;
    QCheckBox* fullText_ = nullptr;
    QLineEdit* yearFrom_ = nullptr;
    QLineEdit* yearTo_ = nullptr;
    QLabel* count_ = nullptr;
    QTableView* table_ = nullptr;
    QSplitter* splitter_ = nullptr;
    bool layoutRestored_ = false;
    QList<int> splitterSizes_;  ///< restored once the window is laid out
    QLabel* title_ = nullptr;
    /// The art strip: a picture of each art folder, in kArtStrip's order.
    std::array<QLabel*, kArtSlots> artLabels_{};
    QScrollArea* artStrip_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QTextBrowser* fields_ = nullptr;
    QPlainTextEdit* history_ = nullptr;
    QPlainTextEdit* mameinfo_ = nullptr;
    QPlainTextEdit* commands_ = nullptr;
    QPlainTextEdit* note_ = nullptr;
    QPushButton* saveNote_ = nullptr;
    std::string noteTitle_;  ///< the title of the game whose note shows
    QPushButton* play_ = nullptr;
    QPushButton* sheet_ = nullptr;
    QTimer* detailTimer_ = nullptr;
    QTimer* reloadTimer_ = nullptr;
};

}  // namespace arc::ui
