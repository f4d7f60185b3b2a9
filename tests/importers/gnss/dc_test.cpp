// Survey Controller (.dc), older record layout.
#include <gtest/gtest.h>

#include "importers/gnss/gnss_test_support.hpp"
#include "importers/gnss/trimble_dc.hpp"
#include "importers/importers.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

using namespace test;

const std::string kSuccess = "box|info|Importa file Trimble|File importato con successo.|ok";
const std::string kNothingFound = "box|excl|Importazione file Trimble dc|File non valido, importazione fallita.|ok";
const std::string kEmptyStation = "box|excl|Attenzione|Il file Trimble contiene una stazione senza nessuna lettura. "
                                  "Verrà ignorata nell'importazione|ok";
const std::string kEmptyBase = "box|excl|Attenzione|Il file Trimble dc contiene una stazione GPS senza nessuna "
                               "lettura. Verrà ignorata nell'importazione|ok";

std::vector<std::string> header(const std::string& note = "Trimble Survey Controller", const std::string& type = "IZ")
{
    return {"#titolo#", "Trimble Survey Controller", "#loc#", "Nessuna", "#tipo#", type, "#angoli#", "CENT",
            "#note#",   note};
}

std::string station(const std::string& name, const std::string& note = "")
{
    return columns({{1, "69"}, {5, name}, {69, note}});
}
std::string reading(const std::string& target, const std::string& dist, const std::string& v, const std::string& hz,
                    const std::string& code = "")
{
    return columns({{1, "D9"}, {21, target}, {37, dist}, {53, v}, {69, hz}, {85, code}});
}
std::string target(const std::string& height, const std::string& prism_mm)
{
    return columns({{1, "77"}, {5, height}, {21, prism_mm}});
}
std::string unit(const std::string& digit) { return columns({{1, "00"}, {5, "SC V10-70"}, {41, digit}}); }
std::string base(const std::string& name, const std::string& antenna = "", const std::string& note = "")
{
    return columns({{1, "15"}, {5, name}, {68, antenna}, {79, note}});
}
std::string vector(const std::string& point, const std::string& length, const std::string& zenith,
                   const std::string& azimuth, const std::string& antenna = "", const std::string& code = "")
{
    return columns({{1, "66"}, {9, point}, {13, length}, {23, zenith}, {33, azimuth}, {43, antenna}, {53, code}});
}

TEST(ImpDc, StationsBasesAndVectors)
{
    Harness h;
    const auto r = h.run(imp_dc, crlf({
                                     columns({{1, "95"}, {5, "Cantiere 7"}}),
                                     unit("2"),
                                     station("0012", "muro nord   "),
                                     columns({{1, "E0"}, {21, "1.55"}}),
                                     target("1.5", "0"),
                                     reading("0012", "25.500", "98.1234", "123.4567", "muro"),
                                     reading("p5", "", "100", "0"),
                                     base("7", "1.6", "base ovest"),
                                     columns({{1, "13"}, {6, "45"}, {22, "9"}, {38, "100"}}),
                                     columns({{1, "57"}, {5, " 2.000 "}}),
                                     vector("101", "100", "100", "0", "0", "palo"),
                                     vector("102", "1E2", "100", "100", "1.8"),
                                     vector("abc", "10", "0", "0", "1"),
                                     "XX ignored record",
                                 }));
    EXPECT_EQ(r.book, crlf(header("Cantiere 7") +
                           std::vector<std::string>{"#stazione_gps#", "7", " 4462041.67873038", " 706717.973990465",
                                                    " 4487419.11954401", " 1.6", "base ovest"} +
                           block_tail("11/10/2009", "13:13") +
                           std::vector<std::string>{
                               "101|0|100|1.61554457443259E-13|2|palo|PALO|0,0,0,0,0,0|3|2|",
                               "102|100|1.61554457443259E-13|1.61554457443259E-13|1.8|nn|NN|0,0,0,0,0,0|3|2|",
                               "non_valido|0|0|10|1|nn|NN|0,0,0,0,0,0|3|2|",
                               "#stazione#",
                               "12",
                               "1.55",
                               "muro nord   ",
                               "12|123.4567|98.1234|25.5|1.5|muro|MURO|",
                               "P5|0|100|INT|1.5|nn|NN|",
                           } +
                           kTrailer));
    EXPECT_EQ(r.boxes, (std::vector<std::string>{test::kNoticeBox, kSuccess}));
    EXPECT_FALSE(r.busy_after);
}

