#include <gtest/gtest.h>

#include <random>

#include "core/Files.h"
#include "support/TestSupport.h"
#include "translation/FileTranslation.h"
#include "translation/LineTranslator.h"

namespace arc {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

/// Every entry in order, each replacing all occurrences of its source.
std::string NaiveTranslate(const SectionTable& table, std::string text) {
    for (const TranslationPair& pair : table) {
        if (pair.source.empty()) continue;
        std::string out;
        std::size_t start = 0;
        for (std::size_t at = text.find(pair.source); at != std::string::npos;
             at = text.find(pair.source, start)) {
            out.append(text, start, at - start).append(pair.translation);
            start = at + pair.source.size();
        }
        text = out.append(text, start);
    }
    return text;
}

// The random tables below cover the order of the entries; these are the edge cases.
TEST(TranslateLine, AppliesEntriesInTableOrderOnTheTextSoFar) {
    const LineTranslator translator(SectionTable{
        {"Sound Board :", "Carte Son :"}, {"Board", "Planche"}, {"", "never"}, {"ab", "X"}});
    EXPECT_EQ(translator.TranslateLine("Sound Board : Yamaha, Video Board : custom"),
              "Carte Son : Yamaha, Video Planche : custom");
    EXPECT_EQ(translator.TranslateLine("AB ab"), "AB X");  // case counts
    EXPECT_EQ(LineTranslator(SectionTable{}).TranslateLine("unchanged"), "unchanged");
}

TEST(TranslateLine, EntriesFeedingEachOtherDoNotDoubleTheLineWithoutEnd) {
    SectionTable table;  // "A = BB", "B = CC", ...: each entry doubles the line
    for (int i = 0; i < 40; ++i)
        table.push_back({std::string(1, static_cast<char>('A' + i)),
                         std::string(2, static_cast<char>('A' + i + 1))});
    EXPECT_EQ(LineTranslator(table).TranslateLine("A line"), "A line");
    table.resize(3);
    EXPECT_EQ(LineTranslator(table).TranslateLine("A"), "DDDDDDDD");
}

TEST(TranslateLine, MatchesTheEntryByEntryResultOnRandomTables) {
    std::mt19937 random(20240611);
    auto word = [&](int maxLength) {
        std::string text;
        const int length = 1 + static_cast<int>(random() % maxLength);
        for (int i = 0; i < length; ++i)
            text += "abcab "[random() % 6];
        return text;
    };
    for (int round = 0; round < 300; ++round) {
        SectionTable table;
        const int entries = 1 + static_cast<int>(random() % 12);
        for (int i = 0; i < entries; ++i)
            table.push_back({word(4), word(5)});
        const LineTranslator translator(table);
        for (int line = 0; line < 10; ++line) {
            const std::string text = word(40);
            ASSERT_EQ(translator.TranslateLine(text), NaiveTranslate(table, text))
                << "round " << round << " text '" << text << "'";
        }
    }
}

TEST(TranslateFile, KeepsTheOriginalAndRotatesTheOlderCopy) {
    TempDir folder;
    const std::string path = folder.file("Catver.ini");
    WriteFile(path, "[Category]\r\npacman=Maze\nmspacman=Maze * Mature *\r\n");
    const LineTranslator translator(SectionTable{{"Maze", "Labyrinthe"}});

    ASSERT_EQ(TranslateFile(path, translator), TranslateOutcome::Translated);
    EXPECT_EQ(ReadFile(path),
              "[Category]\r\npacman=Labyrinthe\r\nmspacman=Labyrinthe * Mature *\r\n");
    EXPECT_EQ(ReadFile(folder.file("Catver.ORIGINAL.ini")),
              "[Category]\r\npacman=Maze\nmspacman=Maze * Mature *\r\n");

    // A second pass translates the translated text again; the first state goes to .bak.
    const LineTranslator second(SectionTable{{"Labyrinthe", "Dédale"}});
    ASSERT_EQ(TranslateFile(path, second), TranslateOutcome::Translated);
    EXPECT_EQ(ReadFile(path), "[Category]\r\npacman=Dédale\r\nmspacman=Dédale * Mature *\r\n");
    EXPECT_EQ(ReadFile(folder.file("Catver.ORIGINAL.ini")),
              "[Category]\r\npacman=Labyrinthe\r\nmspacman=Labyrinthe * Mature *\r\n");
    EXPECT_EQ(ReadFile(folder.file("Catver.ORIGINAL.ini.bak")),
              "[Category]\r\npacman=Maze\nmspacman=Maze * Mature *\r\n");
    EXPECT_EQ(
        ListFolder(folder.str(), "*"),  // no temporary file left
        (std::vector<std::string>{"Catver.ORIGINAL.ini", "Catver.ORIGINAL.ini.bak", "Catver.ini"}));
    // A dot in a folder name is no extension.
    EXPECT_EQ(UntranslatedCopyName("/data/v1.2/History"), "/data/v1.2/History.ORIGINAL");
}

TEST(TranslateFile, CancelOrAMissingFileLeavesEveryFileAsItWas) {
    TempDir folder;
    const std::string path = folder.file("History.dat");
    WriteFile(path, "Players : 2\r\nButtons : 1\r\nPlayers : 1\r\n");
    WriteFile(folder.file("History.ORIGINAL.dat"), "older");
    int lines = 0;
    EXPECT_EQ(TranslateFile(path, LineTranslator(SectionTable{{"Players :", "Joueurs :"}}),
                            [&] { return ++lines < 2; }),
              TranslateOutcome::Cancelled);
    EXPECT_EQ(ReadFile(path), "Players : 2\r\nButtons : 1\r\nPlayers : 1\r\n");
    EXPECT_EQ(ReadFile(folder.file("History.ORIGINAL.dat")), "older");
    EXPECT_EQ(ListFolder(folder.str(), "*"),
              (std::vector<std::string>{"History.ORIGINAL.dat", "History.dat"}));
}

TEST(TranslateFile, HistoryXmlTranslatesOnlyTheTextOfTextElementsAndKeepsItsEscaping) {
    TempDir folder;
    const std::string path = folder.file("history.xml");
    WriteFile(path,
              "<?xml version=\"1.0\"?>\n<history date=\"Players : today\">\n"
              "\t<entry><systems><system name=\"system\" /></systems>\n"
              "\t\t<text>Players : 2\nMusic &amp; SFX: Konami &lt;KCE&gt;\n"
              "Sound Board : &quot;YM2151&quot;\nButtons : &#51; &unknown; Players :\n"
              "\t\t</text>\n\t</entry>\n"
              "\t<entry><text>Players : 1</text><text/><textual>Players :</textual></entry>\n"
              "</history>\n");
    const LineTranslator translator(SectionTable{{"Sound Board :", "Carte Son :"},
                                                 {"Music & SFX:", "Musique & Effets:"},
                                                 {"Players :", "Joueurs :"},
                                                 {"system", "système"}});
    ASSERT_EQ(TranslateFile(path, translator), TranslateOutcome::Translated);
    // Decoded, translated, escaped again; a piece left as it was keeps its bytes.
    EXPECT_EQ(ReadFile(path),
              "<?xml version=\"1.0\"?>\r\n<history date=\"Players : today\">\r\n"
              "\t<entry><systems><system name=\"system\" /></systems>\r\n"
              "\t\t<text>Joueurs : 2\r\nMusique &amp; Effets: Konami &lt;KCE&gt;\r\n"
              "Carte Son : \"YM2151\"\r\nButtons : &#51; &unknown; Players :\r\n"
              "\t\t</text>\r\n\t</entry>\r\n"
              "\t<entry><text>Joueurs : 1</text><text/><textual>Players :</textual></entry>\r\n"
              "</history>\r\n");

    EXPECT_EQ(TranslateFile(folder.file("Genre.ini"), translator), TranslateOutcome::Missing);
}

}  // namespace
}  // namespace arc
