#include "xmlimport/XmlScan.h"

#include <gtest/gtest.h>

#include "core/AppState.h"
#include "core/Log.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

Pairs AllPairs(const KeyValueList& list) {
    Pairs pairs;
    for (int i = 1; i <= list.Count(); ++i)
        pairs.emplace_back(std::string(list.Key(i)), std::string(list.Value(i)));
    return pairs;
}

/// The index of the first pair with `key` (0 when none).
int IndexOf(const KeyValueList& list, std::string_view key) {
    for (int i = 1; i <= list.Count(); ++i)
        if (list.Key(i) == key) return i;
    return 0;
}

TEST(Tokenizer, GameAttributesThenChildrenInDocumentOrder) {
    KeyValueList list;
    list.Tokenize(
        "<game name=\"pacman\" sourcefile=\"pacman.c\" cloneof=\"puckman\" romof=\"puckman\">"
        "<description>Pac-Man (Midway)</description><year>1980</year>"
        "<rom name=\"pacman.6e\" size=\"4096\" crc=\"c1e6ab10\"/>"
        "<video screen=\"raster\" orientation=\"vertical\" width=\"224\" height=\"288\"/>"
        "</game>");
    const Pairs expected = {{"name", "pacman"},
                            {"sourcefile", "pacman.c"},
                            {"cloneof", "puckman"},
                            {"romof", "puckman"},
                            {"<description", "Pac-Man (Midway)"},
                            {"year", "1980"},
                            {"rom_name", "pacman.6e"},
                            {"rom_size", "4096"},
                            {"rom_crc", "c1e6ab10"},
                            {"video_screen", "raster"},
                            {"video_orientation", "vertical"},
                            {"video_width", "224"},
                            {"video_height", "288"}};
    EXPECT_EQ(AllPairs(list), expected);
    EXPECT_EQ(list.LookupValue("name"), "pacman");
    EXPECT_EQ(list.LookupValue("description"), "");  // only "<description" as first child
    EXPECT_EQ(list.LookupValue("nothing"), "");

    // A second chunk replaces the first entirely; a later description is bare.
    list.Tokenize("<game name=\"b\"><year>1981</year><description>B</description></game>");
    EXPECT_EQ(AllPairs(list), (Pairs{{"name", "b"}, {"<year", "1981"}, {"description", "B"}}));
}

TEST(Tokenizer, BothInputLayoutsGiveInputKeys) {
    KeyValueList nested;
    nested.Tokenize(
        "<game name=\"a\"><description>A</description>"
        "<input players=\"2\" buttons=\"3\" coins=\"1\">"
        "<control type=\"joy8way\"/></input><sound channels=\"1\"/></game>");
    EXPECT_EQ(AllPairs(nested), (Pairs{{"name", "a"},
                                       {"<description", "A"},
                                       {"input_players", "2"},
                                       {"input_buttons", "3"},
                                       {"input_coins", "1"},
                                       {"input_control", "joy8way"},
                                       {"sound_channels", "1"}}));

    KeyValueList flat;
    flat.Tokenize(
        "<game name=\"a\"><description>A</description>"
        "<input players=\"2\" control=\"joy4way\" buttons=\"1\" coins=\"3\"/></game>");
    EXPECT_EQ(AllPairs(flat), (Pairs{{"name", "a"},
                                     {"<description", "A"},
                                     {"input_players", "2"},
                                     {"input_control", "joy4way"},
                                     {"input_buttons", "1"},
                                     {"input_coins", "3"}}));

    // Today's layout: several controls, each with its own attributes.
    KeyValueList modern;
    modern.Tokenize(
        "<machine name=\"a\"><description>A</description><input players=\"2\" tilt=\"yes\">"
        "<control type=\"only_buttons\" player=\"1\" buttons=\"6\"/>"
        "<control type=\"stick\" player=\"2\"/></input></machine>");
    EXPECT_EQ(AllPairs(modern), (Pairs{{"name", "a"},
                                       {"<description", "A"},
                                       {"input_players", "2"},
                                       {"input_tilt", "yes"},
                                       {"input_control", "only_buttons"},
                                       {"input_player", "1"},
                                       {"input_buttons", "6"},
                                       {"input_control", "stick"},
                                       {"input_player", "2"}}));
}

