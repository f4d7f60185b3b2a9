// A conversion that finds no station reports nothing found even when an
// earlier conversion left stations and known points in the work state.
#include <gtest/gtest.h>

#include "importers/importers.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

void leave_items(WorkState& state)
{
    state.known_points.push_back("K1|1|2|3|n|NN||");
    state.station_table.add("OLD", 1, "n").add_reading().target = "P";
}

struct Case {
    Converter run;
    const char* input;
    const char* box;
};

TEST(NikonLeftOverLists, NoStationIsNothingFound)
{
    const Case cases[] = {
        {&imp_dtm410, "1,2,,P1,,1,2,3,4,\r\n",
         "box|excl|Importazione file Nikon DTM 410|File non valido, importazione fallita.|ok"},
        {&imp_dtm851, "2,P1,1,2,3,4,,,\r\n",
         "box|excl|Importazione file Nikon DTM 851|File non valido, importazione fallita.|ok"},
        {&imp_dtm720, "PN 1\r\nAZ 1\r\n",
         "box|excl|Importazione strumentale|File non valido, importazione fallita.|ok"},
    };
    for (const Case& c : cases) {
        test::Harness h;
        h.cli();
        leave_items(h.state);
        const test::RunResult r = h.run(c.run, c.input);
        EXPECT_TRUE(r.book_exists) << c.input;
        EXPECT_EQ(r.book, "") << c.input;
        ASSERT_EQ(r.boxes.size(), 1U) << c.input;
        EXPECT_EQ(r.boxes[0], c.box);
        EXPECT_TRUE(h.state.known_points.empty());
    }
}

}  // namespace
}  // namespace qrb