TEST(ImpDc, NameRule)
{
    const struct {
        const char* field;
        const char* name;
    } cases[] = {{"0012", "12"}, {"a1", "A1"}, {"12A", "12"}, {"12.5", "12"}, {"13.5", "14"}, {"12.6", "13"},
                 {"1E2", "100"}, {"-3", "-3"},  {"0", "0"},    {"000", "000"}, {"st1", "ST1"}, {"", ""}};
    for (const auto& c : cases) EXPECT_EQ(trimble_dc::point_name(c.field), c.name) << c.field;
}

TEST(ImpDc, RepeatedStationRecords)
{
    Harness h;
    h.cli();
    h.options.op_note = 0;
    h.options.tipo_od = true;
    // "12" twice is one station; "0012" twice opens a second station "12"
    // (the field is compared before the name rule); A, B, A are three.
    const auto r = h.run(imp_dc, crlf({station("12"), reading("1", "10", "100", "0"), station("12"),
                                       reading("2", "20", "100", "0"), station("0012"), station("0012"),
                                       reading("3", "30", "100", "0"), station("A"), reading("4", "1", "1", "1"),
                                       station("B"), reading("5", "1", "1", "1"), station("A"),
                                       reading("6", "1", "1", "1")}));
    EXPECT_EQ(r.book, crlf(header("Trimble Survey Controller", "OD") +
                           std::vector<std::string>{
                               "#stazione#", "12", "0", "stazione", "1|0|100|10|0|nn|NN|", "2|0|100|20|0|nn|NN|",
                               "#stazione#", "12", "0", "stazione", "3|0|100|30|0|nn|NN|",
                               "#stazione#", "A",  "0", "stazione", "4|1|1|1|0|nn|NN|",
                               "#stazione#", "B",  "0", "stazione", "5|1|1|1|0|nn|NN|",
                               "#stazione#", "A",  "0", "stazione", "6|1|1|1|0|nn|NN|"} +
                           kTrailer));
    EXPECT_EQ(r.boxes, std::vector<std::string>{kEmptyStation});
}

TEST(ImpDc, PrismConstantAndAngleUnit)
{
    Harness h;
    h.cli();
    const auto r = h.run(imp_dc, crlf({station("1"),
                                       reading("10", "5", "90", "90"),  // before "00": gon
                                       unit("1"), target("", "-30"),
                                       reading("11", "100", "90", "90"),
                                       // No distance measured: the constant is not applied.
                                       reading("12", "", "180", "360"), unit("9"), reading("13", "0", "90", "90"),
                                       target("1.3", "0"), reading("14", "", "90", "90")}));
    EXPECT_EQ(r.book, crlf(header() +
                           std::vector<std::string>{"#stazione#", "1", "0", "stazione", "10|90|90|5|0|nn|NN|",
                                                    "11|100|100|99.97|0|nn|NN|", "12|400|200|INT|0|nn|NN|",
                                                    "13|90|90|INT|0|nn|NN|", "14|90|90|INT|1.3|nn|NN|"} +
                           kTrailer));
    EXPECT_TRUE(r.boxes.empty());
}

TEST(ImpDc, VectorAntennaHeights)
{
    Harness h;
    h.cli();
    const auto r = h.run(imp_dc, crlf({base("3"), vector("1", "1", "0", "0"), columns({{1, "57"}, {5, "1.75"}}),
                                       vector("2", "1", "0", "0"), vector("3", "1", "0", "0", "1.2"),
                                       vector("", "1", "0", "0")}));
    EXPECT_EQ(r.book, crlf(header() +
                           std::vector<std::string>{"#stazione_gps#", "3", " 0", " 0", " 0", " 0", "stazione_gps"} +
                           block_tail("11/10/2009", "13:13") +
                           std::vector<std::string>{"1|0|0|1|0|nn|NN|0,0,0,0,0,0|3|2|",
                                                    "2|0|0|1|1.75|nn|NN|0,0,0,0,0,0|3|2|",
                                                    "3|0|0|1|1.2|nn|NN|0,0,0,0,0,0|3|2|",
                                                    "non_valido|0|0|1|1.75|nn|NN|0,0,0,0,0,0|3|2|"} +
                           kTrailer));
}

