// download [--entries LABEL...] [--copy-to-paths] [--empty-download-folder]:
// fetches the support files of the download list (all entries with an address
// when none is named) into the program's dat/ and ini/ folders, and on request
// on to the defined paths. Files left in the Download folder go to the trash
// only with --empty-download-folder.

#include <ostream>

#include "cli/Commands.h"
#include "cli/TerminalUi.h"
#include "core/Files.h"
#include "download/DownloadList.h"
#include "download/DownloadWindowState.h"

namespace arc::cli {
namespace {

constexpr std::string_view kUsage =
    "download [--entries LABEL...] [--copy-to-paths] [--empty-download-folder]";

}  // namespace

int RunDownloadCommand(CliContext& context, const std::vector<std::string>& args) {
    bool entriesOption = false;
    bool copyToPaths = false;
    std::vector<int> chosen;
    for (const std::string& arg : args) {
        if (arg == "--entries") {
            entriesOption = true;
        } else if (arg == "--copy-to-paths") {
            copyToPaths = true;
        } else if (arg == kEmptyDownloadFolderConsent) {
            if (context.ui) context.ui->GrantConsent(arg);
        } else if (entriesOption && !arg.starts_with("--")) {
            const int index = DownloadEntryIndex(arg);
            if (index < 0) {
                context.err << "arcanote-cli download: unknown entry '" << arg << "' (";
                for (int i = 0; i < kDownloadEntries; ++i)
                    context.err << (i ? ", " : "") << DownloadEntries()[i].label;
                context.err << ")\n";
                return 2;
            }
            chosen.push_back(index);
        } else {
            context.err << "arcanote-cli download: unknown option '" << arg
                        << "' (usage: " << kUsage << ")\n";
            return 2;
        }
    }
    if (entriesOption && chosen.empty()) {
        context.err << "arcanote-cli download: --entries needs at least one label\n";
        return 2;
    }

    DownloadWindowState window;
    window.Open();
    if (chosen.empty()) {
        for (int i = 0; i < kDownloadEntries; ++i)
            if (!Trim(window.rows[i].fileUrl).empty()) chosen.push_back(i);
        if (chosen.empty()) {
            window.Close();
            context.err << "arcanote-cli download: no entry has an address in "
                        << DownloadListPath() << '\n';
            return 1;
        }
    }
    for (int index : chosen)
        window.rows[index].checked = true;
    window.copyToPaths = copyToPaths;
    window.Run();

    bool failed = false;
    for (int i = 0; i < kDownloadEntries; ++i) {
        const DownloadWindowState::Row& row = window.rows[i];
        if (!row.checked) continue;
        if (row.success) {
            context.out << DownloadEntries()[i].label << ": downloaded (" << row.fileUrl << ")\n";
            continue;
        }
        failed = true;
        context.err << "arcanote-cli download: " << DownloadEntries()[i].label
                    << ": NOT downloaded (" << (row.fileUrl.empty() ? "no address" : row.fileUrl)
                    << (row.error.empty() ? "" : ": " + row.error) << ")\n";
    }
    window.Close();
    return failed ? 1 : 0;
}

}  // namespace arc::cli
