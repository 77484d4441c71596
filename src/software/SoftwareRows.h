#pragma once
// The rows of a software list as a reading makes them, handed to the writer
// in chunks: the values final (trimmed, defaulted, the sizes numbers), the
// texts in one buffer, the items, parts and their sequence numbers counted
// from 0 within the list. The writer adds where the tables' ids stand.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace arc {

struct SoftwareRowChunk {
    /// A text of `text`; empty ones are Null where the column takes Null.
    struct Text {
        std::uint32_t start = 0;
        std::uint32_t size = 0;
    };
    struct Item {
        Text name, cloneOf, supported, description, year, publisher;
    };
    struct Info {
        std::uint32_t item, seq;
        Text kind, name, value;
    };
    struct Part {
        std::uint32_t item, part;
        Text name, interface, features;
    };
    struct Rom {
        std::uint32_t item, seq, part;
        Text area, kind, name, crc, sha1, status;
        std::optional<std::int64_t> size;
    };
    /// An item whose clone parent the list does not hold: kept as a parent.
    struct Orphan {
        std::uint32_t item;
        std::string note;  // the log line
    };
    enum class End : std::uint8_t {
        Open,       ///< more chunks of the list follow
        Saved,      ///< the list ended: save it
        Abandoned,  ///< the list was cut short: undo it
    };

    bool begins = false;  ///< the first chunk of its list
    std::string list, description;
    std::string text;
    std::vector<Item> items;  // item i of the chunk is item firstItem + i of the list
    std::uint32_t firstItem = 0;
    std::vector<Info> infos;
    std::vector<Part> parts;
    std::vector<Rom> roms;
    End end = End::Open;
    std::vector<Orphan> orphans;  // with End::Saved
    /// Items, parts and sequence numbers of the list so far, this chunk's included.
    std::uint32_t itemCount = 0, partCount = 0, seqCount = 0;

    std::string_view View(Text at) const { return {text.data() + at.start, at.size}; }
    std::size_t Rows() const { return items.size() + infos.size() + parts.size() + roms.size(); }
};

}  // namespace arc
