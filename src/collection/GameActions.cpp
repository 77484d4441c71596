#include "collection/GameActions.h"

#include "collection/GameBrowserQuery.h"
#include "core/Emulator.h"
#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Settings.h"
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
    std::string text = configured.empty()
                           ? Str(InLanguage("No emulator was found: \"mame\" is not on the PATH.",
                                            "Aucun émulateur trouvé : \"mame\" n'est pas dans le "
                                            "PATH."))
                           : configured + "\n" +
                                 Str(InLanguage("This emulator does not exist or cannot be run.",
                                                "Cet émulateur n'existe pas ou ne peut pas être "
                                                "lancé."));
    text += "\n";
    text += InLanguage("Choose the emulator in Options > Define paths, or install MAME.",
                       "Choisissez l'émulateur dans Options > Définir les chemins, ou installez "
                       "MAME.");
    return text;
}

std::string LaunchFailedMessage(const EmulatorLaunch& launch, std::string_view reason) {
    return Str(InLanguage("The emulator could not be started:",
                          "L'émulateur n'a pas pu être "
                          "lancé :")) +
           "\n" + launch.program + "\n" + Str(reason);
}

std::string EmulatorErrorMessage(std::string_view setName, int exitCode, std::string_view output) {
    std::string text = Str(InLanguage("The emulator stopped with error ",
                                      "L'émulateur s'est "
                                      "arrêté avec l'erreur ")) +
                       std::to_string(exitCode) + " (" + Str(setName) + ").";
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
        Str(InLanguage("The game sheets have no page for ",
                       "Les fiches des jeux n'ont pas de page "
                       "pour ")) +
        Str(setName) + ".\n" +
        Str(InLanguage("Make the game sheets now?", "Créer les fiches des jeux maintenant ?"));
    return Ui().Message(question, MsgButtons::YesNo, MsgIcon::Question) == MsgAnswer::Yes
               ? SheetOutcome::MakeSheets
               : SheetOutcome::Declined;
}

}  // namespace arc
