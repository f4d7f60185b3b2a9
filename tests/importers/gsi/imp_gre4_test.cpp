#include <gtest/gtest.h>

#include "importers/gsi/gsi_test_lines.hpp"
#include "importers/importers.hpp"

namespace qrb {
namespace {

// An angle too large for single precision is an overflow: the unexpected-error
// box after the converter's own notice, and an empty book.
TEST(ImpGre4, AngleBeyondSinglePrecisionIsAnOverflow)
{
    test::Harness h;
    h.cli();
    const auto r = h.run(imp_gre4, test::crlf({"010001+00000001", test::word8("11", "00000002") + test::word8("21", "1E+99")}));
    EXPECT_TRUE(r.book_exists);
    EXPECT_EQ(r.book, "");
    EXPECT_EQ(r.boxes, (std::vector<std::string>{
                           test::ok_box("info", "Importazione file Leica GRE 4",
                                        "Il file Leica GRE 4 verrà salvato in un file dati in formato Quarel."),
                           test::ok_box("excl", "Errore inaspettato", "Errore codice 6 : Overflow")}));
    EXPECT_FALSE(r.busy_after);
}

}  // namespace
}  // namespace qrb
