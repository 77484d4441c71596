#include "ui/GameBrowserWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>

#include "collection/BrowserLayout.h"
#include "collection/GameActions.h"
#include "core/ErrorGuard.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "core/TextFile.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "database/FullTextIndex.h"
#include "database/UserDatabase.h"
#include "notes/Notes.h"
#include "notes/NotesFile.h"
#include "ui/DesktopWindows.h"
#include "ui/EmulatorLauncher.h"
#include "ui/GameTableModel.h"
#include "ui/ListTable.h"
#include "ui/QtText.h"
#include "ui/WindowRegistry.h"

namespace arc::ui {
namespace {

QString Said(int text) {
    return Q(Text(text));
}

constexpr int kDetailDelayMs = 15;
constexpr int kProcUserData = 682;
constexpr int kReloadCheckMs = 2000;
constexpr QSize kImageBox(320, 240);

/// Column widths in characters.
constexpr int kColumnChars[kBrowserColumns] = {10, 44, 6, 22, 22, 7, 10, 7, 3, 16, 6, 9, 10};

QPlainTextEdit* TextPane(const char* name) {
    auto* pane = new QPlainTextEdit;
    pane->setObjectName(name);
    pane->setReadOnly(true);
    return pane;
}

/// The pictures of the art strip: the art folder of each, in display order.
struct ArtStripEntry {
    const char* name;
    int slot;
};
constexpr std::array<ArtStripEntry, kArtSlots> kArtStrip = {{{"Snapshot", kSnapshots},
                                                             {"TitleImage", kTitles},
                                                             {"Marquee", kMarquees},
                                                             {"Cabinet", kCabinets},
                                                             {"ControlPanel", kControlPanels},
                                                             {"Flyer", kFlyers}}};

QLabel* ImageLabel(const char* name) {
    auto* label = new QLabel;
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumSize(kImageBox / 2);
    label->setMaximumSize(kImageBox);
    return label;
}

}  // namespace

GameBrowserWindow::GameBrowserWindow() : ChildWindow(WindowId::GameBrowser) {
    setWindowTitle(Said(kTextGamesTitle));
    KeepOpenOnEscape();  // Escape clears the filter of the main view
    model_ = new GameTableModel(query_, this);

    table_ = new QTableView;
    table_->setObjectName("GameTable");
    SetUpListTable(*table_, model_);
    table_->horizontalHeader()->setSortIndicator(static_cast<int>(BrowserColumn::Title),
                                                 Qt::AscendingOrder);
    table_->setSortingEnabled(true);
    table_->installEventFilter(this);
    connect(table_, &QTableView::doubleClicked, this, [this] { Play(); });
    table_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(table_, &QTableView::customContextMenuRequested, this,
            [this](const QPoint& at) { ShowGameMenu(at); });
    auto* favourite = new QAction(this);
    favourite->setObjectName("ToggleFavouriteShortcut");
    favourite->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    favourite->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(favourite, &QAction::triggered, this, [this] { ToggleFavourite(); });
    addAction(favourite);

    detailTimer_ = new QTimer(this);
    detailTimer_->setSingleShot(true);
    detailTimer_->setInterval(kDetailDelayMs);
    connect(detailTimer_, &QTimer::timeout, this, [this] { ShowDetails(); });
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { detailTimer_->start(); });

    table_->setTabKeyNavigation(false);  // Tab leaves the list
    table_->horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(table_->horizontalHeader(), &QHeaderView::customContextMenuRequested, this,
            [this](const QPoint& at) { ShowColumnChooser(at); });

    splitter_ = new QSplitter(Qt::Horizontal);
    splitter_->setObjectName("BrowserSplitter");
    splitter_->addWidget(table_);
    splitter_->addWidget(BuildDetailPane());
    splitter_->setStretchFactor(0, 3);
    splitter_->setStretchFactor(1, 2);

    auto* rows = new QVBoxLayout(this);
    rows->addWidget(BuildFilterBar());
    rows->addWidget(splitter_, 1);

    Load();
    const int charWidth = fontMetrics().averageCharWidth();
    for (int column = 0; column < kBrowserColumns; ++column)
        table_->setColumnWidth(column, kColumnChars[column] * charWidth + 12);
    resize(1000, 620);
    RestoreLayout();
    setTabOrder(filter_, table_);
    filter_->installEventFilter(this);

