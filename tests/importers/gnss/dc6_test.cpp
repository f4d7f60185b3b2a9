// Survey Controller (.dc), record layout of version 6.
#include <gtest/gtest.h>

#include "importers/gnss/gnss_test_support.hpp"
#include "importers/importers.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

using namespace test;

const std::string kSuccess = "box|info|Importa file Trimble|File importato con successo.|ok";
const std::string kEmptyBase = "box|excl|Attenzione|Il file Trimble dc contiene una stazione GPS senza nessuna "
                               "baseline. Verrà ignorata nell'importazione|ok";
const std::string kEmptyStation = "box|excl|Attenzione|Il file Trimble contiene una stazione senza nessuna lettura. "
                                  "Verrà ignorata nell'importazione|ok";

Lines header(const std::string& note = "Trimble Survey Controller")
{
    return {"#titolo#", "Trimble Survey Controller", "#loc#", "Nessuna", "#tipo#", "IZ", "#angoli#", "CENT",
            "#note#",   note};
}

Lines block(const std::string& name, const std::string& x = " 0", const std::string& y = " 0",
            const std::string& z = " 0")
{
    return Lines{"#stazione_gps#", name, x, y, z, " 0", ""} + block_tail("11/10/2014", "13:13");
}

std::string geo(const std::string& name, const std::string& lat, const std::string& lon, const std::string& h,
                const std::string& note = "", const std::string& unit = "")
{
    return columns({{1, "66"}, {5, name}, {21, lat}, {37, lon}, {53, h}, {69, note}, {85, unit}});
}
std::string base(const std::string& name) { return columns({{1, "73"}, {5, name}}); }
std::string vec(const std::string& point, const std::string& dx, const std::string& dy, const std::string& dz,
                const std::string& note = "")
{
    return columns({{1, "67"}, {5, point}, {21, dx}, {37, dy}, {53, dz}, {69, note}});
}
std::string antenna(const std::string& h) { return columns({{1, "57"}, {5, h}}); }
std::string offset(const std::string& h) { return columns({{1, "E2"}, {99, h}}); }
std::string pdop(const std::string& p) { return columns({{1, "62"}, {7, p}}); }
std::string covariance(const std::string& a, const std::string& b, const std::string& c, const std::string& d,
                       const std::string& e, const std::string& f)
{
    return columns({{1, "59"}, {23, a}, {39, b}, {55, c}, {71, d}, {87, e}, {103, f}});
}

TEST(ImpDc6, BasesVectorsGeographicPointsAndStations)
{
    Harness h;
    const auto r = h.run(imp_dc6,
                         crlf({
                             columns({{1, "95"}, {5, "Rilievo GPS"}}),
                             geo("BASE1", "45", "9", "100", "vertice"),
                             base("base1"),
                             antenna("1.5"),
                             offset(".1"),
                             vec("P1", "10.5", "-2.25", ".75"),
                             covariance(" 1.2E-05", "-3E-06", "4E-06", "2.5E-05", "0", "9.9E-06  "),
                             pdop(" 1.8"),
                             vec("P2", "1E2", "-.5", "0", "pt1"),
                             base("B2"),  // no vector: reported, left out
                             base("BASE1"),  // base1 again: its vectors continue
                             vec("P3", "1", "2", "3", "palo"),
                             geo("P3", "50", "10", "-1.5", "", "2"),
                             columns({{1, "69"}, {5, "S1"}}),
                             columns({{1, "D9"}, {21, "P3"}, {37, "12.5"}, {53, "100"}, {69, "50"}}),
                         }));
    EXPECT_EQ(r.book,
              crlf(header("Rilievo GPS") + block("base1", " 4462041.67873038", " 706717.973990465", " 4487419.11954401") +
                   Lines{"P1|10.5|-2.25|.75|1.6|nn|NN|1.2E-05,-3E-06,4E-06,2.5E-05,0,9.9E-06|1.8|2|",
                         "P2|100|-.5|0|1.6|pt1|pt1|0,0,0,0,0,0|3|2|", "P3|1|2|3|1.6|palo|palo|0,0,0,0,0,0|3|2|",
                         "#stazione#", "S1", "0", "stazione", "P3|50|100|12.5|0|nn|NN|", "#passll#",
                         "BASE1|.785398163397448|.157079632679489|100|0|vertice||", "#passll#",
                         "P3|.785398163397448|.157079632679489|-1.5|1.6|||"} +
                   kTrailer));
    EXPECT_EQ(r.boxes, (Lines{test::kNoticeBox, kEmptyBase, kSuccess}));
}

TEST(ImpDc6, VectorWithoutCovarianceAndPdop)
{
    Harness h;
    h.cli();
    h.options.op_note = 0;
    const auto r = h.run(imp_dc6, crlf({base("B"), antenna("1.5"), vec("P1", "10.5", "-2.25", ".75")}));
    EXPECT_EQ(r.book, crlf(header() + block("B") + Lines{"P1|10.5|-2.25|.75|1.5|nn|NN|0,0,0,0,0,0|3|2|"} + kTrailer));
    EXPECT_TRUE(r.boxes.empty());
}

