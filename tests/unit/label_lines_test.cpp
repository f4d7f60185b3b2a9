#include <gtest/gtest.h>

#include "importers/geotronics/label_lines.hpp"

namespace qrb::label {
namespace {

TEST(LabelLines, TrimmedAndRawCuts)
{
    const struct {
        const char* line;
        const char* trimmed_label;
        const char* trimmed_value;
        const char* raw_label;
        const char* raw_value;
    } cases[] = {
        {"5=P1=X", "5", "p1=x", "5", "P1"},
        {" 5 = P 1 ", "5", "p 1", " 5 ", " P 1 "},
        {"", "", "", "", ""},
        {"2", "", "", "2", ""},
        {"02=A", "02", "a", "02", "A"},
        {"7=12,5", "7", "12,5", "7", "12,5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const LabelLine t = trimmed_cut(c.line);
        EXPECT_EQ(t.label, c.trimmed_label);
        EXPECT_EQ(t.value, c.trimmed_value);
        const LabelLine r = raw_cut(c.line);
        EXPECT_EQ(r.label, c.raw_label);
        EXPECT_EQ(r.value, c.raw_value);
    }
}

}  // namespace
}  // namespace qrb::label
