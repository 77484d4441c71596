#pragma once
// Pictures of the sheets: art archives extracted at the start of a run, the
// wholesale copy of every art folder, and the substitute image.

#include "sheets/SheetRun.h"

namespace arc {

class TaskProgress;

/// Extracts every "*.zip" of each copied art kind into its sheet folder;
/// counts in `unclean` the archives with members that were not extracted
/// (unsafe names, damage), each logged. False when the run was cancelled.
bool UnzipArtArchives(const SheetRun& run, TaskProgress& progress, int& unclean);

/// Copies every "*.png" of each copied art kind into its sheet folder.
/// False when the run was cancelled.
bool CopyAllArt(const SheetRun& run, TaskProgress& progress);

/// Fills every missing picture of the game pages written (copied kinds only)
/// with the skin's "noimage.png". Nothing without that file. False when the
/// run was cancelled.
bool FillSubstitutes(const SheetRun& run, TaskProgress& progress);

/// The sheet folder of art kind k: pages folder + "images/" + sub-folder + "/".
std::string ArtSheetFolder(const SheetRun& run, int kind);

}  // namespace arc
