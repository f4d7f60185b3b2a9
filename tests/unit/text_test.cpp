#include <gtest/gtest.h>

#include "common/text.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

TEST(Text, TrimRemovesBlanksOnly)
{
    EXPECT_EQ(trim("  a b  "), "a b");
    EXPECT_EQ(trim("\ta\t"), "\ta\t");
    EXPECT_EQ(trim("   "), "");
    EXPECT_EQ(ltrim("  a "), "a ");
    EXPECT_EQ(rtrim("  a "), "  a");
}

TEST(Text, OneBasedRangesGiveWhatExists)
{
    EXPECT_EQ(mid("abcdef", 2, 3), "bcd");
    EXPECT_EQ(mid("abcdef", 5, 10), "ef");
    EXPECT_EQ(mid("abcdef", 7, 2), "");
    EXPECT_EQ(mid("abcdef", 100, 2), "");
    EXPECT_EQ(mid("abcdef", 3), "cdef");
    EXPECT_EQ(left("abc", 5), "abc");
    EXPECT_EQ(right("abc", 2), "bc");
    EXPECT_EQ(right("abc", 9), "abc");
    EXPECT_EQ(instr("abcabc", "c"), 3);
    EXPECT_EQ(instr("abcabc", "c", 4), 6);
    EXPECT_EQ(instr("abc", "x"), 0);
}

TEST(Text, ImpossiblePositionsAreInvalidArguments)
{
    EXPECT_EQ(test::failure_code([] { mid("abc", 0, 1); }), 5);
    EXPECT_EQ(test::failure_code([] { mid("abc", 1, -1); }), 5);
    EXPECT_EQ(test::failure_code([] { mid("abc", -3); }), 5);
    EXPECT_EQ(test::failure_code([] { left("abc", -1); }), 5);
    EXPECT_EQ(test::failure_code([] { right("abc", -1); }), 5);
    EXPECT_EQ(test::failure_code([] { instr("abc", "a", 0); }), 5);
}

TEST(Text, CaseOfWindows1252)
{
    const std::string citta = utf8_to_cp1252("città");
    EXPECT_EQ(citta, "citt\xE0");
    EXPECT_EQ(ucase(citta), "CITT\xC0");
    EXPECT_EQ(cp1252_to_utf8(ucase(citta)), "CITTÀ");
    EXPECT_EQ(lcase("CITT\xC0"), citta);
    EXPECT_EQ(ucase("\xF7\xFF\x9A"), "\xF7\x9F\x8A");  // division sign stays
    EXPECT_TRUE(equal_ignore_case("Abc\xE8", "aBC\xC8"));
}

TEST(Text, EncodingRoundTrip)
{
    EXPECT_EQ(utf8_to_cp1252("§ Â € ñ"), "\xA7 \xC2 \x80 \xF1");
    EXPECT_EQ(cp1252_to_utf8("\xA7\xC2\x80"), "§Â€");
    EXPECT_EQ(utf8_to_cp1252("漢"), "?");
}

TEST(Text, FieldTextCannotShiftFields)
{
    EXPECT_EQ(field_text("a|b\r\nc"), "a\\bc");
    EXPECT_EQ(field_text("plain"), "plain");
}

}  // namespace
}  // namespace qrb
