#include <gtest/gtest.h>

#include "importers/gsi/gsi_test_lines.hpp"
#include "importers/importers.hpp"

namespace qrb {
namespace {

using test::crlf;
using test::kTrailerLines;
using test::word16;
using test::word8;
using V = std::vector<std::string>;

const test::ConverterBoxes kBoxes{"Importa file Leica TCR", "Importazione file Leica TCR"};

const std::string kNote = "File formato Leica TCR 1101 (modificato)";
const std::string kHeader = test::book_header("Importazione file Leica TCR", kNote, "IZ");

// Lines ended by LF only.
std::string lf_lines(const V& lines)
{
    std::string out;
    for (const auto& l : lines) out += l + "\n";
    return out;
}

// A station line: name and instrument height (mm) in word 5.
std::string station(const std::string& name, const std::string& height)
{
    return word8("11", name) + word8("84", "00001000") + word8("85", "0") + word8("86", "0") + word8("88", height);
}

// A measurement line: point, Hz, V, distance, the target height word, code.
std::string tcr_measurement(const std::string& point, const std::string& dist, const std::string& th, char th_sign,
                            const std::string& code)
{
    return word8("11", point) + word8("21", "12345678", '-') + word8("22", "09876543") + word8("31", dist) +
           word8("88", "0") + word8("87", th, th_sign) + word8("71", code);
}

TEST(ImpTcr1101, StationsAndReadings)
{
    const V lines = {
        "   " + station("00001234", "00001650") + "  ",
        tcr_measurement("00000101", "00012345", "00001500", '+', "00000012"),
        // a point of zeros takes its name from the last word
        tcr_measurement("00000000", "0", "00000002", '-', "00000205"),
        tcr_measurement("00000102", "1", "0", '+', "000CA0S0"),
        tcr_measurement("00000103", "1", "0", '+', "00000000"),
        // a line that stops before the distance: none, and no target height
        word8("11", "00000104") + word8("21", "10000000") + word8("22", "10000000"),
        word8("11", "00000105") + word8("51", "1"),  // other kinds are skipped
        "*" + word16("11", "106") + word16("21", "1"),
        station("00A0B000", "0"),  // the same kind of line opens another station
        tcr_measurement("00000201", "1000", "0", '+', "0000casa"),
    };
    test::Harness h;
    const auto r = h.run(imp_tcr1101, crlf(lines));
    EXPECT_EQ(r.book,
              kHeader +
                  crlf({"#stazione#",
                        "1234",
                        "1.65",
                        "Stazione",
                        "101|123.4568|98.76543|12.345|1500|12|12|",
                        "205|123.4568|98.76543|INT|-2|205|205|",
                        "102|123.4568|98.76543|.001|0|CA0S0|CA0S0|",
                        "103|123.4568|98.76543|.001|0|NN|NN|",
                        "104|100|100|INT|0|10000000|10000000|",
                        "#stazione#",
                        "A0B000",
                        "0",
                        "Stazione",
                        "201|123.4568|98.76543|1|0|casa|CASA|"}) +
                  kTrailerLines);
    EXPECT_EQ(r.boxes, (V{test::kNoticeBox, kBoxes.success()}));
    EXPECT_FALSE(r.busy_after);
}

TEST(ImpTcr1101, NamesAndStationWithoutReadings)
{
    const V lines = {
        station("00000000", "00001500"),
        tcr_measurement("00000001", "1000", "0", '+', "1"),
        station("00000007", "0"),
        station("00000007", "0"),
        tcr_measurement("00000002", "1000", "0", '+', "2"),
    };
    test::Harness h;
    h.cli();
    h.options.tipo_od = true;
    h.options.op_note = 0;
    const auto r = h.run(imp_tcr1101, lf_lines(lines));
    EXPECT_EQ(r.book,
              test::book_header("Importazione file Leica TCR", kNote, "OD") +
                  crlf({"#stazione#",
                        "s_non_valida",
                        "1.5",
                        "Stazione",
                        "1|123.4568|98.76543|1|0|1|NN|",
                        "#stazione#",
                        "7",
                        "0",
                        "Stazione",
                        "2|123.4568|98.76543|1|0|2|NN|"}) +
                  kTrailerLines);
    EXPECT_EQ(r.boxes,
              (V{kBoxes.excl("Il file contiene un nome stazione non valido!"),
                 kBoxes.excl("Il file TCR contiene una stazione senza nessuna lettura. (Stazione 7) Verrà ignorata "
                             "nell'importazione")}));
}

TEST(ImpTcr1101, RefusedFiles)
{
    const std::vector<test::RefusedCase> cases = {
        // a measurement before any station is a malformed file
        {"reading before station",
         crlf({tcr_measurement("00000001", "1", "0", '+', "1"),
               station("00000001", "0"),
               tcr_measurement("00000002", "1", "0", '+', "1")}),
         kBoxes.excl("Il file TCR risulta non conforme alle specifiche, l'importazione è impossibile")},
        {"GSI-16",
         crlf({"*" + word16("11", "1") + word16("84", "0"), "*" + word16("11", "2") + word16("21", "1")}),
         kBoxes.nothing_found()},
        {"empty file", "", kBoxes.nothing_found()},
    };
    test::expect_refused(imp_tcr1101, cases);
}

}  // namespace
}  // namespace qrb
