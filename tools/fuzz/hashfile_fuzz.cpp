// libFuzzer target for the hash-file reader: the input is read as a hash
// file, every chunk of rows checked (texts inside the chunk, rows counted
// from where the last chunk stopped, each list ended once), then imported
// into a fresh database as a software step does.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "FuzzSupport.h"
#include "core/Progress.h"
#include "core/Task.h"
#include "software/HashFileReader.h"
#include "software/SoftwareImport.h"
#include "software/SoftwareRows.h"

using namespace arc;

namespace {

/// What the chunks of a reading may be, checked as they come.
class ChunkCheck {
  public:
    void operator()(SoftwareRowChunk&& chunk) {
        using End = SoftwareRowChunk::End;
        if (chunk.begins == open_) Fail();  // a list begins only when none is open
        if (chunk.begins) items_ = parts_ = seqs_ = 0;
        open_ = chunk.end == End::Open;
        if (chunk.end == End::Abandoned) {  // undoes the list: carries nothing
            if (chunk.Rows() || !chunk.orphans.empty()) Fail();
            return;
        }
        for (const SoftwareRowChunk::Item& item : chunk.items)
            for (auto text : {item.name, item.cloneOf, item.supported, item.description, item.year,
                              item.publisher})
                Inside(chunk, text);
        if (chunk.firstItem != items_) Fail();
        // Info pairs and ROMs share the sequence: each in order, after the
        // last chunk's, before this one's count.
        std::uint32_t info = seqs_, rom = seqs_, part = parts_;
        for (const SoftwareRowChunk::Info& row : chunk.infos)
            Next(row.seq, info), Inside(chunk, row.name), Inside(chunk, row.value);
        for (const SoftwareRowChunk::Rom& row : chunk.roms)
            Next(row.seq, rom), Inside(chunk, row.name), Inside(chunk, row.sha1);
        for (const SoftwareRowChunk::Part& row : chunk.parts)
            Next(row.part, part), Inside(chunk, row.features);
        items_ = chunk.firstItem + static_cast<std::uint32_t>(chunk.items.size());
        if (chunk.itemCount != items_ || chunk.seqCount < std::max(info, rom) ||
            chunk.partCount < part)
            Fail();
        seqs_ = chunk.seqCount;
        parts_ = chunk.partCount;
        if (!chunk.orphans.empty() && chunk.end != End::Saved) Fail();
        for (const SoftwareRowChunk::Orphan& orphan : chunk.orphans)
            if (orphan.item >= items_) Fail();
    }
    /// Every list handed on was ended.
    void Finish() const {
        if (open_) Fail();
    }

  private:
    [[noreturn]] static void Fail() { std::abort(); }
    static void Inside(const SoftwareRowChunk& chunk, SoftwareRowChunk::Text text) {
        if (std::uint64_t{text.start} + text.size > chunk.text.size()) Fail();
    }
    /// Numbers only grow, from where the list's last chunk stopped.
    static void Next(std::uint32_t number, std::uint32_t& next) {
        if (number < next) Fail();
        next = number + 1;
    }
    bool open_ = false;
    std::uint32_t items_ = 0, parts_ = 0, seqs_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ResetForInput();
    const std::string path = fuzz::WriteInput("hash/input.xml", data, size);
    ChunkCheck check;
    (void)ReadHashFile(path, [&](SoftwareRowChunk&& chunk) { check(std::move(chunk)); });
    check.Finish();

    fuzz::OpenFreshDatabase();
    TaskProgress progress;
    TaskContext context(progress, Ui());
    (void)RunSoftwareImport({std::filesystem::path(path).parent_path().string(), "", "", true},
                            context);
    fuzz::CloseFreshDatabase();
    return 0;
}
