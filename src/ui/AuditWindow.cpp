#include "ui/AuditWindow.h"

#include <algorithm>
#include <string_view>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "audit/Audit.h"
#include "collection/AuditRows.h"
#include "core/Files.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/Task.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "database/Database.h"
#include "shell/ProgressWindowState.h"
#include "ui/DesktopWindows.h"
#include "ui/QtText.h"
#include "ui/WindowRegistry.h"

namespace arc::ui {
namespace {

/// The audit engine over the open database.
std::string RunTheAudit(const AuditRequest& request, TaskContext& context) {
    const AuditOutcome outcome = RunAudit(request, context);
    return outcome.failed() ? outcome.message : std::string();
}

/// The window's bar shows the task's count.
void ShowCount(QProgressBar& bar, const TaskProgress& progress) {
    bar.setMaximum(std::max(progress.Total(), 1));
    bar.setValue(std::min(progress.Done(), bar.maximum()));
}

/// A cell that sorts as a number.
QTableWidgetItem* NumberItem(int value) {
    auto* item = new QTableWidgetItem;
    item->setData(Qt::DisplayRole, value);
    return item;
}

}  // namespace

AuditWindow::AuditWindow()
    : ChildWindow(WindowId::Audit),
      runner_(RunTheAudit),
      progress_(new QProgressBar(this)),
      start_(Button("CommandAudit", Q(Text(kTextAuditStart)), this)),
      cancel_(Button("CommandCancel", Q(Text(kTextCancel)), this)),
      count_(new QLabel(this)),
      results_(new QTableWidget(this)),
      barTimer_(new QTimer(this)) {
    setWindowTitle(Q(Text(kTextAuditTitle)));
    progress_->setObjectName("ProgressBar1");
    count_->setObjectName("LabelCount");
    results_->setObjectName("ListAudit");
    QStringList headers = Q(Text(kTextAuditColumns)).split('|');
    results_->setColumnCount(static_cast<int>(headers.size()));
    results_->setHorizontalHeaderLabels(headers);
    results_->horizontalHeader()->setStretchLastSection(true);
    results_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    results_->setSelectionBehavior(QAbstractItemView::SelectRows);
    results_->verticalHeader()->hide();
    cancel_->setEnabled(false);
    auto* close = Button("CommandClose", Q(Text(kTextCloseButton)), this);
    connect(start_, &QPushButton::clicked, this, &AuditWindow::Run);
    connect(cancel_, &QPushButton::clicked, this, [this] {
        if (task_) task_->Cancel();
    });
    barTimer_->setInterval(ProgressWindowState::kBarTickMs);
    connect(barTimer_, &QTimer::timeout, this, [this] {
        if (task_) ShowCount(*progress_, *task_);
    });
    connect(close, &QPushButton::clicked, this, &ChildWindow::Unload);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(start_);
    buttons->addWidget(cancel_);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(progress_);
    layout->addWidget(count_);
    layout->addWidget(results_, 1);
    layout->addLayout(buttons);
    resize(760, 480);
    ShowResults();
}

void AuditWindow::Run() {
    start_->setEnabled(false);
    cancel_->setEnabled(true);
    DisableMenus();
    running_ = true;
    TaskProgress progress;
    task_ = &progress;
    barTimer_->start();
    bool opened = false;
    std::string failure;
    const std::string database = TheSettings().DatabasePath;
    AuditRequest request;
    request.romsFolder = TheSettings().RomsFolder;
    // The database is opened, read and closed by the task, on its thread.
    Ui().RunTask(progress,
                 [&](TaskContext& context) {
                     if (!OpenDatabase(database)) return;
                     opened = true;
                     failure = runner_(request, context);
                     CloseDatabase();
                 },
                 {.window = false, .menusOff = false});
    barTimer_->stop();
    task_ = nullptr;
    ShowCount(*progress_, progress);
    running_ = false;
    EnableMenus();
    start_->setEnabled(true);
    cancel_->setEnabled(false);
    if (!opened) {
        Ui().Message(Text(kTextCannotOpenDatabase), MsgButtons::Ok, MsgIcon::Critical);
        return;
    }
    ShowResults();
    if (progress.Cancelled()) {
        // The table shows the previous audit, which the cancelled one left whole.
        count_->setText(Q(Text(kTextAuditCancelledKept) + "\n") + count_->text());
    }
    if (!failure.empty()) Ui().Message(failure, MsgButtons::Ok, MsgIcon::Exclamation);
}

void AuditWindow::ShowResults() {
    std::vector<AuditRow> rows;
    // No database yet: an empty table, without an error box at each opening.
    const std::string& database = TheSettings().DatabasePath;
    if (IsDatabaseOpen() || (FileExists(database) && OpenDatabase(database)))
        rows = ReadAuditRows();
    CloseDatabase();
    results_->setSortingEnabled(false);
    results_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const AuditRow& row = rows[static_cast<std::size_t>(r)];
        results_->setItem(r, 0, new QTableWidgetItem(Q(row.name)));
        results_->setItem(r, 1, new QTableWidgetItem(Q(VerdictCaption(row.verdict))));
        int column = 2;
        for (int value : {row.needed, row.found, row.missing, row.bad, row.unneeded})
            results_->setItem(r, column++, NumberItem(value));
        results_->setItem(r, column, new QTableWidgetItem(Q(row.problems)));
    }
    results_->setSortingEnabled(true);
    count_->setText(Q(std::to_string(rows.size()) + Text(kTextSetsAudited)));
}

void RegisterAuditWindow() {
    RegisterWindow<AuditWindow>(WindowId::Audit);
    RegisterMenuCommand(MenuCommand::Audit, OpenWindowCommand(WindowId::Audit));
}

}  // namespace arc::ui
