#include "software/SoftwareWriter.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>

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
    firstItemId_ = nextItemId_;
    firstPartId_ = nextPartId_;
    firstSeq_ = nextSeq_;
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

std::optional<int> SoftwareWriter::Write(const SoftwareRowChunk& chunk) {
    using End = SoftwareRowChunk::End;
    if (chunk.begins) BeginList(chunk.list, chunk.description);
    if (!transaction_) return std::nullopt;  // the rest of a list rolled back
    if (chunk.end == End::Abandoned) {
        AbandonList();
        return std::nullopt;
    }
    InsertRows(chunk);
    if (chunk.end != End::Saved) return std::nullopt;
    for (const SoftwareRowChunk::Orphan& orphan : chunk.orphans) {
        WriteLog(orphan.note);
        dropCloneOf_.Bind(1, firstItemId_ + orphan.item).Run();
    }
    transaction_->Commit();
    transaction_.reset();
    nextItemId_ = firstItemId_ + chunk.itemCount;
    nextPartId_ = firstPartId_ + chunk.partCount;
    nextSeq_ = firstSeq_ + chunk.seqCount;
    return static_cast<int>(chunk.itemCount);
}

void SoftwareWriter::InsertRows(const SoftwareRowChunk& chunk) {
    using Text = SoftwareRowChunk::Text;
    auto text = [&](Statement& statement, int parameter, Text at) {
        statement.BindView(parameter, chunk.View(at));
    };
    auto textOrNull = [&](Statement& statement, int parameter, Text at) {
        if (at.size)
            statement.BindView(parameter, chunk.View(at));
        else
            statement.BindNull(parameter);
    };
    const std::int64_t firstItem = firstItemId_ + chunk.firstItem;
    insertItem_.InsertRows(chunk.items.size(), [&](Statement& statement, int p, std::size_t row) {
        const SoftwareRowChunk::Item& item = chunk.items[row];
        statement.Bind(p, firstItem + static_cast<std::int64_t>(row));
        statement.BindView(p + 1, list_);
        text(statement, p + 2, item.name);
        textOrNull(statement, p + 3, item.cloneOf);
        text(statement, p + 4, item.supported);
        textOrNull(statement, p + 5, item.description);
        textOrNull(statement, p + 6, item.year);
        textOrNull(statement, p + 7, item.publisher);
    });
    // An info pair's row and a part's: the item, a number, three texts.
    auto keyedTexts = [&](Statement& statement, int p, std::int64_t item, std::int64_t number,
                          std::initializer_list<Text> texts) {
        statement.Bind(p, item);
        statement.Bind(p + 1, number);
        int parameter = p + 2;
        for (const Text at : texts)
            text(statement, parameter++, at);
    };
    insertInfo_.InsertRows(chunk.infos.size(), [&](Statement& statement, int p, std::size_t row) {
        const SoftwareRowChunk::Info& info = chunk.infos[row];
        keyedTexts(statement, p, firstItemId_ + info.item, firstSeq_ + info.seq,
                   {info.kind, info.name, info.value});
    });
    insertPart_.InsertRows(chunk.parts.size(), [&](Statement& statement, int p, std::size_t row) {
        const SoftwareRowChunk::Part& part = chunk.parts[row];
        keyedTexts(statement, p, firstItemId_ + part.item, firstPartId_ + part.part,
                   {part.name, part.interface, part.features});
    });
    insertRom_.InsertRows(chunk.roms.size(), [&](Statement& statement, int p, std::size_t row) {
        const SoftwareRowChunk::Rom& rom = chunk.roms[row];
        statement.Bind(p, firstItemId_ + rom.item);
        statement.Bind(p + 1, firstSeq_ + rom.seq);
        statement.Bind(p + 2, firstPartId_ + rom.part);
        text(statement, p + 3, rom.area);
        text(statement, p + 4, rom.kind);
        text(statement, p + 5, rom.name);
        if (rom.size)
            statement.Bind(p + 6, *rom.size);
        else
            statement.BindNull(p + 6);
        textOrNull(statement, p + 7, rom.crc);
        textOrNull(statement, p + 8, rom.sha1);
        textOrNull(statement, p + 9, rom.status);
    });
}

void SoftwareWriter::AbandonList() {
    if (transaction_) transaction_->Rollback();
    transaction_.reset();
}

}  // namespace arc
