#include "sheets/ListPages.h"
#include "sheets/SoftwarePages.h"

#include <algorithm>
#include <array>
#include <future>
#include <numeric>
#include <unordered_set>

#include "core/Files.h"
#include "core/Log.h"
#include "core/Progress.h"
#include "core/TextFile.h"
#include "core/TextTable.h"
#include "sheets/SheetTemplates.h"
#include "sheets/SheetText.h"

namespace arc {
namespace {

constexpr std::string_view kCrLf = "\r\n";

struct GroupFamily {
    GroupList list;
    int label;  // progress label
    std::string_view prefix;
    int indexFile;  // index page name (0: letter index)
    int indexTitle;
};

constexpr GroupFamily kFamilies[] = {
    {kByManufacturer, 63, "M_", 0, 61}, {kByGenre, 64, "G_", 62, 62},
    {kByCategory, 65, "C_", 67, 66},    {kByYear, 68, "Y_", 71, 69},
    {kByVersion, 72, "V_", 74, 73},
};

std::string_view GroupOf(std::string_view entry) {
    return entry.substr(0, entry.find(kGroupSeparator));
}

std::string_view LinkOf(std::string_view entry) {
    std::size_t pos = entry.find(kGroupSeparator);
    return pos == std::string_view::npos ? std::string_view()
                                         : entry.substr(pos + kGroupSeparator.size());
}

std::string GroupLink(std::string_view prefix, std::string_view group) {
    std::string link = "<a href=\"";
    link += AttributeUrl(std::string(prefix) + SafeFileName(group) + ".htm");
    link += "\">";
    link += EscapeXmlText(group);
    link += "</a>";
    return link;
}

std::string LetterBar() {
    std::string bar = "<a href=\"#FILENAMELIST0.htm\">0-9</a>&nbsp;";
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        bar += "<a href=\"#FILENAMELIST";
        bar += letter;
        bar += ".htm\">";
        bar += letter;
        bar += "</a>&nbsp;";
    }
    return bar;
}

void WithVersions(std::string& text, const SheetRun& run) {
    ReplaceAll(text, "#VERMAME", run.mameVersion);
    ReplaceAll(text, "#VERANO", run.programVersion);
}

std::string LetterTemplate(const SheetRun& run) {
    std::string text = LoadListTemplate(run, "list.htm", "list.css", DefaultLetterListTemplate());
    WithVersions(text, run);
    ReplaceAll(text, "#HOME", kHomeLink);
    ReplaceAll(text, "#ALPHA", LetterBar());
    return text;
}

std::string PlainTemplate(const SheetRun& run) {
    std::string text = LoadListTemplate(run, "plain.htm", "plain.css", DefaultPlainListTemplate());
    WithVersions(text, run);
    ReplaceAll(text, "#HOME", kHomeLink);
    return text;
}

void WritePagesFile(PageWriter& writer, const SheetRun& run, const std::string& name,
                    std::string text) {
    writer.Write(run.PagesFolder() + name, std::move(text));
}

void WriteLetterPage(PageWriter& writer, const SheetRun& run, const std::string& templ,
                     std::string_view letter, std::string_view list, int filePrefix, int title,
                     std::string_view internal) {
    std::string page = templ;
    ReplaceAll(page, "#LIST", list);
    ReplaceAll(page, "#FILENAMELIST", Text(filePrefix));
    ReplaceAll(page, "#NAMELIST", Text(title));
    ReplaceAll(page, "#INTERNALNAME", internal);
    ReplaceAll(page, "#GAMENAME", letter);
    const std::string file =
        Text(filePrefix) + std::string(letter == "0-9" ? "0" : letter) + ".htm";
    WritePagesFile(writer, run, file, std::move(page));
}

bool WriteCompleteList(PageWriter& writer, SheetRun& run, TaskProgress& progress) {
    progress.SetLabel(Text(kTextCreatingCompleteList));
    const std::string templ = LetterTemplate(run);
    progress.SetTotal(27);
    std::array<std::string, 27> lists;  // A..Z, then 0-9
    for (std::string& entry : run.gameList) {
        if (entry.empty()) continue;
        const char first = entry.front();
        const int slot = first >= 'A' && first <= 'Z' ? first - 'A' : 26;
        lists[slot].append(entry, Utf8FirstCharLength(entry), std::string::npos);
        lists[slot] += kCrLf;
        entry.clear();
    }
    for (int i = 0; i < 27; ++i) {
        const std::string letter = i < 26 ? std::string(1, static_cast<char>('A' + i)) : "0-9";
        WriteLetterPage(writer, run, templ, letter, lists[i], 56, 57, "Arcanote");
        if (!progress.Step(i + 1)) return false;
    }
    return true;
}

bool WriteManufacturerIndex(PageWriter& writer, const SheetRun& run,
                            const std::vector<std::string>& groups, TaskProgress& progress) {
    const std::string templ = LetterTemplate(run);
    progress.SetTotal(27);
    std::array<std::string, 27> lists;
    for (const std::string& group : groups) {
        const char first = group.empty() ? ' ' : ToUpperAscii(group.substr(0, 1)).front();
        const int slot = first >= 'A' && first <= 'Z' ? first - 'A' : 26;
        lists[slot] += GroupLink("M_", group) + "<br>" + std::string(kCrLf);
    }
    for (int i = 0; i < 27; ++i) {
        const std::string letter = i < 26 ? std::string(1, static_cast<char>('A' + i)) : "0-9";
        WriteLetterPage(writer, run, templ, letter, lists[i], 59, 61, Text(kTextManufacturersFile));
        if (i < 26 && !progress.Step(i + 1)) return false;
    }
    return true;
}

void WriteGroupIndex(PageWriter& writer, const SheetRun& run, const GroupFamily& family,
                     const std::vector<std::string>& groups) {
    std::string list;
    for (const std::string& group : groups)
        list += GroupLink(family.prefix, group) + "<br>\r\n";
    std::string page = PlainTemplate(run);
    ReplaceAll(page, "#LIST", list);
    ReplaceAll(page, "#NAMELIST", Text(family.indexTitle));
    WritePagesFile(writer, run, Text(family.indexFile) + ".htm", std::move(page));
}

// A family's groups in page order and each group's links (views into its list).
struct SortedFamily {
    std::vector<std::string> groups;
    std::vector<std::vector<std::string_view>> taken;
};

SortedFamily SortFamily(std::vector<std::string>& list) {
    PrepareGroupList(list);
    SortedFamily sorted;
    sorted.groups = DistinctGroups(list);
    sorted.taken = TakeGroupEntries(list, sorted.groups);
    return sorted;
}

bool WriteFamily(PageWriter& writer, SheetRun& run, const GroupFamily& family,
                 std::future<SortedFamily>& sorting, TaskProgress& progress) {
    progress.SetLabel(Text(family.label));
    DebugLog(Text(family.label));
    std::vector<std::string>& list = run.groups[family.list];
    const SortedFamily sorted = sorting.get();
    const std::vector<std::string>& groups = sorted.groups;
    if (family.indexFile == 0) {
        if (!WriteManufacturerIndex(writer, run, groups, progress)) return false;
    } else {
        WriteGroupIndex(writer, run, family, groups);
    }

    const std::string templ = PlainTemplate(run);
    progress.SetTotal(static_cast<int>(groups.size()));
    const auto& taken = sorted.taken;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        std::string text;
        for (std::string_view link : taken[g]) {
            text += link;
            text += kCrLf;
        }
        std::string page = templ;
        ReplaceAll(page, "#LIST", text);
        ReplaceAll(page, "#NAMELIST", EscapeXmlText(groups[g]));
        ReplaceAll(page, "#NEXT",
                   g + 1 < groups.size() ? GroupLink(family.prefix, groups[g + 1]) : std::string());
        ReplaceAll(page, "#PREVIOUS",
                   g > 0 ? GroupLink(family.prefix, groups[g - 1]) : std::string());
        WritePagesFile(writer, run, std::string(family.prefix) + SafeFileName(groups[g]) + ".htm",
                       std::move(page));
        if (!progress.Step(static_cast<int>(g + 1))) return false;
    }
    list.clear();
    return true;
}

