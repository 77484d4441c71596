#include "ui/SearchWindow.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "collection/GameBrowserQuery.h"
#include "core/TextTable.h"
#include "ui/DesktopWindows.h"
#include "ui/EmulatorLauncher.h"
#include "ui/MainWindow.h"
#include "ui/QtText.h"
#include "ui/SelectAllText.h"
#include "ui/WindowRegistry.h"

namespace arc::ui {
namespace {

QLineEdit* Box(const char* name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    return box;
}

QCheckBox* Check(const char* name, int text, QWidget* parent) {
    auto* check = new QCheckBox(Q(Text(text)), parent);
    check->setObjectName(name);
    return check;
}

QComboBox* YearBound(const char* name, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setMaxVisibleItems(20);
    return combo;
}

}  // namespace

/// The results as a table over the state's rows; a sort sorts the rows themselves.
class SearchResultsModel : public QAbstractTableModel {
  public:
    SearchResultsModel(SearchWindowState& state, QObject* parent)
        : QAbstractTableModel(parent), state_(state) {}

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(state_.results.size());
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(std::size(kColumns));
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid()) return {};
        const SearchResult& result = state_.results[static_cast<std::size_t>(index.row())];
        switch (index.column()) {
            case SearchWindowState::kSetColumn:
                return Q(result.internalName);
            case SearchWindowState::kTitleColumn:
                return Q(result.gameName);
            case SearchWindowState::kYearColumn:
                return Q(result.year);
            default:
                return Q(result.manufacturer);
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
            section >= columnCount({}))
            return QAbstractTableModel::headerData(section, orientation, role);
        return Q(BrowserColumnCaption(kColumns[section]));
    }
    void sort(int column, Qt::SortOrder order) override {
        if (column < 0 || column >= columnCount({})) return;
        beginResetModel();
        state_.SortResults(static_cast<SearchWindowState::Column>(column),
                           order == Qt::DescendingOrder);
        endResetModel();
    }
    /// The state's rows were replaced.
    void Reload() {
        beginResetModel();
        endResetModel();
    }

  private:
    static constexpr BrowserColumn kColumns[] = {BrowserColumn::Name, BrowserColumn::Title,
                                                 BrowserColumn::Year, BrowserColumn::Manufacturer};
    SearchWindowState& state_;
};

namespace {

/// Where the main window keeps the search criteria between openings; nullptr
/// without a main window.
std::vector<std::string>* KeptCriteria() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* main = qobject_cast<MainWindow*>(widget)) return &main->keptSearchCriteria;
    return nullptr;
}

}  // namespace

