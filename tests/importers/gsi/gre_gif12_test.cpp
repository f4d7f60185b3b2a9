#include <gtest/gtest.h>

#include "importers/gsi/gsi_test_lines.hpp"
#include "importers/importers.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

using test::block;
using test::crlf;
using test::gsi8;
using test::Harness;
using test::measurement;
using test::w8;

std::string header(const std::string& type = "IZ")
{
    return test::book_header("Importazione file", "Importazione file Wild Gre(3) Gre(4) Gif 12", type);
}

// A measurement of ten words: the tenth (data from column 152) is its note.
std::string noted(std::string_view point, std::string_view hz, std::string_view v, std::string_view dist,
                  std::string_view note)
{
    return measurement(point, hz, v, dist) + gsi8({w8("51", "00000000"), w8("52", "00000000"), w8("53", "00000000"),
                                                   w8("54", "00000000"), w8("55", "00000000"), w8("71", note)});
}

TEST(GreGif12, VerticesTargetHeightsAndStations)
{
    Harness h;
    const std::string input = crlf({
        block("00000413", {"00001600"}),  // target height 1.6 from here on
        block("00000200", {"00001450", "00000012"}),
        block("00000199", {"00001500", "00000007"}),  // the next reading sights vertex 7
        noted("00000101", "12345678", "09876543", "00012345", "00000042"),
        measurement("00000102", "20000000", "10000000", "00000000"),
        block("00000201", {"00001700", "00000000"}),  // vertex without a name
        noted("00000103", "00000000", "10000000", "00001000", "000000AB"),
        block("00000200", {"00199000", "0000A0B0"}),  // 199 m: a station, not a vertex
        measurement("00000104", "00000000", "10000000", "00001000"),
        block("00000200", {"00000000", "0000012A"}),  // no readings
        block("00000200", {"00001000", "00000000"}),
        block("00000199", {"00413000", "0000000A"}),  // 413 m: a vertex, not a target height
        measurement("00000105", "00000000", "10000000", "00001000"),
        measurement("00000106", "00000000", "10000000", "00001000"),
        block("00000500", {"00002000"}),
        block("00000000", {"00009000"}),
        block("00000300", {"00009000"}),
        measurement("0000A0B0", "00000000", "10000000", "00001000"),
    });
    const auto r = h.run(imp_gre_gif12, input);
    EXPECT_EQ(r.book, header() + crlf({
                                     "#stazione#", "V12", "1.45", "ST",
                                     "V7|123.4568|98.76543|12.345|1.5|42|42|",
                                     "102|200|100|INT|1.6|0|0|",
                                     "V103|0|100|1|1.7|0|0|",
                                     "#stazione#", "VA B", "199", "ST",
                                     "104|0|100|1|1.6|0|0|",
                                     "#stazione#", "V", "1", "ST",
                                     "VA|0|100|1|413|0|0|",
                                     "106|0|100|1|1.6|0|0|",
                                     "A B|0|100|1|2|0|0|",
                                 }) + test::kTrailerLines);
    EXPECT_EQ(r.boxes, (std::vector<std::string>{
                           test::kNoticeBox,
                           "box|excl|Attenzione|Il file Wild Gif 12 contiene una stazione senza nessuna lettura. "
                           "Verrà ignorata nell'importazione|ok",
                           "box|info|Importazione file Wild Gif 12|File importato con successo.|ok",
                       }));
    EXPECT_FALSE(r.busy_after);
}

TEST(GreGif12, CodeFieldByOpNoteAndSurveyType)
{
    Harness h;
    h.cli();
    h.options.op_note = 0;
    h.options.tipo_iz = false;
    h.options.tipo_od = true;
    const auto r = h.run(imp_gre_gif12, crlf({block("00000200", {"00001500", "00000001"}),
                                              noted("00000002", "10000000", "10000000", "00001000", "00000012")}));
    EXPECT_EQ(r.book, header("OD") + crlf({"#stazione#", "V1", "1.5", "ST", "2|100|100|1|0|12|NN|"}) +
                          test::kTrailerLines);
    EXPECT_TRUE(r.boxes.empty());
}

TEST(GreGif12, FailuresKeepTheHeader)
{
    const struct {
        const char* name;
        std::string input;
        std::string box;
    } cases[] = {
        {"no station", crlf({block("00000413", {"00001600"}), block("00000199", {"00001500", "00000007"})}),
         "box|excl|Importazione file Wild Gif 12|File non valido, importazione fallita.|ok"},
        {"measurement before any station",
         crlf({measurement("00000001", "10000000", "10000000", "00001000"),
               block("00000200", {"00001500", "00000001"}), measurement("00000002", "10000000", "10000000", "1")}),
         "box|excl|Errore inaspettato|Errore codice 9 : Indice non compreso nell'intervallo|ok"},
    };
    for (const auto& c : cases) {
        Harness h;
        h.cli();
        const auto r = h.run(imp_gre_gif12, c.input);
        EXPECT_EQ(r.book, header()) << c.name;
        EXPECT_EQ(r.boxes, std::vector<std::string>{c.box}) << c.name;
        EXPECT_FALSE(r.busy_after) << c.name;
    }
}

TEST(GreGif12, NamesByValueOrWithoutZeros)
{
    // Station and target names: the field's value when it is not 0, else the
    // field with its zeros taken out.
    const struct {
        const char* field;
        std::string name;
    } cases[] = {
        {"00000012", "12"}, {"0000012A", "12"}, {"0000A0B0", "A B"}, {"00000000", ""}, {"00002E10", "20000000000"},
    };
    for (const auto& c : cases) {
        Harness h;
        h.cli();
        const auto r = h.run(imp_gre_gif12, crlf({block("00000200", {"00001000", c.field}),
                                                  measurement(c.field, "00000000", "10000000", "00001000")}));
        EXPECT_EQ(r.book, header() + crlf({"#stazione#", "V" + c.name, "1", "ST", c.name + "|0|100|1|0|0|0|"}) +
                              test::kTrailerLines)
            << c.field;
        EXPECT_TRUE(r.boxes.empty()) << c.field;
    }
}

}  // namespace
}  // namespace qrb
