// Survey Controller (.dc): the name rule of stations and targets.
#include <gtest/gtest.h>

#include "importers/gnss/trimble_dc.hpp"

namespace qrb {
namespace {

TEST(TrimbleDc, NameRule)
{
    const struct {
        const char* field;
        const char* name;
    } cases[] = {{"0012", "12"}, {"a1", "A1"}, {"12A", "12"}, {"12.5", "12"}, {"13.5", "14"}, {"12.6", "13"},
                 {"1E2", "100"}, {"-3", "-3"},  {"0", "0"},    {"000", "000"}, {"st1", "ST1"}, {"", ""}};
    for (const auto& c : cases) EXPECT_EQ(trimble_dc::point_name(c.field), c.name) << c.field;
}

}  // namespace
}  // namespace qrb
