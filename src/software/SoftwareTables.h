#pragma once
// The software-list tables, kept beside the designed ones: SoftwareList,
// Software (one row per item), SoftwareInfo (its info and sharedfeat pairs),
// SoftwarePart, SoftwareRom (the ROMs and disks of each data or disk area).

namespace arc {

/// Makes the tables and their indexes in the open database when missing.
void CreateSoftwareTables();

/// True when the open database holds imported software lists.
bool HasSoftwareTables();

}  // namespace arc
