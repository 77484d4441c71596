// The audit window: a cancelled run says so and shows the previous audit.

#include <QLabel>
#include <QProgressBar>
#include <QTableWidget>

#include "UiTestSupport.h"
#include "core/Progress.h"
#include "ui/AuditWindow.h"

using namespace arc;

class AuditWindowTest : public QObject {
    Q_OBJECT

  private slots:
    // Regression (after Cancel the bar stayed part-way and the old table
    // showed without a word).
    void aCancelledAuditSaysSoAndKeepsThePreviousOne() {
        test::OpenedWindow opened;
        TheSettings().DatabasePath = opened.folder.home.file("games.mdb");
        QVERIFY(test::MakeDatabase(
            TheSettings().DatabasePath,
            {"CREATE TABLE Audit (Name TEXT PRIMARY KEY, Verdict TEXT, Needed INTEGER, Found "
             "INTEGER, Missing INTEGER, Bad INTEGER, Unneeded INTEGER, Problems TEXT)",
             "INSERT INTO Audit VALUES ('pacman', 'complete', 1, 1, 0, 0, 0, '')"}));
        auto* window = qobject_cast<ui::AuditWindow*>(opened.Open("MnuAudit", "Form14"));
        QVERIFY(window);
        bool ranOn = true;
        window->SetRunner([&](TaskProgress& progress) {
            progress.SetTotal(10);
            progress.Step(3);
            opened.Find<QPushButton>("CommandCancel")->click();
            ranOn = progress.Step(4);
            return std::string();
        });
        opened.Click("CommandAudit");
        QVERIFY(!ranOn);
        const QString said = opened.Find<QLabel>("LabelCount")->text();
        QVERIFY2(said.contains(QString::fromStdString(Text(kTextAuditCancelledKept))),
                 qPrintable(said));
        QVERIFY(said.contains("1 set(s) audited."));
        QCOMPARE(opened.Find<QTableWidget>("ListAudit")->rowCount(), 1);
        QCOMPARE(opened.Find<QProgressBar>("ProgressBar1")->value(), 0);
    }
};

QTEST_MAIN(AuditWindowTest)
#include "AuditWindowTest.moc"
