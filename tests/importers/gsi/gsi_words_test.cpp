#include <gtest/gtest.h>

#include "common/failure.hpp"
#include "importers/gsi/gsi_words.hpp"

namespace qrb::gsi {
namespace {

TEST(GsiWords, LeadingZeroRule)
{
    const struct {
        const char* data;
        const char* name;
    } cases[] = {{"00001234", "1234"}, {"00010020", "10020"}, {"000AB0C0", "AB0C0"}, {"00000100", "100"},
                 {"00000000", ""},     {"        ", ""},      {"00 12 30", "12030"},  {"0000000000000105", "105"},
                 {"  0012  ", "12"}};
    std::string scratch;
    for (const auto& c : cases) {
        EXPECT_EQ(clean_name(c.data), c.name) << c.data;
        EXPECT_EQ(clean_name(c.data, scratch), c.name) << c.data;
    }
    // Without a blank left to become "0" the name is a view into the data.
    const std::string data = "00001234";
    EXPECT_EQ(clean_name(data, scratch).data(), data.data() + 4);
}

TEST(GsiWords, CodeWordRule)
{
    const struct {
        const char* data;
        const char* code;
    } cases[] = {{"00000012", "12"}, {"0012AB00", "12"},   {"000CASA0", "CASA"},   {"0CA0SA00", "CA SA"},
                 {"00000000", "NN"}, {"0000001A", "1"},    {"", "NN"},             {"00000002.5", "2"},
                 {"00000003.5", "4"}, {"-0000012", "-12"}, {"9999999999999999", "1E+16"}};
    for (const auto& c : cases) EXPECT_EQ(code_word(c.data), c.code) << c.data;
}

TEST(GsiWords, NumberOrName)
{
    const struct {
        const char* data;
        const char* text;
    } cases[] = {{"00000012", "12"}, {"00012AB34", "12"}, {"000CA0S0", "CA0S0"}, {"0000A0B00", "A0B00"},
                 {"00000000", ""},   {"", ""},            {"00002.5", "2"},       {"-0000012", "-12"}};
    for (const auto& c : cases) EXPECT_EQ(number_or_name(c.data), c.text) << c.data;
}

TEST(GsiWords, SingleValueIsHeldBeforeItIsDivided)
{
    EXPECT_EQ(single_value("12345678", 100000), 123.45678f);
    EXPECT_EQ(single_value("-00001500", 1000), -1.5f);
    EXPECT_EQ(single_value("        "), 0.0f);
    // 16 digits do not fit a single: the value is rounded before division.
    EXPECT_EQ(single_value("0000000123456789", 1), 123456792.0f);
    EXPECT_THROW(single_value("1E+99", 1000), RunError);
}

TEST(GsiWords, Gsi8ReadingAtFixedColumns)
{
    // point of zeros, Hz, V, distance, word 5, a negative target height, code
    const std::string line =
        "110001+00000000 21.324-12345678 22.324+09876543 31..00+00012345 88..10+00000000 87..10-00001500 "
        "71....+00000205";
    Reading r = gsi8_fixed_reading(line, false, HeldSingle::AsRead);
    EXPECT_EQ(r.target, "205");
    EXPECT_EQ(r.hz, 123.45678f);
    EXPECT_EQ(r.v, 98.76543f);
    EXPECT_EQ(r.dist, 12.345f);
    EXPECT_EQ(r.target_height, 1500.0f);
    EXPECT_EQ(r.code, "205");
    EXPECT_EQ(gsi8_fixed_reading(line, true, HeldSingle::AsRead).target_height, -1500.0f);
    // A short line: what is missing is 0, a code of zeros is "NN".
    r = gsi8_fixed_reading("110001+0000000A 21.324+00000000", true, HeldSingle::Quotient);
    EXPECT_EQ(r.target, "A");
    EXPECT_EQ(r.dist, 0.0f);
    EXPECT_EQ(r.code, "NN");
}

TEST(GsiWords, FixedColumns)
{
    const std::string gsi8 = "110001+00000105 21.324+12345678 22.324+09876543 ";
    EXPECT_EQ(gsi8_data(gsi8, 1), "00000105");
    EXPECT_EQ(gsi8_data(gsi8, 2), "12345678");
    EXPECT_EQ(gsi8_data(gsi8, 3), "09876543");
    EXPECT_EQ(gsi8_data(gsi8, 9), "");
    EXPECT_EQ(gsi8_data_column(10), 152);
    const std::string gsi16 = "*110001+0000000000000105 21.324+0000000012345678 ";
    EXPECT_EQ(gsi16_data(gsi16, 1), "0000000000000105");
    EXPECT_EQ(gsi16_data(gsi16, 2), "0000000012345678");
    EXPECT_EQ(gsi16_data_column(6), 129);
}

TEST(GsiWords, ByIndexSkipsShortFieldsAndKeepsFifteen)
{
    std::string line = "*110001+0000000000000105  + 81..10-0000000000012345 ";
    for (int k = 0; k < 14; ++k) line += "52..10+00000001 ";
    const auto words = words_by_index(line);
    // "*1" is no index; the empty field and the lone "+" are skipped; fields 16 on are not read.
    ASSERT_GE(words.size(), 2u);
    EXPECT_EQ(words[0].wi, "*1");
    EXPECT_EQ(words[1].wi, "81");
    EXPECT_EQ(words[1].from7, "-0000000000012345");
    EXPECT_EQ(words[1].from8, "0000000000012345");
    EXPECT_EQ(words.size(), 13u);  // fields 1..15: "*11…", "", "+", "81…", then eleven "52" words
}

}  // namespace
}  // namespace qrb::gsi
