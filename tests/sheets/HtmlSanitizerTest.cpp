#include <gtest/gtest.h>

#include <regex>

#include "sheets/HtmlSanitizer.h"
#include "sheets/SheetText.h"

namespace arc::test {
namespace {

TEST(HtmlSanitizerTest, ScriptInTheSiteIsEscapedAndHistoryLinksStillWork) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        // Kept: the allow-list, as written.
        {"Plain text & more", "Plain text & more"},
        {"<b>a</b><i>b</i><u>c</u><p>d</p>e<br>f<BR/>g<br />",
         "<b>a</b><i>b</i><u>c</u><p>d</p>e<br>f<BR/>g<br />"},
        {"<a href=\"http://www.arcade-history.com/?n=pac-man&amp;page=detail\">Pac</a>",
         "<a href=\"http://www.arcade-history.com/?n=pac-man&amp;page=detail\">Pac</a>"},
        // Links: written back quoted and escaped.
        {"<A HREF='https://x.org/a&b'>x</A>", "<a href=\"https://x.org/a&amp;b\">x</A>"},
        {"<a href=http://x.org>x</a>", "<a href=\"http://x.org\">x</a>"},
        // Escaped: everything else.
        {"<script>alert(1)</script>", "&lt;script&gt;alert(1)&lt;/script&gt;"},
        {"<img src=x onerror=alert(1)>", "&lt;img src=x onerror=alert(1)&gt;"},
        {"<b onmouseover=alert(1)>x</b>", "&lt;b onmouseover=alert(1)&gt;x</b>"},
        {"<p style=\"x\">", "&lt;p style=\"x\"&gt;"},
        {"<a href=\"javascript:alert(1)\">x</a>", "&lt;a href=\"javascript:alert(1)\"&gt;x</a>"},
        {"<a href=\" javascript:alert(1)\">", "&lt;a href=\" javascript:alert(1)\"&gt;"},
        {"<a href=\"http&#58;//x\">", "&lt;a href=\"http&#58;//x\"&gt;"},
        {"<a href=\"http://x\" onclick=\"y\">", "&lt;a href=\"http://x\" onclick=\"y\"&gt;"},
        {"<a href=\"http://x\"onclick=y>", "&lt;a href=\"http://x\"onclick=y&gt;"},
        {"<a href=\"http://x/\"'\">", "&lt;a href=\"http://x/\"'\"&gt;"},
        {"<a\nhref=\"data:text/html,x\">", "&lt;a\nhref=\"data:text/html,x\"&gt;"},
        {"<ahref=\"http://x\">", "&lt;ahref=\"http://x\"&gt;"},
        {"<!-- x --><svg/onload=alert(1)>", "&lt;!-- x --&gt;&lt;svg/onload=alert(1)&gt;"},
        {"1 < 2 > 0 <b", "1 &lt; 2 &gt; 0 &lt;b"},
        {"<<b>>", "&lt;<b>&gt;"},
        {"</script >", "&lt;/script &gt;"},
    };
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(SanitizeHtml(input), expected) << input;
}

// Whatever the input, no tag outside the allow-list comes out.
TEST(HtmlSanitizerTest, OnlyAllowedTagsComeOutOfAnyInput) {
    const std::regex tag(R"(<[^>]*>)");
    const std::regex allowed(
        R"(<(/?[biupBIUP]|/?[aA]|[bB][rR]\s*/?|a href="https?://[^"<>]*")\s*>)");
    std::string input;
    const std::string_view pieces[] = {"<",           ">",     "a",  " href=", "\"", "'",
                                       "http://",     "b",     "/",  "script", "=",  " ",
                                       "javascript:", "&amp;", "br", "on"};
    unsigned seed = 7;
    for (int round = 0; round < 2000; ++round) {
        input.clear();
        for (int i = 0; i < 12; ++i) {
            seed = seed * 1103515245u + 12345u;
            input += pieces[(seed >> 16) % std::size(pieces)];
        }
        const std::string out = SanitizeHtml(input);
        for (std::sregex_iterator it(out.begin(), out.end(), tag), end; it != end; ++it)
            ASSERT_TRUE(std::regex_match(it->str(), allowed)) << input << " -> " << out;
    }
}

TEST(HtmlSanitizerTest, NamesInLinksAreQuotedUnlessPlain) {
    EXPECT_EQ(HrefTo("pacman.htm"), "href=pacman.htm");
    EXPECT_EQ(HrefTo("odd name=x.htm"), "href=\"odd name=x.htm\"");
    EXPECT_EQ(HrefTo("a\"b onclick=c.htm"), "href=\"a&quot;b onclick=c.htm\"");
    EXPECT_EQ(AttributeUrl("M_VEB Mikroelektronik \"Karl Marx\" Erfurt.htm"),
              "M_VEB Mikroelektronik &quot;Karl Marx&quot; Erfurt.htm");
    EXPECT_EQ(AttributeUrl("M_#1 100% <Co> & Co.htm"), "M_%231 100%25 &lt;Co&gt; &amp; Co.htm");
    EXPECT_EQ(ImageUrl("images/snap/pacman.png"), "images/snap/pacman.png");
    EXPECT_EQ(ImageUrl("file:///my art/a\"b'c>#.png"), "file:///my%20art/a%22b%27c%3E%23.png");
}

}  // namespace
}  // namespace arc::test