void WriteAvailabilityPages(PageWriter& writer, SheetRun& run) {
    std::string owned, missing;
    for (const std::string& entry : run.groups[kByAvailability]) {
        if (entry.empty()) continue;
        std::string& target = GroupOf(entry) == kTrueText ? owned : missing;
        target += LinkOf(entry);
        target += kCrLf;
    }
    const std::string templ = PlainTemplate(run);
    std::string page = templ;
    ReplaceAll(page, "#LIST", owned);
    ReplaceAll(page, "#NAMELIST", Text(kTextAvailableRoms));
    WritePagesFile(writer, run, "GOT_IT.htm", std::move(page));
    page = templ;
    ReplaceAll(page, "#LIST", missing);
    ReplaceAll(page, "#NAMELIST", Text(kTextUnavailableRoms));
    WritePagesFile(writer, run, "NOT_GOT_IT.htm", std::move(page));
}

std::string IndexLink(std::string_view target, std::string_view text) {
    return "<a href=\"" + std::string(target) + "\">" + std::string(text) + "</a>";
}

}  // namespace

void PrepareGroupList(std::vector<std::string>& list) {
    std::sort(list.begin(), list.end());
    for (std::string& entry : list) {
        if (entry.rfind(kGroupSeparator, 0) == 0) entry.insert(0, Text(kTextUnknownBracketed));
    }
}