SearchWindow::SearchWindow() : ChildWindow(WindowId::Search), tabs_(new QTabBar(this)) {
    setWindowTitle(Q(Text(kTextSearchMenu)));

    tabs_->setObjectName("TabStrip1");
    tabs_->addTab(Q(Text(kTextSearchTab)));
    tabs_->addTab(Q(Text(kTextOptionsTab)));
    tabs_->addTab(Q(Text(kTextResults)));
    frames_ = {BuildSearchFrame(), BuildOptionsFrame(), BuildResultsFrame()};

    auto* close = Button("Command3", Q(Text(kTextSearchClose)), this);
    connect(close, &QPushButton::clicked, this, &ChildWindow::Unload);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    for (QWidget* frame : frames_)
        layout->addWidget(frame, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(close);
    layout->addLayout(bottom);

    connect(tabs_, &QTabBar::currentChanged, this, &SearchWindow::ShowTab);

    opened_ = state_.Open(KeptCriteria() ? *KeptCriteria() : std::vector<std::string>());
    if (!opened_) {
        // The database could not be had: the window closes at once.
        QTimer::singleShot(0, this, &ChildWindow::Unload);
        return;
    }
    LoadFromState();
}

QWidget* SearchWindow::BuildSearchFrame() {
    auto* frame = new QWidget(this);
    frame->setObjectName("Frame1_0");
    auto* grid = new QGridLayout(frame);
    for (int i = 0; i < kSearchCriteria; ++i) {
        auto* label = new QLabel(Q(Text(SearchCriteria()[i].labelText)), frame);
        label->setObjectName(QString("Label1_%1").arg(i));
        auto* combo = new QComboBox(frame);
        combo->setObjectName(QString("Combo1_%1").arg(i));
        combo->setMaxVisibleItems(20);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(16);
        combos_[i] = combo;
        const int row = i % 7;
        const int column = (i / 7) * 2;
        grid->addWidget(label, row, column);
        grid->addWidget(combo, row, column + 1);
    }
    auto* auditLabel = new QLabel(Q(Text(kTextAuditLabel)), frame);
    auditLabel->setObjectName("LabelAudit");
    audit_ = new QComboBox(frame);
    audit_->setObjectName("ComboAudit");
    for (const std::string& item : state_.audit.items)
        audit_->addItem(Q(item));
    grid->addWidget(auditLabel, 7, 0);
    grid->addWidget(audit_, 7, 1);
    // The year range, beside the single year of the first combo.
    auto* fromLabel = new QLabel(Q(Text(kTextYearsFrom)), frame);
    fromLabel->setObjectName("LabelYearFrom");
    yearFrom_ = YearBound("YearFrom", frame);
    auto* toLabel = new QLabel(Q(Text(kTextYearsTo)), frame);
    toLabel->setObjectName("LabelYearTo");
    yearTo_ = YearBound("YearTo", frame);
    auto* years = new QHBoxLayout;
    years->addWidget(yearFrom_, 1);
    years->addWidget(toLabel);
    years->addWidget(yearTo_, 1);
    grid->addWidget(fromLabel, 7, 2);
    grid->addLayout(years, 7, 3);
    auto* keywordLabel = new QLabel(Q(Text(kTextKeyword)), frame);
    keywordLabel->setObjectName("Label3");
    keyword_ = Box("Text1", frame);
    SelectAllTextOnFocus(keyword_);
    auto* find = Button("Command1", Q(Text(kTextFind)), frame);
    find->setDefault(true);
    connect(find, &QPushButton::clicked, this, &SearchWindow::Find);
    connect(keyword_, &QLineEdit::returnPressed, this, &SearchWindow::Find);
    grid->addWidget(keywordLabel, 8, 0);
    grid->addWidget(keyword_, 8, 1, 1, 2);
    grid->addWidget(find, 8, 3);
    fullText_ = Check("FullText", kTextInHistoryTexts, frame);
    favourites_ = Check("FavouritesOnly", kTextFavouritesOnly, frame);
    grid->addWidget(fullText_, 9, 1, 1, 2);
    grid->addWidget(favourites_, 9, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return frame;
}

QWidget* SearchWindow::BuildOptionsFrame() {
    auto* frame = new QWidget(this);
    frame->setObjectName("Frame1_1");
    auto* layout = new QVBoxLayout(frame);

    auto* databaseFrame = new QGroupBox(Q(Text(kTextSearchDatabase)), frame);
    databaseFrame->setObjectName("Frame2");
    auto* databaseRow = new QHBoxLayout(databaseFrame);
    database_ = Box("Text2", databaseFrame);
    auto* chooseDatabase = Button("Command4", "...", databaseFrame);
    databaseRow->addWidget(database_, 1);
    databaseRow->addWidget(chooseDatabase);
    connect(chooseDatabase, &QPushButton::clicked, this, [this] {
        TakeBoxes();
        state_.ChooseDatabase();
        LoadFromState();
    });

    auto* sheetsFrame = new QGroupBox(Q(Text(kTextSearchRomPath)), frame);
    sheetsFrame->setObjectName("Frame3");
    auto* sheetsRow = new QHBoxLayout(sheetsFrame);
    sheets_ = Box("Text3", sheetsFrame);
    auto* chooseSheets = Button("Command5", "...", sheetsFrame);
    sheetsRow->addWidget(sheets_, 1);
    sheetsRow->addWidget(chooseSheets);
    connect(chooseSheets, &QPushButton::clicked, this, [this] {
        TakeBoxes();
        state_.ChooseSheetsFolder();
        sheets_->setText(Q(state_.htmlFolder));
    });

    auto* useSheets = new QCheckBox(Q(Text(kTextUseRomFolderForResults)), frame);
    useSheets->setObjectName("Check1");
    useSheets->setChecked(true);
    useSheets->setEnabled(false);

    auto* backupFrame = new QGroupBox(Q(Text(kTextBackupBeforeDeleting)), frame);
    backupFrame->setObjectName("Frame4");
    auto* backupRows = new QGridLayout(backupFrame);
    backup_ = new QCheckBox(Q(Text(kTextBackupFolder)), backupFrame);
    backup_->setObjectName("Check2");
    backupFolder_ = Box("Text5", backupFrame);
    SelectAllTextOnFocus(backupFolder_);
    chooseBackup_ = Button("Command10", "...", backupFrame);
    backupRows->addWidget(backup_, 0, 0, 1, 2);
    backupRows->addWidget(backupFolder_, 1, 0);
    backupRows->addWidget(chooseBackup_, 1, 1);
    connect(backup_, &QCheckBox::toggled, this, &SearchWindow::SetBackupChecked);
    connect(chooseBackup_, &QPushButton::clicked, this, [this] {
        state_.ChooseBackupFolder();
        backupFolder_->setText(Q(state_.backupFolder));
    });

    layout->addWidget(databaseFrame);
    layout->addWidget(sheetsFrame);
    layout->addWidget(useSheets);
    layout->addWidget(backupFrame);
    layout->addStretch(1);
    return frame;
}

QWidget* SearchWindow::BuildResultsFrame() {
    auto* frame = new QWidget(this);
    frame->setObjectName("Frame1_2");
    auto* layout = new QVBoxLayout(frame);

    list_ = new QTableView(frame);
    list_->setObjectName("List1");
    model_ = new SearchResultsModel(state_, list_);
    list_->setModel(model_);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 4);
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    list_->setSortingEnabled(true);
    connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { state_.selected = current.row(); });
    connect(list_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        state_.selected = index.row();
        Display();
    });
    count_ = new QLabel(frame);
    count_->setObjectName("Label2");

    auto* display = Button("Command2", Q(Text(kTextDisplay)), frame);
    connect(display, &QPushButton::clicked, this, &SearchWindow::Display);
    auto* play = Button("CommandPlay", Q(Text(kTextPlay)), frame);
    connect(play, &QPushButton::clicked, this, [this] {
        const int row = CurrentResult();
        if (row >= 0) PlayGame(state_.results[static_cast<std::size_t>(row)].internalName);
    });
    auto* top = new QHBoxLayout;
    top->addWidget(count_, 1);
    top->addWidget(display);
    top->addWidget(play);

    iniName_ = Box("Text4", frame);
    auto* makeIni = Button("Command6", Q(Text(kTextMakeIniFile)), frame);
    connect(makeIni, &QPushButton::clicked, this, [this] {
        state_.iniFolderName = S(iniName_->text());
        state_.MakeIni();
    });
    delete_ = Button("Command7", Q(Text(kTextDelete)), frame);
    move_ = Button("Command8", Q(Text(kTextMove)), frame);
    copy_ = Button("Command9", Q(Text(kTextCopy)), frame);
    // The archive commands see the boxes as shown: the state refuses to act
    // when they no longer match the listed results.
    connect(delete_, &QPushButton::clicked, this, [this] {
        TakeBoxes();
        state_.backupFolder = S(backupFolder_->text());
        state_.DeleteArchives();
    });
    connect(move_, &QPushButton::clicked, this, [this] {
        TakeBoxes();
        state_.MoveArchives();
    });
    connect(copy_, &QPushButton::clicked, this, [this] {
        TakeBoxes();
        state_.CopyArchives();
    });

    auto* actions = new QHBoxLayout;
    actions->addWidget(iniName_, 1);
    actions->addWidget(makeIni);
    actions->addSpacing(12);
    actions->addWidget(delete_);
    actions->addWidget(move_);
    actions->addWidget(copy_);

    layout->addLayout(top);
    layout->addWidget(list_, 1);
    layout->addLayout(actions);
    return frame;
}

