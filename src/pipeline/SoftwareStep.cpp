#include "pipeline/SoftwareStep.h"

#include "core/EmulatorConfig.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"

namespace arc {

SoftwareImportRequest SoftwareSourceOf(const EmulatorNames& emulator) {
    EmulatorConfigSources sources = DefaultEmulatorConfigSources();
    sources.executable = MameExecutable(emulator.exe, emulator.folder);
    const EmulatorLayout layout =
        LayOutEmulatorPaths(ReadEmulatorOptions(sources), emulator.folder);
    return {layout.hashFolder, sources.executable, ProgramFolder()};
}

std::optional<SoftwareImportRequest> AvailableSoftwareSource(const EmulatorNames& emulator) {
    SoftwareImportRequest source = SoftwareSourceOf(emulator);
    if (FolderExists(source.hashFolder) || FileExists(source.emulator)) return source;
    return std::nullopt;
}

static SoftwareImportOutcome RunSoftwareStepUncounted(const SoftwareImportRequest& request,
                                                      TaskContext& context);

SoftwareImportOutcome RunSoftwareStep(const SoftwareImportRequest& request, TaskContext& context) {
    return RunCountingErrors<SoftwareImportOutcome>(
        [&] { return RunSoftwareStepUncounted(request, context); });
}

static SoftwareImportOutcome RunSoftwareStepUncounted(const SoftwareImportRequest& request,
                                                      TaskContext& context) {
    context.progress().SetLabel("Software lists");
    SoftwareImportOutcome outcome = RunSoftwareImport(request, context);
    WriteLog("software lists: " +
             (outcome.message.empty() ? std::string("done") : outcome.message));
    return outcome;
}

}  // namespace arc
