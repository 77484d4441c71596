// The progress window driven as a long task sees it: Cancel with its
// confirmation, the close box, the timer, a second task after a first.

#include <QLabel>
#include <QProgressBar>

#include "UiTestSupport.h"
#include "core/Log.h"
#include "ui/Form2.h"

using namespace arc;
using arc::ui::Form2;

class ProgressWindowTest : public QObject {
    Q_OBJECT

  private:
    static Form2* Window(test::QtProgramFolder& folder) {
        Form2* window = folder.ui.ProgressWindow();
        return window && !window->Unloaded() ? window : nullptr;
    }
    static void ClickCancel(Form2* window) {
        QTest::mouseClick(window->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    }

  private slots:
    void showsTopmostFollowsTheTaskAndItsCloseBoxCancelsWithoutAsking() {
        test::QtProgramFolder folder;
        LongTask task(10);
        Form2* window = Window(folder);
        QVERIFY(window && window->isVisible());
        QVERIFY(window->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(window->cursor().shape(), Qt::WaitCursor);
        task.SetLabel("pacman");
        QCOMPARE(window->findChild<QLabel*>("Label1")->text(), QString("pacman"));
        QVERIFY(task.Step(5));
        QTRY_COMPARE_WITH_TIMEOUT(window->findChild<QProgressBar*>("ProgressBar1")->value(), 50,
                                  2000);
        window->move(40, 70);
        const QPoint place = window->pos();
        window->close();
        QVERIFY(Progress().Cancel);
        QVERIFY(!Window(folder));
        QVERIFY(!task.Step(6));
        QCOMPARE(TheSettings().WindowLeft[2], place.x() * 15);
        QCOMPARE(TheSettings().WindowTop[2], place.y() * 15);
    }

    void cancelAnsweredNoGoesOnAndAnsweredYesStops() {
        test::QtProgramFolder folder;
        State().LogFlag = true;
        LongTask task(10);
        std::string question;
        {
            auto answer = test::AnswerNextMessage(QMessageBox::No, &question);
            ClickCancel(Window(folder));
        }
        QCOMPARE(question, Text(181));
        QVERIFY(!Progress().Cancel);
        QVERIFY(Window(folder));
        QVERIFY(task.Step(1));
        QVERIFY(test::ReadFile(LogFilePath()).find("[CLICK CANCEL]") == std::string::npos);

        auto answer = test::AnswerNextMessage(QMessageBox::Yes);
        ClickCancel(Window(folder));
        QVERIFY(Progress().Cancel);
        QVERIFY(!Window(folder));
        QVERIFY(!task.Step(2));
        task.Finish();
        QVERIFY(task.Cancelled());
        QVERIFY(test::ReadFile(LogFilePath()).find("[CLICK CANCEL]\r\n") != std::string::npos);
    }

    void aTaskAfterAnotherClearsTheFlagAndReopensInPlace() {
        test::QtProgramFolder folder;
        {
            LongTask first(2);
            Window(folder)->move(120, 80);
            QVERIFY(first.Step(1));
        }
        QVERIFY(Progress().Cancel);  // left set by the unload
        const int left = TheSettings().WindowLeft[2];
        QVERIFY(left > 0);

        LongTask second(2);
        QVERIFY(!Progress().Cancel);
        QVERIFY(second.Step(1));
        QVERIFY(second.Step(2));
        QCOMPARE(Window(folder)->x() * 15, left);
        second.Finish();
        QVERIFY(!second.Cancelled());
    }
};

QTEST_MAIN(ProgressWindowTest)
#include "progress_window.moc"
