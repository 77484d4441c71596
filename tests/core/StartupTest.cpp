#include <filesystem>

#include "core/AppState.h"
#include "core/ProgramFolder.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/TextTable.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

class StartupTest : public test::ProgramFolderTest {};

TEST_F(StartupTest, FirstRunAsksThenWritesTheChosenLanguage) {
    TheSettings().Language = 7;
    EXPECT_FALSE(LoadStartupSettings());
    EXPECT_FALSE(State().TempFolder.empty());
    EXPECT_EQ(TheSettings().Language, 0);  // defaults were set

    FirstRunLanguageChosen(1);
    EXPECT_TRUE(std::filesystem::exists(InProgramFolder("Arcanote.inf")));
    FinishStartup();
    EXPECT_EQ(Text(10), "&Traitement");
    EXPECT_EQ(TheSettings().BackupFolder, InProgramFolder("BACKUP/"));
    EXPECT_TRUE(std::filesystem::is_directory(InProgramFolder("BACKUP")));

    // The next start reads the file.
    TheSettings().Language = 0;
    EXPECT_TRUE(LoadStartupSettings());
    EXPECT_EQ(TheSettings().Language, 1);
}

}  // namespace
}  // namespace arc