    reloadTimer_ = new QTimer(this);
    reloadTimer_->setInterval(kReloadCheckMs);
    connect(reloadTimer_, &QTimer::timeout, this, [this] {
        // A database being written keeps changing: read it once it is still.
        const std::string stamp = DatabaseStamp(TheSettings().DatabasePath);
        if (stamp != loadedStamp_ && stamp == seenStamp_) ReloadIfChanged();
        seenStamp_ = stamp;
    });
    reloadTimer_->start();
}

GameBrowserWindow::~GameBrowserWindow() {
    SaveLayout();
}

namespace {
constexpr std::string_view kLayoutKey = "GameBrowser.Layout";
}  // namespace

void GameBrowserWindow::RestoreLayout() {
    if (query_.DatabasePath().empty()) return;
    std::string text;
    if (!Guarded(kProcUserData,
                 [&] { text = UserDatabase(UserDatabasePath()).Preference(kLayoutKey); }))
        return;
    layoutRestored_ = true;
    if (text.empty()) return;
    const BrowserLayout layout = ParseBrowserLayout(text);
    QHeaderView* header = table_->horizontalHeader();
    for (std::size_t column = 0; column < layout.widths.size(); ++column)
        if (layout.widths[column] > 0)
            table_->setColumnWidth(static_cast<int>(column), layout.widths[column]);
    for (const int column : layout.hiddenColumns)
        header->setSectionHidden(column, true);
    splitterSizes_ = QList<int>(layout.splitter.begin(), layout.splitter.end());
    header->setSortIndicator(static_cast<int>(layout.sortColumn),
                             layout.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void GameBrowserWindow::SaveLayout() {
    if (!layoutRestored_ || query_.DatabasePath().empty()) return;
    BrowserLayout layout;
    const QHeaderView* header = table_->horizontalHeader();
    layout.sortColumn = query_.SortColumn();
    layout.descending = query_.SortDescending();
    for (int column = 0; column < kBrowserColumns; ++column) {
        layout.widths.push_back(column < model_->columnCount() ? header->sectionSize(column) : 0);
        if (column < model_->columnCount() && header->isSectionHidden(column))
            layout.hiddenColumns.push_back(column);
    }
    // Sizes not applied yet (the window never showed) are kept as they were read.
    for (const int size : splitterSizes_.isEmpty() ? splitter_->sizes() : splitterSizes_)
        layout.splitter.push_back(size);
    Guarded(kProcUserData, [&] {
        UserDatabase(UserDatabasePath()).SetPreference(kLayoutKey, BrowserLayoutText(layout));
    });
}

void GameBrowserWindow::ShowColumnChooser(const QPoint& at) {
    QHeaderView* header = table_->horizontalHeader();
    QMenu menu(this);
    menu.setObjectName("ColumnChooser");
    for (int column = 0; column < model_->columnCount(); ++column) {
        QAction* entry = menu.addAction(model_->headerData(column, Qt::Horizontal).toString());
        entry->setObjectName(QString("Column%1").arg(column));
        entry->setCheckable(true);
        entry->setChecked(!header->isSectionHidden(column));
        // The set name and the title always show.
        entry->setEnabled(column > static_cast<int>(BrowserColumn::Title));
        connect(entry, &QAction::toggled, this, [this, header, column](bool shown) {
            header->setSectionHidden(column, !shown);
            SaveLayout();
        });
    }
    menu.exec(header->mapToGlobal(at));
}

void GameBrowserWindow::SaveNote() {
    if (shownSet_.empty()) return;
    if (!SaveGameNote(NotesFilePath(), shownSet_, noteTitle_, note_->toPlainText().toStdString())) {
        Ui().Message(std::string(Text(kTextNoteNotSaved)) + NotesFilePath(), MsgButtons::Ok,
                     MsgIcon::Exclamation);
        return;
    }
    note_->document()->setModified(false);
}

void GameBrowserWindow::hideEvent(QHideEvent* event) {
    if (note_->document()->isModified()) SaveNote();
    SaveLayout();
    ChildWindow::hideEvent(event);
}

QWidget* GameBrowserWindow::BuildFilterBar() {
    auto* bar = new QWidget;
    filter_ = new QLineEdit;
    filter_->setObjectName("Filter");
    filter_->setClearButtonEnabled(true);
    filter_->setPlaceholderText(Said(kTextTitleOrSetName));
    connect(filter_, &QLineEdit::textChanged, this, [this] { ApplyFilter(); });
    auto quick = [this](const char* name, int text) {
        auto* box = new QCheckBox(Said(text));
        box->setObjectName(name);
        connect(box, &QCheckBox::toggled, this, [this] { ApplyFilter(); });
        return box;
    };
    owned_ = quick("OwnedOnly", kTextOwnedOnly);
    working_ = quick("WorkingOnly", kTextWorkingOnly);
    noClones_ = quick("NoClones", kTextNoClones);
    noMature_ = quick("NoMature", kTextNoMature);
    favourites_ = quick("FavouritesOnly", kTextFavouritesBox);
    recent_ = quick("RecentOnly", kTextRecentlyPlayed);
    fullText_ = quick("FullText", kTextInTheTexts);
    fullText_->setToolTip(Said(kTextFullTextTip));
    auto year = [this](const char* name, int text) {
        auto* edit = new QLineEdit;
        edit->setObjectName(name);
        edit->setPlaceholderText(Said(text));
        edit->setMaxLength(4);
        edit->setFixedWidth(fontMetrics().averageCharWidth() * 8);
        connect(edit, &QLineEdit::textChanged, this, [this] { ApplyFilter(); });
        return edit;
    };
    yearFrom_ = year("YearFrom", kTextYearFrom);
    yearTo_ = year("YearTo", kTextYearTo);
    count_ = new QLabel;
    count_->setObjectName("GameCount");
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(filter_, 1);
    row->addWidget(fullText_);
    for (QCheckBox* box : {owned_, working_, noClones_, noMature_, favourites_, recent_})
        row->addWidget(box);
    row->addWidget(yearFrom_);
    row->addWidget(yearTo_);
    row->addWidget(count_);
    return bar;
}

QWidget* GameBrowserWindow::BuildDetailPane() {
    auto* pane = new QWidget;
    title_ = new QLabel;
    title_->setObjectName("GameTitle");
    title_->setWordWrap(true);
    title_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont big = title_->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    title_->setFont(big);
    auto* strip = new QWidget;
    auto* images = new QHBoxLayout(strip);
    images->setContentsMargins(0, 0, 0, 0);
    for (std::size_t i = 0; i < kArtStrip.size(); ++i) {
        artLabels_[i] = ImageLabel(kArtStrip[i].name);
        images->addWidget(artLabels_[i]);
    }
    images->addStretch(1);
    artStrip_ = new QScrollArea;
    artStrip_->setObjectName("ArtStrip");
    artStrip_->setWidget(strip);
    artStrip_->setWidgetResizable(true);
    artStrip_->setFrameShape(QFrame::NoFrame);
    artStrip_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    artStrip_->setFixedHeight(kImageBox.height() +
                              artStrip_->horizontalScrollBar()->sizeHint().height());

    fields_ = new QTextBrowser;
    fields_->setObjectName("Fields");
    history_ = TextPane("History");
    mameinfo_ = TextPane("Mameinfo");
    commands_ = TextPane("Commands");
    tabs_ = new QTabWidget;
    tabs_->setObjectName("DetailTabs");
    tabs_->addTab(fields_, Said(kTextDetailsTab));
    tabs_->addTab(history_, Said(kTextHistoryTab));
    tabs_->addTab(mameinfo_, "Mameinfo");
    tabs_->addTab(commands_, Said(kTextCommandsTab));
    note_ = new QPlainTextEdit;
    note_->setObjectName("Note");
    saveNote_ = new QPushButton(Said(kTextSaveNote));
    saveNote_->setObjectName("SaveNote");
    saveNote_->setEnabled(false);
    connect(note_, &QPlainTextEdit::modificationChanged, saveNote_, &QPushButton::setEnabled);
    connect(saveNote_, &QPushButton::clicked, this, [this] { SaveNote(); });
    auto* notePage = new QWidget;
    auto* noteColumn = new QVBoxLayout(notePage);
    noteColumn->setContentsMargins(0, 0, 0, 0);
    noteColumn->addWidget(note_, 1);
    noteColumn->addWidget(saveNote_, 0, Qt::AlignRight);
    tabs_->addTab(notePage, Said(kTextNoteTab));

    play_ = new QPushButton(Said(kTextPlay));
    play_->setObjectName("Play");
    connect(play_, &QPushButton::clicked, this, [this] { Play(); });
    sheet_ = new QPushButton(Said(kTextSheet));
    sheet_->setObjectName("Sheet");
    connect(sheet_, &QPushButton::clicked, this, [this] { OpenSheet(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(sheet_);
    buttons->addWidget(play_);

    auto* column = new QVBoxLayout(pane);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(title_);
    column->addWidget(artStrip_);
    column->addWidget(tabs_, 1);
    column->addLayout(buttons);
    return pane;
}

void GameBrowserWindow::Load() {
    const std::string path = TheSettings().DatabasePath;
    loadedStamp_ = DatabaseStamp(path);
    seenStamp_ = loadedStamp_;
    loadError_.clear();
    if (!query_.Load(path, &loadError_) && path.empty()) loadError_ = Text(kTextNoDatabaseSet);
    // The user's favourites and plays: without them the browser still shows the games.
    std::string userError;
    if (loadError_.empty() && !query_.LoadUserData(&userError)) WriteLog(userError);
    table_->horizontalHeader()->setSortIndicator(
        static_cast<int>(query_.SortColumn()),
        query_.SortDescending() ? Qt::DescendingOrder : Qt::AscendingOrder);
    model_->Reset();
    ShowCount();
}

bool GameBrowserWindow::ReloadIfChanged() {
    if (DatabaseStamp(TheSettings().DatabasePath) == loadedStamp_) return false;
    const std::string selected = SelectedSet();
    Load();
    shownSet_.clear();
    SelectSet(selected);
    return true;
}

void GameBrowserWindow::ApplyFilter() {
    const std::string selected = SelectedSet();
    BrowserFilter filter;
    filter.text = filter_->text().toStdString();
    filter.ownedOnly = owned_->isChecked();
    filter.workingOnly = working_->isChecked();
    filter.noClones = noClones_->isChecked();
    filter.noMature = noMature_->isChecked();
    filter.favouritesOnly = favourites_->isChecked();
    filter.recentOnly = recent_->isChecked();
    filter.fullText = fullText_->isChecked();
    filter.yearFrom = yearFrom_->text().trimmed().toStdString();
    filter.yearTo = yearTo_->text().trimmed().toStdString();
    const bool highlightChanged = filter.fullText != model_->Filter().fullText ||
                                  (filter.fullText && filter.text != model_->Filter().text);
    model_->SetFilter(filter);
    ShowCount();
    SelectSet(selected);
    if (highlightChanged) HighlightMatches();
}

void GameBrowserWindow::ShowCount() {
    if (!loadError_.empty()) {
        count_->setText(Q(loadError_));
        return;
    }
    const int shown = model_->rowCount();
    const int total = query_.GameCount();
    count_->setText(shown == total ? Said(kTextGameCount).arg(total)
                                   : Said(kTextGamesShownOf).arg(shown).arg(total));
}

void GameBrowserWindow::SelectSet(const std::string& setName) {
    int row = setName.empty() ? -1 : model_->RowOf(setName);
    if (row < 0 && model_->rowCount() > 0) row = 0;
    if (row < 0) {
        ShowDetails();
        return;
    }
    const QModelIndex index = model_->index(row, 0);
    table_->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    table_->scrollTo(index);
}

std::string GameBrowserWindow::SelectedSet() const {
    return model_->SetName(table_->currentIndex().row());
}

void GameBrowserWindow::ShowDetails() {
    const std::string name = SelectedSet();
    if (name == shownSet_ && !name.empty()) return;
    if (note_->document()->isModified()) SaveNote();  // leaving a game keeps its note
    shownSet_ = name;
    const GameDetails details = name.empty() ? GameDetails{} : query_.Details(name);
    title_->setText(Q(details.title));
    QString html = "<table>";
    for (const auto& [label, value] : details.fields)
        html += "<tr><td><b>" + Q(label).toHtmlEscaped() + "</b>&nbsp;&nbsp;</td><td>" +
                Q(value).toHtmlEscaped().replace('\n', "<br>") + "</td></tr>";
    fields_->setHtml(html + "</table>");
    history_->setPlainText(Q(details.history));
    mameinfo_->setPlainText(Q(details.mameinfo));
    commands_->setPlainText(Q(details.commands));
    std::string notes;
    noteTitle_ = details.title;
    note_->setPlainText(details.found && ReadTextFile(NotesFilePath(), notes)
                            ? Q(GameNote(notes, name))
                            : QString());
    note_->setReadOnly(!details.found);
    tabs_->setTabEnabled(1, !details.history.empty());
    tabs_->setTabEnabled(2, !details.mameinfo.empty());
    tabs_->setTabEnabled(3, !details.commands.empty());
    HighlightMatches();
    bool anyPicture = false;
    for (std::size_t i = 0; i < kArtStrip.size(); ++i) {
        ShowImage(artLabels_[i], kArtStrip[i].slot, name);
        anyPicture = anyPicture || !artLabels_[i]->isHidden();
    }
    artStrip_->setVisible(anyPicture);
    play_->setEnabled(details.found);
    sheet_->setEnabled(details.found);
}

void GameBrowserWindow::ShowImage(QLabel* label, int artSlot, const std::string& setName) {
    // Without a picture the label gives its room to the texts below.
    label->clear();
    label->setToolTip({});
    label->hide();
    if (setName.empty()) return;
    const ArtImage image = art_.Find(TheSettings().ArtFolders[artSlot], setName);
    QPixmap pixmap;
    if (image.bytes.empty() ||
        !pixmap.loadFromData(reinterpret_cast<const uchar*>(image.bytes.data()),
                             static_cast<uint>(image.bytes.size())))
        return;
    label->setPixmap(pixmap.scaled(kImageBox, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    label->setToolTip(Q(image.source));
    label->show();
}

void GameBrowserWindow::HighlightMatches() {
    const BrowserFilter& filter = model_->Filter();
    const std::vector<std::string> words =
        filter.fullText ? FullTextWords(filter.text) : std::vector<std::string>{};
    QTextCharFormat marked;
    marked.setBackground(QColor(255, 230, 80));
    marked.setForeground(Qt::black);
    for (QPlainTextEdit* pane : {history_, mameinfo_, commands_}) {
        QList<QTextEdit::ExtraSelection> selections;
        for (const std::string& word : words) {
            QTextCursor at(pane->document());
            while (!(at = pane->document()->find(Q(word), at)).isNull())
                selections.append({at, marked});
        }
        pane->setExtraSelections(selections);
    }
}

std::string GameBrowserWindow::UserDatabasePath() const {
    return UserDatabase::PathBeside(query_.DatabasePath());
}

void GameBrowserWindow::RefreshUserData() {
    std::string error;
    if (!query_.LoadUserData(&error)) WriteLog(error);
    ApplyFilter();
}

void GameBrowserWindow::Play() {
    const std::string name = SelectedSet();
    if (name.empty()) return;
    std::string options;
    Guarded(kProcUserData,
            [&] { options = UserDatabase(UserDatabasePath()).EmulatorOptions(name); });
    PlaySet(name, options);
}

void GameBrowserWindow::PlaySet(const std::string& setName, const std::string& options) {
    // The launcher records the play; the window, if still there, shows it.
    QPointer<GameBrowserWindow> window(this);
    PlayGame(setName, SplitEmulatorArguments(options), [window](std::int64_t, std::int64_t) {
        if (window) window->RefreshUserData();
    });
}

void GameBrowserWindow::PlayWithOptions() {
    const std::string name = SelectedSet();
    if (name.empty()) return;
    std::string options;
    if (!Guarded(kProcUserData,
                 [&] { options = UserDatabase(UserDatabasePath()).EmulatorOptions(name); }))
        return;
    bool accepted = false;
    const QString typed =
        QInputDialog::getText(this, Said(kTextPlayWithOptionsTitle), Said(kTextEmulatorArguments),
                              QLineEdit::Normal, Q(options), &accepted);
    if (!accepted) return;
    options = typed.trimmed().toStdString();
    Guarded(kProcUserData,
            [&] { UserDatabase(UserDatabasePath()).SetEmulatorOptions(name, options); });
    PlaySet(name, options);
}

void GameBrowserWindow::ToggleFavourite() {
    const std::string name = SelectedSet();
    if (name.empty() || query_.DatabasePath().empty()) return;
    const int row = table_->currentIndex().row();
    const bool favourite = row >= 0 && model_->IsFavourite(row);
    if (Guarded(kProcUserData,
                [&] { UserDatabase(UserDatabasePath()).SetFavourite(name, !favourite); }))
        RefreshUserData();
}

void GameBrowserWindow::OpenRomFolder() {
    const std::string& folder = TheSettings().RomsFolder;
    if (!folder.empty()) Ui().OpenWithDefaultApp(folder);
}

void GameBrowserWindow::CopySetName() {
    const std::string name = SelectedSet();
    if (!name.empty()) QGuiApplication::clipboard()->setText(Q(name));
}

void GameBrowserWindow::ShowGameMenu(const QPoint& at) {
    const QModelIndex index = table_->indexAt(at);
    if (!index.isValid()) return;
    table_->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QMenu menu(this);
    menu.setObjectName("GameMenu");
    auto item = [&](const char* name, const QString& text, auto action) {
        QAction* entry = menu.addAction(text, this, action);
        entry->setObjectName(name);
        return entry;
    };
    item("MenuPlay", Said(kTextPlay), [this] { Play(); });
    item("MenuPlayWithOptions", Said(kTextPlayWithOptions), [this] { PlayWithOptions(); });
    QAction* favourite = item("MenuFavourite", Said(kTextFavourite), [this] { ToggleFavourite(); });
    favourite->setCheckable(true);
    favourite->setChecked(model_->IsFavourite(index.row()));
    favourite->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    item("MenuSheet", Said(kTextSheet), [this] { OpenSheet(); });
    item("MenuRomFolder", Said(kTextOpenRomFolder), [this] { OpenRomFolder(); });
    item("MenuCopyName", Said(kTextCopySetName), [this] { CopySetName(); });
    menu.exec(table_->viewport()->mapToGlobal(at));
}

void GameBrowserWindow::OpenSheet() {
    const std::string name = SelectedSet();
    if (name.empty()) return;
    if (OpenOrOfferSheet(name) == SheetOutcome::MakeSheets) Ui().OpenWindow(WindowId::Sheet);
}

void GameBrowserWindow::showEvent(QShowEvent* event) {
    ChildWindow::showEvent(event);
    if (placed_) return;
    placed_ = true;
    // The browser is the main view: it takes the whole area when it first shows,
    // and follows the area's size until it is moved or resized by hand.
    if (auto* frame = qobject_cast<QMdiSubWindow*>(Frame()))
        if (QMdiArea* area = frame->mdiArea()) {
            frame->setGeometry(QRect(QPoint(0, 0), area->viewport()->size()));
            area->viewport()->installEventFilter(this);
        }
    table_->setFocus(Qt::OtherFocusReason);
    if (!splitterSizes_.isEmpty())
        QTimer::singleShot(0, this, [this] {
            splitter_->setSizes(splitterSizes_);
            splitterSizes_.clear();
        });
    if (table_->currentIndex().isValid() || model_->rowCount() == 0) return;
    SelectSet({});
}

bool GameBrowserWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && watched != table_) {
        QWidget* frame = Frame();
        const auto* resize = static_cast<QResizeEvent*>(event);
        if (frame != this && frame->geometry() == QRect(QPoint(0, 0), resize->oldSize()))
            frame->setGeometry(QRect(QPoint(0, 0), resize->size()));
        return false;
    }
    if (watched == filter_ && event->type() == QEvent::KeyPress) {
        // The filter steers the list: Up and Down move its selection, Return plays.
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown:
                QCoreApplication::sendEvent(table_, event);
                return true;
            case Qt::Key_Return:
            case Qt::Key_Enter:
                Play();
                return true;
            default:
                return false;
        }
    }
    if (watched != table_ || event->type() != QEvent::KeyPress)
        return ChildWindow::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Play();
            return true;
        case Qt::Key_Escape:
            if (filter_->text().isEmpty()) return false;
            filter_->clear();
            return true;
        case Qt::Key_Backspace:
            filter_->backspace();
            return true;
        default:
            break;
    }
    // Typing in the table filters it; the arrows and Return keep working there.
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint() ||
        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    filter_->insert(text);
    return true;
}

void RegisterGameBrowserWindow() {
    RegisterWindow<GameBrowserWindow>(WindowId::GameBrowser);
    RegisterMenuCommand(MenuCommand::GameBrowser, OpenWindowCommand(WindowId::GameBrowser));
}

}  // namespace arc::ui
