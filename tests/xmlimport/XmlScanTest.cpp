#include "xmlimport/XmlScan.h"

#include <gtest/gtest.h>

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

// A game's attributes and first child (marked "<"), then its children
// flattened in document order: both input layouts, nested markup kept, only
// the line-feed reference decoded.
TEST(Tokenizer, ChunksGiveTheirPairsInDocumentOrder) {
    const std::string head = "<machine name=\"a&amp;b\">\t<description>A</description>";
    const struct {
        std::string body;
        Pairs pairs;  // after name and description
    } cases[] = {
        {"<year>1980</year><rom name=\"p.6e\" size=\"4096\"/>",
         {{"year", "1980"}, {"rom_name", "p.6e"}, {"rom_size", "4096"}}},
        {"<input players=\"2\" buttons=\"3\"><control type=\"joy8way\"/></input>"
         "<sound channels=\"1\"/>",
         {{"input_players", "2"},
          {"input_buttons", "3"},
          {"input_control", "joy8way"},
          {"sound_channels", "1"}}},
        {"<input players=\"2\" control=\"joy4way\"/>",
         {{"input_players", "2"}, {"input_control", "joy4way"}}},
        {"<input players=\"2\" tilt=\"yes\"><control type=\"only_buttons\" buttons=\"6\"/>"
         "<control type=\"stick\"/></input>",
         {{"input_players", "2"},
          {"input_tilt", "yes"},
          {"input_control", "only_buttons"},
          {"input_buttons", "6"},
          {"input_control", "stick"}}},
        {"<dipswitch name=\"Lives\"><dipvalue name=\"3\" default=\"yes\"/><dipvalue "
         "name=\"5\"/></dipswitch>",
         {{"dipswitch name=\"Lives\"",
           "dipvalue name=\"3\" default=\"yes\"/dipvalue name=\"5\"/"}}},
        {"<history>C &amp; B &lt;2&gt;&#10;line 2 &#13;</history>",
         {{"history", "C &amp; B &lt;2&gt;\nline 2 &#13;"}}},
        // Regression: a value starting with a blank ended at that blank.
        {"<biosset name=\"9\" description=\" Issue 9\"/>",
         {{"biosset_name", "9"}, {"biosset_description", " Issue 9"}}},
    };
    KeyValueList list;  // reused: each chunk replaces the last entirely
    for (const auto& c : cases) {
        SCOPED_TRACE(c.body);
        list.Tokenize(head + c.body + "</machine>");
        Pairs expected = {{"name", "a&amp;b"}, {"<description", "A"}};
        expected.insert(expected.end(), c.pairs.begin(), c.pairs.end());
        EXPECT_EQ(AllPairs(list), expected);
    }
    EXPECT_EQ(list.LookupValue("description"), "");  // only "<description" as first child
    // A later description is bare.
    list.Tokenize("<game name=\"b\"><year>1981</year><description>B</description></game>");
    EXPECT_EQ(AllPairs(list), (Pairs{{"name", "b"}, {"<year", "1981"}, {"description", "B"}}));
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
    auto group = [&](int start, std::string_view stop, std::string_view prefix,
                     std::string_view key) {
        std::string_view value[1] = {"unset"};
        const std::string_view keys[1] = {key};
        list.LookupInGroup(start, stop, prefix, keys, value);
        return value[0];
    };
    EXPECT_EQ(group(first + 1, "rom_name", "rom", "rom_merge"), "unset");
    EXPECT_EQ(group(first + 1, "rom_name", "rom", "rom_crc"), "11");
    const int second = IndexOf(list, "rom_merge") - 1;
    EXPECT_EQ(group(second + 1, "rom_name", "rom", "rom_merge"), "p.2");
    // The last rom's scan ends at the first key of another element.
    EXPECT_EQ(group(second + 1, "rom_name", "rom", "chip_type"), "unset");
    EXPECT_EQ(group(list.Count() + 5, "x", "x", "x"), "unset");
    // Several keys in one pass, the first pair of each.
    const std::string_view keys[] = {"rom_crc", "rom_size", "rom_merge"};
    std::string_view values[3];
    list.LookupInGroup(first + 1, "rom_name", "rom", keys, values);
    EXPECT_EQ(values[0], "11");
    EXPECT_EQ(values[1], "1");
    EXPECT_EQ(values[2], "");

    // The whole element is read whatever the order of its attributes.
    const int chip = IndexOf(list, "chip_name");
    EXPECT_EQ(group(chip + 1, "chip_name", "chip", "chip_type"), "unset");
    EXPECT_EQ(list.ElementValue(chip, "chip_type"), "cpu");
    EXPECT_EQ(list.ElementValue(chip, "chip_clock"), "3072000");
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

}  // namespace
}  // namespace arc
