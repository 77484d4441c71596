#include "cli/Commands.h"

namespace arc::cli {

const std::vector<CliCommand>& Commands() {
    static const std::vector<CliCommand> commands = {
        {"texts", "[--language en|fr]", RunTextsCommand},
        {"settings", "[--save]", RunSettingsCommand},
        {"download", "[--entries LABEL...] [--copy-to-paths]", RunDownloadCommand},
        {"translate", "[--create-dictionary] [--files NAME...]", RunTranslateCommand},
        {"list-roms", "[--db FILE] [--roms DIR]", RunListRomsCommand},
        {"search",
         "[--db FILE] [--roms DIR] [--year V] [--manufacturer V] [--genre V] [--category V] "
         "[--players V] [--orientation V] [--available yes|no] [--status V] [--buttons V] "
         "[--controls V] [--clones only|none] [--mature only|none] [--driver V] [--bios V] "
         "[--keyword K] [--show-query] [--ini FILE --folder NAME] [--copy-to DIR] "
         "[--move-to DIR] [--delete [--backup]]",
         RunSearchCommand},
        {"notes", "write|copy [--db FILE]", RunNotesCommand},
        {"unzip", "ARCHIVE [--to DIR] [--member NAME | --ext EXT] [--list]", RunUnzipCommand},
        {"sheets",
         "[--db FILE] [--out DIR] [--skin NAME] [--only-available] [--no-clones] "
         "[--no-nonworking] [--no-copy KIND...] [--parent-art] [--copy-all-art] [--substitutes]",
         RunSheetsCommand},
        {"build", "[--yes] [--db FILE] [--listxml FILE] [--method fast|dom]", RunBuildCommand},
        {"zip-all", "--from DIR --to DIR [--delete-sources]", RunZipAllCommand},
        {"unzip-all", "--from DIR --to DIR [--delete-sources]", RunUnzipAllCommand},
        {"images", "delete|copy [--kinds titles,snap,marquees,cabinets,cpanel,flyers] [--source DIR]",
         RunImagesCommand},
    };
    return commands;
}

}  // namespace arc::cli
