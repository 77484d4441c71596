// download: fetches the support files of the download list into the program's
// dat/ and ini/ folders, and on request on to the defined paths. Files left in
// the Download folder go to the trash only with --empty-download-folder.

#include <ostream>

#include "cli/Commands.h"
#include "cli/OutcomeReport.h"
#include "core/Files.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "download/DownloadList.h"
#include "download/DownloadTask.h"

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

    DownloadList list = DefaultDownloadList();
    ReadDownloadList(DownloadListPath(), list);
    if (chosen.empty()) {
        for (int i = 0; i < kDownloadEntries; ++i)
            if (!Trim(list.fileUrls[i]).empty()) chosen.push_back(i);
        if (chosen.empty()) {
            context.err << "arcanote-cli download: no entry has an address in "
                        << DownloadListPath() << '\n';
            return 1;
        }
    }
    DownloadRequest request;
    request.urls = list.fileUrls;
    for (int index : chosen)
        request.ticked[index] = true;
    request.copyToPaths = args.Has("--copy-to-paths");
    request.definedPaths = TheSettings().DataFilePaths;
    const DownloadOutcome outcome =
        RunShown([&](TaskContext& task) { return RunDownload(request, task); });

    Ui().Message(outcome.message, MsgButtons::Ok,
                 outcome.ok() ? MsgIcon::Information : MsgIcon::Exclamation);
    for (int i = 0; i < kDownloadEntries; ++i) {
        if (!request.ticked[i]) continue;
        const DownloadEntryResult& entry = outcome.entries[i];
        const std::string& url = request.urls[i];
        if (entry.success) {
            context.out << DownloadEntries()[i].label << ": downloaded (" << url << ")\n";
            continue;
        }
        context.err << "arcanote-cli download: " << DownloadEntries()[i].label
                    << ": NOT downloaded (" << (url.empty() ? "no address" : url)
                    << (entry.error.empty() ? "" : ": " + entry.error) << ")\n";
    }
    return ExitCodeFor(outcome);
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
