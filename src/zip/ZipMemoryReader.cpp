#include "zip/ZipMemoryReader.h"

#include "core/Files.h"

namespace arc {

bool ZipMemoryReader::Open(std::string_view path) {
    entries_.clear();
    byFileName_.clear();
    file_.Close();
    path_ = std::string(path);
    if (!file_.Open(path)) return false;
    const std::optional<std::uint64_t> position = FindEndRecord(file_);
    ZipEndRecord end;
    if (!position || !ReadEndRecord(file_, *position, end) || end.Spanned()) return false;
    if (!ReadCentralDirectory(file_, end, entries_, [] {})) return false;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const std::string& name = entries_[i].name;
        const bool atRoot = name.find('/') == std::string::npos;
        auto [it, added] = byFileName_.try_emplace(ToLowerAscii(BaseName(name)), i);
        if (!added && atRoot && entries_[it->second].name.find('/') != std::string::npos)
            it->second = i;
    }
    return true;
}

const ZipEntry* ZipMemoryReader::FindByFileName(std::string_view fileName) const {
    const auto it = byFileName_.find(ToLowerAscii(fileName));
    return it == byFileName_.end() ? nullptr : &entries_[it->second];
}

bool ZipMemoryReader::Read(const ZipEntry& entry, std::string& bytes, std::uint64_t maxBytes) {
    bytes.clear();
    if (!file_.IsOpen() || entry.uncompressedSize > maxBytes) return false;
    return decoder_.Read(file_, entry, bytes) == MemberResult::Written;
}

}  // namespace arc