std::vector<std::string> DistinctGroups(const std::vector<std::string>& list) {
    std::vector<std::string> groups;
    std::unordered_set<std::string_view> seen;
    for (const std::string& entry : list) {
        if (entry.empty()) continue;
        std::string_view group = GroupOf(entry);
        if (seen.insert(group).second) groups.emplace_back(group);
    }
    return groups;
}

std::vector<std::vector<std::string_view>> TakeGroupEntries(
    const std::vector<std::string>& list, const std::vector<std::string>& groups) {
    // Entries beginning with a text form one range of the entries sorted by
    // character code, so each group looks only at its range; an entry goes to
    // the first group (in group order) whose text begins it.
    // The list comes sorted but for the block of renamed unknown-group entries:
    // its ascending runs are merged, few as they are.
    std::vector<std::size_t> order(list.size());
    std::iota(order.begin(), order.end(), 0);
    auto less = [&](std::size_t a, std::size_t b) { return list[a] < list[b]; };
    std::vector<std::size_t> runs{0};
    for (std::size_t i = 1; i < list.size() && runs.size() <= 4; ++i) {
        if (list[i] < list[i - 1]) runs.push_back(i);
    }
    if (runs.size() > 4) {
        std::sort(order.begin(), order.end(), less);
    } else {
        for (std::size_t r = 1; r < runs.size(); ++r) {
            const auto end = r + 1 < runs.size() ? order.begin() + runs[r + 1] : order.end();
            std::inplace_merge(order.begin(), order.begin() + runs[r], end, less);
        }
    }
    std::vector<bool> taken(list.size(), false);
    std::vector<std::vector<std::string_view>> pages(groups.size());
    std::vector<std::size_t> mine;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const std::string& group = groups[g];
        auto it = std::lower_bound(
            order.begin(), order.end(), group,
            [&](std::size_t index, const std::string& value) { return list[index] < value; });
        mine.clear();
        for (; it != order.end() && list[*it].compare(0, group.size(), group) == 0; ++it) {
            if (!taken[*it] && !list[*it].empty()) {
                taken[*it] = true;
                mine.push_back(*it);
            }
        }
        std::sort(mine.begin(), mine.end());
        for (std::size_t index : mine)
            pages[g].push_back(LinkOf(list[index]));
    }
    return pages;
}

