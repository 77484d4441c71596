#include "SheetFixture.h"

#include <filesystem>

#include "core/Settings.h"
#include "database/Database.h"
#include "database/Schema.h"

namespace arc::test {

SheetTest::SheetTest() {
    database = home.file("games.mdb");
    std::string error;
    if (!CreateTemplateDatabase(database, &error)) ADD_FAILURE() << error;
    TheSettings().DatabasePath = database;
    site = home.str() + "site/";
    art = home.str() + "art/";
    for (int k = 0; k < kArtKinds; ++k) {
        TheSettings().ArtFolders[k] = art + std::to_string(k) + "/";
    }
    TheSettings().HtmlFolder = site;
    OpenDatabase(database);
}

SheetTest::~SheetTest() {
    CloseDatabase();
}

void SheetTest::AddRow(const std::string& table, Fields fields) {
    std::string columns, marks;
    for (const auto& field : fields) {
        columns += std::string(columns.empty() ? "" : ",") + field.first;
        marks += marks.empty() ? "?" : ",?";
    }
    Statement insert("INSERT INTO " + table + " (" + columns + ") VALUES (" + marks + ")");
    int index = 1;
    for (const auto& field : fields)
        insert.Bind(index++, field.second);
    insert.Run();
}

void SheetTest::AddGame(const std::string& name, const std::string& title, Fields fields) {
    AddRow("Data", {{"InternalName", name.c_str()}, {"GameName", title.c_str()}});
    for (const auto& field : fields) {
        Statement update(std::string("UPDATE Data SET ") + field.first + "=? WHERE InternalName=?");
        update.Bind(1, field.second).Bind(2, name);
        update.Run();
    }
}

void SheetTest::AddHistory(std::initializer_list<const char*> games, Fields fields) {
    AddRow("History", fields);
    const std::int64_t code = LastInsertId();
    for (const char* game : games) {
        Statement update("UPDATE Data SET CodeHistory=? WHERE InternalName=?");
        update.Bind(1, code).Bind(2, game);
        update.Run();
    }
}

SheetRun SheetTest::NewRun() const {
    SheetRun run;
    run.htmlFolder = site;
    for (int k = 0; k < kArtKinds; ++k)
        run.artFolders[k] = TheSettings().ArtFolders[k];
    for (std::string_view sub : ArtSheetFolders()) {
        std::filesystem::create_directories(site + "html/images/" + std::string(sub));
    }
    return run;
}

bool SheetTest::PageExists(const std::string& name) const {
    return std::filesystem::exists(site + "html/" + name);
}

}  // namespace arc::test