void SearchWindow::LoadCombos() {
    combosVersion_ = state_.combosVersion;
    for (int i = 0; i < kSearchCriteria; ++i) {
        QComboBox* combo = combos_[i];
        combo->clear();
        QStringList items;
        items.reserve(static_cast<int>(state_.combos[i].items.size()));
        for (const std::string& item : state_.combos[i].items)
            items.push_back(Q(item));
        combo->addItems(items);
        combo->setCurrentText(Q(state_.combos[i].text));
    }
    audit_->setCurrentText(Q(state_.audit.text));
    QStringList bounds;
    for (const std::string& year : state_.YearBounds())
        bounds.push_back(Q(year));
    for (QComboBox* bound : {yearFrom_, yearTo_}) {
        bound->clear();
        bound->addItems(bounds);
    }
    yearFrom_->setCurrentText(Q(state_.yearFrom));
    yearTo_->setCurrentText(Q(state_.yearTo));
}

void SearchWindow::LoadFromState() {
    LoadCombos();
    keyword_->setText(Q(state_.keyword));
    fullText_->setChecked(state_.fullText);
    favourites_->setChecked(state_.favouritesOnly);
    database_->setText(Q(state_.databasePath));
    sheets_->setText(Q(state_.htmlFolder));
    iniName_->setText(Q(state_.iniFolderName));
    backupFolder_->setText(Q(state_.backupFolder));
    backup_->setChecked(state_.backupChecked);
    SetBackupChecked(state_.backupChecked);
    ShowResults();
    ShowTab(state_.currentTab);
}

