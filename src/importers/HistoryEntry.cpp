#include "importers/HistoryEntry.h"

#include <algorithm>
#include <cctype>

#include "core/Files.h"
#include "importers/TextUtil.h"

namespace arc {
namespace {

constexpr std::array<std::string_view, kHistorySections> kHeadings = {"",
                                                                      "- TECHNICAL -",
                                                                      "- TRIVIA -",
                                                                      "- UPDATES -",
                                                                      "- SCORING -",
                                                                      "- TIPS AND TRICKS -",
                                                                      "- SERIES -",
                                                                      "- STAFF -",
                                                                      "- PORTS -",
                                                                      "- SOURCES -"};

constexpr std::array<std::string_view, kHistorySections> kFields = {
    "",       "technical", "trivia", "updates", "scoring", "tipsandtricks",
    "series", "staff",     "ports",  "sources"};

bool BeginsAndEndsWithDash(std::string_view line) {
    return !line.empty() && line.front() == '-' && line.back() == '-';
}

/// A heading-shaped line with a name ("- CONTRIBUTE -"); a rule made only of
/// dashes and blanks is no heading.
bool IsNamedHeading(std::string_view line) {
    return BeginsAndEndsWithDash(line) && std::any_of(line.begin(), line.end(), [](char c) {
               return std::isalpha(static_cast<unsigned char>(c)) != 0;
           });
}

bool IsDashRule(std::string_view line) {
    return BeginsAndEndsWithDash(line) && !IsNamedHeading(line);
}

std::size_t FindLineBreak(std::string_view text) {
    return text.find_first_of("\r\n");
}

/// Position of the first of the two forms of a key in the upper-cased text.
std::size_t FindKey(std::string_view upper, std::string_view shortForm, std::string_view longForm) {
    return std::min(upper.find(shortForm), upper.find(longForm));
}

/// Value of one of the first five keys: from `start` to the line break, else
/// to the stop word, else to the end of the text (the section's last line).
std::optional<std::string> KeyValue(std::string_view text, std::string_view upper,
                                    std::string_view shortForm, std::string_view longForm,
                                    std::string_view stopWord) {
    const std::size_t at = FindKey(upper, shortForm, longForm);
    if (at == std::string_view::npos) return std::nullopt;
    const std::size_t start = std::min(at + longForm.size(), text.size());
    const std::string_view rest = text.substr(start);
    std::size_t end = FindLineBreak(rest);
    if (end == std::string_view::npos) end = upper.substr(start).find(stopWord);
    return std::string(Trim(rest.substr(0, end)));
}

/// Value of CONTROL and BUTTONS: to the line break, else to the last of the
/// stop word, else to the first blank, else to the end.
std::optional<std::string> OpenKeyValue(std::string_view text, std::string_view upper,
                                        std::string_view shortForm, std::string_view longForm,
                                        std::string_view lastStop) {
    const std::size_t at = FindKey(upper, shortForm, longForm);
    if (at == std::string_view::npos) return std::nullopt;
    const std::size_t start = std::min(at + longForm.size(), text.size());
    std::string_view rest = text.substr(start);
    std::string_view restUpper = upper.substr(start);
    // Leading blanks would otherwise end the value before it starts.
    const std::size_t first = rest.find_first_not_of(" \t");
    if (first == std::string_view::npos) return std::string();
    rest.remove_prefix(first);
    restUpper.remove_prefix(first);
    std::size_t end = FindLineBreak(rest);
    if (end == std::string_view::npos) end = restUpper.rfind(lastStop);
    if (end == std::string_view::npos) end = rest.find(' ');
    return std::string(Trim(rest.substr(0, end)));
}

}  // namespace

TechnicalValues ScanTechnical(std::string_view text) {
    const std::string upper = ToUpperAscii(text);
    TechnicalValues values;
    auto set = [](std::string& field, std::optional<std::string> value) {
        if (value) field = std::move(*value);
    };
    set(values.colors, KeyValue(text, upper, "COLORS:", "COLORS :", "PLAYER"));
    set(values.refresh, KeyValue(text, upper, "REFRESH:", "REFRESH :", "PALETTE"));
    set(values.players, KeyValue(text, upper, "PLAYERS:", "PLAYERS :", "BUTTON"));
    set(values.resolution, KeyValue(text, upper, "RESOLUTION:", "RESOLUTION :", "ASPECT"));
    set(values.aspect, KeyValue(text, upper, "ASPECT RATIO:", "ASPECT RATIO :", "SCREEN"));
    set(values.controls, OpenKeyValue(text, upper, "CONTROL:", "CONTROL :", "BUTTON"));
    if (std::optional<std::string> buttons =
            OpenKeyValue(text, upper, "BUTTONS:", "BUTTONS :", "- "))
        values.controls += " - btn : " + *buttons;
    return values;
}

std::string_view HistorySectionField(int section) {
    return section > 0 && section < kHistorySections ? kFields[section] : std::string_view();
}

int HistoryHeadingNumber(std::string_view line) {
    for (int i = 1; i < kHistorySections; ++i)
        if (line == kHeadings[i]) return i;
    return 0;
}

std::vector<std::string> HistoryNames(std::string_view nameLine) {
    std::string_view list = Trim(nameLine);
    // "$info=" or "$info =", in any case.
    if (list.size() >= 5 && ToLowerAscii(list.substr(0, 5)) == "$info") {
        list.remove_prefix(5);
        list = Trim(list);
        if (!list.empty() && list.front() == '=') list.remove_prefix(1);
    }
    std::vector<std::string> names;
    for (std::string_view name : SplitList(list, ','))
        names.emplace_back(name);
    return names;
}

std::string YearManufacturer(std::string_view titleLine) {
    const std::size_t at = titleLine.find("(c)");
    if (at == std::string_view::npos) return std::string(Trim(titleLine));
    return std::string(Trim(titleLine.substr(at + 3)));
}

void HistoryEntryBuilder::StoreText() {
    if (section_ > 0 && !text_.empty()) {
        if (section_ == 1) entry_.technical = ScanTechnical(text_);
        entry_.sections[section_] = std::move(text_);
    }
    text_.clear();
}

bool HistoryEntryBuilder::Line(std::string_view line) {
    const bool end = line == "$end";
    if (inDescription_) {
        // The description ends at the first heading, or at "$end".
        if (end) {
            inDescription_ = false;
            return false;
        }
        if (IsDashRule(line)) return true;
        if (!IsNamedHeading(line)) {
            // One paragraph: the lines joined by single blanks, appended in place.
            const std::string_view text = Trim(line);
            if (text.empty()) return true;
            if (!entry_.description.empty()) entry_.description += ' ';
            entry_.description.append(text);
            return true;
        }
        inDescription_ = false;
    }
    if (IsDashRule(line)) return true;  // a rule inside a section changes nothing
    if ((IsNamedHeading(line) && !text_.empty()) || end) StoreText();
    if (end) return false;
    if (IsNamedHeading(line)) {
        const int number = HistoryHeadingNumber(line);
        // The text of a section of another name belongs to no field.
        section_ = number > 0 ? number : -1;
        text_.clear();
        return true;
    }
    if (line.empty() || line.front() == '-' || line.back() == '-') return true;
    if (section_ < 0) return true;
    if (!text_.empty()) text_ += "\r\n";
    text_.append(line);
    return true;
}

void HistoryEntryBuilder::Close() {
    if (!inDescription_) StoreText();
    inDescription_ = false;
}

}  // namespace arc
