// GNSS office project exports: the baseline report and the Quarel template.
#include <gtest/gtest.h>

#include "common/text.hpp"
#include "importers/gnss/gnss_test_support.hpp"
#include "importers/importers.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

using namespace test;

// ---- Baseline report ----

const Lines kBaselineHeader{"#titolo#", "Importazione baseline da file LGO", "#loc#", "Nessuna", "#tipo#", "IZ",
                            "#angoli#", "CENT", "#note#",
                            "Importazione baseline da file Leica Geo Office con estensione cst"};

// The two lines of one record.
Lines record(const std::string& base, const std::string& rover, const std::string& code, const std::string& dx,
             const std::string& covariance = "1;2;3;4;5;6", const std::string& rover_antenna = "1.8")
{
    return {base + ";Pilastro " + base + ";4400000.123;-700000.5;4550000.25;1.5;x;y;" + rover + ";" + code + ";" + dx +
                ";-2.25;.75;",
            covariance + ";u;v;" + rover_antenna};
}

Lines base_block(const std::string& base)
{
    return Lines{"#stazione_gps#", base, " 4400000.123", "-700000.5", " 4550000.25", " 1.5", "Pilastro " + base} +
           block_tail("11/10/2009", "13:13");
}

const Lines kBlockStart{"intestazione", "DATA BLOCK BASELINE", "Ref;Descr;X;Y;Z;..."};

TEST(ImpLgoBaseline, BasesCollectBaselinesInAnyOrder)
{
    Harness h;
    h.options.tipo_od = true;  // the type is always "IZ"
    h.options.op_note = 0;
    const auto r =
        h.run(imp_lgo_baseline,
              crlf(kBlockStart + record("A", "r1", "palo", "10.5") + Lines{"   "} +
                   record("B", "R2", "muro", "1E-5", "1.5E-06;0;0;0;0;2E-06") + record("A", "r3", "", "-0.25") +
                   Lines{"DATA BLOCK DA PUNTI", "A;fuori dal blocco;1;2;3;4;x;y;R9;c;1;2;3;", "1;2;3;4;5;6;u;v;0"}));
    EXPECT_EQ(r.book, crlf(kBaselineHeader + base_block("A") +
                           Lines{"R1|10.5|-2.25|.75|1.8|palo|NN|1,2,3,4,5,6|3||", "R3|-.25|-2.25|.75|1.8||NN|1,2,3,4,5,6|3||"} +
                           base_block("B") + Lines{"R2|1E-05|-2.25|.75|1.8|muro|NN|1.5E-06,0,0,0,0,2E-06|3||"} + kTrailer));
    EXPECT_EQ(r.boxes, (Lines{test::kNoticeBox, "box|info|Importa file LGO|File importato con successo.|ok"}));
}

TEST(ImpLgoBaseline, RecordLinesAndBlocks)
{
    Harness h;
    h.cli();
    // An empty line right after a record's first line is its second line;
    // a second block adds to the bases of the first.
    Lines input = kBlockStart + Lines{"A;d;1;2;3;0;x;y;p1;c;1;2;3;", "", "DATA BLOCK DA PUNTI"} + kBlockStart +
                  Lines{"A;altro;9;9;9;9;x;y;p2;c;4;5;6;1;2;3;4;5;6;u;v;2;"};
    input.push_back("");
    const auto r = h.run(imp_lgo_baseline, crlf(input));
    EXPECT_EQ(r.book, crlf(kBaselineHeader +
                           Lines{"#stazione_gps#", "A", " 1", " 2", " 3", " 0", "d"} + block_tail("11/10/2009", "13:13") +
                           Lines{"P1|1|2|3|0|c|C|,,,,,|3||", "P2|4|5|6|2|c|C|1,2,3,4,5,6|3||"} + kTrailer));
    EXPECT_TRUE(r.boxes.empty());
}

TEST(ImpLgoBaseline, NothingFound)
{
    Harness h;
    h.cli();
    const std::string kBox = "box|excl|Importazione file LGO .cst|File non valido, importazione fallita.|ok";
    for (const auto& input : {crlf({"A;d;1;2;3;0;x;y;p1;c;1;2;3;", "1;2;3;4;5;6;u;v;2"}),
                              crlf({"data block baseline", "heads", "A;d;1;2;3;0;x;y;p1;c;1;2;3;", "1;2;3;4;5;6"}),
                              std::string()}) {
        const auto r = h.run(imp_lgo_baseline, input);
        EXPECT_TRUE(r.book_exists);
        EXPECT_EQ(r.book, "");
        EXPECT_EQ(r.boxes, Lines{kBox});
    }
}