TEST(ImpDc6, RecordsThatCannotApplyAreDropped)
{
    Harness h;
    h.cli();
    const auto r = h.run(imp_dc6, crlf({
                                      pdop("9"),                            // no base yet
                                      covariance("1", "2", "3", "4", "5", "6"),
                                      vec("P0", "1", "1", "1"),             // no base yet
                                      base("A"),
                                      pdop("8"),                            // the base has no vector yet
                                      covariance("1", "2", "3", "4", "5", "6"),
                                      vec("P1", "1", "2", "3"),
                                      base("C"),
                                      pdop("7"),                            // new base without vector
                                      vec("P2", "4", "5", "6"),
                                      "6",                                  // too short for a code
                                      "",
                                      "d9 lower-case code",
                                  }));
    EXPECT_EQ(r.book, crlf(header() + block("A") + Lines{"P1|1|2|3|0|nn|NN|0,0,0,0,0,0|3|2|"} + block("C") +
                           Lines{"P2|4|5|6|0|nn|NN|0,0,0,0,0,0|3|2|"} + kTrailer));
    EXPECT_TRUE(r.boxes.empty());
}

TEST(ImpDc6, GeographicPointsOnlyAndTheirUnits)
{
    Harness h;
    h.cli();
    const auto r = h.run(imp_dc6, crlf({geo("G1", "50", "10", "1", "n", "2"), geo("G2", "50", "10", "1", "", "1"),
                                        geo("G3", "50", "10", "1", "", "x"), geo("G4", "50", "10", "1")}));
    EXPECT_EQ(r.book, crlf(header() + Lines{"#passll#", "G1|.785398163397448|.157079632679489|1|0|n||", "#passll#",
                                            "G2|.872664625997164|.174532925199433|1|0|||", "#passll#",
                                            "G3|.872664625997164|.174532925199433|1|0|||", "#passll#",
                                            "G4|.872664625997164|.174532925199433|1|0|||"} +
                           kTrailer));
    EXPECT_TRUE(r.boxes.empty());
}

TEST(ImpDc6, StationsWithoutReadingsAndPrismConstant)
{
    Harness h;
    h.cli();
    const auto d9 = [](const std::string& target, const std::string& dist) {
        return columns({{1, "D9"}, {21, target}, {37, dist}, {53, "90"}, {69, "0"}, {85, "muro"}});
    };
    const auto r = h.run(imp_dc6, crlf({d9("1", "5"),  // before any station
                                        columns({{1, "69"}, {5, "st1"}}), columns({{1, "69"}, {5, "st1"}}),
                                        columns({{1, "77"}, {5, "1.5"}, {21, "-30"}}), d9("0012", "100"),
                                        d9("p5", ""), d9("1E2", "0")}));
    EXPECT_EQ(r.book, crlf(header() + Lines{"#stazione#", "ST1", "0", "stazione", "12|0|90|99.97|1.5|muro|MURO|",
                                            "P5|0|90|INT|1.5|muro|MURO|", "100|0|90|INT|1.5|muro|MURO|"} +
                           kTrailer));
    EXPECT_EQ(r.boxes, Lines{kEmptyStation});
}

TEST(ImpDc6, NothingFoundAndFailures)
{
    Harness h;
    h.cli();
    auto r = h.run(imp_dc6, crlf({columns({{1, "95"}, {5, "Solo lavoro"}}), base("")}));
    // A "73" alone makes a base, reported as such; nothing is written.
    EXPECT_EQ(r.book, "");
    EXPECT_EQ(r.boxes, (Lines{kEmptyBase, "box|excl|Importazione file Trimble dc|File non valido, importazione fallita.|ok"}));

    r = h.run(imp_dc6, crlf({columns({{1, "95"}, {5, "Solo lavoro"}}), vec("P", "1", "1", "1")}));
    EXPECT_EQ(r.book, "");
    EXPECT_EQ(r.boxes, Lines{"box|excl|Importazione file Trimble dc|File non valido, importazione fallita.|ok"});

    r = h.run(imp_dc6, crlf({geo("G", "1", "1", "1"), columns({{1, "00"}, {41, "A"}})}));
    EXPECT_EQ(r.book, "");
    EXPECT_EQ(r.boxes, Lines{"box|excl|Errore inaspettato|Errore codice 13 : Tipo non corrispondente|ok"});
}

TEST(ImpDc6, CoordinateBeyondTheDoubleRangeFailsWhileReading)
{
    Harness h;
    h.cli();
    // Latitude or longitude times pi overflows: the conversion ends with the
    // overflow, before anything of the book is written.
    for (const std::string& line : {geo("G", "1E308", "1", "1"), geo("G", "1", "-1.7E308", "1", "", "2")}) {
        const auto r = h.run(imp_dc6, crlf({columns({{1, "69"}, {5, "S1"}}),
                                            columns({{1, "D9"}, {21, "1"}, {37, "10"}, {53, "100"}, {69, "0"}}),
                                            line}));
        EXPECT_TRUE(r.book_exists);
        EXPECT_EQ(r.book, "") << line;
        EXPECT_EQ(r.boxes, Lines{"box|excl|Errore inaspettato|Errore codice 6 : Overflow|ok"}) << line;
    }
}

}  // namespace
}  // namespace qrb
