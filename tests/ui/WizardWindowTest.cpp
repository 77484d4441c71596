// The wizard window: menus off while it is open, Next only with a ticked box,
// the close box during a run stops it, menus back on when it closes.

#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "UiTestSupport.h"
#include "ui/ChildWindow.h"

using namespace arc;

class WizardWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void nextFollowsTheBoxesAndTheCloseBoxStopsARun() {
        test::OpenedWindow wizard;
        auto* window = qobject_cast<arc::ui::ChildWindow*>(wizard.Open("MnuWizard", "Form7"));
        QVERIFY(window);
        QVERIFY(State().WizardMode);
        QVERIFY(!wizard.MenusOn());
        auto* next = window->findChild<QPushButton*>("Command1");
        QVERIFY(!next->isEnabled());
        window->findChild<QCheckBox*>("Check1_2")->setChecked(true);
        QVERIFY(next->isEnabled());
        window->findChild<QCheckBox*>("Check1_2")->setChecked(false);
        QVERIFY(!next->isEnabled());

        // The wizard waits for the download window; the close box is pressed meanwhile.
        window->findChild<QCheckBox*>("Check1_0")->setChecked(true);
        bool refusedWhileRunning = false;
        std::string finished;
        auto answer = test::AnswerNextMessage(QMessageBox::Ok, &finished);
        QTimer::singleShot(200, window, [&] {
            QVERIFY(State().DownloadWindowOpen);
            window->Frame()->close();
            refusedWhileRunning =
                wizard.main.FindOpenWindow("Form7") != nullptr && State().WizardMode;
        });
        QTest::mouseClick(next, Qt::LeftButton);
        QVERIFY(refusedWhileRunning);
        QTRY_VERIFY(!wizard.main.FindOpenWindow("Form7"));
        QVERIFY(!State().WizardMode);
        QVERIFY(finished.empty());  // no "Wizard finished."
        wizard.main.FindOpenWindow("Form4")->close();
        QVERIFY(wizard.MenusOn());
    }
};

QTEST_MAIN(WizardWindowTest)
#include "WizardWindowTest.moc"
