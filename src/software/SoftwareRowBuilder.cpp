#include "software/SoftwareRowBuilder.h"

#include <cstdlib>
#include <limits>

#include "core/ErrorGuard.h"
#include "core/Files.h"

namespace arc {

using Chunk = SoftwareRowChunk;

Chunk::Text SoftwareRowBuilder::Keep(std::string_view text) {
    // Chunks end at items: only one item of gigabytes comes near the limit.
    if (chunk_.text.size() + text.size() > std::numeric_limits<std::uint32_t>::max())
        throw AppError(err::kOverflow, "a software item holds more than 4 GB of text");
    const Text kept{static_cast<std::uint32_t>(chunk_.text.size()),
                    static_cast<std::uint32_t>(text.size())};
    chunk_.text.append(text);
    return kept;
}

void SoftwareRowBuilder::Ship(Chunk::End end) {
    chunk_.end = end;
    chunk_.itemCount = items_;
    chunk_.partCount = parts_;
    chunk_.seqCount = seqs_;
    sink_(std::move(chunk_));
    chunk_ = Chunk();
    chunk_.firstItem = items_;
    shipped_ = true;
}

void SoftwareRowBuilder::BeginList(std::string_view name, std::string_view description) {
    AbandonList();
    inList_ = true;
    chunk_.begins = true;
    chunk_.list.assign(name);
    list_.assign(name);
    chunk_.description.assign(description);
}

void SoftwareRowBuilder::BeginItem(std::string_view name, std::string_view cloneOf,
                                   std::string_view supported) {
    if (!inList_) return;
    item_ = {};
    item_.name = Keep(name);
    item_.cloneOf = Keep(cloneOf);
    item_.supported = Keep(supported.empty() ? std::string_view("yes") : supported);
    inItem_ = true;
}

void SoftwareRowBuilder::SetText(SoftwareText field, std::string_view text) {
    if (!inItem_) return;
    Text& target = field == SoftwareText::Description ? item_.description
                   : field == SoftwareText::Year      ? item_.year
                                                      : item_.publisher;
    target = Keep(Trim(text));
}

void SoftwareRowBuilder::AddInfo(std::string_view kind, std::string_view name,
                                 std::string_view value) {
    if (!inItem_) return;
    chunk_.infos.push_back({items_, seqs_++, Keep(kind), Keep(name), Keep(value)});
}

void SoftwareRowBuilder::BeginPart(std::string_view name, std::string_view interface) {
    inPart_ = inItem_;
    if (!inPart_) return;
    partName_ = Keep(name);
    partInterface_ = Keep(interface);
    features_.clear();
}

void SoftwareRowBuilder::AddFeature(std::string_view name, std::string_view value) {
    if (!inPart_) return;
    if (!features_.empty()) features_ += "; ";
    features_.append(name).append("=").append(value);
}

void SoftwareRowBuilder::AddRom(std::string_view area, std::string_view kind, std::string_view name,
                                std::string_view size, std::string_view crc, std::string_view sha1,
                                std::string_view status) {
    if (!inPart_ || name.empty()) return;  // a continuation of the ROM before it
    Chunk::Rom& rom = chunk_.roms.emplace_back();
    rom.item = items_;
    rom.seq = seqs_++;
    rom.part = parts_;
    rom.area = Keep(area);
    rom.kind = Keep(kind);
    rom.name = Keep(name);
    rom.crc = Keep(crc);
    rom.sha1 = Keep(sha1);
    rom.status = Keep(status);
    if (!size.empty()) rom.size = std::strtoll(std::string(size).c_str(), nullptr, 0);
}

void SoftwareRowBuilder::EndPart() {
    if (!inPart_) return;
    chunk_.parts.push_back({items_, parts_++, partName_, partInterface_, Keep(features_)});
    inPart_ = false;
}

void SoftwareRowBuilder::EndItem() {
    if (!inItem_) return;
    chunk_.items.push_back(item_);
    const std::string_view name = chunk_.View(item_.name);
    names_.insert(ToLowerAscii(name));
    if (item_.cloneOf.size)
        clones_.push_back({items_, std::string(name), std::string(chunk_.View(item_.cloneOf))});
    ++items_;
    inItem_ = inPart_ = false;
    if (chunk_.Rows() >= kChunkRows) Ship(Chunk::End::Open);
}

int SoftwareRowBuilder::EndList() {
    if (!inList_) return 0;
    for (const Clone& clone : clones_) {
        if (names_.contains(ToLowerAscii(clone.parent))) continue;
        chunk_.orphans.push_back(
            {clone.item, "software: " + list_ + "/" + clone.name + " is a clone of " +
                             clone.parent +
                             ", which the list does not hold; it is kept as a parent"});
    }
    const int items = static_cast<int>(items_);
    Ship(Chunk::End::Saved);
    Reset();
    return items;
}

void SoftwareRowBuilder::AbandonList() {
    const bool undo = inList_ && shipped_;
    Reset();
    if (!undo) return;
    chunk_.end = Chunk::End::Abandoned;
    sink_(std::move(chunk_));
    chunk_ = Chunk();
}

void SoftwareRowBuilder::Reset() {
    chunk_ = Chunk();
    list_.clear();
    inList_ = shipped_ = inItem_ = inPart_ = false;
    items_ = parts_ = seqs_ = 0;
    names_.clear();
    clones_.clear();
}

}  // namespace arc
