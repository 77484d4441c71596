// download: fetches the support files of the download list into the program's
// dat/ and ini/ folders, and on request on to the defined paths. Files left in
// the Download folder go to the trash only with --empty-download-folder.

#include <ostream>

#include "cli/Commands.h"
#include "core/Files.h"
#include "download/DownloadList.h"
#include "download/DownloadWindowState.h"

namespace arc::cli {
namespace {

int Run(CliContext& context, const CommandArgs& args) {
    std::vector<int> chosen;
    for (const std::string& label : args.Values("--entries")) {
        const int index = DownloadEntryIndex(label);
        if (index < 0) {
            context.err << "arcanote-cli download: unknown entry '" << label << "' (";
            for (int i = 0; i < kDownloadEntries; ++i)
                context.err << (i ? ", " : "") << DownloadEntries()[i].label;
            context.err << ")\n";
            return 2;
        }
        chosen.push_back(index);
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
    window.copyToPaths = args.Has("--copy-to-paths");
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

}  // namespace

CliCommand DownloadCommand() {
    return {"download",
            "fetch the support files of the download list into the dat/ and ini/ folders",
            {},
            {{"--entries", "LABEL", "only these entries (default: every entry with an address)",
              kRepeatable},
             {"--copy-to-paths", "", "copy the files on to the folders of the settings"},
             {kEmptyDownloadFolderConsent, "", "trash the files left in the Download folder",
              kConsent}},
            Run};
}

}  // namespace arc::cli
