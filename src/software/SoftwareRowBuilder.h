#pragma once
// Turns the elements of a software list, as a reading meets them, into the
// rows the writer inserts, handed on in chunks. Runs on the reading's thread:
// everything but the inserts themselves is done here.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "software/SoftwareRows.h"

namespace arc {

enum class SoftwareText { Description, Year, Publisher };

class SoftwareRowBuilder {
  public:
    /// Rows handed on once a chunk holds this many (at the end of an item).
    static constexpr std::size_t kChunkRows = 4096;
    using Sink = std::function<void(SoftwareRowChunk&&)>;

    explicit SoftwareRowBuilder(Sink sink) : sink_(std::move(sink)) {}

    /// Abandons an open list first.
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
    /// Finds the clones whose parent the list does not hold and hands the
    /// list's last chunk on, to be saved. Returns the list's item count.
    int EndList();
    /// Undoes the open list: nothing of it is handed on, or, when chunks of
    /// it were, a last one that tells the writer to undo them.
    void AbandonList();
    bool InList() const { return inList_; }

  private:
    using Text = SoftwareRowChunk::Text;
    Text Keep(std::string_view text);
    void Ship(SoftwareRowChunk::End end);
    /// Forgets the open list.
    void Reset();

    Sink sink_;
    SoftwareRowChunk chunk_;
    std::string list_;  // the open list's name
    bool inList_ = false;
    bool shipped_ = false;  // a chunk of the open list was handed on
    bool inItem_ = false;
    bool inPart_ = false;
    std::uint32_t items_ = 0, parts_ = 0, seqs_ = 0;  // of the open list
    SoftwareRowChunk::Item item_;
    Text partName_, partInterface_;
    std::string features_;
    struct Clone {
        std::uint32_t item;
        std::string name, parent;
    };
    std::unordered_set<std::string> names_;  // lower-case, of the open list's items
    std::vector<Clone> clones_;              // of the open list
};

}  // namespace arc
