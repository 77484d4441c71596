#pragma once
// Writes the rows of the software lists being read, through statements
// prepared once. Each list is written in a transaction of its own: it is
// saved whole when it ends, or not at all.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "database/BulkInsert.h"
#include "database/Database.h"

namespace arc {

enum class SoftwareText { Description, Year, Publisher };

class SoftwareWriter {
  public:
    /// Makes the tables when missing and prepares the statements.
    SoftwareWriter();
    /// Rolls an open list back.
    ~SoftwareWriter();
    SoftwareWriter(const SoftwareWriter&) = delete;
    SoftwareWriter& operator=(const SoftwareWriter&) = delete;

    /// Opens the list's transaction and removes the rows of an earlier import
    /// of the same list.
    void BeginList(std::string_view name, std::string_view description);
    void BeginItem(std::string_view name, std::string_view cloneOf, std::string_view supported);
    void SetText(SoftwareText field, std::string_view text);
    /// An info or sharedfeat pair of the current item.
    void AddInfo(std::string_view kind, std::string_view name, std::string_view value);
    void BeginPart(std::string_view name, std::string_view interface);
    void AddFeature(std::string_view name, std::string_view value);
    /// A ROM ("rom") or disk ("disk") of a data or disk area of the current part.
    void AddRom(std::string_view area, std::string_view kind, std::string_view name,
                std::string_view size, std::string_view crc, std::string_view sha1,
                std::string_view status);
    void EndPart();
    void EndItem();
    /// Clones whose parent the list does not hold are logged and kept as
    /// parents; then the list is committed. Returns its item count.
    int EndList();
    /// Rolls the open list back (a damaged file, a cancel).
    void AbandonList();

  private:
    struct Item {
        std::int64_t id;
        std::string name;
        std::string cloneOf;
    };
    void CheckCloneParents();

    Statement insertList_, findList_, deleteList_, deleteItems_, deleteInfo_, deleteParts_,
        deleteRoms_, dropCloneOf_;
    BulkInsert insertItem_, insertInfo_, insertPart_, insertRom_;
    std::optional<Transaction> transaction_;
    std::string list_;
    std::vector<Item> items_;  // of the open list
    std::int64_t nextItemId_ = 1;
    std::int64_t nextPartId_ = 1;
    std::int64_t nextSeq_ = 1;                 // of info pairs and ROMs
    bool fresh_ = false;                       // the tables were empty: no old rows to remove
    std::unordered_set<std::string> written_;  // lower-case names of the lists written
    std::string name_, cloneOf_, supported_, description_, year_, publisher_;
    std::string partName_, partInterface_, features_;
    bool inItem_ = false;
    bool inPart_ = false;
};

}  // namespace arc