TEST(ImpDc, BaseWithoutVectorsIsReportedAndLeftOut)
{
    Harness h;
    h.cli();
    h.options.op_note = 0;
    const auto r = h.run(imp_dc, crlf({base("1"), vector("5", "1", "0", "0", "", "Pt"), base("2"), base("3"),
                                       vector("6", "1", "0", "0", "", "Pt"), station("9")}));
    const std::vector<std::string> empty_base{" 0", " 0", " 0", " 0", "stazione_gps"};
    EXPECT_EQ(r.book, crlf(header() + std::vector<std::string>{"#stazione_gps#", "1"} + empty_base +
                           block_tail("11/10/2009", "13:13") +
                           std::vector<std::string>{"5|0|0|1|0|Pt|NN|0,0,0,0,0,0|3|2|", "#stazione_gps#", "3"} +
                           empty_base + block_tail("11/10/2009", "13:13") +
                           std::vector<std::string>{"6|0|0|1|0|Pt|NN|0,0,0,0,0,0|3|2|"} + kTrailer));
    EXPECT_EQ(r.boxes, (std::vector<std::string>{kEmptyBase, kEmptyStation}));
}

TEST(ImpDc, NothingFound)
{
    Harness h;
    h.cli();
    // Only job and header records, or readings and vectors before any
    // station or base.
    for (const auto& input : {crlf({columns({{1, "95"}, {5, "Lavoro"}}), unit("1")}),
                              crlf({reading("1", "1", "1", "1"), vector("1", "1", "1", "1"),
                                    columns({{1, "13"}, {6, "45"}}), columns({{1, "E0"}, {21, "1.5"}})}),
                              std::string()}) {
        const auto r = h.run(imp_dc, input);
        EXPECT_TRUE(r.book_exists);
        EXPECT_EQ(r.book, "");
        EXPECT_EQ(r.boxes, std::vector<std::string>{kNothingFound});
    }
}

TEST(ImpDc, StationsWithoutReadingsAreNothingFound)
{
    // Each station is reported, then the book holds nothing: no success.
    for (const bool cli : {true, false}) {
        Harness h;
        h.cli(cli);
        const auto r = h.run(imp_dc, crlf({station("1"), station("2"), station("3")}));
        EXPECT_EQ(r.book, "");
        std::vector<std::string> boxes(3, kEmptyStation);
        boxes.push_back(kNothingFound);
        if (!cli) boxes.insert(boxes.begin(), kNoticeBox);
        EXPECT_EQ(r.boxes, boxes);
    }
}

TEST(ImpDc, InvalidBaseNameStopsTheConversion)
{
    Harness h;
    for (const std::string name : {"", "0", "ab"}) {
        const auto r = h.run(imp_dc, crlf({station("1"), reading("2", "1", "1", "1"), base(name)}));
        EXPECT_TRUE(r.book_exists);
        EXPECT_EQ(r.book, "") << name;
        EXPECT_EQ(r.boxes, (std::vector<std::string>{
                               test::kNoticeBox, "box|excl|Importa file Trimble|Nome stazione non valido.|ok"}));
        EXPECT_FALSE(r.busy_after);
    }
}

TEST(ImpDc, FailuresEndWithAnEmptyBook)
{
    Harness h;
    h.cli();
    const struct {
        std::string line;
        std::string box;
    } cases[] = {
        {unit("x"), "box|excl|Errore inaspettato|Errore codice 13 : Tipo non corrispondente|ok"},
        {unit(" "), "box|excl|Errore inaspettato|Errore codice 13 : Tipo non corrispondente|ok"},
        {"00", "box|excl|Errore inaspettato|Errore codice 13 : Tipo non corrispondente|ok"},
        {station("9999999999"), "box|excl|Errore inaspettato|Errore codice 6 : Overflow|ok"},
        // Angles and positions whose conversion to radians leaves the double
        // range stop the reading, before anything is written.
        {base("5") + "\r\n" + columns({{1, "13"}, {6, "1E308"}, {22, "9"}, {38, "1"}}),
         "box|excl|Errore inaspettato|Errore codice 6 : Overflow|ok"},
        {base("5") + "\r\n" + vector("1", "1", "1.7E308", "0"),
         "box|excl|Errore inaspettato|Errore codice 6 : Overflow|ok"},
    };
    for (const auto& c : cases) {
        const auto r = h.run(imp_dc, crlf({station("1"), reading("2", "1", "1", "1"), c.line}));
        EXPECT_EQ(r.book, "") << c.line;
        EXPECT_EQ(r.boxes, std::vector<std::string>{c.box}) << c.line;
    }
}

}  // namespace
}  // namespace qrb
