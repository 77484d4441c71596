// The wizard window: menus off while it is open, Next only with a ticked box,
// menus back on when it closes.

#include <QCheckBox>
#include <QPushButton>

#include "UiTestSupport.h"
#include "ui/MainWindow.h"

using namespace arc;
using arc::ui::MDIForm1;

class WizardWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void nextFollowsTheBoxesAndCancelGivesTheMenusBack() {
        test::QtProgramFolder folder;
        MDIForm1 main;
        folder.ui.SetMainWindow(&main);
        main.show();
        main.findChild<QAction*>("MnuWizard")->trigger();
        QWidget* window = main.FindOpenWindow("Form7");
        QVERIFY(window);
        QVERIFY(State().WizardMode);
        QVERIFY(!main.findChild<QAction*>("MenuTraitement")->isEnabled());

        auto* next = window->findChild<QPushButton*>("Command1");
        QVERIFY(!next->isEnabled());
        window->findChild<QCheckBox*>("Check1_3")->setChecked(true);
        QVERIFY(next->isEnabled());
        QCOMPARE(window->findChild<QCheckBox*>("Check1_3")->text(), QString("Create game list"));
        window->findChild<QCheckBox*>("Check1_3")->setChecked(false);
        QVERIFY(!next->isEnabled());

        QTest::mouseClick(window->findChild<QPushButton*>("Command2"), Qt::LeftButton);
        QTRY_VERIFY(!main.FindOpenWindow("Form7"));
        QVERIFY(!State().WizardMode);
        QVERIFY(main.findChild<QAction*>("MenuTraitement")->isEnabled());
    }
};

QTEST_MAIN(WizardWindowTest)
#include "wizard_window.moc"
