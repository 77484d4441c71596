#include "software/SoftwareWriter.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_set>

#include "core/Files.h"
#include "core/Log.h"
#include "software/SoftwareTables.h"

namespace arc {
namespace {

constexpr std::string_view kOfList = "SELECT Id FROM Software WHERE ListName = ?";

std::int64_t NextSeq(std::string_view table) {
    return std::atoll(
        QueryValue("SELECT coalesce(max(Seq), 0) + 1 FROM " + std::string(table)).c_str());
}

std::int64_t NextId(std::string_view table) {
    return std::atoll(
        QueryValue("SELECT coalesce(max(Id), 0) + 1 FROM " + std::string(table)).c_str());
}

}  // namespace

SoftwareWriter::SoftwareWriter()
    : insertList_((CreateSoftwareTables(),
                   "INSERT OR REPLACE INTO SoftwareList (ListName, Description) VALUES (?, ?)")),
      findList_("SELECT 1 FROM Software WHERE ListName = ? LIMIT 1"),
      deleteList_("DELETE FROM SoftwareList WHERE ListName = ?"),
      deleteItems_("DELETE FROM Software WHERE ListName = ?"),
      deleteInfo_("DELETE FROM SoftwareInfo WHERE SoftwareId IN (" + std::string(kOfList) + ")"),
      deleteParts_("DELETE FROM SoftwarePart WHERE SoftwareId IN (" + std::string(kOfList) + ")"),
      deleteRoms_("DELETE FROM SoftwareRom WHERE SoftwareId IN (" + std::string(kOfList) + ")"),
      dropCloneOf_("UPDATE Software SET CloneOf = NULL WHERE Id = ?"),
      insertItem_("Software", {"Id", "ListName", "Name", "CloneOf", "Supported", "Description",
                               "Year", "Publisher"}),
      insertInfo_("SoftwareInfo", {"SoftwareId", "Seq", "Kind", "Name", "Value"}),
      insertPart_("SoftwarePart", {"SoftwareId", "Id", "Name", "Interface", "Features"}),
      insertRom_("SoftwareRom", {"SoftwareId", "Seq", "PartId", "Area", "Kind", "Name", "Size",
                                 "Crc", "Sha1", "Status"}),
      nextItemId_(NextId("Software")),
      nextPartId_(NextId("SoftwarePart")),
      nextSeq_(std::max(NextSeq("SoftwareInfo"), NextSeq("SoftwareRom"))),
      fresh_(nextItemId_ == 1) {
    // The index on the list name is kept up to date row by row, even into
    // empty tables: that work runs here, beside the reading, where building
    // it at the end would hold the whole import up.
}

SoftwareWriter::~SoftwareWriter() {
    try {
        AbandonList();
    } catch (...) {
        // The connection may be gone; nothing is left to undo then.
    }
}

void SoftwareWriter::BeginList(std::string_view name, std::string_view description) {
    AbandonList();
    transaction_.emplace();
    list_.assign(name);
    items_.clear();
    // A fresh import only has the lists it wrote itself (a name used twice).
    bool known = !written_.insert(ToLowerAscii(name)).second;
    if (!fresh_) {
        findList_.Bind(1, name);
        known = findList_.Step();
        findList_.Reset();
    }
    if (known) {
        for (Statement* statement : {&deleteInfo_, &deleteParts_, &deleteRoms_, &deleteItems_})
            statement->Bind(1, name).Run();
    }
    deleteList_.Bind(1, name).Run();
    insertList_.Bind(1, name).Bind(2, description).Run();
}

void SoftwareWriter::BeginItem(std::string_view name, std::string_view cloneOf,
                               std::string_view supported) {
    name_.assign(name);
    cloneOf_.assign(cloneOf);
    supported_.assign(supported.empty() ? std::string_view("yes") : supported);
    description_.clear();
    year_.clear();
    publisher_.clear();
    inItem_ = true;
}

void SoftwareWriter::SetText(SoftwareText field, std::string_view text) {
    std::string& target = field == SoftwareText::Description ? description_
                          : field == SoftwareText::Year      ? year_
                                                             : publisher_;
    target.assign(Trim(text));
}

void SoftwareWriter::AddInfo(std::string_view kind, std::string_view name, std::string_view value) {
    if (!inItem_) return;
    insertInfo_.Add(nextItemId_, nextSeq_++, kind, name, value);
}

void SoftwareWriter::BeginPart(std::string_view name, std::string_view interface) {
    partName_.assign(name);
    partInterface_.assign(interface);
    features_.clear();
    inPart_ = inItem_;
}

void SoftwareWriter::AddFeature(std::string_view name, std::string_view value) {
    if (!inPart_) return;
    if (!features_.empty()) features_ += "; ";
    features_.append(name).append("=").append(value);
}

void SoftwareWriter::AddRom(std::string_view area, std::string_view kind, std::string_view name,
                            std::string_view size, std::string_view crc, std::string_view sha1,
                            std::string_view status) {
    if (!inPart_ || name.empty()) return;  // a continuation of the ROM before it
    std::optional<std::int64_t> bytes;
    if (!size.empty())
        bytes = static_cast<std::int64_t>(std::strtoll(std::string(size).c_str(), nullptr, 0));
    insertRom_.Add(nextItemId_, nextSeq_++, nextPartId_, area, kind, name, bytes, TextOrNull(crc),
                   TextOrNull(sha1), TextOrNull(status));
}

void SoftwareWriter::EndPart() {
    if (!inPart_) return;
    insertPart_.Add(nextItemId_, nextPartId_++, partName_, partInterface_, features_);
    inPart_ = false;
}

void SoftwareWriter::EndItem() {
    if (!inItem_) return;
    insertItem_.Add(nextItemId_, list_, name_, TextOrNull(cloneOf_), supported_,
                    TextOrNull(description_), TextOrNull(year_), TextOrNull(publisher_));
    items_.push_back({nextItemId_++, name_, cloneOf_});
    inItem_ = false;
}

void SoftwareWriter::CheckCloneParents() {
    std::unordered_set<std::string> names;
    for (const Item& item : items_)
        names.insert(ToLowerAscii(item.name));
    for (const Item& item : items_) {
        if (item.cloneOf.empty() || names.contains(ToLowerAscii(item.cloneOf))) continue;
        WriteLog("software: " + list_ + "/" + item.name + " is a clone of " + item.cloneOf +
                 ", which the list does not hold; it is kept as a parent");
        dropCloneOf_.Bind(1, item.id).Run();
    }
}

int SoftwareWriter::EndList() {
    if (!transaction_) return 0;
    for (BulkInsert* rows : {&insertItem_, &insertInfo_, &insertPart_, &insertRom_})
        rows->Flush();
    CheckCloneParents();
    transaction_->Commit();
    transaction_.reset();
    return static_cast<int>(items_.size());
}

void SoftwareWriter::AbandonList() {
    for (BulkInsert* rows : {&insertItem_, &insertInfo_, &insertPart_, &insertRom_})
        rows->Discard();
    if (transaction_) transaction_->Rollback();
    transaction_.reset();
    inItem_ = inPart_ = false;
}

}  // namespace arc
