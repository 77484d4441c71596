#include "core/TextTable.h"

#include "core/ErrorGuard.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "core/TextTableData.h"

namespace arc {
namespace {

constexpr int kProcBuildTextTable = 4;

std::array<std::string, kTextEntries>& Table() {
    static std::array<std::string, kTextEntries> table;
    return table;
}

std::array<std::string, 6>& Labels() {
    static std::array<std::string, 6> labels;
    return labels;
}

}  // namespace

const std::string& Text(int n) {
    static const std::string empty;
    if (n < 0 || n >= kTextEntries) return empty;
    return Table()[n];
}

void BuildTextTable() {
    Guarded(kProcBuildTextTable, [] {
        const int language = TheSettings().Language;
        DebugLog("LANGUAGE = " + std::to_string(language));
        const auto& texts = language == 1 ? kFrenchTexts : kEnglishTexts;
        for (int n = 0; n < kDesignedTextEntries; ++n)
            if (!texts[n].empty()) Table()[n] = std::string(texts[n]);
        for (const AddedTextEntry& entry : kAddedTexts)
            Table()[entry.number] = std::string(language == 1 ? entry.french : entry.english);
        for (int slot = 0; slot < 6; ++slot)
            Labels()[slot] = Table()[slot];
    });
}

const std::array<std::string, 6>& ArtLabels() {
    return Labels();
}

std::string_view EnglishText(int n) {
    if (n >= 0 && n < kDesignedTextEntries) return kEnglishTexts[n];
    for (const AddedTextEntry& entry : kAddedTexts)
        if (entry.number == n) return entry.english;
    return {};
}

std::string_view FrenchText(int n) {
    if (n >= 0 && n < kDesignedTextEntries) return kFrenchTexts[n];
    for (const AddedTextEntry& entry : kAddedTexts)
        if (entry.number == n) return entry.french;
    return {};
}

std::string TextWith(int n, std::initializer_list<std::string_view> values) {
    const std::string& pattern = Text(n);
    std::string text;
    text.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const std::size_t slot = static_cast<std::size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && slot < values.size()) {
            text += values.begin()[slot];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

std::string VerdictCaption(std::string_view verdict) {
    for (std::size_t i = 0; i < std::size(kAuditVerdicts); ++i)
        if (kAuditVerdicts[i] == verdict) return Text(kTextVerdictComplete + static_cast<int>(i));
    return std::string(verdict);
}

std::string WithLineBreaks(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        if (c == '|') c = '\n';
    return result;
}

}  // namespace arc
