#include "shell/Startup.h"

#include "core/EmulatorConfig.h"
#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/ProgramFolder.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "core/UiService.h"

namespace arc {
namespace {

constexpr int kProcStartup = 3;

}  // namespace

bool LoadStartupSettings() {
    bool loaded = false;
    Guarded(kProcStartup, [&loaded] {
        TheSettings() = DefaultSettings();
        if (!FileExists(InProgramFolder("Arcanote.inf")))
            FollowEmulatorConfiguration(TheSettings());
        loaded = LoadSettings();
    });
    // A file that is no settings file is told, and is no first run either:
    // the language question would save over it.
    if (!RefusedSettingsFile().empty()) {
        Ui().Message(RefusedSettingsFile() + std::string(EnglishText(kTextSettingsRefused)),
                     MsgButtons::Ok, MsgIcon::Exclamation);
        return true;
    }
    return loaded;
}

void FirstRunLanguageChosen(int index) {
    Guarded(kProcStartup, [index] {
        TheSettings().Language = index == 1 ? 1 : 0;
        SaveSettings();
    });
}

void FinishStartup() {
    Guarded(kProcStartup, [] {
        BuildTextTable();
        EnsureBackupFolder();
    });
}

}  // namespace arc
