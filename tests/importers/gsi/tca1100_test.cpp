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
using test::w8;

std::string header(const std::string& type = "IZ")
{
    return test::book_header("Importazione file", "Importazione file Wild Leica TCA 1100", type);
}

// A measurement with signed angles.
std::string measurement(std::string_view point, char hz_sign, std::string_view hz, char v_sign, std::string_view v,
                        std::string_view dist)
{
    return gsi8({w8("11", point, '+', "0001"), w8("21", hz, hz_sign, ".102"), w8("22", v, v_sign, ".102"),
                 w8("31", dist, '+', "..00")});
}

// Block codes stand in the last data character of word 1.
const std::string kInput = crlf({
    measurement("00000001", '+', "10000000", '+', "10000000", "00001000"),  // before any station: left out
    block("00000001", {"00000S01", "00001500", "00001600"}),  // station before any note
    measurement("0000A0B0", '+', "10000000", '-', "00012345", "00012045"),
    block("00000005", {"0000ABCD"}),  // note
    block("00000004", {"00001700"}),  // target height (TC 1000 only)
    measurement("00010020", '+', "00000500", '+', "09999999", "00000000"),
    block("00000003", {"000X0000"}),  // note (TC 1000 only)
    block("00000001", {"00000000", "00000000", "00002000"}),
    block("00000002", {"00001800"}),  // target height
    block("00000009", {"00009999"}),  // unknown code
    measurement("00000000", '-', "00000000", '+', "00000000", "00000000"),
});

struct Variant {
    const char* name;
    test::ConverterFn converter;
    std::vector<std::string> body;
    std::string success_title;
};

TEST(Tca1100, BothVariantsOnOneInput)
{
    const Variant variants[] = {
        {"TCA 1100", imp_tca1100,
         {"#stazione#", "s01", "1.500", "",
          "a0b0|100.00000|-0.12345|12.045|1.600||NN|",
          "10020|0.00500|99.99999|INT|1.600|ABCD|NN|",
          "#stazione#", "", "0.000", "ABCD",
          "|-0.00000|0.00000|INT|1.800|ABCD|NN|"},
         "Importa file Wild Leica TCA 1100"},
        {"TCA 1100 TC 1000", imp_tca1100_tc1000,
         {"#stazione#", "s01", "1.500", "",
          "a0b0|100.00000|-0.12345|12.045||||",
          "10020|0.00500|99.99999|INT|1.700|ABCD|ABCD|",
          "#stazione#", "", "0.000", "X0000",
          "|-0.00000|0.00000|INT|1.800|X0000|X0000|"},
         "Importa file Wild Leica TCA 1100 TC 1000"},
    };
    for (const auto& v : variants) {
        Harness h;
        const auto r = h.run(v.converter, kInput);
        EXPECT_EQ(r.book, header() + crlf(v.body) + test::kTrailerLines) << v.name;
        EXPECT_EQ(r.boxes, (std::vector<std::string>{test::kNoticeBox,
                                                     "box|info|" + v.success_title + "|File importato con successo.|ok"}))
            << v.name;
        EXPECT_FALSE(r.busy_after) << v.name;
    }
}

TEST(Tca1100, CodeFieldFollowsOpNoteOnlyInTheTc1000Variant)
{
    const std::string input = crlf({block("00000005", {"0000casa"}), block("00000001", {"00000012", "00001550", "00000000"}),
                                    measurement("00000001", '+', "10000000", '+', "10000000", "00001000")});
    const struct {
        const char* name;
        test::ConverterFn converter;
        int op_note;
        std::string reading;
    } cases[] = {
        {"TCA 1100, ticked", imp_tca1100, 1, "1|100.00000|100.00000|1.000|0.000|casa|NN|"},
        {"TC 1000, ticked", imp_tca1100_tc1000, 1, "1|100.00000|100.00000|1.000||casa|CASA|"},
        {"TC 1000, not ticked", imp_tca1100_tc1000, 0, "1|100.00000|100.00000|1.000||casa|NN|"},
    };
    for (const auto& c : cases) {
        Harness h;
        h.cli();
        h.options.op_note = c.op_note;
        h.options.tipo_iz = false;
        h.options.tipo_od = true;
        const auto r = h.run(c.converter, input);
        EXPECT_EQ(r.book, header("OD") + crlf({"#stazione#", "12", "1.550", "casa", c.reading}) + test::kTrailerLines)
            << c.name;
        EXPECT_TRUE(r.boxes.empty()) << c.name;
    }
}

TEST(Tca1100, FieldsCutShortGiveTheDigitsThereAre)
{
    Harness h;
    h.cli();
    const auto r = h.run(imp_tca1100, crlf({"410001+00000001 42....+00000012 43....+0000155",
                                            "110001+00000003 21.102+10000000 22.102-000"}));
    EXPECT_EQ(r.book, header() + crlf({"#stazione#", "12", "1.55", "", "3|100.00000|-0|INT|0||NN|"}) +
                          test::kTrailerLines);
}

TEST(Tca1100, NoMeasurementsAreNothingFound)
{
    const struct {
        void (*converter)(ImportContext&, const std::string&);
        const char* title;
    } cases[] = {{imp_tca1100, "Importa file Wild Leica TCA 1100"},
                 {imp_tca1100_tc1000, "Importa file Wild Leica TCA 1100 TC 1000"}};
    for (const auto& c : cases) {
        Harness h;
        h.cli();
        const auto r = h.run(c.converter, crlf({"", "41", block("00000009"), "21.102+10000000"}));
        EXPECT_EQ(r.book, "");
        EXPECT_EQ(r.boxes, std::vector<std::string>{std::string("box|excl|") + c.title +
                                                    "|File non valido, importazione fallita.|ok"});
    }
}

}  // namespace
}  // namespace qrb
