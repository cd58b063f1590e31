#include "generator/PageFormat.h"

#include "platform/Failure.h"
#include "text/Cp932.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WholeStrings.h"

#include <gtest/gtest.h>

using namespace markroll;
using markroll::test::linkLineOf;

namespace {

std::string encoded(std::u16string_view line)
{
    std::string bytes;
    EXPECT_TRUE(cp932::encodeAppend(line, bytes)) << markroll::test::utf8(line);
    return bytes + "\r\n";
}

} // namespace

TEST(PageFormat, HeadAndStyleBlocksAreTwoHundredAndTwoBytes)
{
    const std::string head = encoded(page::headBlock());
    const std::string style = encoded(page::styleBlock());
    EXPECT_EQ(head.size(), 122u);
    EXPECT_EQ(style.size(), 80u);
    EXPECT_TRUE(head.ends_with("\">\r\n\r\n"));
    EXPECT_TRUE(style.starts_with("<STYLE TYPE=\"text/css\">\r\n<!-- OL {font-size=12} -->\r\n"));
}

TEST(PageFormat, SectionOpeningAndNoticeLinesHaveTheirExactBytes)
{
    EXPECT_EQ(encoded(page::sectionOpeningLine(u"C:\\Fav")),
              "\x3C\x4F\x4C\x3E\x81\x99\x3C\x42\x3E" "C:\\Fav" "\x3C\x2F\x42\x3E\x81\x99\x3C\x42\x52\x3E\x0D\x0A");
    EXPECT_EQ(encoded(page::noticeLine(u"Name")),
              "\x3C\x42\x52\x3E\x81\x40\x81\xA6\x81\xA6\x81\x77" "Name"
              "\x81\x78\x82\xCC\x93\xC7\x82\xDD\x8D\x9E\x82\xDD\x82\xC9\x8E\xB8\x94\x73\x82\xB5\x82\xDC"
              "\x82\xB5\x82\xBD\x3C\x42\x52\x3E\x0D\x0A");
    EXPECT_EQ(linkLineOf(u"http://a/", u""), u"<LI><A Href=\"http://a/\"></A></LI>");
}

TEST(PageFormat, DisplayNameCutsTheLastFourCharactersByCount)
{
    EXPECT_EQ(page::displayName(u"Google.url"), u"Google");
    EXPECT_EQ(page::displayName(u"Docs.URL"), u"Docs");
    EXPECT_EQ(page::displayName(u".url"), u"");
    EXPECT_THROW(page::displayName(u"abc"), Failure);
    EXPECT_THROW(page::displayName(u""), Failure);
}
