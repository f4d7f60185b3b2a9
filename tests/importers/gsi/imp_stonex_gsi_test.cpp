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

const test::ConverterBoxes kBoxes{"Importa file Stonex GSI", "Importazione file Stonex GSI"};

const std::string kHeader = test::book_header("Importazione file Stonex GSI", "File formato Stonex GSI", "IZ");
const std::string kEmptyStation =
    ok_box("excl", "Attenzione",
           "Il file Stonex GSI contiene una stazione senza nessuna lettura. Verrà ignorata nell'importazione");

// A code block: code, station name, instrument height (mm).
std::string code_block(const std::string& code, const std::string& station, const std::string& height = "0")
{
    return "*" + word16("41", code) + word16("42", station) + word16("43", "9") + word16("44", height);
}

TEST(ImpStonexGsi, StationsReadingsAndKnownPoints)
{
    const V lines = {
        code_block("ST0100", "1", "1550"),
        "*" + word16("11", "101") + word16("21", "12345678", '-') + word16("22", "9876543") + word16("31", "12345") +
            word16("87", "1600", '-') + word16("84", "5") + word16("88", "9"),
        // a measurement with coordinates is a reading and a known point; its
        // remark is the reading's code and the point's note
        "*" + word16("11", "P1") + word16("81", "1000") + word16("82", "2500", '-') + word16("83", "500") +
            word16("71", "000000000000CA0S"),
        "*" + word16("11", "102") + word16("71", "0000000000000012") + word16("81", "0") + word16("82", "0") +
            word16("83", "0"),
        "",
        // RE: back to the stations defined; station 9 is not created
        code_block("RE", "9", "1234"),
        "*" + word16("11", "103") + word16("31", "1000"),
        code_block("0000000000000PR1", "2", "1300"),
        "*" + word16("11", "201") + word16("21", "1"),
        // a station named again continues with its readings; its note stays,
        // its height is the later one
        code_block("ST0100", "1", "1700"),
        "*" + word16("11", "104") + word16("22", "2"),
        // a name of zeros or with a point: the rest of the block is ignored
        code_block("XX", "0", "2000"),
        code_block("YY", "1.5", "2000"),
        "*" + word16("11", "105"),
        "*" + word16("11", "0") + word16("81", "1000"),  // no name: nothing from this line
        "*" + word16("51", "1"),                         // other kinds are skipped
    };
    test::Harness h;
    const auto r = h.run(imp_stonex_gsi, crlf(lines));
    EXPECT_EQ(r.book,
              kHeader +
                  crlf({"#stazione#",
                        "1",
                        "1.7",
                        "ST 1  ",
                        "101|123.4568|98.76543|12.345|-1.6|ST 1  |ST 1  |",
                        "P1|0|0|INT|0|CA S|CA S|",
                        "102|0|0|INT|0|12|12|",
                        "103|0|0|1|0|RE|RE|",
                        "104|0|2E-05|INT|0|ST 1  |ST 1  |",
                        "105|0|0|INT|0|YY|YY|",
                        "#stazione#",
                        "2",
                        "1.3",
                        "PR1",
                        "201|1E-05|0|INT|0|PR1|PR1|",
                        "#passnoto#",
                        "P1|1|-2.5|.5|CA S|NN||"}) +
                  kTrailerLines);
    EXPECT_EQ(r.boxes, (V{test::kNoticeBox, kBoxes.success()}));
    EXPECT_FALSE(r.busy_after);
}

TEST(ImpStonexGsi, StationWithoutReadingsAndCoordinatesOnly)
{
    std::string long_line = "*" + word16("11", "2");
    for (int k = 0; k < 14; ++k) long_line += word16("51", "1");
    long_line += word16("81", "1000");  // the 16th word is not read
    const V lines = {
        code_block("A", "1"),
        code_block("B", "2"),
        "*" + word16("11", "1") + word16("81", "1000") + word16("82", "2000") + word16("83", "3000"),
        // words before the point word have no reading to go to: nothing changes
        "*11 " + word16("21", "5") + word16("81", "7000"),
        long_line,
        "*" + word16("11", "3") + word16("83", "1", '-') + word16("71", "0"),  // a remark of zeros is "NN"
    };
    test::Harness h;
    h.cli();
    h.options.op_note = 0;
    const auto r = h.run(imp_stonex_gsi, crlf(lines));
    EXPECT_EQ(r.book,
              kHeader +
                  crlf({"#stazione#",
                        "2",
                        "0",
                        "B",
                        "1|0|0|INT|0|B|NN|",
                        "2|0|0|INT|0|B|NN|",
                        "3|0|0|INT|0|NN|NN|",
                        "#passnoto#",
                        "1|1|2|3|B|NN||",
                        "#passnoto#",
                        "3|0|0|-.001|NN|NN||"}) +
                  kTrailerLines);
    EXPECT_EQ(r.boxes, V{kEmptyStation});
}

TEST(ImpStonexGsi, StationNamesMatchWithCase)
{
    // "s1" and "S1" are two stations; a code block naming "s1" again goes
    // back to the first. Block codes are upper-cased.
    const V lines = {
        code_block("st", "s1"),
        "*" + word16("11", "1") + word16("21", "10000000"),
        code_block("xy", "S1"),
        "*" + word16("11", "2") + word16("21", "20000000"),
        code_block("zz", "s1"),
        "*" + word16("11", "3") + word16("21", "30000000"),
    };
    test::Harness h;
    h.cli();
    h.options.op_note = 0;
    const auto r = h.run(imp_stonex_gsi, crlf(lines));
    EXPECT_EQ(r.book, kHeader +
                          crlf({"#stazione#", "s1", "0", "ST", "1|100|0|INT|0|ST|NN|", "3|300|0|INT|0|ZZ|NN|",
                                "#stazione#", "S1", "0", "XY", "2|200|0|INT|0|XY|NN|"}) +
                          kTrailerLines);
    EXPECT_TRUE(r.boxes.empty());
}

TEST(ImpStonexGsi, RefusedFiles)
{
    const std::vector<test::RefusedCase> cases = {
        {"reading before station",
         crlf({"*" + word16("11", "1") + word16("21", "1"), code_block("A", "1")}),
         ok_box("crit",
                "Errore sul file",
                "Impossibile memorizzare un punto senza prima aver definito una stazione. Il file GSI contiene degli "
                "errori, ripetere la procedura di scarico con attenzione.")},
        // without a leading mark every line loses its first digit
        {"GSI-8 without mark",
         crlf({"410001+0000ST01 420002+00000001 ", word8("11", "00000001") + word8("21", "1")}),
         kBoxes.nothing_found()},
        {"RE only", crlf({code_block("RE", "1")}), kBoxes.nothing_found()},
        {"empty file", "", kBoxes.nothing_found()},
    };
    test::expect_refused(imp_stonex_gsi, cases);
}

}  // namespace
}  // namespace qrb
