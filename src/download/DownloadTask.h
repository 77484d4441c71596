#pragma once
// The download run as a task: the ticked entries fetched into the Download
// folder, their files put into the program's dat/ and ini/ folders (archives
// unpacked), and on request copied on to the defined paths.

#include <array>
#include <string>
#include <string_view>

#include "core/Settings.h"
#include "core/Task.h"
#include "download/DownloadList.h"
#include "download/Downloader.h"

namespace arc {

/// The consent that lets a front end answering for the user empty the Download folder.
inline constexpr std::string_view kEmptyDownloadFolderConsent = "--empty-download-folder";

struct DownloadRequest {
    std::array<bool, kDownloadEntries> ticked{};
    std::array<std::string, kDownloadEntries> urls;  ///< the address of each entry
    /// Copy the files on to `definedPaths` (the settings' support-file paths).
    bool copyToPaths = false;
    std::array<std::string, kDataFileSlots> definedPaths;
    DownloadOptions transfer;  ///< timeouts and redirect limit of every transfer
};

struct DownloadEntryResult {
    bool success = false;
    std::string savedName;  ///< the file saved in the Download folder
    std::string error;      ///< why the entry failed
};

struct DownloadOutcome : Outcome {
    std::array<DownloadEntryResult, kDownloadEntries> entries;
};

/// Runs the download. Files left in the Download folder go to the trash only
/// when the user consents (a destructive question through the context). The
/// label tells what is being fetched; a ticked entry that brought nothing
/// usable failed (the outcome is then partial, or failed when none succeeded).
/// A problem is written to the log, and switches debug logging on. The
/// message says what the run did: "Done.", what was not downloaded and why,
/// or that nothing was ticked.
DownloadOutcome RunDownload(const DownloadRequest& request, TaskContext& context);

}  // namespace arc
