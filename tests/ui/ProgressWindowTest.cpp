// The progress window driven as a long task sees it: Cancel with its
// confirmation, the close box, the timer, a second task after a first.

#include <QLabel>
#include <QProgressBar>

#include "UiTestSupport.h"
#include "ui/ProgressWindow.h"

using namespace arc;
using arc::ui::ProgressWindow;

class ProgressWindowTest : public QObject {
    Q_OBJECT

  private:
    static ProgressWindow* Window(test::QtProgramFolder& folder) {
        ProgressWindow* window = folder.ui.TheProgressWindow();
        return window && !window->Unloaded() ? window : nullptr;
    }
    static void ClickCancel(ProgressWindow* window) {
        QTest::mouseClick(window->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    }

  private slots:
    void followsTheTaskCancelAsksItsCloseBoxDoesNotAndTheNextTaskReopensInPlace() {
        test::QtProgramFolder folder;
        QPoint place;
        {
            LongTask task(10);
            ProgressWindow* window = Window(folder);
            QVERIFY(window && window->isVisible());
            QVERIFY(window->windowFlags() & Qt::WindowStaysOnTopHint);
            QCOMPARE(window->cursor().shape(), Qt::WaitCursor);
            task.SetLabel("pacman");
            QCOMPARE(window->findChild<QLabel*>("Label1")->text(), QString("pacman"));
            QVERIFY(task.Step(5));
            QTRY_COMPARE_WITH_TIMEOUT(window->findChild<QProgressBar*>("ProgressBar1")->value(), 50,
                                      2000);
            std::string question;
            {
                auto answer = test::AnswerNextMessage(QMessageBox::No, &question);
                ClickCancel(window);
            }
            QCOMPARE(question, Text(181));
            QVERIFY(Window(folder) && task.Step(6));
            window->move(40, 70);
            place = window->geometry().topLeft();
            window->close();  // no question
            QVERIFY(Progress().Cancel);
            QVERIFY(!Window(folder));
            QVERIFY(!task.Step(7));
            QCOMPARE(TheSettings().WindowLeft[2], place.x() * 15);
        }
        LongTask next(2);
        QVERIFY(!Progress().Cancel);
        QVERIFY(next.Step(1));
        QCOMPARE(Window(folder)->geometry().topLeft(), place);
        auto answer = test::AnswerNextMessage(QMessageBox::Yes);
        ClickCancel(Window(folder));
        QVERIFY(Progress().Cancel);
        QVERIFY(!Window(folder));
        QVERIFY(!next.Step(2));
        next.Finish();
        QVERIFY(next.Cancelled());
    }

    // Regression (the window crept up by its title bar at each opening until
    // it left the screen): the place stored is the place restored.
    void keepsItsPlaceOverThirtyOpeningsAndComesBackOnScreen() {
        test::QtProgramFolder folder;
        {
            LongTask first(1);
            Window(folder)->move(120, 90);
        }
        const QPoint place = QPoint(TheSettings().WindowLeft[2], TheSettings().WindowTop[2]) / 15;
        for (int opening = 0; opening < 30; ++opening) {
            LongTask task(1);
            QCOMPARE(Window(folder)->geometry().topLeft(), place);
        }
        QCOMPARE(QPoint(TheSettings().WindowLeft[2], TheSettings().WindowTop[2]) / 15, place);

        TheSettings().WindowLeft[2] = 90000 * 15;  // far right of any screen
        TheSettings().WindowTop[2] = 90000 * 15;
        LongTask task(1);
        const QRect screen = Window(folder)->screen()->availableGeometry();
        QVERIFY(screen.contains(Window(folder)->frameGeometry()));
    }
};

QTEST_MAIN(ProgressWindowTest)
#include "ProgressWindowTest.moc"
