#include "zip/UnzipWindowState.h"

#include "core/Files.h"
#include "core/Log.h"
#include "core/TextTable.h"
#include "zip/Unzip.h"

namespace arc {
namespace {

UnzipWindowView*& InstalledView() {
    static UnzipWindowView* view = nullptr;
    return view;
}

/// A name's last `count` bytes upper-cased (the whole name when shorter).
std::string UpperTail(const std::string& name, std::size_t count) {
    return ToUpperAscii(count >= name.size() ? name : name.substr(name.size() - count));
}

}  // namespace

void InstallUnzipWindowView(UnzipWindowView* view) {
    InstalledView() = view;
}

UnzipWindowView* InstalledUnzipWindowView() {
    return InstalledView();
}

UnzipWindowState::UnzipWindowState(std::string_view archivePath, UnzipWindowView* view)
    : path_(archivePath), view_(view) {
    zip_.Progress = [this](int percent, bool&) { OnProgress(percent); };
    zip_.Stage = [this](ZipStage stage, const std::string& name) { OnStage(stage, name); };
    zip_.Error = [this](const ZipError& error) { errors_.push_back(error); };
    if (view_) {
        view_->Show(*this);
    }
    zip_.ZipOpen(path_);
    barPercent_ = 0;
    label_.clear();
    Refresh();
}

UnzipWindowState::~UnzipWindowState() {
    if (view_) view_->Unload();
}

void UnzipWindowState::Refresh() {
    if (view_) view_->Refresh(*this);
}

void UnzipWindowState::OnProgress(int percent) {
    barPercent_ = percent;
    Refresh();
}

void UnzipWindowState::OnStage(ZipStage stage, const std::string& name) {
    switch (stage) {
        case ZipStage::ExtractionStarted:
            barPercent_ = 0;
            label_.clear();
            break;
        case ZipStage::Extracting:
            label_ = name;
            break;
        case ZipStage::ExtractionFinished:
            barPercent_ = 100;
            label_ = Text(kTextDone);
            break;
        case ZipStage::Opening:
        case ZipStage::Opened:
        case ZipStage::Closed:
            return;
    }
    Refresh();
}

void UnzipWindowState::EnsureOpen() {
    if (!zip_.ZipIsOpen() && errors_.empty()) zip_.ZipOpen(path_);
}

bool UnzipWindowState::ExtractAll(const std::string& destination) {
    EnsureOpen();
    return zip_.ZipIsOpen() && zip_.ExtractAllFiles(destination, true, true);
}

std::vector<ZipMemberInfo> UnzipWindowState::ListArchive() {
    EnsureOpen();
    std::vector<ZipMemberInfo> members;
    members.reserve(static_cast<std::size_t>(zip_.FileCount()));
    for (int i = 1; i <= zip_.FileCount(); ++i)
        members.push_back({zip_.FileName(i), zip_.FileUncompressedSize(i)});
    DebugLog(" -> " + std::to_string(members.size()) + " files.");
    return members;
}

bool UnzipWindowState::ExtractFlat(int index, const std::string& destination) {
    const std::size_t errorsBefore = errors_.size();
    return zip_.ExtractSingleFile(index, destination, false, true) &&
           errors_.size() == errorsBefore;
}

void UnzipWindowState::ExtractOneFile(const std::string& destination, std::string_view name,
                                      UnzipResult& result) {
    EnsureOpen();
    std::string wanted = ToUpperAscii(name);
    for (char& c : wanted)
        if (c == '\\') c = '/';
    for (int i = 1; i <= zip_.FileCount(); ++i) {
        const std::string member = zip_.FileName(i);
        if (member.ends_with('/') || ToUpperAscii(member) != wanted) continue;
        result.matched = 1;
        if (ExtractFlat(i, destination)) result.written = 1;
        result.completed = true;
        return;
    }
}

void UnzipWindowState::ExtractByExtension(const std::string& destination,
                                          std::string_view extension, UnzipResult& result) {
    EnsureOpen();
    const std::string wanted = ToUpperAscii(extension);
    for (int i = 1; i <= zip_.FileCount(); ++i) {
        const std::string name = zip_.FileName(i);
        if (name.ends_with('/') || wanted.size() > name.size() ||
            UpperTail(name, wanted.size()) != wanted)
            continue;
        ++result.matched;
        if (ExtractFlat(i, destination)) ++result.written;
    }
    result.completed = result.matched > 0;
}

}  // namespace arc
