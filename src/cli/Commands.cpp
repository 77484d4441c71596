#include "cli/Commands.h"

namespace arc::cli {

const std::vector<CliCommand>& Commands() {
    static const std::vector<CliCommand> commands = {
        {"texts", "[--language en|fr]", RunTextsCommand},
        {"settings", "[--save]", RunSettingsCommand},
        {"download", "[--entries LABEL...] [--copy-to-paths] [--empty-download-folder]",
         RunDownloadCommand},
        {"translate", "[--create-dictionary] [--files NAME...]", RunTranslateCommand},
        {"list-roms", "[--db FILE] [--roms DIR]", RunListRomsCommand},
        {"audit", "[--db FILE] [--roms DIR] [--full] [--set NAME...]", RunAuditCommand},
        {"search",
         "[--db FILE] [--roms DIR] [--year V] [--manufacturer V] [--genre V] [--category V] "
         "[--players V] [--orientation V] [--available yes|no] [--status V] [--buttons V] "
         "[--controls V] [--clones only|none] [--mature only|none] [--driver V] [--bios V] "
         "[--keyword K] [--show-query] [--ini FILE --folder NAME [--overwrite]] [--copy-to DIR] "
         "[--move-to DIR] [--delete [--backup]]",
         RunSearchCommand},
        {"notes", "write|copy [--db FILE] [--replace-notes]", RunNotesCommand},
        {"unzip", "ARCHIVE [--to DIR] [--member NAME | --ext EXT] [--list]", RunUnzipCommand},
        {"build",
         "[--db FILE] [--listxml FILE] [--mame EXE] [--fresh-list] [--data defined|program] "
         "[--method fast|dom]",
         RunBuildCommand},
        {"update",
         "[--db FILE] [--mame EXE] [--data defined|program] [--all] [--xml] [--alltime] "
         "[--aspect] [--catlist] [--catver] [--genre] [--mature] [--multiplayer] [--nplayers] "
         "[--resolution] [--wizsort] [--cheat] [--command] [--controls] [--hiscore] [--history] "
         "[--mameinfo] [--version-ini]",
         RunUpdateCommand},
        {"sheets",
         "[--db FILE] [--out DIR] [--skin NAME] [--only-available] [--no-clones] "
         "[--no-nonworking] [--no-copy KIND...] [--parent-art] [--copy-all-art] [--substitutes] "
         "[--empty-destination]",
         RunSheetsCommand},
        {"zip-all", "--from DIR --to DIR [--delete-sources]", RunZipAllCommand},
        {"unzip-all", "--from DIR --to DIR [--delete-sources]", RunUnzipAllCommand},
        {"images",
         "delete|copy [--kinds titles,snap,marquees,cabinets,cpanel,flyers] [--source DIR] "
         "[--confirm]",
         RunImagesCommand},
    };
    return commands;
}

}  // namespace arc::cli
