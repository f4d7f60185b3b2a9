#include <gtest/gtest.h>

#include "importers/gsi/gsi_test_lines.hpp"
#include "importers/importers.hpp"

namespace qrb {
namespace {

using test::crlf;
using test::kTrailerLines;
using test::ok_box;
using test::word8;
using V = std::vector<std::string>;

const test::ConverterBoxes kBoxes{"Importa file Leica GRE 4", "Importazione file Leica GRE 4"};

const std::string kHeader =
    test::book_header("Importazione file Leica GRE 4", "File formato Leica GRE 4 (modificato)", "IZ");
const std::string kOwnNotice = ok_box("info", "Importazione file Leica GRE 4",
                                      "Il file Leica GRE 4 verrà salvato in un file dati in formato Quarel.");

// A measurement: point, Hz, V, distance, instrument height and target height
// (as written), code.
std::string gre4_measurement(const std::string& point, const std::string& hz, const std::string& v,
                             const std::string& dist, const std::string& ih, const std::string& th,
                             const std::string& code)
{
    return word8("11", point) + word8("21", hz, '-') + word8("22", v) + word8("31", dist) + word8("88", ih) +
           word8("87", th) + word8("71", code);
}

TEST(ImpGre4, StationWithReadings)
{
    const V lines = {
        "  010001+00000105  ",
        gre4_measurement("00000201", "12345678", "09876543", "00012345", "0001.500", "0001.300", "00000012"),
        "410002+00000001 42....+00000002 ",  // other kinds are skipped
        // a point of zeros takes its name from the last word; the last
        // measurement decides the instrument height
        gre4_measurement("00000000", "20000000", "10000000", "00000000", "0001.600", "00000000", "00000205"),
    };
    test::Harness h;
    const auto r = h.run(imp_gre4, crlf(lines));
    EXPECT_EQ(r.book,
              kHeader +
                  crlf({"#stazione#",
                        "105",
                        "1.6",
                        "Stazione",
                        "201|123.4568|98.76543|12.345|1.3|12|12|",
                        "205|200|100|INT|0|205|205|"}) +
                  kTrailerLines);
    EXPECT_EQ(r.boxes, (V{kOwnNotice, test::kNoticeBox, kBoxes.success()}));
    EXPECT_FALSE(r.busy_after);
}

TEST(ImpGre4, CodesHeightsAsWrittenAndOptions)
{
    const V lines = {
        "010001+0000A0B0",
        gre4_measurement("00000001", "1", "2", "1000", "00001500", "00002000", "0000CASA"),
        gre4_measurement("00000002", "1", "2", "1000", "0", "0", "000CA0S0"),
        gre4_measurement("00000003", "1", "2", "1000", "0", "0", "00000000"),
        gre4_measurement("00000004", "1", "2", "1000", "0", "0", "0012AB34"),
        // a line that stops before the distance: no distance, no heights
        word8("11", "00000005") + word8("21", "10000000") + "22..10+09999999",
    };
    test::Harness h;
    h.cli();
    h.options.tipo_od = true;
    h.options.op_note = 0;
    const auto r = h.run(imp_gre4, crlf(lines));
    EXPECT_EQ(r.book,
              test::book_header("Importazione file Leica GRE 4", "File formato Leica GRE 4 (modificato)", "OD") +
                  crlf({"#stazione#",
                        "A0B0",
                        "0",
                        "Stazione",
                        "1|1E-05|2E-05|1|2000|CASA|NN|",
                        "2|1E-05|2E-05|1|0|CA0S0|NN|",
                        "3|1E-05|2E-05|1|0|NN|NN|",
                        "4|1E-05|2E-05|1|0|12|NN|",
                        "5|100|99.99999|INT|0|9999999|NN|"}) +
                  kTrailerLines);
    // The converter's own notice shows in command-line mode too.
    EXPECT_EQ(r.boxes, V{kOwnNotice});
}

TEST(ImpGre4, InvalidNameAndStationWithoutReadings)
{
    const V lines = {
        "010001+00000000",
        gre4_measurement("00000001", "1", "2", "3", "0", "0", "0"),
        "010002+00000007",
        "010003+00000008",
        gre4_measurement("00000002", "1", "2", "3", "0", "0", "0"),
    };
    test::Harness h;
    h.cli();
    const auto r = h.run(imp_gre4, crlf(lines));
    EXPECT_EQ(r.book,
              kHeader +
                  crlf({"#stazione#",
                        "s_non_valida",
                        "0",
                        "Stazione",
                        "1|1E-05|2E-05|.003|0|NN|NN|",
                        "#stazione#",
                        "8",
                        "0",
                        "Stazione",
                        "2|1E-05|2E-05|.003|0|NN|NN|"}) +
                  kTrailerLines);
    EXPECT_EQ(r.boxes,
              (V{kOwnNotice,
                 kBoxes.excl("Il file contiene un nome stazione non valido!"),
                 kBoxes.excl("Il file Leica GRE 4 contiene una stazione senza nessuna lettura. (Stazione 7) Verrà "
                             "ignorata nell'importazione")}));
}

TEST(ImpGre4, RefusedFiles)
{
    const std::string good = crlf({"010001+00000001", gre4_measurement("00000002", "1", "2", "3", "0", "0", "0")});
    const std::vector<test::RefusedCase> cases = {
        // a measurement before any station is a malformed file, whatever follows
        {"reading before station",
         crlf({gre4_measurement("00000002", "1", "2", "3", "0", "0", "0")}) + good,
         kBoxes.excl("Il file Leica GRE 4 risulta non conforme alle specifiche, l'importazione è impossibile")},
        {"no station", crlf({"410001+00000001", "hello"}), kBoxes.nothing_found()},
        {"empty file", "", kBoxes.nothing_found()},
        {"angle beyond single precision",
         crlf({"010001+00000001", word8("11", "00000002") + word8("21", "1E+99")}),
         ok_box("excl", "Errore inaspettato", "Errore codice 6 : Overflow")},
    };
    test::expect_refused(imp_gre4, cases, {kOwnNotice});
}

}  // namespace
}  // namespace qrb