void SearchWindow::TakeBoxes() {
    for (int i = 0; i < kSearchCriteria; ++i)
        state_.combos[i].text = S(combos_[i]->currentText());
    state_.audit.text = S(audit_->currentText());
    state_.keyword = S(keyword_->text());
    state_.fullText = fullText_->isChecked();
    state_.favouritesOnly = favourites_->isChecked();
    state_.yearFrom = S(yearFrom_->currentText().trimmed());
    state_.yearTo = S(yearTo_->currentText().trimmed());
    state_.databasePath = S(database_->text());
    state_.htmlFolder = S(sheets_->text());
}

void SearchWindow::Find() {
    TakeBoxes();
    state_.Find();
    // A typed database path refills the combos (the chosen values kept): show them.
    if (combosVersion_ != state_.combosVersion) LoadCombos();
    ShowResults();
    ShowTab(state_.currentTab);
}

void SearchWindow::ShowTab(int tab) {
    state_.SelectTab(tab);
    if (tabs_->currentIndex() != tab) {
        const QSignalBlocker blocker(tabs_);
        tabs_->setCurrentIndex(tab);
    }
    for (QWidget* frame : frames_)
        frame->hide();
    frames_[tab]->show();
    const bool enabled = state_.ArchiveButtonsEnabled();
    delete_->setEnabled(enabled);
    move_->setEnabled(enabled);
    copy_->setEnabled(enabled);
}

void SearchWindow::ShowResults() {
    // A new list comes in the search's order: no column is the sort's.
    {
        const QSignalBlocker blocker(list_->horizontalHeader());
        list_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    }
    model_->Reload();
    list_->resizeColumnToContents(SearchWindowState::kSetColumn);
    count_->setText(Q(state_.countLabel));
}

int SearchWindow::CurrentResult() const {
    const int row = list_->currentIndex().row();
    return row >= 0 && row < static_cast<int>(state_.results.size()) ? row : -1;
}

void SearchWindow::SetBackupChecked(bool checked) {
    state_.backupChecked = checked;
    backupFolder_->setEnabled(state_.BackupControlsEnabled());
    chooseBackup_->setEnabled(state_.BackupControlsEnabled());
}

void SearchWindow::Display() {
    state_.selected = CurrentResult();
    TakeBoxes();
    state_.DisplaySelected();
}

void SearchWindow::OnUnload() {
    if (!opened_) return;
    TakeBoxes();
    std::vector<std::string> kept = state_.Close();
    if (std::vector<std::string>* keeper = KeptCriteria()) *keeper = std::move(kept);
}

void RegisterSearchWindow() {
    RegisterWindow<SearchWindow>(WindowId::Search);
    RegisterMenuCommand(MenuCommand::Search, OpenWindowCommand(WindowId::Search));
}

}  // namespace arc::ui
