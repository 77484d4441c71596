#include "collection/GameActions.h"

#include "collection/GameBrowserQuery.h"
#include "core/Emulator.h"
#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "core/UiService.h"

namespace arc {
namespace {

constexpr int kProcSheet = 683;

std::string Str(std::string_view text) {
    return std::string(text);
}

}  // namespace

EmulatorLaunch PlanLaunch(std::string_view setName, const EmulatorOptions& emulator) {
    const Settings& settings = TheSettings();
    EmulatorLaunch launch;
    launch.program = MameExecutable();
    if (launch.program.empty()) return launch;
    const std::string romPath = LaunchRomPath(settings.RomsFolder, emulator);
    if (!romPath.empty()) launch.arguments = {"-rompath", romPath};
    launch.arguments.emplace_back(setName);
    if (!settings.MameFolder.empty() && FolderExists(settings.MameFolder))
        launch.workingFolder = settings.MameFolder;
    return launch;
}

std::vector<std::string> SplitEmulatorArguments(std::string_view text) {
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"') {
            quoted = !quoted;
            inArgument = true;
        } else if (!quoted && (c == ' ' || c == '\t' || c == '\n' || c == '\r')) {
            if (inArgument) arguments.push_back(std::move(current));
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument) arguments.push_back(std::move(current));
    return arguments;
}

std::string NoEmulatorMessage() {
    const std::string& configured = TheSettings().MameExe;
    std::string text = configured.empty() ? Str(Text(kTextNoEmulatorOnPath))
                                          : configured + "\n" + Str(Text(kTextEmulatorCannotRun));
    text += "\n";
    text += Text(kTextChooseEmulator);
    return text;
}

std::string LaunchFailedMessage(const EmulatorLaunch& launch, std::string_view reason) {
    return Str(Text(kTextEmulatorNotStarted)) + "\n" + launch.program + "\n" + Str(reason);
}

std::string EmulatorErrorMessage(std::string_view setName, int exitCode, std::string_view output) {
    std::string text = Str(Text(kTextEmulatorStoppedWithError)) + std::to_string(exitCode) + " (" +
                       Str(setName) + ").";
    if (!Trim(output).empty()) text += "\n\n" + Str(Trim(output));
    return text;
}

std::string GameSheetPath(std::string_view setName) {
    return WithTrailingSlash(TheSettings().HtmlFolder) + "html/" + Str(setName) + ".htm";
}

SheetOutcome OpenOrOfferSheet(std::string_view setName) {
    ProcedureScope scope(kProcSheet);
    const std::string path = GameSheetPath(setName);
    if (!TheSettings().HtmlFolder.empty() && FileExists(path)) {
        Ui().OpenWithDefaultApp(path);
        return SheetOutcome::Opened;
    }
    const std::string question =
        Str(Text(kTextNoSheetPageFor)) + Str(setName) + ".\n" + Str(Text(kTextMakeSheetsNow));
    return Ui().Message(question, MsgButtons::YesNo, MsgIcon::Question) == MsgAnswer::Yes
               ? SheetOutcome::MakeSheets
               : SheetOutcome::Declined;
}

}  // namespace arc
