#include "collection/CollectionGameDb.h"

#include <filesystem>

#include "core/Settings.h"
#include "database/Database.h"

namespace arc::test {

CollectionTest::CollectionTest() {
    setenv("XDG_DATA_HOME", home.file("xdg").c_str(), 1);
    TheSettings().RomsFolder = Roms();
    std::filesystem::create_directories(Roms());
}

void CollectionTest::MakeGames(const std::vector<GameRow>& games) {
    const std::string path = home.str() + "games.mdb";
    std::string error;
    ASSERT_TRUE(CreateTemplateDatabase(path, &error)) << error;
    TheSettings().DatabasePath = path;
    ASSERT_TRUE(OpenDatabase(path));
    {
        Statement insert(
            "INSERT INTO Data (InternalName, GameName, Year, Manufacturer, Genre, CloneOf, "
            "GotIt) VALUES (?, ?, ?, ?, ?, ?, ?)");
        auto text = [](const std::string& value) {
            return value.empty() ? std::optional<std::string>() : std::optional(value);
        };
        for (const GameRow& game : games) {
            insert.Bind(1, game.name).Bind(2, text(game.title)).Bind(3, text(game.year));
            insert.Bind(4, text(game.manufacturer)).Bind(5, text(game.genre));
            insert.Bind(6, text(game.cloneOf));
            // Like the import, a game not owned keeps a Null GotIt.
            game.gotIt ? insert.Bind(7, true) : insert.BindNull(7);
            insert.Run();
        }
    }
    CloseDatabase();
}

void CollectionTest::AddRom(const std::string& name, const std::string& bytes) {
    if (name.ends_with('/')) {
        std::filesystem::create_directories(Roms() + name);
    } else {
        WriteFile(Roms() + name, bytes);
    }
}

std::vector<std::string> CollectionTest::Owned() {
    const bool wasOpen = IsDatabaseOpen();
    if (!wasOpen) OpenDatabase(TheSettings().DatabasePath);
    std::vector<std::string> names;
    {
        Statement owned("SELECT InternalName FROM Data WHERE GotIt=TRUE ORDER BY InternalName");
        while (owned.Step())
            names.push_back(owned.ColumnText(0));
    }
    if (!wasOpen) CloseDatabase();
    return names;
}

}  // namespace arc::test
