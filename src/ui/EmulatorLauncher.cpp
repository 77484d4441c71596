#include "ui/EmulatorLauncher.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStringList>
#include <chrono>
#include <deque>
#include <map>
#include <memory>

#include "collection/GameActions.h"
#include "collection/PlayHistory.h"
#include "core/EmulatorConfig.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "core/UiService.h"

namespace arc::ui {
namespace {

/// Lines of the emulator's output shown with an error exit.
constexpr std::size_t kShownLines = 8;

/// Splits what the emulator wrote into lines, logs each and keeps the last ones.
struct OutputLines {
    std::string pending;
    std::deque<std::string> last;

    void Take(const QByteArray& bytes, const std::string& setName) {
        pending.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        std::size_t end = 0;
        while ((end = pending.find('\n')) != std::string::npos) {
            Line(pending.substr(0, end), setName);
            pending.erase(0, end + 1);
        }
    }
    void Line(std::string line, const std::string& setName) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) return;
        WriteLog(setName + ": " + line);
        last.push_back(std::move(line));
        if (last.size() > kShownLines) last.pop_front();
    }
    std::string Last() const {
        std::string text;
        for (const std::string& line : last)
            text += line + "\n";
        return text;
    }
};

/// The options of the emulator the program runs, read once per emulator.
const EmulatorOptions& OptionsOfTheEmulator() {
    static std::map<std::string, EmulatorOptions> known;
    const EmulatorConfigSources sources = DefaultEmulatorConfigSources();
    auto it = known.find(sources.executable);
    if (it == known.end())
        it = known.emplace(sources.executable, ReadEmulatorOptions(sources)).first;
    return it->second;
}

/// What a play is recorded under: a set, and the list of a software item
/// (none for a machine). The set also names the play in the log and messages.
struct Played {
    std::string set;
    std::string list;
    std::string Label() const { return list.empty() ? set : list + "/" + set; }
};

bool Start(const EmulatorLaunch& launch, const Played& played, PlayEnded ended) {
    const std::string setName = played.Label();
    if (launch.program.empty()) {
        Ui().Message(NoEmulatorMessage(), MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    QStringList arguments;
    std::string commandLine = launch.program;
    for (const std::string& argument : launch.arguments) {
        arguments << QString::fromStdString(argument);
        commandLine += " " + argument;
    }
    WriteLog("Play: " + commandLine);

    // The process outlives the window that started it; it goes when it ends.
    auto* process = new QProcess(QCoreApplication::instance());
    process->setProgram(QString::fromStdString(launch.program));
    process->setArguments(arguments);
    if (!launch.workingFolder.empty())
        process->setWorkingDirectory(QString::fromStdString(launch.workingFolder));
    process->setProcessChannelMode(QProcess::MergedChannels);
    auto output = std::make_shared<OutputLines>();
    const std::int64_t startedAt = std::chrono::duration_cast<std::chrono::seconds>(
                                       std::chrono::system_clock::now().time_since_epoch())
                                       .count();
    const auto startClock = std::chrono::steady_clock::now();
    QObject::connect(process, &QProcess::readyReadStandardOutput, process,
                     [process, output, setName] { output->Take(process->readAll(), setName); });
    QObject::connect(
        process, &QProcess::finished, process,
        [process, output, setName, played, ended, startedAt, startClock,
         database = TheSettings().DatabasePath](int exitCode, QProcess::ExitStatus status) {
            output->Take(process->readAll(), setName);
            output->Line(output->pending, setName);
            const int code = status == QProcess::CrashExit ? -1 : exitCode;
            WriteLog(setName + ": the emulator ended with code " + std::to_string(code));
            const std::int64_t seconds = std::chrono::duration_cast<std::chrono::seconds>(
                                             std::chrono::steady_clock::now() - startClock)
                                             .count();
            const bool recorded = EmulatorRanTheGame(code) &&
                                  RecordPlay(database, played.set, startedAt, seconds, played.list);
            process->deleteLater();
            if (recorded && ended) ended(startedAt, seconds);
            if (code != 0)
                Ui().Message(EmulatorErrorMessage(setName, code, output->Last()), MsgButtons::Ok,
                             MsgIcon::Exclamation);
        });
    process->start();
    if (!process->waitForStarted(5000)) {
        const std::string reason = process->errorString().toStdString();
        WriteLog(setName + ": the emulator did not start: " + reason);
        process->deleteLater();
        Ui().Message(LaunchFailedMessage(launch, reason), MsgButtons::Ok, MsgIcon::Critical);
        return false;
    }
    return true;
}

}  // namespace

bool PlayGame(const std::string& setName, const std::vector<std::string>& extraArguments,
              PlayEnded ended) {
    if (setName.empty()) return false;
    EmulatorLaunch launch = PlanLaunch(setName, OptionsOfTheEmulator());
    launch.arguments.insert(launch.arguments.end(), extraArguments.begin(), extraArguments.end());
    return Start(launch, {setName, {}}, std::move(ended));
}

bool PlaySoftware(const std::string& machine, const std::string& list, const std::string& item,
                  PlayEnded ended) {
    if (machine.empty() || list.empty() || item.empty()) return false;
    EmulatorLaunch launch = PlanLaunch(machine, OptionsOfTheEmulator());
    launch.arguments.push_back(item);
    return Start(launch, {item, list}, std::move(ended));
}

}  // namespace arc::ui
