#pragma once
// What the game browser and the search window do with one selected game:
// start the emulator on it, and open its sheet (or offer to make the sheets).

#include <string>
#include <string_view>
#include <vector>

#include "core/EmulatorConfig.h"

namespace arc {

/// How to start the emulator on one set.
struct EmulatorLaunch {
    std::string program;  ///< "" when no emulator was found
    std::vector<std::string> arguments;
    std::string workingFolder;  ///< the emulator's folder when it exists, else ""
};

/// The emulator (MameExecutable: the configured one, else "mame" on the PATH)
/// with "-rompath" and the ROM folder followed by the folders of the
/// emulator's own rompath (`emulator`, its options; LaunchRomPath), so that
/// the emulator still finds what it would find alone, then the set name.
EmulatorLaunch PlanLaunch(std::string_view setName, const EmulatorOptions& emulator = {});

/// Extra emulator arguments as the user types them: split at blanks, a part
/// in double quotes kept whole (no shell reads them).
std::vector<std::string> SplitEmulatorArguments(std::string_view text);

/// The message for a launch that cannot be made: no emulator found.
std::string NoEmulatorMessage();
/// The message for an emulator that did not start (`reason` from the system).
std::string LaunchFailedMessage(const EmulatorLaunch& launch, std::string_view reason);
/// The message for an emulator that ended with an error; `output` is its last lines.
std::string EmulatorErrorMessage(std::string_view setName, int exitCode, std::string_view output);

/// The sheet of a set in the site: HtmlFolder + "html/" + set + ".htm".
std::string GameSheetPath(std::string_view setName);

enum class SheetOutcome { Opened, MakeSheets, Declined };

/// Opens the set's sheet when the site has it; otherwise asks whether to make
/// the sheets and returns MakeSheets on Yes (the caller opens the sheet window).
SheetOutcome OpenOrOfferSheet(std::string_view setName);

}  // namespace arc
