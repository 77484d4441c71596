// The wizard window: menus off while it is open, Next only with a ticked box,
// the close box during a run stops it, menus back on when it closes.

#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "UiTestSupport.h"
#include "core/TextTable.h"
#include "ui/ChildWindow.h"
#include "ui/DownloadWindow.h"

using namespace arc;

class WizardWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void nextFollowsTheBoxesAndTheCloseBoxStopsARun() {
        test::OpenedWindow wizard;
        auto* window = qobject_cast<arc::ui::ChildWindow*>(wizard.Open("MnuWizard", "Form7"));
        QVERIFY(window);
        QVERIFY(!wizard.MenusOn());
        auto* next = window->findChild<QPushButton*>("Command1");
        QVERIFY(!next->isEnabled());
        window->findChild<QCheckBox*>("Check1_2")->setChecked(true);
        QVERIFY(next->isEnabled());
        window->findChild<QCheckBox*>("Check1_2")->setChecked(false);
        QVERIFY(!next->isEnabled());

        // The wizard waits for the download window, opened as its step; its
        // run closes it, and the wizard tells what the run did.
        window->findChild<QCheckBox*>("Check1_0")->setChecked(true);
        bool wizardStep = false;
        std::string finished;
        {
            auto answer = test::AnswerNextMessage(QMessageBox::Ok, &finished);
            QTimer::singleShot(200, window, [&] {
                auto* download =
                    qobject_cast<ui::DownloadWindow*>(wizard.main.FindOpenWindow("Form4"));
                wizardStep = download && download->State().inWizard;
                if (download)
                    QTest::mouseClick(download->findChild<QPushButton*>("Command1"),
                                      Qt::LeftButton);
            });
            QTest::mouseClick(next, Qt::LeftButton);
        }
        QVERIFY(wizardStep);
        QVERIFY2(finished.rfind(Text(kTextFinished), 0) == 0, finished.c_str());
        QVERIFY2(finished.find(Text(kTextNothingTicked)) != std::string::npos, finished.c_str());
        QVERIFY(!wizard.main.FindOpenWindow("Form4"));
        QVERIFY(!wizard.MenusOn());

        // The close box pressed while the wizard waits stops the run.
        finished.clear();
        bool refusedWhileRunning = false;
        auto answer = test::AnswerNextMessage(QMessageBox::Ok, &finished);
        QTimer::singleShot(200, window, [&] {
            window->Frame()->close();
            refusedWhileRunning = wizard.main.FindOpenWindow("Form7") != nullptr;
        });
        QTest::mouseClick(next, Qt::LeftButton);
        QVERIFY(refusedWhileRunning);
        QTRY_VERIFY(!wizard.main.FindOpenWindow("Form7"));
        QVERIFY(finished.empty());  // no "Wizard finished."
        wizard.main.FindOpenWindow("Form4")->close();
        QVERIFY(wizard.MenusOn());
    }
};

QTEST_MAIN(WizardWindowTest)
#include "WizardWindowTest.moc"
