#include <gtest/gtest.h>

#include "importers/gsi/gsi_test_lines.hpp"
#include "importers/importers.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

using test::block;
using test::crlf;
using test::Harness;
using test::measurement;

const std::string kTitle = "Importa file Wild GIF 10";

std::string header(const std::string& type = "IZ")
{
    return test::book_header("Importazione file Wild GIF 10", "File formato Leica (Wild) GIF 10", type);
}

TEST(Gif10, StationsHeightsAndNames)
{
    Harness h;
    const std::string input = crlf({
        "any other line",
        block("00000041", {"00000012"}),
        measurement("00000001", "12345678", "09876543", "00012345"),
        block("00000061", {"00000160"}),  // target height 1.6 from here on
        block("00000060", {"00000150"}),
        block("00000060", {"00000175"}),  // replaces 1.5
        measurement("0000A010", "00000000", "10000000", "00001500"),
        block("00000062", {"00000999"}),  // unknown block code
        block("00000041", {"0000A001"}),
        measurement("00000000", "39999999", "00050000", "00000000"),
        measurement("00012A00", "00000001", "00000000", "00000001"),
        block("00000041", {"00000000"}),  // no name, no readings
        block("00000041", {"00000100"}),
        measurement("00000007", "20000000", "10000000", "00001000"),
    });
    const auto r = h.run(imp_gif10, input);
    EXPECT_EQ(r.book, header() + crlf({
                                     "#stazione#", "12", "1.75", "stazione",
                                     "1|123.4568|98.76543|12.345|0|nn|NN|",
                                     "A010|0|100|1.5|1.6|nn|NN|",
                                     "#stazione#", "A001", "0", "stazione",
                                     "non_valido|400|.5|INT|1.6|nn|NN|",  // 7 significant digits
                                     "12|1E-05|0|.001|1.6|nn|NN|",
                                     "#stazione#", "100", "0", "stazione",
                                     "7|200|100|1|1.6|nn|NN|",
                                 }) + test::kTrailerLines);
    EXPECT_EQ(r.boxes, (std::vector<std::string>{
                           test::kNoticeBox,
                           "box|excl|Importa file Leica GSI|Il file contiene un nome stazione non valido!|ok",
                           "box|excl|" + kTitle +
                               "|Il file GIF contiene una stazione senza nessuna lettura. (Stazione s_non_valida) "
                               "Verrà ignorata nell'importazione|ok",
                           "box|info|" + kTitle + "|File importato con successo.|ok",
                       }));
    EXPECT_FALSE(r.busy_after);
}

TEST(Gif10, SurveyTypeAndCodeField)
{
    Harness h;
    h.cli();
    h.options.tipo_iz = false;
    h.options.tipo_od = true;
    h.options.op_note = 0;
    const auto r = h.run(imp_gif10, crlf({block("00000041", {"00000005"}), measurement("00000006", "00000001", "00000002", "00000003")}));
    EXPECT_EQ(r.book, header("OD") + crlf({"#stazione#", "5", "0", "stazione", "6|1E-05|2E-05|.003|0|nn|NN|"}) +
                          test::kTrailerLines);
    EXPECT_TRUE(r.boxes.empty());
}

TEST(Gif10, NothingFoundAndLinesWithoutAStation)
{
    const std::string nothing_found =
        "box|excl|Importazione file Wild GIF 10|File non valido, importazione fallita.|ok";
    const std::string malformed =
        "box|excl|" + kTitle + "|Il file GIF risulta non conforme alle specifiche, l'importazione è impossibile|ok";
    const std::vector<test::RefusedCase> cases = {
        {"empty input", "", nothing_found},
        {"target height and other blocks only",
         crlf({block("00000061", {"00000160"}), block("00000062", {"00000001"}), "210001"}), nothing_found},
        {"measurement before any station",
         crlf({measurement("00000001", "00000001", "00000002", "00000003"), block("00000041", {"00000012"})}), malformed},
        {"instrument height before any station",
         crlf({block("00000060", {"00000150"}), block("00000041", {"00000012"}),
               measurement("00000001", "00000001", "00000002", "00000003")}),
         malformed},
    };
    test::expect_refused(imp_gif10, cases);
}

TEST(Gif10, ShortLinesReadWhatTheyHave)
{
    // A measurement cut after its angle: no distance; a "60" block without
    // its height field: height 0.
    Harness h;
    h.cli();
    const auto r = h.run(imp_gif10, crlf({block("00000041", {"00000003"}), block("00000060"),
                                          "110001+00000009 21.102+10000000"}));
    EXPECT_EQ(r.book, header() + crlf({"#stazione#", "3", "0", "stazione", "9|100|0|INT|0|nn|NN|"}) +
                          test::kTrailerLines);
}

TEST(Gif10, WholeNamesBeyond32BitsKeepTheirValue)
{
    Harness h;
    h.cli();
    const auto r = h.run(imp_gif10, crlf({block("00000041", {"00001E12"}),
                                          measurement("00002E10", "00000001", "00000002", "00000003")}));
    EXPECT_EQ(r.book, header() + crlf({"#stazione#", "1000000000000", "0", "stazione",
                                       "20000000000|1E-05|2E-05|.003|0|nn|NN|"}) +
                          test::kTrailerLines);
    EXPECT_TRUE(r.boxes.empty());
}

}  // namespace
}  // namespace qrb
