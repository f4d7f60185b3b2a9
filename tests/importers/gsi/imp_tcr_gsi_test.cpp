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

const std::string kHeader = test::book_header("Importazione file Leica TCR", "File formato Leica TCR 70x", "IZ");

TEST(ImpTcrGsi, StationsAndReadings)
{
    const V lines = {
        word8("11", "00000001") + word8("84", "00001000") + word8("85", "0") + word8("86", "0") +
            word8("88", "00001600") + word8("71", "0000STAZ"),
        // angles and the distance ignore their sign, the target height keeps it;
        // a remark, coordinates and an instrument height leave no trace
        word8("11", "00000101") + word8("21", "12345678", '-') + word8("22", "09876543") + word8("31", "00012345") +
            word8("87", "00001500", '-') + word8("71", "000CASA0") + word8("79", "00000099") + word8("81", "00001000") +
            word8("82", "00001000") + word8("83", "00001000") + word8("88", "00009999"),
        word8("11", "00000102") + word8("21", "20000000") + word8("22", "10000000"),
        // the height is the 88 word's own, wherever it stands
        "  " + word8("11", "00000002") + word8("84", "0") + word8("88", "00001700") + word8("86", "0") +
            word8("71", "00000123"),
        word8("11", "00000000") + word8("21", "0") + word8("31", "00002500") + word8("71", "00000012") +
            word8("22", "10000000"),
        word8("11", "00000003") + word8("84", "0"),  // no 88 word: height 0; no 71 word: empty note
        word8("11", "00000201") + word8("21", "1"),
        "*" + word16("11", "9") + word16("84", "0"),  // GSI-16 lines are skipped
        "410001+00000001 ",
        word8("11", "00000009") + word8("51", "0"),  // other kinds too
    };
    test::Harness h;
    const auto r = h.run(imp_tcr_gsi, crlf(lines));
    EXPECT_EQ(r.book,
              kHeader +
                  crlf({"#stazione#",
                        "1",
                        "1.6",
                        "STAZ",
                        "101|123.4568|98.76543|12.345|-1.5|CASA|CASA|",
                        "102|200|100|INT|0|||",
                        "#stazione#",
                        "2",
                        "1.7",
                        "123",
                        "non_valido|0|100|2.5|0|12|12|",
                        "#stazione#",
                        "3",
                        "0",
                        "",
                        "201|1E-05|0|INT|0|||"}) +
                  kTrailerLines);
    EXPECT_EQ(r.boxes, (V{test::kNoticeBox, kBoxes.success()}));
    EXPECT_FALSE(r.busy_after);
}

TEST(ImpTcrGsi, NamesAndStationWithoutReadings)
{
    const V lines = {
        word8("11", "00000000") + word8("84", "0"),
        word8("11", "00000101") + word8("21", "1") + word8("71", "0000casa"),
        word8("11", "0000AB0C") + word8("84", "0"),
        word8("11", "00010020") + word8("84", "0") + word8("88", "00001550"),
        word8("11", "00000102") + word8("21", "2"),
    };
    test::Harness h;
    h.cli();
    h.options.op_note = 0;
    h.options.tipo_od = true;
    const auto r = h.run(imp_tcr_gsi, crlf(lines));
    EXPECT_EQ(r.book,
              test::book_header("Importazione file Leica TCR", "File formato Leica TCR 70x", "OD") +
                  crlf({"#stazione#",
                        "nome_non_valido",
                        "0",
                        "",
                        "101|1E-05|0|INT|0|casa|NN|",
                        "#stazione#",
                        "10020",
                        "1.55",
                        "",
                        "102|2E-05|0|INT|0||NN|"}) +
                  kTrailerLines);
    EXPECT_EQ(r.boxes,
              (V{kBoxes.excl("Il file contiene un nome stazione non valido!"),
                 kBoxes.excl("Il file TCR contiene una stazione senza nessuna lettura. (Stazione AB0C) Verrà "
                             "ignorata nell'importazione")}));
}

TEST(ImpTcrGsi, RefusedFiles)
{
    const std::string good =
        crlf({word8("11", "00000001") + word8("84", "0"), word8("11", "00000002") + word8("21", "1")});
    const std::vector<test::RefusedCase> cases = {
        {"reading before station",
         crlf({word8("11", "00000002") + word8("21", "1")}) + good,
         ok_box("crit",
                "Errore sul file",
                "Impossibile memorizzare un punto senza prima aver definito una stazione. Il file TCR contiene degli "
                "errori, ripetere la procedura di scarico con attenzione.")},
        {"GSI-16 only",
         crlf({"*" + word16("11", "1") + word16("84", "0"), "*" + word16("11", "2") + word16("21", "1")}),
         kBoxes.nothing_found()},
        {"empty file", "", kBoxes.nothing_found()},
    };
    test::expect_refused(imp_tcr_gsi, cases);
}

}  // namespace
}  // namespace qrb
