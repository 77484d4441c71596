#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <regex>

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
        DefaultGamePageTemplate(true),
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

// The page with its labels taken out: tags, markers and line ends only.
std::string Skeleton(const std::string& page) {
    static const std::regex text(R"((<[^>]*>|#[A-Z]+|\r\n)|[\s\S])");
    return std::regex_replace(page, text, "$1");
}

TEST(GamePageTemplateTest, BuiltInGamePageIsEnglishInEnglishModeWithTheSameStructure) {
    const std::string french = DefaultGamePageTemplate(true);
    const std::string english = DefaultGamePageTemplate(false);
    for (std::string_view label :
         {"Rom disponible", "Éditeur", "Année", "Déscription", "écran titre", "Précédent",
          "Suivant", "Divers", "Joueurs", "personnelles", "Catégorie", "Mise à jour", "borne"}) {
        EXPECT_NE(french.find(label), std::string::npos) << label;
        EXPECT_EQ(english.find(label), std::string::npos) << label;
    }
    for (std::string_view label : {"Rom available : ", "Manufacturer : ", "Year :", "Description",
                                   "title screen", "[Previous : #PREVIOUS]", "[Next :#NEXT]"}) {
        EXPECT_NE(english.find(label), std::string::npos) << label;
    }
    EXPECT_EQ(Skeleton(english), Skeleton(french));
    const std::regex marker("#[A-Z]{3,}");
    auto markers = [&](const std::string& page) {
        std::string all;
        for (std::sregex_iterator it(page.begin(), page.end(), marker), end; it != end; ++it)
            all += it->str();
        return all;
    };
    EXPECT_EQ(markers(english), markers(french));
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