// Regression: a value starting with a blank ended at that blank.
TEST(Tokenizer, AValueStartingWithABlankIsReadWhole) {
    KeyValueList list;
    list.Tokenize(
        "<machine name=\"a\"><year>1990</year><biosset name=\"9\" description=\" Issue 9\"/>"
        "</machine>");
    EXPECT_EQ(AllPairs(list), (Pairs{{"name", "a"},
                                     {"<year", "1990"},
                                     {"biosset_name", "9"},
                                     {"biosset_description", " Issue 9"}}));
}

TEST(Tokenizer, ElementWithChildrenKeepsItsStartTagAndChildMarkup) {
    KeyValueList list;
    list.Tokenize(
        "<game name=\"a\"><description>A</description>"
        "<dipswitch name=\"Lives\"><dipvalue name=\"3\" default=\"yes\"/>"
        "<dipvalue name=\"5\"/></dipswitch><year>1982</year></game>");
    EXPECT_EQ(AllPairs(list), (Pairs{{"name", "a"},
                                     {"<description", "A"},
                                     {"dipswitch name=\"Lives\"",
                                      "dipvalue name=\"3\" default=\"yes\"/dipvalue name=\"5\"/"},
                                     {"year", "1982"}}));
}

TEST(Tokenizer, OnlyTheLineFeedReferenceIsDecodedAndTabsGo) {
    KeyValueList list;
    list.Tokenize(
        "<game name=\"a&amp;b\">\t<description>Cookie &amp; Bibi &lt;2&gt;</description>"
        "<history>line 1&#10;line 2 &#13;</history></game>");
    EXPECT_EQ(list.LookupValue("name"), "a&amp;b");
    EXPECT_EQ(list.LookupValue("<description"), "Cookie &amp; Bibi &lt;2&gt;");
    EXPECT_EQ(list.LookupValue("history"), "line 1\nline 2 &#13;");
}

TEST(Tokenizer, GroupLookupStopsAtTheNextElementOfTheSameKind) {
    KeyValueList list;
    list.Tokenize(
        "<game name=\"a\"><description>A</description>"
        "<rom name=\"a.1\" size=\"1\" crc=\"11\"/>"
        "<rom name=\"a.2\" merge=\"p.2\" size=\"2\" crc=\"22\"/>"
        "<chip type=\"cpu\" tag=\"maincpu\" name=\"Z80\" clock=\"3072000\"/>"
        "<sample name=\"s\"/></game>");
    const int first = IndexOf(list, "rom_name");
    ASSERT_GT(first, 0);
    EXPECT_EQ(list.LookupInGroup(first + 1, "rom_name", "rom", "rom_merge"), "");
    EXPECT_EQ(list.LookupInGroup(first + 1, "rom_name", "rom", "rom_crc"), "11");
    const int second = IndexOf(list, "rom_merge") - 1;
    EXPECT_EQ(list.Key(second), "rom_name");
    EXPECT_EQ(list.LookupInGroup(second + 1, "rom_name", "rom", "rom_merge"), "p.2");
    // The last rom's scan ends at the first key of another element.
    EXPECT_EQ(list.LookupInGroup(second + 1, "rom_name", "rom", "chip_type"), "");
    EXPECT_EQ(list.LookupInGroup(list.Count() + 5, "x", "x", "x"), "");

    // The whole element is read whatever the order of its attributes.
    const int chip = IndexOf(list, "chip_name");
    EXPECT_EQ(list.LookupInGroup(chip + 1, "chip_name", "chip", "chip_type"), "");
    EXPECT_EQ(list.ElementValue(chip, "chip_type"), "cpu");
    EXPECT_EQ(list.ElementValue(chip, "chip_clock"), "3072000");
    EXPECT_EQ(list.ElementValue(chip, "rom_crc"), "");
    EXPECT_EQ(list.ElementValue(IndexOf(list, "<description"), "x"), "");
}

