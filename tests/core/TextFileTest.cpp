#include "core/TextFile.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(TextFileTest, Utf8ValidationRejectsMalformedSequences) {
    EXPECT_TRUE(IsValidUtf8("plain"));
    EXPECT_TRUE(IsValidUtf8("Écran \xE2\x82\xAC \xF0\x9F\x8E\xAE"));
    EXPECT_FALSE(IsValidUtf8("caf\xE9"));           // Windows-1252 é
    EXPECT_FALSE(IsValidUtf8("\xC3"));              // truncated
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // beyond U+10FFFF
}

TEST(TextFileTest, Windows1252IsTheFallbackForInvalidUtf8) {
    EXPECT_EQ(Cp1252ToUtf8("caf\xE9 \x80 \x92 \x9C"), "café € ’ œ");
    EXPECT_EQ(ToUtf8("caf\xE9"), "café");
    EXPECT_EQ(ToUtf8("café"), "café");  // valid UTF-8 stays as it is
}

TEST(TextFileTest, ReadsCrLfAndLfLinesAndConvertsEachLine) {
    TempDir dir;
    // Every leading byte-order mark goes, not only the first.
    WriteFile(dir.file("mixed.txt"), "\xEF\xBB\xBF\xEF\xBB\xBFone\r\ntwo\n\r\nd\xE9j\xE0\r\nlast");
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadTextLines(dir.file("mixed.txt"), lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "", "déjà", "last"}));
    std::string text;
    ASSERT_TRUE(ReadTextFile(dir.file("mixed.txt"), text));
    EXPECT_EQ(text, "one\r\ntwo\n\r\ndéjà\r\nlast");
    EXPECT_FALSE(ReadTextLines(dir.file("missing.txt"), lines));
}

TEST(TextFileTest, LineReaderStreamsVeryLongLinesAndReportsOffsets) {
    TempDir dir;
    const std::string longLine(300 * 1024, 'x');
    const std::string content = "caf\xE9\r\n" + longLine + "\r\n" + longLine + "y\nend\n";
    WriteFile(dir.file("long.txt"), content);
    LineReader reader(dir.file("long.txt"));
    ASSERT_TRUE(reader.IsOpen());
    EXPECT_EQ(reader.Size(), content.size());
    std::string line;
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line, "café");
    EXPECT_EQ(reader.Offset(), 6u);
    for (const std::string& expected : {longLine, longLine + "y", std::string("end")}) {
        ASSERT_TRUE(reader.Next(line));
        EXPECT_EQ(line, expected);
    }
    EXPECT_EQ(reader.Offset(), content.size());
    EXPECT_FALSE(reader.Next(line));

    // Raw lines and views: the same lines, unconverted, across buffer refills.
    LineReader raw(dir.file("long.txt"), true);
    std::string_view view;
    ASSERT_TRUE(raw.NextView(view));
    EXPECT_EQ(view, "caf\xE9");
    ASSERT_TRUE(raw.NextView(view));
    EXPECT_EQ(view, longLine);
    ASSERT_TRUE(raw.Next(line));
    EXPECT_EQ(line, longLine + "y");
}

}  // namespace
}  // namespace arc
