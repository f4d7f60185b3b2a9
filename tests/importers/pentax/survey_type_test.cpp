// The converters whose book declares "IZ" when the slope-distance choice is
// set and "OD" otherwise: the reduced-distance choice plays no part, even
// when a caller sets both.
#include <gtest/gtest.h>

#include "importers/importers.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

struct Case {
    Converter run;
    const char* input;
};

std::string type_line(const std::string& book)
{
    const std::string tag = "#tipo#\r\n";
    const std::size_t at = book.find(tag);
    if (at == std::string::npos) return "(no type)";
    const std::size_t from = at + tag.size();
    return book.substr(from, book.find("\r\n", from) - from);
}

TEST(SlopeChoiceAloneDecides, BothChoicesSetGiveIZ)
{
    const Case cases[] = {
        {&imp_sqcx, "STS:A\r\nPPD:P\r\n"},
        {&imp_r100_direct, "0000STS:A;\r\n0001PPD:P;\r\n"},
        {&imp_gts212, "STAZIONE\r\n\"A\",\"n\",0,0,1\r\n"},
        {&imp_gts3b, "NUM. STAZ. S1       H.S. =  1.5  n x\r\n"},
    };
    for (const Case& c : cases) {
        for (const bool od : {false, true}) {
            test::Harness h;
            h.cli();
            h.options.tipo_iz = true;
            h.options.tipo_od = od;
            EXPECT_EQ(type_line(h.run(c.run, c.input).book), "IZ") << c.input << " od=" << od;
        }
        test::Harness h;
        h.cli();
        h.options.tipo_iz = false;
        h.options.tipo_od = false;
        EXPECT_EQ(type_line(h.run(c.run, c.input).book), "OD") << c.input;
    }
}

}  // namespace
}  // namespace qrb
