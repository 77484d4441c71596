#pragma once
// --db and --roms name the database and the ROM folder of one command's run.

#include "core/Files.h"
#include "core/ProgramFolder.h"
#include "core/Settings.h"

namespace arc::cli {

/// Gives the settings back their database and ROM folder when the command
/// ends, and saves them again when the run (its database chooser) saved the
/// option's values.
class OneOffPaths {
  public:
    OneOffPaths() : database_(TheSettings().DatabasePath), roms_(TheSettings().RomsFolder) {}
    OneOffPaths(const OneOffPaths&) = delete;
    OneOffPaths& operator=(const OneOffPaths&) = delete;
    ~OneOffPaths() {
        Settings& settings = TheSettings();
        if (settings.DatabasePath == database_ && settings.RomsFolder == roms_) return;
        settings.DatabasePath = database_;
        settings.RomsFolder = roms_;
        if (FileExists(InProgramFolder("Arcanote.inf"))) SaveSettings();
    }

  private:
    std::string database_;
    std::string roms_;
};

}  // namespace arc::cli