class TokenizerFaults : public test::ProgramFolderTest {};

TEST_F(TokenizerFaults, GarbageNeverCrashes) {
    KeyValueList list;
    for (std::string_view chunk :
         {std::string_view(""), std::string_view("<game"), std::string_view("\"\"\"=>>><<</"),
          std::string_view("<game name=\"x\">"), std::string_view("<game name=\"x\"><a\"/></game>"),
          std::string_view("<game =\"x\" \"\"><input players/><input players=\"2\"></game>")}) {
        list.Tokenize(chunk);
        for (int i = 1; i <= list.Count(); ++i)
            (void)list.Value(i);
    }
    list.Tokenize("<game name=\"x\"><input players=\"2\"></game>");
    EXPECT_EQ(list.LookupValue("name"), "x");
}

TEST(QuotedValue, ReadsBetweenTheNextTwoQuotes) {
    const std::string_view markup = "dipvalue name=\"3 Lives\" value=\"8\" default=\"yes\"/";
    EXPECT_EQ(QuotedValueAfter(markup, "default", false), "yes");
    EXPECT_EQ(QuotedValueAfter(markup, "default", true), "\"yes\"");
    EXPECT_EQ(QuotedValueAfter(markup, "dipvalue name", false), "3 Lives");
    EXPECT_EQ(QuotedValueAfter(markup, "missing", false), "");
    EXPECT_EQ(QuotedValueAfter("default=yes", "default", false), "");
    EXPECT_EQ(QuotedValueAfter("default=\"yes", "default", false), "");
    EXPECT_EQ(QuotedValueAfter("default = \"\"", "default", true), "\"\"");
}

TEST(AttributeMarkup, ReadsUpToTheClosingQuote) {
    const std::string_view rom = "<rom name=\"a.bin\" size=\"4096\" crc=\"c1e6ab10\"/>";
    EXPECT_EQ(AttributeFromMarkup(rom, "name"), "a.bin");
    EXPECT_EQ(AttributeFromMarkup(rom, "crc"), "c1e6ab10");
    EXPECT_EQ(AttributeFromMarkup(rom, "merge"), "");
    EXPECT_EQ(AttributeFromMarkup("<driver status=\"good\">", "status"), "good");
    EXPECT_EQ(AttributeFromMarkup("<a x=\"unterminated", "x"), "");
    // The first occurrence of the name wins, even inside another word.
    EXPECT_EQ(AttributeFromMarkup("<dipswitch name=\"Lives\"><dipvalue name=\"3\"/>", "name"),
              "Lives");
}

TEST(HistorySplit, SectionsFollowTheirHeadings) {
    const HistorySections sections = SplitHistorySections(
        "Pac-Man (c) 1980 Namco.\n\n  Eat the dots.  \n- TECHNICAL -\nZ80 CPU\n"
        "- TRIVIA -\nWaka.\r\nMore.\n- SOURCES -\nA book\n- TIPS AND TRICKS -\nRun.");
    EXPECT_EQ(sections[0], "Pac-Man (c) 1980 Namco.\r\nEat the dots.\r\n");
    EXPECT_EQ(sections[1], "Z80 CPU\r\n");
    EXPECT_EQ(sections[2], "Waka.\r\nMore.\r\n");
    EXPECT_EQ(sections[5], "Run.\r\n");
    EXPECT_EQ(sections[9], "A book\r\n");
    EXPECT_EQ(sections[3], "");
    EXPECT_EQ(SplitHistorySections("")[0], "");
}

}  // namespace
}  // namespace arc
