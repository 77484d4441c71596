#include "download/DownloadList.h"

#include "core/Files.h"
#include "core/ProgramFolder.h"
#include "core/TextFile.h"

namespace arc {
namespace {

constexpr std::size_t kKeyWidth = 16;
constexpr std::string_view kSitePrefix = "SITE_";

std::string PaddedKey(std::string_view key) {
    std::string padded(key.substr(0, std::min(key.size(), kKeyWidth)));
    padded.resize(kKeyWidth, ' ');
    return padded;
}

}  // namespace

const std::array<DownloadEntryInfo, kDownloadEntries>& DownloadEntries() {
    static constexpr std::array<DownloadEntryInfo, kDownloadEntries> entries = [] {
        std::array<DownloadEntryInfo, kDownloadEntries> placed{};
        for (const SupportFileRow& row : kSupportFileCatalogue) {
            const DownloadColumns& download = row.download;
            if (download.entry < 0) continue;
            placed[download.entry] = {download.label, download.site};
            if (!download.mame32Label.empty())
                placed[download.entry + 1] = {download.mame32Label, download.site};
        }
        return placed;
    }();
    return entries;
}

int DownloadEntryIndex(std::string_view label) {
    const std::string wanted = ToUpperAscii(Trim(label));
    for (int i = 0; i < kDownloadEntries; ++i)
        if (ToUpperAscii(DownloadEntries()[i].label) == wanted) return i;
    return -1;
}

DownloadList DefaultDownloadList() {
    DownloadList list;
    for (int i = 0; i < kDownloadEntries; ++i)
        list.siteUrls[i] = std::string(DownloadEntries()[i].defaultSite);
    return list;
}

std::string DownloadListPath() {
    return InProgramFolder("Arcanote.url.inf");
}

void ApplyDownloadListLines(const std::vector<std::string>& lines, DownloadList& list) {
    for (const std::string& raw : lines) {
        std::string_view line = Trim(raw);
        if (line.empty() || line.front() == '#' || line.front() == ';') continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string key = ToUpperAscii(Trim(line.substr(0, equals)));
        const std::string_view value = Trim(line.substr(equals + 1));
        if (value.empty()) continue;
        const bool site = key.starts_with(kSitePrefix);
        const int index = DownloadEntryIndex(site ? key.substr(kSitePrefix.size()) : key);
        if (index < 0) continue;
        (site ? list.siteUrls : list.fileUrls)[index] = std::string(value);
    }
}

bool ReadDownloadList(std::string_view path, DownloadList& list) {
    if (!FileExists(path)) return false;
    std::vector<std::string> lines;
    if (!ReadTextLines(path, lines)) return false;
    ApplyDownloadListLines(lines, list);
    return true;
}

std::vector<std::string> DownloadListLines(const DownloadList& list) {
    std::vector<std::string> lines = {
        ";", "; Here you can change sites' adresses in case you need it.", ";",
        "; Modifiez ici les adresses des sites en cas de changement.", ";"};
    for (int i = 0; i < kDownloadEntries; ++i)
        lines.push_back(std::string(kSitePrefix) + PaddedKey(DownloadEntries()[i].label) + "= " +
                        list.siteUrls[i]);
    for (std::string_view line :
         {";", ";", "; This is the list of files to be downloaded.",
          "; You can change it here or edit it", "; directly in Arcanote.", ";",
          "; Liste des fichiers à télécharger", "; Cette liste peut être éditée ou",
          "; modifiée directement dans Arcanote.", ";"})
        lines.emplace_back(line);
    for (int i = 0; i < kDownloadEntries; ++i)
        lines.push_back(PaddedKey(DownloadEntries()[i].label) + "= " + list.fileUrls[i]);
    return lines;
}

bool WriteDownloadList(std::string_view path, const DownloadList& list) {
    return WriteTextLines(path, DownloadListLines(list));
}

}  // namespace arc
