#include "ui/GameBrowserWindow.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>

#include "collection/GameActions.h"
#include "core/Settings.h"
#include "core/UiService.h"
#include "ui/EmulatorLauncher.h"
#include "ui/GameTableModel.h"
#include "ui/QtText.h"
#include "ui/WindowRegistry.h"

namespace arc::ui {
namespace {

QString Said(std::string_view english, std::string_view french) {
    return Q(InLanguage(english, french));
}

constexpr int kDetailDelayMs = 15;
constexpr int kReloadCheckMs = 2000;
constexpr QSize kImageBox(320, 240);

/// Column widths in characters.
constexpr int kColumnChars[kBrowserColumns] = {10, 44, 6, 22, 22, 7, 10, 7, 10};

QPlainTextEdit* TextPane(const char* name) {
    auto* pane = new QPlainTextEdit;
    pane->setObjectName(name);
    pane->setReadOnly(true);
    return pane;
}

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
    setWindowTitle(Said("Games", "Jeux"));
    KeepOpenOnEscape();  // Escape clears the filter of the main view
    model_ = new GameTableModel(query_, this);

    table_ = new QTableView;
    table_->setObjectName("GameTable");
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->setAlternatingRowColors(true);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    table_->horizontalHeader()->setSortIndicator(static_cast<int>(BrowserColumn::Title),
                                                 Qt::AscendingOrder);
    table_->setSortingEnabled(true);
    table_->installEventFilter(this);
    connect(table_, &QTableView::doubleClicked, this, [this] { Play(); });

    detailTimer_ = new QTimer(this);
    detailTimer_->setSingleShot(true);
    detailTimer_->setInterval(kDetailDelayMs);
    connect(detailTimer_, &QTimer::timeout, this, [this] { ShowDetails(); });
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { detailTimer_->start(); });

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(table_);
    splitter->addWidget(BuildDetailPane());
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);

    auto* rows = new QVBoxLayout(this);
    rows->addWidget(BuildFilterBar());
    rows->addWidget(splitter, 1);

    Load();
    const int charWidth = fontMetrics().averageCharWidth();
    for (int column = 0; column < kBrowserColumns; ++column)
        table_->setColumnWidth(column, kColumnChars[column] * charWidth + 12);
    resize(1000, 620);

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

GameBrowserWindow::~GameBrowserWindow() = default;

QWidget* GameBrowserWindow::BuildFilterBar() {
    auto* bar = new QWidget;
    filter_ = new QLineEdit;
    filter_->setObjectName("Filter");
    filter_->setClearButtonEnabled(true);
    filter_->setPlaceholderText(Said("Title or set name", "Titre ou nom du jeu"));
    connect(filter_, &QLineEdit::textChanged, this, [this] { ApplyFilter(); });
    auto quick = [this](const char* name, std::string_view english, std::string_view french) {
        auto* box = new QCheckBox(Said(english, french));
        box->setObjectName(name);
        connect(box, &QCheckBox::toggled, this, [this] { ApplyFilter(); });
        return box;
    };
    owned_ = quick("OwnedOnly", "Owned", "Possédés");
    working_ = quick("WorkingOnly", "Working", "Fonctionnels");
    noClones_ = quick("NoClones", "No clones", "Sans clones");
    noMature_ = quick("NoMature", "No mature", "Sans jeux pour adultes");
    count_ = new QLabel;
    count_->setObjectName("GameCount");
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(filter_, 1);
    for (QCheckBox* box : {owned_, working_, noClones_, noMature_})
        row->addWidget(box);
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
    snapshot_ = ImageLabel("Snapshot");
    titleImage_ = ImageLabel("TitleImage");
    auto* images = new QHBoxLayout;
    images->addWidget(snapshot_);
    images->addWidget(titleImage_);

    fields_ = new QTextBrowser;
    fields_->setObjectName("Fields");
    history_ = TextPane("History");
    mameinfo_ = TextPane("Mameinfo");
    commands_ = TextPane("Commands");
    tabs_ = new QTabWidget;
    tabs_->setObjectName("DetailTabs");
    tabs_->addTab(fields_, Said("Details", "Détails"));
    tabs_->addTab(history_, Said("History", "Historique"));
    tabs_->addTab(mameinfo_, "Mameinfo");
    tabs_->addTab(commands_, Said("Commands", "Commandes"));

    play_ = new QPushButton(Said("&Play", "&Jouer"));
    play_->setObjectName("Play");
    connect(play_, &QPushButton::clicked, this, [this] { Play(); });
    sheet_ = new QPushButton(Said("&Sheet", "&Fiche"));
    sheet_->setObjectName("Sheet");
    connect(sheet_, &QPushButton::clicked, this, [this] { OpenSheet(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(sheet_);
    buttons->addWidget(play_);

    auto* column = new QVBoxLayout(pane);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(title_);
    column->addLayout(images);
    column->addWidget(tabs_, 1);
    column->addLayout(buttons);
    return pane;
}

void GameBrowserWindow::Load() {
    const std::string path = TheSettings().DatabasePath;
    loadedStamp_ = DatabaseStamp(path);
    seenStamp_ = loadedStamp_;
    loadError_.clear();
    if (!query_.Load(path, &loadError_) && path.empty())
        loadError_ = InLanguage(
            "No database is set: make one (Tasks menu) or choose one in the "
            "paths window.",
            "Aucune base n'est définie : créez-en une (menu Traitements) ou "
            "choisissez-la dans la fenêtre des chemins.");
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
    model_->SetFilter(filter);
    ShowCount();
    SelectSet(selected);
}

void GameBrowserWindow::ShowCount() {
    if (!loadError_.empty()) {
        count_->setText(Q(loadError_));
        return;
    }
    const int shown = model_->rowCount();
    const int total = query_.GameCount();
    count_->setText(shown == total
                        ? Said("%1 games", "%1 jeux").arg(total)
                        : Said("%1 of %2 games", "%1 sur %2 jeux").arg(shown).arg(total));
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
    tabs_->setTabEnabled(1, !details.history.empty());
    tabs_->setTabEnabled(2, !details.mameinfo.empty());
    tabs_->setTabEnabled(3, !details.commands.empty());
    ShowImage(snapshot_, kSnapshots, name);
    ShowImage(titleImage_, kTitles, name);
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

void GameBrowserWindow::Play() {
    PlayGame(SelectedSet());
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

ARCANOTE_REGISTER_WINDOW(WindowId::GameBrowser, GameBrowserWindow);
ARCANOTE_REGISTER_COMMAND(MnuParcourir, OpenWindowCommand(WindowId::GameBrowser));

}  // namespace arc::ui
