#include <gtest/gtest.h>

#include "importers/gsi/gsi_test_lines.hpp"
#include "importers/importers.hpp"

namespace qrb {
namespace {

using namespace test;  // GSI words, book parts and boxes
using V = std::vector<std::string>;

const test::ConverterBoxes kBoxes{"Importa file Leica TCR", "Importazione file Leica TCR"};

const std::string kHeader = test::book_header("Importazione file Leica TCR", "IZ", "File formato Leica TCR 70x");

TEST(ImpTcrGsi, StationsAndReadings)
{
    const V lines = {
        w8("11", "00000001") + w8("84", "00001000") + w8("85", "0") + w8("86", "0") + w8("88", "00001600") +
            w8("71", "0000STAZ"),
        // angles and the distance ignore their sign, the target height keeps it;
        // a remark, coordinates and an instrument height leave no trace
        w8("11", "00000101") + w8("21", "12345678", '-') + w8("22", "09876543") + w8("31", "00012345") +
            w8("87", "00001500", '-') + w8("71", "000CASA0") + w8("79", "00000099") + w8("81", "00001000") +
            w8("82", "00001000") + w8("83", "00001000") + w8("88", "00009999"),
        w8("11", "00000102") + w8("21", "20000000") + w8("22", "10000000"),
        // the height is the 88 word's own, wherever it stands
        "  " + w8("11", "00000002") + w8("84", "0") + w8("88", "00001700") + w8("86", "0") + w8("71", "00000123"),
        w8("11", "00000000") + w8("21", "0") + w8("31", "00002500") + w8("71", "00000012") + w8("22", "10000000"),
        w8("11", "00000003") + w8("84", "0"),  // no 88 word: height 0; no 71 word: empty note
        w8("11", "00000201") + w8("21", "1"),
        "*" + w16("11", "9") + w16("84", "0"),  // GSI-16 lines are skipped
        "410001+00000001 ",
        w8("11", "00000009") + w8("51", "0"),  // other kinds too
    };
    Harness h;
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
                  kTrailer);
    EXPECT_EQ(r.boxes, (V{test::kSaveNotice, kBoxes.success()}));
    EXPECT_FALSE(r.busy_after);
}

TEST(ImpTcrGsi, NamesAndStationWithoutReadings)
{
    const V lines = {
        w8("11", "00000000") + w8("84", "0"),
        w8("11", "00000101") + w8("21", "1") + w8("71", "0000casa"),
        w8("11", "0000AB0C") + w8("84", "0"),
        w8("11", "00010020") + w8("84", "0") + w8("88", "00001550"),
        w8("11", "00000102") + w8("21", "2"),
    };
    Harness h;
    h.cli();
    h.options.op_note = 0;
    h.options.tipo_od = true;
    const auto r = h.run(imp_tcr_gsi, crlf(lines));
    EXPECT_EQ(r.book,
              test::book_header("Importazione file Leica TCR", "OD", "File formato Leica TCR 70x") +
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
                  kTrailer);
    EXPECT_EQ(r.boxes,
              (V{kBoxes.excl("Il file contiene un nome stazione non valido!"),
                 kBoxes.excl("Il file TCR contiene una stazione senza nessuna lettura. (Stazione AB0C) Verrà "
                             "ignorata nell'importazione")}));
}

TEST(ImpTcrGsi, RefusedFiles)
{
    const std::string good = crlf({w8("11", "00000001") + w8("84", "0"), w8("11", "00000002") + w8("21", "1")});
    const std::vector<test::RefusedCase> cases = {
        {"reading before station",
         crlf({w8("11", "00000002") + w8("21", "1")}) + good,
         ok_box("crit",
                "Errore sul file",
                "Impossibile memorizzare un punto senza prima aver definito una stazione. Il file TCR contiene degli "
                "errori, ripetere la procedura di scarico con attenzione.")},
        {"GSI-16 only",
         crlf({"*" + w16("11", "1") + w16("84", "0"), "*" + w16("11", "2") + w16("21", "1")}),
         kBoxes.nothing_found()},
        {"empty file", "", kBoxes.nothing_found()},
    };
    test::expect_refused(imp_tcr_gsi, cases);
}

}  // namespace
}  // namespace qrb
