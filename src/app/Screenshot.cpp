#include "Screenshot.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPixmap>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <cstdio>
#include <optional>

#include "ui/MainWindow.h"

namespace {

/// The menu command that opens each window the documentation shows (the
/// game browser opens at start by itself).
std::optional<arc::MenuCommand> CommandOf(const QString& window) {
    if (window == "paths") return arc::MenuCommand::Paths;
    if (window == "search") return arc::MenuCommand::Search;
    return std::nullopt;
}

/// Selects the set in the game browser, when it shows that set.
void SelectInBrowser(arc::ui::MainWindow& main, const QString& setName) {
    auto* table = main.findChild<QTableView*>("GameTable");
    if (!table || setName.isEmpty()) return;
    const QModelIndexList found = table->model()->match(
        table->model()->index(0, 0), Qt::DisplayRole, setName, 1, Qt::MatchFixedString);
    if (found.isEmpty()) return;
    table->selectionModel()->setCurrentIndex(
        found.front(), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    table->scrollTo(found.front());
}

/// The browser's full-text mode on `words`, the history of the first match shown.
void SearchTextsInBrowser(arc::ui::MainWindow& main, const QString& words) {
    auto* fullText = main.findChild<QCheckBox*>("FullText");
    auto* filter = main.findChild<QLineEdit*>("Filter");
    auto* tabs = main.findChild<QTabWidget*>("DetailTabs");
    if (!fullText || !filter || !tabs) return;
    fullText->setChecked(true);
    filter->setText(words);
    tabs->setCurrentIndex(1);
}

}  // namespace

void ScheduleScreenshot(arc::ui::MainWindow& main, const QString& file, const QString& window,
                        const QString& setName) {
    main.resize(1200, 820);
    QTimer::singleShot(1500, &main, [&main, window, setName] {
        if (window == "browser-text") {
            SearchTextsInBrowser(main, setName);
            return;
        }
        SelectInBrowser(main, setName);
        if (const std::optional<arc::MenuCommand> command = CommandOf(window))
            main.RunCommand(*command);
    });
    QTimer::singleShot(2500, &main, [&main, file] {
        if (!main.grab().save(file, "PNG"))
            std::fprintf(stderr, "arcanote: cannot write %s\n", qPrintable(file));
        main.close();
    });
}
