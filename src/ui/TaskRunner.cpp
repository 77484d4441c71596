#include "ui/TaskRunner.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <exception>
#include <thread>
#include <type_traits>

#include "core/Task.h"

namespace arc::ui {
namespace {

/// Runs `call` on the UI thread and returns its result; in place when called there.
template <class Call>
auto OnUiThread(Call&& call) {
    using Result = std::invoke_result_t<Call&>;
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread()) return call();
    if constexpr (std::is_void_v<Result>) {
        QMetaObject::invokeMethod(
            app, [&] { call(); }, Qt::BlockingQueuedConnection);
    } else {
        Result result{};
        QMetaObject::invokeMethod(
            app, [&] { result = call(); }, Qt::BlockingQueuedConnection);
        return result;
    }
}

}  // namespace

void RunOnUiThread(const std::function<void()>& call) {
    OnUiThread(call);
}

MsgAnswer WorkerUi::Message(std::string_view text, MsgButtons buttons, MsgIcon icon,
                            std::string_view title) {
    return OnUiThread([&] { return real_.Message(text, buttons, icon, title); });
}

MsgAnswer WorkerUi::AskDestructive(std::string_view text, MsgButtons buttons, MsgIcon icon,
                                   MsgAnswer destructive, std::string_view consent,
                                   std::string_view title) {
    return OnUiThread(
        [&] { return real_.AskDestructive(text, buttons, icon, destructive, consent, title); });
}

std::string WorkerUi::ChooseFileRaw(const FileDialogRequest& request) {
    return OnUiThread([&] { return real_.ChooseFileRaw(request); });
}

std::string WorkerUi::ChooseFolderRaw(std::string_view startFolder, std::string_view title) {
    return OnUiThread([&] { return real_.ChooseFolderRaw(startFolder, title); });
}

bool WorkerUi::OpenWithDefaultApp(std::string_view pathOrUrl) {
    return OnUiThread([&] { return real_.OpenWithDefaultApp(pathOrUrl); });
}

void WorkerUi::SetMenusEnabled(bool enabled) {
    OnUiThread([&] { real_.SetMenusEnabled(enabled); });
}

void WorkerUi::RunTask(TaskProgress& progress, const TaskBody& body, TaskShow) {
    progress.Follow(progress_);
    // The window shows the outer task: the inner one's reports go to it.
    progress.Watch([this](TaskProgress& inner) {
        progress_.SetTotal(inner.Total());
        progress_.SetLabel(inner.Label());
        progress_.Step(inner.Done());
    });
    TaskContext context(progress, *this);
    body(context);
}

bool WorkerUi::OpenWindow(WindowId window) {
    return OnUiThread([&] { return real_.OpenWindow(window); });
}

bool WorkerUi::IsWindowOpen(WindowId window) {
    return OnUiThread([&] { return real_.IsWindowOpen(window); });
}

bool WorkerUi::RunWindow(WindowId window, WindowCaller caller) {
    return OnUiThread([&] { return real_.RunWindow(window, caller); });
}

void WorkerUi::StopWaiting() {
    OnUiThread([&] { real_.StopWaiting(); });
}

void RunOnWorker(UiService& ui, TaskProgress& progress, const TaskBody& body) {
    WorkerUi worker(ui, progress);
    QEventLoop loop;
    std::exception_ptr failure;
    std::thread thread([&] {
        {
            const ThreadUi threadUi(worker);
            TaskContext context(progress, worker);
            try {
                body(context);
            } catch (...) {
                failure = std::current_exception();
            }
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    thread.join();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace arc::ui
