#include <gtest/gtest.h>

#include "importers/gsi/gsi_test_lines.hpp"
#include "importers/importers.hpp"

namespace qrb {
namespace {

using namespace test;  // GSI words, book parts and boxes
using V = std::vector<std::string>;

const test::ConverterBoxes kBoxes{"Importa file Leica TCR", "Importazione file Leica TCR"};

const std::string kNote = "File formato Leica TCR 1101 (modificato)";
const std::string kHeader = test::book_header("Importazione file Leica TCR", "IZ", kNote);

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
    return w8("11", name) + w8("84", "00001000") + w8("85", "0") + w8("86", "0") + w8("88", height);
}

// A measurement line: point, Hz, V, distance, the target height word, code.
std::string measurement(const std::string& point, const std::string& dist, const std::string& th, char th_sign,
                        const std::string& code)
{
    return w8("11", point) + w8("21", "12345678", '-') + w8("22", "09876543") + w8("31", dist) + w8("88", "0") +
           w8("87", th, th_sign) + w8("71", code);
}

TEST(ImpTcr1101, StationsAndReadings)
{
    const V lines = {
        "   " + station("00001234", "00001650") + "  ",
        measurement("00000101", "00012345", "00001500", '+', "00000012"),
        // a point of zeros takes its name from the last word
        measurement("00000000", "0", "00000002", '-', "00000205"),
        measurement("00000102", "1", "0", '+', "000CA0S0"),
        measurement("00000103", "1", "0", '+', "00000000"),
        // a line that stops before the distance: none, and no target height
        w8("11", "00000104") + w8("21", "10000000") + w8("22", "10000000"),
        w8("11", "00000105") + w8("51", "1"),  // other kinds are skipped
        "*" + w16("11", "106") + w16("21", "1"),
        station("00A0B000", "0"),  // the same kind of line opens another station
        measurement("00000201", "1000", "0", '+', "0000casa"),
    };
    Harness h;
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
                  kTrailer);
    EXPECT_EQ(r.boxes, (V{test::kSaveNotice, kBoxes.success()}));
    EXPECT_FALSE(r.busy_after);
}

TEST(ImpTcr1101, NamesAndStationWithoutReadings)
{
    const V lines = {
        station("00000000", "00001500"),
        measurement("00000001", "1000", "0", '+', "1"),
        station("00000007", "0"),
        station("00000007", "0"),
        measurement("00000002", "1000", "0", '+', "2"),
    };
    Harness h;
    h.cli();
    h.options.tipo_od = true;
    h.options.op_note = 0;
    const auto r = h.run(imp_tcr1101, lf_lines(lines));
    EXPECT_EQ(r.book,
              test::book_header("Importazione file Leica TCR", "OD", kNote) +
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
                  kTrailer);
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
         crlf({measurement("00000001", "1", "0", '+', "1"),
               station("00000001", "0"),
               measurement("00000002", "1", "0", '+', "1")}),
         kBoxes.excl("Il file TCR risulta non conforme alle specifiche, l'importazione è impossibile")},
        {"GSI-16",
         crlf({"*" + w16("11", "1") + w16("84", "0"), "*" + w16("11", "2") + w16("21", "1")}),
         kBoxes.nothing_found()},
        {"empty file", "", kBoxes.nothing_found()},
    };
    test::expect_refused(imp_tcr1101, cases);
}

}  // namespace
}  // namespace qrb