bool WriteListPages(SheetRun& run, TaskProgress& progress) {
    // The families' lists are sorted on a thread of their own, in page order,
    // while the pages before them are made; each list is touched by that
    // thread only until its family's pages begin.
    constexpr std::size_t kCount = std::size(kFamilies);
    std::array<std::promise<SortedFamily>, kCount> sorted;
    std::array<std::future<SortedFamily>, kCount> sorting;
    for (std::size_t i = 0; i < kCount; ++i)
        sorting[i] = sorted[i].get_future();
    const auto sorter = std::async(std::launch::async, [&] {
        for (std::size_t i = 0; i < kCount; ++i) {
            try {
                sorted[i].set_value(SortFamily(run.groups[kFamilies[i].list]));
            } catch (...) {
                sorted[i].set_exception(std::current_exception());
            }
        }
    });
    PageWriter writer;
    if (!WriteCompleteList(writer, run, progress)) return false;
    for (std::size_t i = 0; i < kCount; ++i) {
        if (!WriteFamily(writer, run, kFamilies[i], sorting[i], progress)) return false;
    }
    WriteAvailabilityPages(writer, run);
    writer.Finish();
    return true;
}

void WriteIndexPage(const SheetRun& run) {
    DebugLog("Index.htm");
    std::string page;
    const std::string skin = SkinFile(run, "index.htm");
    if (skin.empty() || !ReadTextFile(skin, page)) page = DefaultIndexTemplate();
    ReplaceAll(page, "#TITLE", "Arcanote");
    ReplaceAll(page, "#STAT", IndexLink("html/STAT.htm", Text(kTextStatistics)));
    ReplaceAll(
        page, "#COMPLETELIST",
        IndexLink("html/" + Text(kTextCompleteListFile) + "0.htm", Text(kTextCompleteListTitle)));
    ReplaceAll(page, "#MANUFACTURER",
               IndexLink("html/" + Text(kTextManufacturersPrefix) + "0.htm",
                         Text(kTextManufacturersList)));
    ReplaceAll(page, "#GENRE",
               IndexLink("html/" + Text(kTextGenres) + ".htm", Text(kTextGenresList)));
    ReplaceAll(page, "#CATEGORY",
               IndexLink("html/" + Text(kTextCategory) + ".htm", Text(kTextCategoriesList)));
    ReplaceAll(page, "#YEAR",
               IndexLink("html/" + Text(kTextYears) + ".htm", Text(kTextListByYear)));
    ReplaceAll(page, "#VERSION",
               IndexLink("html/" + Text(kTextVersions) + ".htm", Text(kTextGamesByVersion)));
    ReplaceAll(page, "#LINKS", IndexLink("links.htm", Text(kTextLinks)));
    ReplaceAll(page, "#GOTIT", IndexLink("html/GOT_IT.htm", Text(kTextAvailableRoms)));
    ReplaceAll(page, "#NOTGOTIT", IndexLink("html/NOT_GOT_IT.htm", Text(kTextUnavailableRoms)));
    WithVersions(page, run);
    InsertBeforeBodyEnd(page, SoftwareIndexBlock(run.frenchPages));
    WritePage(run.htmlFolder + "index.htm", page);
}

void WriteLinksPage(const SheetRun& run) {
    DebugLog("links.htm");
    std::string page;
    const std::string skin = SkinFile(run, "links.htm");
    if (!skin.empty() && ReadTextFile(skin, page)) {
        WithVersions(page, run);
        ReplaceAll(page, "#HOME", "<a href=index.htm>MENU</a>");
    } else {
        page = DefaultLinksPage();
    }
    WritePage(run.htmlFolder + "links.htm", page);
}

}  // namespace arc
