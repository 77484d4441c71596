#pragma once
// The download list: the support-file entries of the catalogue, each with a
// file URL and the URL of the site that publishes it, kept in "Arcanote.url.inf".

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/SupportFileCatalogue.h"

namespace arc {

/// One entry per downloaded support file of the catalogue, and one more for
/// its Mame32 edition where there is one (Cat32, Nplayers32).
inline constexpr int kDownloadEntries = [] {
    int count = 0;
    for (const SupportFileRow& row : kSupportFileCatalogue)
        count += (row.download.entry >= 0 ? 1 : 0) + (row.download.mame32Label.empty() ? 0 : 1);
    return count;
}();
/// The History entry: its archive may bring history.xml.
inline constexpr int kHistoryEntry = RowOf(SupportFile::History).download.entry;

struct DownloadEntryInfo {
    std::string_view label;        ///< caption and the key as written ("History")
    std::string_view defaultSite;  ///< the publishing site used until the list says otherwise
};

/// The entries in index order (History, Catver, Cat32, ...).
const std::array<DownloadEntryInfo, kDownloadEntries>& DownloadEntries();

/// Index of an entry by its label, any case; -1 when none has it.
int DownloadEntryIndex(std::string_view label);

struct DownloadList {
    std::array<std::string, kDownloadEntries> fileUrls;
    std::array<std::string, kDownloadEntries> siteUrls;
};

/// No file URLs, the default sites.
DownloadList DefaultDownloadList();

/// Program folder + "Arcanote.url.inf".
std::string DownloadListPath();

/// Applies the lines of a list file to `list`: blank and comment lines ("#",
/// ";"), lines without "=", empty values and unknown keys are skipped; keys are
/// read without regard to case; a later line overrides an earlier one.
void ApplyDownloadListLines(const std::vector<std::string>& lines, DownloadList& list);

/// Reads the file into `list` when it exists; false (list unchanged) otherwise.
bool ReadDownloadList(std::string_view path, DownloadList& list);

/// The lines of the file as written (37 for eleven entries).
std::vector<std::string> DownloadListLines(const DownloadList& list);

/// Writes the file (CR LF); false when it cannot be written.
bool WriteDownloadList(std::string_view path, const DownloadList& list);

}  // namespace arc
