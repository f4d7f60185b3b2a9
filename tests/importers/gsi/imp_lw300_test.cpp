#include <gtest/gtest.h>

#include "importers/gsi/gsi_test_lines.hpp"
#include "importers/importers.hpp"

namespace qrb {
namespace {

using test::crlf;
using test::kTrailerLines;
using test::ok_box;
using test::word16;
using test::word8;
using V = std::vector<std::string>;

const test::ConverterBoxes kBoxes{"Importa file Leica TCR", "Importazione file Leica TCR"};

const std::string kNote = "File formato Leica LW300 (Stazioni TCR 30x, TCR 70x e TCR 110x)";
const std::string kHeader = test::book_header("Importazione file Leica TCR", kNote, "IZ");

// A station line: name, then the words 84 to 86, word 5 and an optional word 6.
std::string station(const std::string& name, const std::string& word5, const std::string& word6 = "")
{
    return "*" + word16("11", name) + word16("84", "1000") + word16("85", "2000") + word16("86", "300") + word5 + word6;
}

TEST(ImpLw300, StationsAndReadings)
{
    const V lines = {
        // word 6 is 88: the height from the last 16 characters, note "Stazione"
        station("1234", word16("87", "1500"), word16("88", "1650")),
        "*" + word16("11", "12") + word16("21", "12345678", '-') + word16("22", "9876543") + word16("31", "12345") +
            word16("87", "1600") + word16("71", "CASA"),
        // five words ending with the target height: the code is its data
        "*" + word16("11", "00012AB34") + word16("21", "20000000") + word16("22", "10000000") + word16("31", "0") +
            word16("87", "1500"),
        // a blank distance is none; a target name of zeros is "non_valido"
        "*" + word16("11", "0") + word16("21", "1") + word16("22", "2") + "31..10+                 " +
            word16("87", "0") + word16("71", "000000000000CA0S"),
        // another word 6: height from word 5, note the whole number of the
        // last 16 characters with its blank
        station("0000A0B00", word16("87", "1500"), word16("71", "42")),
        "*" + word16("11", "1") + word16("21", "1"),
        station("1234", word16("87", "0")),  // the same name opens another station; note " 0"
        "*" + word16("11", "2") + word16("21", "2"),
        " *" + word16("11", "3") + word16("21", "3"),  // not "*11" at column 1
        word8("11", "00000004") + word8("21", "4"),
        "*" + word16("11", "5") + word16("81", "1000"),
    };
    test::Harness h;
    const auto r = h.run(imp_lw300, crlf(lines));
    EXPECT_EQ(r.book,
              kHeader +
                  crlf({"#stazione#",
                        "1234",
                        "1.65",
                        "Stazione",
                        "12|123.4568|98.76543|12.345|1.6|CASA|CASA|",
                        "12|200|100|INT|1.5|1500|1500|",
                        "non_valido|1E-05|2E-05|INT|0|CA S|CA S|",
                        "#stazione#",
                        "A0B00",
                        "1.5",
                        " 42",
                        "1|1E-05|0|INT|0|1|1|",
                        "#stazione#",
                        "1234",
                        "0",
                        " 0",
                        "2|2E-05|0|INT|0|2|2|"}) +
                  kTrailerLines);
    EXPECT_EQ(r.boxes, (V{test::kNoticeBox, kBoxes.success()}));
    EXPECT_FALSE(r.busy_after);
}

TEST(ImpLw300, NamesAndStationWithoutReadings)
{
    const V lines = {
        station("0", word16("87", "0"), word16("88", "1500")),
        "*" + word16("11", "7") + word16("21", "1"),
        station("55", word16("87", "0"), word16("88", "1500")),
        station("56", word16("87", "0"), word16("88", "1500")),
        "*" + word16("11", "8") + word16("21", "1") + word16("71", "casa"),
    };
    test::Harness h;
    h.cli();
    h.options.tipo_od = true;
    h.options.op_note = 0;
    const auto r = h.run(imp_lw300, crlf(lines));
    EXPECT_EQ(r.book,
              test::book_header("Importazione file Leica TCR", kNote, "OD") +
                  crlf({"#stazione#",
                        "s_non_valida",
                        "1.5",
                        "Stazione",
                        "7|1E-05|0|INT|0|1|NN|",
                        "#stazione#",
                        "56",
                        "1.5",
                        "Stazione",
                        "8|1E-05|0|INT|0|casa|NN|"}) +
                  kTrailerLines);
    EXPECT_EQ(r.boxes,
              (V{ok_box("excl", "Importa file Leica GSI", "Il file contiene un nome stazione non valido!"),
                 kBoxes.excl("Il file GSI contiene una stazione senza nessuna lettura. (Stazione 55) Verrà ignorata "
                             "nell'importazione")}));
}

TEST(ImpLw300, WholeNumbersBeyondThirtyTwoBitsAreKept)
{
    // A note or code of the last 16 characters too large for a 32-bit number
    // keeps its value instead of ending the conversion.
    const V lines = {
        station("1", word16("87", "0"), word16("71", "9999999999")),
        "*" + word16("11", "2") + word16("21", "1") + word16("22", "0") + word16("31", "0") + word16("87", "0") +
            word16("71", "12345678901"),
    };
    test::Harness h;
    h.cli();
    EXPECT_EQ(h.run(imp_lw300, crlf(lines)).book,
              kHeader + crlf({"#stazione#", "1", "0", " 9999999999", "2|1E-05|0|INT|0|12345678901|12345678901|"}) +
                  kTrailerLines);
}

TEST(ImpLw300, RefusedFiles)
{
    const std::vector<test::RefusedCase> cases = {
        // a measurement before any station is a malformed file
        {"reading before station",
         crlf({"*" + word16("11", "1") + word16("21", "1"),
               station("1", word16("87", "0"), word16("88", "1500")),
               "*" + word16("11", "2") + word16("21", "1")}),
         kBoxes.excl("Il file GSI risulta non conforme alle specifiche, l'importazione è impossibile")},
        {"GSI-8",
         crlf({word8("11", "00000001") + word8("84", "0"), word8("11", "00000002") + word8("21", "1")}),
         kBoxes.nothing_found()},
        {"blank before the mark", crlf({" " + station("1", word16("87", "0"))}), kBoxes.nothing_found()},
        {"empty file", "", kBoxes.nothing_found()},
    };
    test::expect_refused(imp_lw300, cases);
}

}  // namespace
}  // namespace qrb
