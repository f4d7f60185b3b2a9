#include <gtest/gtest.h>

#include <filesystem>

#include "common/text.hpp"
#include "importers/importers.hpp"
#include "importers/gsi/gsi_test_lines.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

using test::crlf;
using V = std::vector<std::string>;

using test::kTrailerLines;
using test::word16;
using test::word8;

std::string header(const std::string& type = "IZ")
{
    return test::book_header("Importazione file Leica GSI", "File formato Leica GSI generico", type);
}

const std::string kNotice = test::kNoticeBox;
const std::string kSuccess = "box|info|Importa file Leica GSI|File importato con successo.|ok";

// One station with height 1.55 and two readings, in GSI-8.
const V kGsi8 = {
    word8("11", "00000001") + word8("84", "0") + word8("85", "0") + word8("86", "0") + word8("88", "00001550") + word8("71", "0000STAZ"),
    word8("11", "00000101") + word8("21", "12345678", '-') + word8("22", "09876543") + word8("31", "00012345") +
        word8("87", "00001600") + word8("71", "000CASA0"),
    word8("11", "00000102") + word8("21", "20000000") + word8("22", "10000000") + word8("71", "00000012"),
};

const std::string kGsi8Book = header() + crlf({"#stazione#", "1", "1.55", "STAZ",
                                               "101|123.4568|98.76543|12.345|1.6|CASA|CASA|",
                                               "102|200|100|INT|0|12|12|"}) +
                              kTrailerLines;

TEST(ImpGsi, Gsi8StationAndReadings)
{
    test::Harness h;
    const auto r = h.run(imp_gsi, crlf(kGsi8));
    EXPECT_EQ(r.book, kGsi8Book);
    EXPECT_EQ(r.boxes, (V{kNotice, kSuccess}));
    EXPECT_FALSE(r.busy_after);
}

TEST(ImpGsi, LineEndsDoNotMatter)
{
    test::Harness h;
    h.cli();
    std::string lf, cr;
    for (const auto& l : kGsi8) {
        lf += l + "\n";
        cr += l + "\r";
    }
    EXPECT_EQ(h.run(imp_gsi, lf).book, kGsi8Book);
    EXPECT_EQ(h.run(imp_gsi, cr).book, kGsi8Book);
    // A GSI-8 file gives the same book with double precision ticked.
    h.options.op_gen = 1;
    EXPECT_EQ(h.run(imp_gsi, crlf(kGsi8)).book, kGsi8Book);
}

TEST(ImpGsi, Gsi16WithAndWithoutDoublePrecision)
{
    const V lines = {
        "*" + word16("11", "1") + word16("84", "0") + word16("88", "1550") + word16("71", "0000STAZ"),
        "*" + word16("11", "101") + word16("21", "12345678") + word16("22", "9876543") + word16("31", "12345") +
            word16("87", "1600") + word16("71", "CASA"),
    };
    test::Harness h;
    h.cli();
    EXPECT_EQ(h.run(imp_gsi, crlf(lines)).book,
              header() + crlf({"#stazione#", "1", "1.55", "STAZ", "101|123.4568|98.76543|12.345|1.6|CASA|CASA|"}) +
                  kTrailerLines);
    h.options.op_gen = 1;
    EXPECT_EQ(h.run(imp_gsi, crlf(lines)).book,
              header() + crlf({"#stazione#", "1", ".000155", "STAZ",
                               "101|.001234568|.0009876543|.0012345|.00016|CASA|CASA|"}) +
                  kTrailerLines);
}

TEST(ImpGsi, KnownPointsFromEveryLineKind)
{
    const V lines = {
        // station with coordinates: a known point of its own
        word8("11", "00000005") + word8("84", "00010000") + word8("85", "00020500", '-') + word8("86", "00000100") +
            word8("71", "0000BASE"),
        // a reading that also carries coordinates
        word8("11", "00000201") + word8("21", "10000000") + word8("22", "10000000") + word8("31", "00005000") +
            word8("81", "00001000") + word8("82", "00002000") + word8("83", "00000500") + word8("71", "0000SPIG"),
        // a known point without a remark takes the last one read
        word8("11", "0000P300") + word8("81", "00000001") + word8("82", "0") + word8("83", "0"),
        // all zero: dropped
        word8("11", "00000400") + word8("81", "0") + word8("82", "0") + word8("83", "0") + word8("71", "0000ZERO"),
        // the dropped point's remark is the note from now on
        word8("11", "00000500") + word8("81", "00000002", '-') + word8("82", "0") + word8("83", "0"),
    };
    test::Harness h;
    h.cli();
    h.options.op_note = 0;
    h.options.tipo_od = true;
    const auto r = h.run(imp_gsi, crlf(lines));
    EXPECT_EQ(r.book, header("OD") +
                          crlf({"#stazione#", "5", "0", "BASE", "201|100|100|5|0|SPIG|NN|", "#passnoto#",
                                "5|10|-20.5|.1|BASE|NN||", "#passnoto#", "201|1|2|.5|SPIG|NN||", "#passnoto#",
                                "P300|.001|0|0|SPIG|NN||", "#passnoto#", "500|-.002|0|0|ZERO|NN||"}) +
                          kTrailerLines);
    EXPECT_TRUE(r.boxes.empty());
}

TEST(ImpGsi, KnownPointsOnly)
{
    test::Harness h;
    const auto r = h.run(imp_gsi, crlf({word8("11", "00000001") + word8("81", "00001000") + word8("82", "00001000") +
                                        word8("83", "0")}));
    EXPECT_EQ(r.book, header() + crlf({"#passnoto#", "1|1|1|0||NN||"}) + kTrailerLines);
    EXPECT_EQ(r.boxes, (V{kNotice, kSuccess}));
}