TEST(ImpLgoBaseline, RecordCutShortAtTheEnd)
{
    Harness h;
    h.cli();
    // The complete records are written, then the end-of-input message.
    auto r = h.run(imp_lgo_baseline, crlf(kBlockStart + record("A", "r1", "c", "1") + Lines{"B;cut short"}));
    EXPECT_EQ(r.book, crlf(kBaselineHeader + base_block("A") + Lines{"R1|1|-2.25|.75|1.8|c|C|1,2,3,4,5,6|3||"} +
                           kTrailer));
    EXPECT_EQ(r.boxes, Lines{"box|excl|Importa file LGO|Importazione avvenuta con alcuni errori.|ok"});

    // Nothing complete: the nothing-found box alone.
    r = h.run(imp_lgo_baseline, crlf({"DATA BLOCK BASELINE"}));
    EXPECT_EQ(r.book, "");
    EXPECT_EQ(r.boxes, Lines{"box|excl|Importazione file LGO .cst|File non valido, importazione fallita.|ok"});
}

// ---- Quarel template ----

const std::string kTemplateTitle = "Importazione file LGO Quarel Template";

Lines tps(const std::string& station, const std::string& reading)
{
    return {"[TPS]", station, "1.55", "stazione", reading};
}

Lines gps(const std::string& base, const std::string& vector)
{
    return {"[GPS]", base, "4400000.1", "700000.2", "4550000.3", "0", "nota", "RTK", "L2", "PDOP", "3",
            "01/02/2020", "1 3 : 0 5", "01 / 02 / 2020", " 13:0 5 ", vector};
}

Lines gps_block(const std::string& base)
{
    return {"#stazione_gps#", base, "4400000.1", "700000.2", "4550000.3", "0", "nota", "RTK", "L2", "PDOP", "3",
            "01/02/2020", "13:05", "01 / 02 / 2020", "13:05"};
}

TEST(ImpLgoTemplate, SectionsAreCopiedInTheirOrder)
{
    Harness h;
    h.options.tipo_od = true;
    h.options.op_note = 0;  // not used by this format
    const Lines input =
        Lines{"  [JOB]  ", " Lavoro 12 ", "Rossi 01/02/2020", "ignored line"} +
        tps("S1", " 101 | 12.5 | 99.5 | 20.1 | 1.5 | ,  ,  ,   |  | extra |") + tps("S1", "102|1|2|3|4|a,b-c||") +
        gps("B1", "V1|1.5|-2|3|1.8|,  ,  ,  |Muro|0,0,0,0,0,0|3|2|") + gps("B1", "V2|1|2|3|0|palo|Pt|c|3||") +
        tps("S1", "103|1|2|3|4|x|y|") +
        Lines{"[INT]", "A|1|2|3|4|", "riga 1", "B|5|6|7|8|9|", "C|1|2|3|", "riga 2", "D|1|2|3|4|5|"};
    const auto r = h.run(imp_lgo_template, crlf(input));
    EXPECT_EQ(r.book,
              crlf(Lines{"#titolo#", "Lavoro 12", "#loc#", "Nessuna", "#tipo#", "OD", "#angoli#", "CENT", "#note#",
                         "Lettura file generato da LGO - Operatore e data: Rossi 01/02/2020", "#stazione#", "S1",
                         "1.55", "stazione", "101|12.5|99.5|20.1|1.5|nn|NN|", "102|1|2|3|4|abc|ABC|"} +
                   gps_block("B1") + Lines{"V1|1.5|-2|3|1.8|muro|Muro|0,0,0,0,0,0|3|2|", "V2|1|2|3|0|palo|Pt|c|3||"} +
                   // The station again after a GNSS block opens a new block.
                   Lines{"#stazione#", "S1", "1.55", "stazione", "103|1|2|3|4|x|y|"} +
                   Lines{"#allineamento#", "A|1|2|3|", "riga 1", "B|5|6|7|8|", "#allineamento#", "C|1|2|3|",
                         "riga 2", "D|1|2|3|4|"} +
                   kTrailer));
    EXPECT_EQ(r.boxes, (Lines{test::kNoticeBox, "box|info|" + kTemplateTitle +
                                                    "|L'importazione del file è stata completata.|ok"}));
}

