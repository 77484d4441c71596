#include "importers/SupportFileReader.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "core/Files.h"
#include "core/Log.h"
#include "core/Progress.h"
#include "core/TextTable.h"

namespace arc {
namespace {

constexpr std::size_t kCaptionTail = 36;

}  // namespace

int ProgressCount(std::uint64_t value) {
    return value > static_cast<std::uint64_t>(INT_MAX) ? INT_MAX : static_cast<int>(value);
}

std::string AnalysingCaption(std::string_view path) {
    std::size_t start = path.size() > kCaptionTail ? path.size() - kCaptionTail : 0;
    // Never begin inside a UTF-8 sequence.
    while (start < path.size() && (static_cast<unsigned char>(path[start]) & 0xC0) == 0x80)
        ++start;
    return Text(kTextAnalysingPrefix) + std::string(path.substr(start));
}

void FinishWithoutFile(TaskProgress& progress) {
    progress.SetTotal(1);
    progress.Step(1);
}

void TrimInPlace(std::string& text) {
    const std::string_view trimmed = Trim(text);
    if (trimmed.size() == text.size()) return;
    const std::size_t start = static_cast<std::size_t>(trimmed.data() - text.data());
    const std::size_t length = trimmed.size();
    text.erase(start + length);
    text.erase(0, start);
}

SupportFileReader::SupportFileReader(std::string_view path, TaskProgress& progress)
    : lines_(path), progress_(progress) {
    if (!lines_.IsOpen()) {
        atEnd_ = true;
        return;
    }
    DebugLog("Analysing " + std::string(path));
    progress_.SetLabel(AnalysingCaption(path));
    total_ = ProgressCount(lines_.Size());
    progress_.SetTotal(total_);
    progress_.Step(0);  // lets events run; a cancel is noted by the first Next()
}

bool SupportFileReader::Next(std::string& line) {
    // Events ran as the previous line was read.
    if (progress_.Cancelled()) {
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
    progress_.Step(ProgressCount(lines_.Offset()));  // events; a cancel stops the next Next()
    if (trim) TrimInPlace(line);
    return true;
}

void SupportFileReader::Finish() {
    if (progress_.Cancelled()) cancelled_ = true;
    progress_.Step(total_);
}

}  // namespace arc
