// GPS receiver coordinate list.
#include <gtest/gtest.h>

#include "importers/gnss/gnss_test_support.hpp"
#include "importers/importers.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

using namespace test;

const Lines kHeader{"#titolo#", "Importazione ARVAtec GPS", "#loc#", "Nessuna", "#tipo#", "CO", "#angoli#", "CENT",
                    "#note#",   "Importazione coordinate 3D da punti rilevati con GPS (ARVAtec)"};

TEST(ImpArvatec, PointsWithDecimalCommas)
{
    const std::string input = crlf({"101;152,12;503,89;12,4", "102;1;2;3;codice;altro", "solo nome", " 104 ; 1,5 ;2; 3 ",
                                    "10,5;1;2;3", "", "   ", "106;1;2", "a|b;1;2;3"});
    const std::string book =
        crlf(kHeader + Lines{"#passnoto#", "101|152.12|503.89|12.4|nn|NN|", "#passnoto#", "102|1|2|3|nn|NN|",
                             "#passnoto#", "solo nome||||nn|NN|", "#passnoto#", " 104 | 1.5 |2| 3 |nn|NN|",
                             "#passnoto#", "10.5|1|2|3|nn|NN|", "#passnoto#", "106|1|2||nn|NN|", "#passnoto#", "a\\b|1|2|3|nn|NN|"} +
             kTrailer);
    Harness h;
    auto r = h.run(imp_arvatec, input);
    EXPECT_EQ(r.book, book);
    EXPECT_EQ(r.boxes, (Lines{test::kNoticeBox, "box|info|Importa file ARVAtec GPS|File importato con successo.|ok"}));

    // Neither the survey type nor "Note <-> Codici punto" changes anything.
    h.cli();
    h.options.tipo_od = true;
    h.options.op_note = 0;
    r = h.run(imp_arvatec, input);
    EXPECT_EQ(r.book, book);
    EXPECT_TRUE(r.boxes.empty());
}

TEST(ImpArvatec, TheEndOfFileMarkEndsTheList)
{
    Harness h;
    h.cli();
    const Lines point{"#passnoto#", "101|1|2|3|nn|NN|"};
    for (const std::string& input : {crlf({"101;1;2;3"}) + "\x1A", std::string("101;1;2;3\x1A;9\r\n102;4;5;6\r\n")}) {
        const auto r = h.run(imp_arvatec, input);
        EXPECT_EQ(r.book, crlf(kHeader + point + kTrailer));
        EXPECT_TRUE(r.boxes.empty());
    }
}

TEST(ImpArvatec, EmptyInputIsNothingFound)
{
    Harness h;
    h.cli();
    const auto r = h.run(imp_arvatec, "");
    EXPECT_EQ(r.book, "");
    EXPECT_EQ(r.boxes, std::vector<std::string>{
                           "box|excl|Importa file ARVAtec GPS|File non valido, importazione fallita.|ok"});
}

}  // namespace
}  // namespace qrb
