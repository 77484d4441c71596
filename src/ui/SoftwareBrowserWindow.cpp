#include "ui/SoftwareBrowserWindow.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include "collection/GameBrowserQuery.h"
#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "database/Database.h"
#include "ui/DesktopWindows.h"
#include "ui/EmulatorLauncher.h"
#include "ui/ListTable.h"
#include "ui/QtText.h"
#include "ui/WindowRegistry.h"

namespace arc::ui {
namespace {

QString Said(int text) {
    return Q(Text(text));
}

constexpr int kColumns = 7;

}  // namespace

/// The shown rows of the browser: name, title, year, publisher, supported,
/// owned and verdict.
class SoftwareRowsModel : public QAbstractTableModel {
  public:
    SoftwareRowsModel(SoftwareBrowser& browser, QObject* parent)
        : QAbstractTableModel(parent), browser_(browser) {}

    void Reset() {
        beginResetModel();
        endResetModel();
    }
    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(browser_.Count());
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : kColumns;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid()) return {};
        const SoftwareBrowserRow& row = browser_.Row(static_cast<std::size_t>(index.row()));
        switch (index.column()) {
            case 0:
                return Q(row.list + "/" + row.name);
            case 1:
                return Q(row.title);
            case 2:
                return Q(row.year);
            case 3:
                return Q(row.publisher);
            case 4:
                return Q(row.supported);
            case 5:
                return row.owned ? Said(kTextYes) : QString();
            default:
                return Q(row.verdict);
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
        static constexpr int kNames[kColumns] = {kTextName,      kTextTitle,     kTextYear,
                                                 kTextPublisher, kTextSupported, kTextOwned,
                                                 kTextVerdict};
        return Said(kNames[section]);
    }

    /// A header click: the browser orders its rows by the column.
    void sort(int column, Qt::SortOrder order) override {
        if (column < 0 || column >= kColumns) return;
        beginResetModel();
        browser_.SortBy(static_cast<SoftwareColumn>(column), order == Qt::DescendingOrder);
        endResetModel();
    }

  private:
    SoftwareBrowser& browser_;
};

SoftwareBrowserWindow::SoftwareBrowserWindow()
    : ChildWindow(WindowId::SoftwareBrowser),
      model_(new SoftwareRowsModel(browser_, this)),
      lists_(new QComboBox),
      filter_(new QLineEdit),
      count_(new QLabel),
      table_(new QTableView),
      detail_(new QPlainTextEdit),
      machines_(new QComboBox),
      play_(new QPushButton(Said(kTextPlay))) {
    setWindowTitle(Said(kTextSoftwareTitle));
    lists_->setObjectName("SoftwareLists");
    filter_->setObjectName("SoftwareFilter");
    filter_->setPlaceholderText(Said(kTextSoftwareFilter));
    count_->setObjectName("SoftwareCount");
    table_->setObjectName("SoftwareTable");
    detail_->setObjectName("SoftwareDetail");
    detail_->setReadOnly(true);
    machines_->setObjectName("SoftwareMachines");
    play_->setObjectName("SoftwarePlay");

    SetUpListTable(*table_, model_);
    table_->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
    table_->setSortingEnabled(true);
    const int charWidth = fontMetrics().averageCharWidth();
    for (const auto& [column, chars] :
         {std::pair{0, 18}, {1, 44}, {2, 6}, {3, 22}, {4, 9}, {5, 7}, {6, 10}})
        table_->setColumnWidth(column, chars * charWidth + 12);

    connect(lists_, &QComboBox::currentIndexChanged, this, [this] { LoadList(); });
    connect(filter_, &QLineEdit::textChanged, this, [this] { Refilter(); });
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { ShowDetail(); });
    // After the view has sorted the rows: the first one shown, as after a filter.
    connect(table_->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this, [this] {
        if (browser_.Count() > 0 && db_) table_->selectRow(0);
    });
    connect(table_, &QTableView::doubleClicked, this, [this] { Play(); });
    connect(play_, &QPushButton::clicked, this, [this] { Play(); });

    auto* bar = new QHBoxLayout;
    bar->addWidget(lists_);
    bar->addWidget(filter_, 1);
    bar->addWidget(count_);
    auto* pane = new QWidget;
    auto* paneRows = new QVBoxLayout(pane);
    paneRows->setContentsMargins(0, 0, 0, 0);
    paneRows->addWidget(detail_, 1);
    auto* playRow = new QHBoxLayout;
    playRow->addWidget(machines_, 1);
    playRow->addWidget(play_);
    paneRows->addLayout(playRow);
    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(table_);
    splitter->addWidget(pane);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    auto* rows = new QVBoxLayout(this);
    rows->addLayout(bar);
    rows->addWidget(splitter, 1);
    resize(1000, 620);

    OpenDatabaseFile();
}

