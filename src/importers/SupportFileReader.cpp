#include "importers/SupportFileReader.h"

#include <algorithm>
#include <climits>

#include "core/Files.h"
#include "core/Log.h"
#include "core/Progress.h"
#include "core/TextTable.h"

namespace arc {
namespace {

constexpr std::size_t kCaptionTail = 36;

int ClampToInt(std::uint64_t value) {
    return value > static_cast<std::uint64_t>(INT_MAX) ? INT_MAX : static_cast<int>(value);
}

}  // namespace

std::string AnalysingCaption(std::string_view path) {
    std::size_t start = path.size() > kCaptionTail ? path.size() - kCaptionTail : 0;
    // Never begin inside a UTF-8 sequence.
    while (start < path.size() && (static_cast<unsigned char>(path[start]) & 0xC0) == 0x80)
        ++start;
    return Text(kTextAnalysingPrefix) + std::string(path.substr(start));
}

void FinishWithoutFile() {
    Progress().Done = Progress().Total;
    LetEventsRun();
}

void TrimInPlace(std::string& text) {
    const std::string_view trimmed = Trim(text);
    if (trimmed.size() == text.size()) return;
    const std::size_t start = static_cast<std::size_t>(trimmed.data() - text.data());
    const std::size_t length = trimmed.size();
    text.erase(start + length);
    text.erase(0, start);
}

SupportFileReader::SupportFileReader(std::string_view path) : lines_(path) {
    if (!lines_.IsOpen()) {
        atEnd_ = true;
        return;
    }
    DebugLog("Analysing " + std::string(path));
    SetProgressLabel(AnalysingCaption(path));
    Progress().Total = ClampToInt(lines_.Size());
    Progress().Done = 0;
}

bool SupportFileReader::Next(std::string& line) {
    LetEventsRun();
    if (Progress().Cancel) {
        cancelled_ = true;
        return false;
    }
    return Read(line, true);
}

bool SupportFileReader::NextQuiet(std::string& line) {
    return Read(line, true);
}

bool SupportFileReader::NextRaw(std::string& line) {
    return Read(line, false);
}

bool SupportFileReader::Read(std::string& line, bool trim) {
    if (atEnd_) return false;
    if (!lines_.Next(line)) {
        atEnd_ = true;
        line.clear();
        return false;
    }
    Progress().Done = ClampToInt(lines_.Offset());
    if (trim) TrimInPlace(line);
    return true;
}

void SupportFileReader::Finish() {
    if (Progress().Cancel) cancelled_ = true;
    Progress().Done = Progress().Total;
    LetEventsRun();
}

}  // namespace arc