TEST(ImpGsi, FirstStationOnTheLastKnownPoint)
{
    const V lines = {
        word8("11", "00000001") + word8("81", "00001000") + word8("82", "00001000") + word8("83", "0") + word8("71", "0000PRIM"),
        word8("11", "00000002") + word8("81", "00002000") + word8("82", "00002000") + word8("83", "0") + word8("71", "0000SECO"),
        word8("11", "00000010") + word8("21", "10000000") + word8("22", "10000000") + word8("31", "00001000"),
    };
    test::Harness h;
    h.cli();
    const auto r = h.run(imp_gsi, crlf(lines));
    EXPECT_EQ(r.book, header() + crlf({"#stazione#", "2", "0", "SECO", "10|100|100|1|0|||", "#passnoto#",
                                       "1|1|1|0|PRIM|NN||", "#passnoto#", "2|2|2|0|SECO|NN||"}) +
                          kTrailerLines);
    EXPECT_EQ(r.boxes, (V{"box|excl|Prima stazione|La stazione di partenza viene definita sull'ultimo punto noto "
                          "trovato nel file. Attenzione: l'altezza strumentale sarà posta a zero (0).|ok"}));
}

TEST(ImpGsi, MeasurementBeforeAnyStationOrPoint)
{
    test::Harness h;
    const auto r = h.run(imp_gsi, crlf({word8("11", "00000010") + word8("21", "10000000")}) + crlf(kGsi8));
    EXPECT_TRUE(r.book_exists);
    EXPECT_EQ(r.book, "");
    EXPECT_EQ(r.boxes, (V{kNotice, "box|crit|Errore sul file|Impossibile memorizzare un punto senza prima aver "
                                   "definito una stazione. Il file GSI contiene degli errori, ripetere la procedura "
                                   "di scarico con attenzione.|ok"}));
    EXPECT_FALSE(r.busy_after);
}

TEST(ImpGsi, InvalidNamesAndStationWithoutReadings)
{
    const V lines = {
        word8("11", "00000000") + word8("84", "0"),
        word8("11", "        ") + word8("21", "10000000"),
        word8("11", "000AB0C0") + word8("84", "0"),  // no readings: skipped, named
        word8("11", "00010020") + word8("84", "0"),
        word8("11", "00000100") + word8("21", "5"),
        "41....+00000001 42....+00000002 ",  // other line kinds are skipped
        word8("11", "00000007") + word8("51", "1"),
    };
    test::Harness h;
    const auto r = h.run(imp_gsi, crlf(lines));
    EXPECT_EQ(r.book, header() + crlf({"#stazione#", "nome_non_valido", "0", "", "non_valido|100|0|INT|0|||",
                                       "#stazione#", "10020", "0", "", "100|5E-05|0|INT|0|||"}) +
                          kTrailerLines);
    EXPECT_EQ(r.boxes,
              (V{kNotice, "box|excl|Importa file Leica GSI|Il file contiene un nome stazione non valido!|ok",
                 "box|excl|Importa file Leica GSI|Il file GSI contiene una stazione senza nessuna lettura. "
                 "(Stazione AB0C0) Verrà ignorata nell'importazione|ok",
                 kSuccess}));
}

TEST(ImpGsi, ValueBeyondSinglePrecisionIsOverflow)
{
    test::Harness h;
    h.cli();
    const auto r = h.run(imp_gsi, crlf({word8("11", "00000001") + word8("84", "0"),
                                        word8("11", "00000101") + word8("21", "0001E045")}));
    EXPECT_EQ(r.book, "");
    EXPECT_EQ(r.boxes, V{"box|excl|Errore inaspettato|Errore codice 6 : Overflow|ok"});
}

TEST(ImpGsi, NothingFoundLeavesAnEmptyFile)
{
    test::Harness h;
    h.cli();
    const auto r = h.run(imp_gsi, crlf({"410001+00000001 ", "hello", word8("11", "1") + word8("22", "1")}));
    EXPECT_TRUE(r.book_exists);
    EXPECT_EQ(r.book, "");
    EXPECT_EQ(r.boxes, V{"box|excl|Importazione file Leica GSI|File non valido, importazione fallita.|ok"});
}

TEST(ImpGsi, WordsByIndexIgnoreOrderAndSixteenthWord)
{
    // Words in any order; a later word of the same index wins; the 16th word is not read.
    std::string m = word8("11", "00000101") + word8("21", "00000000") + word8("31", "00001000") + word8("22", "10000000");
    for (int k = 0; k < 11; ++k) m += word8("51", "1");
    m += word8("21", "30000000");  // 16th word
    const V lines = {word8("11", "00000001") + word8("84", "0"), m,
                     word8("11", "00000102") + word8("21", "1") + "+ " + word8("21", "20000000") + word8("87", "00001500", '-')};
    test::Harness h;
    h.cli();
    EXPECT_EQ(h.run(imp_gsi, crlf(lines)).book,
              header() + crlf({"#stazione#", "1", "0", "", "101|0|100|1|0|||", "102|200|0|INT|-1.5|||"}) +
                  kTrailerLines);
}

TEST(ImpGsi, CancelledSaveWritesNothing)
{
    test::Harness h;
    ImportContext ctx{h.state, h.ui, h.options, ""};
    test::write_file(h.input_path(), crlf(kGsi8));
    h.ui.save_result.reset();
    imp_gsi(ctx, h.input_path().string());
    EXPECT_FALSE(std::filesystem::exists(h.output_path()));
    EXPECT_EQ(h.ui.box_lines(), V{kNotice});
    EXPECT_FALSE(h.ui.busy);
}

}  // namespace
}  // namespace qrb
