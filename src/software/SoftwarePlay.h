#pragma once
// Playing a software item: the machines that run it (the list's original
// machines first, those whose filter leaves the item out not at all) and the
// emulator started with a machine and the item.

#include <string>
#include <vector>

#include "core/Task.h"
#include "software/SoftwareQuery.h"

namespace arc {

class ReadOnlyDatabase;

/// True when a machine whose link carries `filter` runs an item whose
/// "compatibility" shared feature is `compatibility`: either is empty, or a
/// token of the filter ("NTSC", several comma-separated) is one of the item's,
/// and no "!token" of the filter is.
bool FilterAccepts(std::string_view filter, std::string_view compatibility);

/// The machines of the open database that run the item: original links
/// before compatible ones; among them the machine named like the list, then
/// parents before clones, then by name. Read from `db` (null: the shared
/// connection).
std::vector<SoftwareListLink> MachinesForItem(const std::string& list, const std::string& item,
                                              const ReadOnlyDatabase* db = nullptr);

struct PlaySoftwareRequest {
    std::string emulator;    ///< the executable to start
    std::string romsFolder;  ///< given to the emulator as its ROM path
    std::string list;
    std::string item;
    std::string machine;  ///< "": the first machine that runs the item
};

struct PlaySoftwareOutcome : Outcome {
    std::string machine;  ///< the machine started
};

/// Starts `emulator MACHINE ITEM -rompath ROMS` and waits for it. Fails when
/// the item is not in the list, no machine runs it, the chosen machine does
/// not, or the emulator cannot start or ends with an error.
PlaySoftwareOutcome RunPlaySoftware(const PlaySoftwareRequest& request, TaskContext& context);

}  // namespace arc
