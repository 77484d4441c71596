#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "core/ErrorGuard.h"
#include "sheets/GamePageTemplate.h"
#include "sheets/SheetTemplates.h"
#include "sheets/SheetText.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

MarkerValues SampleValues(std::mt19937& random, bool withHash) {
    const std::vector<std::string> pieces = {
        "Pac", "#YEAR", "AR", "#", "MANUFACTURER", "x y", "<br>\r\n", "#NEXT", "é", "#YE", ""};
    MarkerValues values;
    for (std::string& value : values) {
        const int parts = static_cast<int>(random() % 3);
        for (int i = 0; i < parts; ++i) {
            const std::string& piece = pieces[random() % pieces.size()];
            if (withHash || piece.find('#') == std::string::npos) value += piece;
        }
    }
    return values;
}

TEST(GamePageTemplateTest, OnePassAssemblyEqualsSequentialReplacement) {
    const std::vector<std::string> templates = {
        DefaultGamePageTemplate(),
        "#YEARMANUFACTURER/#YEAR/#YE#GAMENAME/#CLONEOF#COMMENTAR#EXPDIP#EXPROM#NEXT",
    };
    std::mt19937 random(7);
    for (const std::string& text : templates) {
        GamePageTemplate page(text);
        for (int round = 0; round < 100; ++round) {
            const MarkerValues values = SampleValues(random, round % 2 == 0);
            std::string fast, sequential;
            page.Fill(values, fast);
            page.FillSequentially(values, sequential);
            ASSERT_EQ(fast, sequential) << text;
        }
    }
}

TEST(SheetTextTest, WritePageReplacesFilesButNeverWritesThroughALink) {
    test::TempDir dir;
    const std::string page = dir.file("page.htm");
    WritePage(page, "first");
    WritePage(page, "second");
    EXPECT_EQ(test::ReadFile(page), "second");
    test::WriteFile(dir.file("outside.txt"), "keep");
    std::filesystem::create_symlink(dir.file("outside.txt"), dir.file("link.htm"));
    WritePage(dir.file("link.htm"), "page");
    EXPECT_EQ(test::ReadFile(dir.file("outside.txt")), "keep");
    EXPECT_FALSE(std::filesystem::is_symlink(dir.file("link.htm")));
    EXPECT_THROW(WritePage(dir.file("missing/page.htm"), "x"), AppError);
}

}  // namespace
}  // namespace arc