TEST(ImpLgoTemplate, NoteAndCodeCleaning)
{
    const struct {
        const char* note;
        const char* code;
        const char* written;
    } cases[] = {
        {",  ,  ,  ", "", "nn|NN|"},  {",  ,  ,  ", "Muro", "muro|Muro|"}, {"a,b,c", "", "abc|ABC|"},
        {"Casa", "Pt", "Casa|Pt|"},   {"-", "-", "||"},                    {"-,  ,  ,  -", "Muro-1", "muro1|Muro1|"},
        {"Città", "", "città|CITTÀ|"},
    };
    Harness h;
    h.cli();
    for (const auto& c : cases) {
        const std::string reading = std::string("1|2|3|4|5|") + c.note + "|" + c.code + "|";
        const auto r = h.run(imp_lgo_template, utf8_to_cp1252(crlf(tps("S", reading))));
        EXPECT_EQ(cp1252_to_utf8(r.book), crlf(Lines{"#stazione#", "S", "1.55", "stazione",
                                                     std::string("1|2|3|4|5|") + c.written} +
                                               kTrailer))
            << c.note << " / " << c.code;
    }
}

TEST(ImpLgoTemplate, BaseAfterAStationAndSectionsWithoutHeader)
{
    Harness h;
    h.cli();
    // No "[JOB]": no header. A base met again after a station block opens a
    // new GNSS block rather than adding a vector under the station.
    const auto r = h.run(imp_lgo_template, crlf(gps("B1", "V1|1|2|3|0|a|A|c|3|2|") + tps("S1", "1|2|3|4|5|n|N|") +
                                                gps("B1", "V2|1|2|3|0|a|A|c|3|2|") + tps("", "2|2|3|4|5|n|N|") +
                                                tps("", "3|2|3|4|5|n|N|")));
    EXPECT_EQ(r.book, crlf(gps_block("B1") + Lines{"V1|1|2|3|0|a|A|c|3|2|", "#stazione#", "S1", "1.55", "stazione",
                                                   "1|2|3|4|5|n|N|"} +
                           gps_block("B1") +
                           Lines{"V2|1|2|3|0|a|A|c|3|2|", "#stazione#", "", "1.55", "stazione", "2|2|3|4|5|n|N|",
                                 "#stazione#", "", "1.55", "stazione", "3|2|3|4|5|n|N|"} +
                           kTrailer));
    EXPECT_TRUE(r.boxes.empty());
}

TEST(ImpLgoTemplate, SectionCutShortKeepsWhatWasWritten)
{
    Harness h;
    h.cli();
    Lines input = tps("S1", "1|2|3|4|5|n|N|") + gps("B1", "V1|1|2|3|0|a|A|c|3|2|");
    input.resize(input.size() - 4);  // ends after the first date line of the base
    const auto r = h.run(imp_lgo_template, crlf(input));
    EXPECT_EQ(r.book, crlf(Lines{"#stazione#", "S1", "1.55", "stazione", "1|2|3|4|5|n|N|", "#stazione_gps#", "B1",
                                 "4400000.1", "700000.2", "4550000.3", "0", "nota", "RTK", "L2", "PDOP", "3",
                                 "01/02/2020"}));
    EXPECT_EQ(r.boxes, Lines{"box|excl|" + kTemplateTitle +
                             "|Il file dati contiene degli errori, l'importazione non sarà completa.|ok"});
    EXPECT_FALSE(r.busy_after);
}

TEST(ImpLgoTemplate, JobAtTheEndLeavesNoBareTitleTag)
{
    Harness h;
    h.cli();
    const auto r = h.run(imp_lgo_template, crlf(tps("S1", "1|2|3|4|5|n|N|") + Lines{"[JOB]"}));
    EXPECT_EQ(r.book, crlf(Lines{"#stazione#", "S1", "1.55", "stazione", "1|2|3|4|5|n|N|"}));
    EXPECT_EQ(r.boxes, Lines{"box|excl|" + kTemplateTitle +
                             "|Il file dati contiene degli errori, l'importazione non sarà completa.|ok"});
}

TEST(ImpLgoTemplate, MissingInputEndsSilently)
{
    Harness h;
    ImportContext ctx{h.state, h.ui, h.options, h.command_line_path};
    imp_lgo_template(ctx, (h.dir / "assente.cst").string());
    EXPECT_TRUE(h.ui.boxes.empty());
    EXPECT_FALSE(std::filesystem::exists(h.output_path()));
}

}  // namespace
}  // namespace qrb
