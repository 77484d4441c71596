// The desktop's tasks run on a worker thread: the progress window follows the
// task, its Cancel asks then cancels, the close box cancels, the UI thread
// stays live, and the worker's questions are asked on the UI thread.

#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QThread>
#include <QTimer>
#include <stdexcept>
#include <thread>

#include "UiTestSupport.h"
#include "core/Task.h"
#include "ui/MainWindow.h"
#include "ui/ProgressWindow.h"

using namespace arc;
using arc::ui::MainWindow;
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

    /// Runs `body` as a task of the desktop while `onUiThread` runs on the UI
    /// thread; the task is cancelled once `onUiThread` returned, whichever way.
    static void RunWhile(test::QtProgramFolder& folder, TaskProgress& progress,
                         const TaskBody& body, const std::function<void()>& onUiThread) {
        QTimer::singleShot(0, [&] {
            struct CancelAtEnd {
                TaskProgress& progress;
                ~CancelAtEnd() { progress.Cancel(); }
            } end{progress};
            onUiThread();
        });
        folder.ui.RunTask(progress, body);
    }
    /// A task that reports, then works until it is cancelled.
    static void UntilCancelled(TaskContext& context) {
        TaskProgress& task = context.progress();
        task.SetTotal(10);
        task.SetLabel("pacman");
        task.Step(5);
        while (task.KeepGoing())
            std::this_thread::yield();
    }

  private slots:
    void aTaskRunsOnAWorkerWhileTheWindowFollowsItStaysLiveAndItsCancelAsks() {
        test::QtProgramFolder folder;
        MainWindow main;
        folder.ui.SetMainWindow(&main);
        main.show();
        int ticks = 0;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
        ticker.start(5);
        TaskProgress progress;
        std::thread::id worker;
        bool reached = false;
        QPoint place;
        RunWhile(
            folder, progress,
            [&](TaskContext& context) {
                worker = std::this_thread::get_id();
                UntilCancelled(context);
            },
            [&] {
                ProgressWindow* window = Window(folder);
                QVERIFY(window && window->isVisible());
                QVERIFY(window->windowFlags() & Qt::WindowStaysOnTopHint);
                QCOMPARE(window->cursor().shape(), Qt::WaitCursor);
                QVERIFY(!main.findChild<QAction*>("MenuOptions")->isEnabled());
                QTRY_COMPARE(window->findChild<QLabel*>("Label1")->text(), QString("pacman"));
                QTRY_COMPARE(window->findChild<QProgressBar*>("ProgressBar1")->value(), 50);
                const int before = ticks;
                QTRY_VERIFY(ticks > before + 3);  // the UI thread's timers run
                std::string question;
                {
                    auto answer = test::AnswerNextMessage(QMessageBox::No, &question);
                    ClickCancel(window);
                }
                QCOMPARE(question, Text(181));
                QVERIFY(!progress.Cancelled() && Window(folder));
                window->move(40, 70);
                place = window->geometry().topLeft();
                auto answer = test::AnswerNextMessage(QMessageBox::Yes);
                ClickCancel(window);
                QVERIFY(progress.Cancelled());
                reached = true;
            });
        QVERIFY(reached);
        QVERIFY(worker != std::thread::id() && worker != std::this_thread::get_id());
        QVERIFY(!Window(folder));
        QVERIFY(main.findChild<QAction*>("MenuOptions")->isEnabled());
        QCOMPARE(TheSettings().WindowLeft[2], place.x() * 15);

        TaskProgress next;  // the close box cancels without a question
        RunWhile(folder, next, UntilCancelled, [&] {
            QTRY_VERIFY(Window(folder));
            QCOMPARE(Window(folder)->geometry().topLeft(), place);
            Window(folder)->close();
        });
        QVERIFY(next.Cancelled());
    }

    void aWorkersQuestionIsAskedOnTheUiThreadAndItsErrorComesBack() {
        test::QtProgramFolder folder;
        TaskProgress progress;
        MsgAnswer answered = MsgAnswer::No;
        bool onWorker = false;
        auto answer = test::AnswerNextMessage(QMessageBox::Yes);
        folder.ui.RunTask(progress, [&](TaskContext& context) {
            onWorker = QThread::currentThread() != qApp->thread();
            // Through the context and through Ui(): both reach the UI thread.
            answered = context.ui().Message("Go on?", MsgButtons::YesNo, MsgIcon::Question);
            QCOMPARE(&Ui(), &context.ui());
        });
        QVERIFY(onWorker);
        QCOMPARE(answered, MsgAnswer::Yes);
        QCOMPARE(answer->Seen(), std::string("MsgBox"));
        bool thrown = false;
        try {
            folder.ui.RunTask(progress, [](TaskContext&) { throw std::runtime_error("disk"); },
                              {.window = false, .menusOff = false});
        } catch (const std::runtime_error& error) {
            thrown = std::string(error.what()) == "disk";
        }
        QVERIFY(thrown);
    }

    // Regression (the window crept up by its title bar at each opening until
    // it left the screen): the place stored is the place restored.
    void keepsItsPlaceOverThirtyOpeningsAndComesBackOnScreen() {
        test::QtProgramFolder folder;
        TaskProgress first;
        RunWhile(folder, first, UntilCancelled, [&] { Window(folder)->move(120, 90); });
        const QPoint place = QPoint(TheSettings().WindowLeft[2], TheSettings().WindowTop[2]) / 15;
        for (int opening = 0; opening < 30; ++opening) {
            TaskProgress task;
            RunWhile(folder, task, UntilCancelled,
                     [&] { QCOMPARE(Window(folder)->geometry().topLeft(), place); });
        }
        QCOMPARE(QPoint(TheSettings().WindowLeft[2], TheSettings().WindowTop[2]) / 15, place);

        TheSettings().WindowLeft[2] = 90000 * 15;  // far right of any screen
        TheSettings().WindowTop[2] = 90000 * 15;
        TaskProgress task;
        RunWhile(folder, task, UntilCancelled, [&] {
            const QRect screen = Window(folder)->screen()->availableGeometry();
            QVERIFY(screen.contains(Window(folder)->frameGeometry()));
        });
    }
};

QTEST_MAIN(ProgressWindowTest)
#include "ProgressWindowTest.moc"