SoftwareBrowserWindow::~SoftwareBrowserWindow() = default;

void SoftwareBrowserWindow::OpenDatabaseFile() {
    const std::string path = TheSettings().DatabasePath;
    const QSignalBlocker quiet(lists_);
    lists_->clear();
    lists_->addItem(Said(kTextAllLists), QString());
    try {
        if (FileExists(path)) db_ = std::make_unique<ReadOnlyDatabase>(path);
        if (db_ && db_->HasTable("SoftwareList")) {
            Statement lists(db_.get(),
                            "SELECT ListName, Description FROM SoftwareList ORDER BY ListName");
            while (lists.Step())
                lists_->addItem(Q(lists.ColumnText(0) + " - " + lists.ColumnText(1)),
                                Q(lists.ColumnText(0)));
        } else {
            db_.reset();
        }
    } catch (...) {
        WriteLog("software browser: " + path + ": " + CurrentExceptionText());
        db_.reset();
    }
    LoadList();
}

void SoftwareBrowserWindow::LoadList() {
    if (db_) browser_.Load(db_.get(), lists_->currentData().toString().toStdString());
    Refilter();
}

void SoftwareBrowserWindow::Refilter() {
    if (db_) browser_.SetFilter(filter_->text().toStdString());
    model_->Reset();
    count_->setText(db_ ? QString("%1 / %2").arg(browser_.Count()).arg(browser_.Total())
                        : Said(kTextNoSoftwareLists));
    if (browser_.Count() > 0 && db_)
        table_->selectRow(0);
    else
        ShowDetail();
}

void SoftwareBrowserWindow::ShowDetail() {
    detail_->clear();
    machines_->clear();
    const int shown = table_->currentIndex().row();
    if (!db_ || shown < 0 || static_cast<std::size_t>(shown) >= browser_.Count()) {
        play_->setEnabled(false);
        return;
    }
    const SoftwareBrowserRow& row = browser_.Row(static_cast<std::size_t>(shown));
    const SoftwareDetail detail = browser_.Detail(db_.get(), static_cast<std::size_t>(shown));
    std::string text = row.title + "\n" + row.list + "/" + row.name;
    if (!row.cloneOf.empty()) text += " (" + Text(kTextCloneOfItem) + row.cloneOf + ")";
    text += "\n\n" + Text(kTextParts) + "\n";
    for (const SoftwarePartRow& part : detail.parts)
        text += "  " + part.name + " (" + part.interface + ")" +
                (part.features.empty() ? "" : " " + part.features) + "\n";
    if (!detail.notes.empty()) text += "\n" + Text(kTextNotes) + "\n";
    for (const auto& [name, value] : detail.notes)
        text += "  " + name + ": " + value + "\n";
    text += "\n" + Text(kTextMachines) + "\n";
    for (const SoftwareListLink& machine : detail.machines) {
        text += "  " + machine.machine + " (" + machine.status +
                (machine.filter.empty() ? "" : ", " + machine.filter) + ")\n";
        machines_->addItem(Q(machine.machine));
    }
    detail_->setPlainText(Q(text));
    play_->setEnabled(!detail.machines.empty());
}

void SoftwareBrowserWindow::Play() {
    const int shown = table_->currentIndex().row();
    if (!db_ || shown < 0 || machines_->count() == 0) return;
    const SoftwareBrowserRow& row = browser_.Row(static_cast<std::size_t>(shown));
    // The machines offered are those that run the item; the emulator runs on
    // its own and the play is recorded when it ends.
    PlaySoftware(machines_->currentText().toStdString(), row.list, row.name);
}

void RegisterSoftwareBrowserWindow() {
    RegisterWindow<SoftwareBrowserWindow>(WindowId::SoftwareBrowser);
    RegisterMenuCommand(MenuCommand::SoftwareBrowser, OpenWindowCommand(WindowId::SoftwareBrowser));
}

}  // namespace arc::ui
