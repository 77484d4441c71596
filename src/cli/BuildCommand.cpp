// build: makes a fresh database from the template and imports the emulator's
// list (-listxml) into it, as the "Make Access database" task does, without
// its windows.

#include <ostream>

#include "cli/Commands.h"
#include "core/AppState.h"
#include "core/Files.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "database/Database.h"
#include "database/DatabaseBuild.h"
#include "xmlimport/ListXmlImport.h"

namespace arc::cli {
namespace {

constexpr std::string_view kUsage =
    "usage: build [--yes] [--db FILE] [--listxml FILE] [--method fast|dom]";

}  // namespace

int RunBuildCommand(CliContext& context, const std::vector<std::string>& args) {
    auto usage = [&](const std::string& problem) {
        context.err << "arcanote-cli build: " << problem << '\n' << kUsage << '\n';
        return 2;
    };
    std::string database = TheSettings().DatabasePath;
    std::string listXml;
    int method = 1;
    bool replace = context.assumeYes;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--yes" || arg == "-y") {
            replace = true;
        } else if (arg == "--db" && hasValue) {
            database = args[++i];
        } else if (arg == "--listxml" && hasValue) {
            listXml = args[++i];
        } else if (arg == "--method" && hasValue) {
            const std::string& name = args[++i];
            if (name != "fast" && name != "dom") return usage("unknown method '" + name + "'");
            method = name == "fast" ? 1 : 2;
        } else {
            return usage("unknown or incomplete option '" + arg + "'");
        }
    }
    if (database.empty()) return usage("no database file (give --db FILE)");
    if (!listXml.empty() && !FileExists(listXml)) {
        context.err << "arcanote-cli build: " << listXml << " not found\n";
        return 1;
    }
    if (FileExists(database) && !replace &&
        Ui().Message(Text(108), MsgButtons::YesNo, MsgIcon::Question) != MsgAnswer::Yes)
        return 1;

    TheSettings().DatabasePath = database;
    SaveSettings();
    if (!TestArcanoteMDB(database)) return 1;
    State().ImportMethod = method;
    State().UpdateMode = false;

    LongTask task(0);
    if (!OpenDatabase(database)) return 1;
    EmptyAllTables();
    WriteVersionStamp(ReadMameVersion());
    const bool imported = ImportListXml(listXml);
    CloseDatabase();
    task.Finish();
    if (task.Cancelled()) return 1;
    if (!imported) return 1;
    context.out << Text(230) << '\n';
    return 0;
}

}  // namespace arc::cli
