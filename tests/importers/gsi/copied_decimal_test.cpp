#include <gtest/gtest.h>

#include "importers/gsi/gsi_words.hpp"

namespace qrb::gsi {
namespace {

TEST(GsiWords, CopiedDecimals)
{
    const struct {
        const char* field;
        int whole;
        int decimals;
        bool trim;
        const char* text;
    } cases[] = {
        {"10000000", 3, 5, false, "100.00000"},  {"00012345", 3, 5, false, "0.12345"},
        {"00012045", 5, 3, false, "12.045"},     {"00001500", 5, 3, false, "1.500"},
        {"00000005", 5, 3, false, "0.005"},      {"+10000000", 4, 5, true, "100.00000"},
        {"+00000500", 4, 5, true, "0.00500"},    {"-00012345", 4, 5, true, "-0.12345"},
        {"-10000000", 4, 5, true, "-100.00000"}, {"+0001 23 ", 4, 5, true, "0.1 23"},
        {"0001204", 5, 3, false, "12.04"},       {"00012", 5, 3, false, "12"},
        {"", 5, 3, false, "0"},                  {"-000", 4, 5, true, "-0"},
    };
    for (const auto& c : cases) {
        const std::string line = std::string("xx") + c.field;
        EXPECT_EQ(copied_decimal(line, 3, c.whole, c.decimals, c.trim), c.text) << c.field;
    }
}

TEST(GsiWords, NonzeroWhole)
{
    EXPECT_EQ(nonzero_whole("00000100"), "100");
    EXPECT_EQ(nonzero_whole("0012AB00"), "12");
    EXPECT_EQ(nonzero_whole("0000A001"), "");
    EXPECT_EQ(nonzero_whole("00000000.4"), "");
}

}  // namespace
}  // namespace qrb::gsi
