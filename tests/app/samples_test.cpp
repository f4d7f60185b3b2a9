// The public recordings (other programs' test data, in ../shared/samples
// beside the checkout) through the list entries that may be given them: each
// gives a complete book, or shows only the converter's own boxes; never a
// crash, never the busy pointer left on.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "app/dispatch.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

struct SampleRow {
    const char* folder;                // under the samples folder
    std::vector<const char*> entries;  // list entries the recordings go through
    std::set<std::string> titles;      // the titles of the converters' own boxes
    bool trailer = true;               // a complete book ends with the trailer
};

const std::set<std::string> kLw300Titles = {"Importa file Leica TCR", "Importazione file Leica TCR",
                                            "Importa file Leica GSI"};

const std::set<std::string> kFoifTitles = {"Importa file Foif", "Importazione file Foif", "Errore inaspettato"};
const std::set<std::string> kGts512Titles = {"Importa file Topcon GTS", "Importa file Topcon GST",
                                             "Importazione file Topcon GTS", "Errore inaspettato"};

const std::set<std::string> kGts212Titles = {"Importazione file Topcon GTS 212", "Errore imprevisto"};

const std::set<std::string> kGts3bTitles = {"Importazione file Topcon GTS 3B", "Errore imprevisto"};
const std::set<std::string> kNikonRawTitles = {"Importa file Nikon RAW format", "Importazione file Nikon RAW format"};

const std::set<std::string> kNivoRawTitles = {"Importa file Nikon/Pentax RAW format",
                                              "Importazione file Nikon RAW format"};

const std::set<std::string> kSurvceTitles = {"Importa file Stonex RW5", "Importazione file Stonex/Carlson RW5",
                                             "Attenzione"};

const std::set<std::string> kFieldGeniusTitles = {"Importa file Navcom raw", "Importazione file Navcom RAW",
                                                  "Attenzione"};

const std::vector<SampleRow> kRows = {
    // Leica and GSI word formats
    {"leica_gsi", {"Leica GSI Generico", "Geomax serie ZTS600"},
     {"Importa file Leica GSI", "Importazione file Leica GSI", "Prima stazione", "Errore sul file",
      "Errore inaspettato"}},
    {"leica_gsi", {"Leica (Wild) Gre(4) (modif.)"}, {"Importa file Leica GRE 4", "Importazione file Leica GRE 4"}},
    {"leica_gsi", {"Leica TCR 30x, 70x e 110x (GSI)"},
     {"Importa file Leica TCR", "Importazione file Leica TCR", "Errore sul file"}},
    {"leica_gsi", {"Stonex GSI"},
     {"Importa file Stonex GSI", "Importazione file Stonex GSI", "Errore sul file", "Attenzione"}},
    {"leica_gsi", {"Leica LW300 (TCR 30x, 70x e 110x)", "Leica TOPOPRG (TCR xxx)"}, kLw300Titles},
    {"leica_gsi", {"Leica TCR 1101 (modif.)"}, {"Importa file Leica TCR", "Importazione file Leica TCR"}},
    {"leica_gsi", {"Leica (Wild) Gif 10"}, {"Importa file Wild GIF 10", "Importazione file Wild GIF 10"}},
    {"leica_gsi", {"Leica (Wild) Gif 10-12"}, {"Importa file Wild Gif 10-12"}},
    {"leica_gsi", {"Leica (Wild) TCA 1100", "Leica (Wild) TCA 1100 TC 1000"},
     {"Importa file Wild Gif Leica TCA 1100", "Importa file Wild Leica TCA 1100",
      "Importa file Wild Leica TCA 1100 TC 1000", "Errore inaspettato"}},
    {"leica_gsi", {"Leica (Wild) Gre(3) Gre(4) Gif 12"},
     {"Importa file Wild Gif 12", "Importazione file Wild Gif 12", "Attenzione", "Errore inaspettato"}},

    // GNSS project exports
    {"trimble_dc", {"Trimble Survey Controller (.dc)", "Trimble Survey Controller ver. 6 (.dc)"},
     {"Attenzione", "Importa file Trimble", "Importazione file Trimble dc", "Errore inaspettato"}},

    // GeoForce and X-PAD raw files

    // RW5-style raw records
    {"carlson_rw5", {"Carlson RW5 (coordinate Gauss Boaga)"}, {"Importa file Carlson RW5"}},
    {"nikon_raw", {"Carlson RW5 (coordinate Gauss Boaga)"}, {"Importa file Carlson RW5"}},
    {"carlson_rw5", {"Nikon RAW data format"}, kNikonRawTitles},
    {"nikon_raw", {"Nikon RAW data format"}, kNikonRawTitles},
    {"carlson_rw5", {"Nikon RAW data format (Serie Nivo)", "Pentax RAW data format"}, kNivoRawTitles},
    {"nikon_raw", {"Nikon RAW data format (Serie Nivo)", "Pentax RAW data format"}, kNivoRawTitles},
    {"carlson_rw5", {"Stonex SurvCE estensione RW5"}, kSurvceTitles},
    {"nikon_raw", {"Stonex SurvCE estensione RW5"}, kSurvceTitles},
    {"carlson_rw5", {"Navcom FieldGenius Controller (.raw)", "Foif FieldGenius Controller (.raw)"},
     kFieldGeniusTitles},
    {"nikon_raw", {"Navcom FieldGenius Controller (.raw)", "Foif FieldGenius Controller (.raw)"},
     kFieldGeniusTitles},

    // Nikon recorder files
    {"nikon_dtm", {"Nikon DTM 300"}, {"Importa file Nikon DTM-300", "Errore inaspettato"}, false},
    {"nikon_dtm", {"Nikon DTM 410"},
     {"Importa file Nikon DTM 410", "Importazione file Nikon DTM 410", "Errore inaspettato"}},
    {"nikon_dtm", {"Nikon DTM 851 Registra"},
     {"Importa file Nikon DTM 851", "Importazione file Nikon DTM 851", "Errore inaspettato"}},
    {"nikon_dtm", {"Nikon DTM 520", "Galileo Psion Siscam Geos"},
     {"Importa file Galileo Psion Siscam Geos", "Attenzione", "Errore inaspettato"}},
    {"nikon_dtm", {"Nikon DTM A20 LG HP1000 CX"}, {"Importa file Nikon DTM A20", "Attenzione", "Errore inaspettato"}},
    {"nikon_dtm", {"Nikon DTM 720, Nikon Psion II XP"},
     {"Importa file Strumentale", "Importazione strumentale", "Attenzione", "Errore su imp_dtm720"}},
    {"nikon_dtm", {"Nikon Registra (file PCP)"}, {"Importa file PCP", "Importazione file PCP", "Errore inaspettato"}},
    {"nikon_dtm", {"Nikon Registra (file PRE)"}, {"Importa file PRE", "Importazione file PRE", "Errore inaspettato"}},
    {"nikon_dtm", {"Nikon DTM 700"}, {"Importa file Nikon DTM-700", "Errore inaspettato"}},
    {"nikon_dtm", {"Nikon D-50 Psion"},
     {"Importa file Nikon D-50", "Importazione file Nikon D-50", "Errore inaspettato"}, false},

    // Foif and Topcon keyword and listing files
    {"foif", {"Foif RTS/OTS (prima serie)", "Foif RTS/OTS (seconda serie)"}, kFoifTitles},
    {"topcon_gts", {"Foif RTS/OTS (prima serie)", "Foif RTS/OTS (seconda serie)"}, kFoifTitles},
    {"foif", {"Topcon GTS 512 GTS 700 GTS 800"}, kGts512Titles},
    {"topcon_gts", {"Topcon GTS 512 GTS 700 GTS 800"}, kGts512Titles},
    {"foif", {"Topcon GTS 212"}, kGts212Titles, false},
    {"topcon_gts", {"Topcon GTS 212"}, kGts212Titles, false},
    {"foif", {"Topcon GTS 3B"}, kGts3bTitles, false},
    {"topcon_gts", {"Topcon GTS 3B"}, kGts3bTitles, false},

    // Pentax and Memotop

    // Sokkia SDR, SRG and Reda
    {"sokkia_sdr", {"Sokkia SDR (SDR33)"},
     {"Importa file Sokkia SDR33", "Importazione file SDR33", "Attenzione", "Errore inaspettato"}},
    {"sokkia_sdr", {"Sokkia SDR (SDR2x) (stazione e GPS)"},
     {"Importa file Sokkia SDR2x", "Importazione file SDR2x", "Importa file SDR2x", "Attenzione",
      "Errore inaspettato"}},
    {"sokkia_sdr", {"Sokkia SRG"}, {"Importa file Sokkia SRG", "Importa file SRG", "Errore inaspettato"}},
    {"sokkia_sdr", {"Sokkia Psion Reda II"},
     {"Importa file dati Psion per Sokkia", "File dati Psion per Sokkia", "Errore inaspettato"}},

    // Psion PStore, Kern, Ascodes, SetC and Tabula
    {"sokkia_set", {"Sokkia SetC"}, {"Importa file Sokkia SetC", "Importazione file Sokkia SetC", "Errore inaspettato"}},

    // Zeiss and Trimble fixed-column files
    {"zeiss_r5_m5", {"Zeiss formato R5", "Trimble 3300 Zeiss Elta R45", "Trimble serie 3600"},
     {"Importa file formato R5", "Importazione file formato R5"}},
    {"zeiss_r5_m5", {"Trimble (Zeiss) formato M5"}, {"Importa file formato M5", "Importazione file formato M5"}},

    // Label-line files
    {"geodimeter_label", {"AGA 540 o 640"}, {"Importazione file AGA"}},
    {"geodimeter_label", {"Geotronics GEO", "Trimble serie 5600", "Trimble S6"}, {"Importazione file GEO"}},
    {"geodimeter_label", {"Geodat 122-124 DataLink", "Trimble (ex Geotronics)", "Geodat 400/500"},
     {"Importazione file Geodat", "Attenzione", "Errore imprevisto"}},

    // Zeiss Elta and Psion comma-line files
    {"zeiss_r5_m5",
     {"Zeiss Rec Elta", "Zeiss Elta r45 r55", "Zeiss Psion HC-100 (dati separati)", "Zeiss Elta Psion",
      "Zeiss Salmoiraghi Psion HC-100"},
     {"Importazione file Zeiss Elta", "Importa file strumentale"}},
};

TEST(PublicRecordings, ConvertOrFailWithTheConvertersOwnMessages)
{
    const std::filesystem::path samples = QRB_SAMPLES;
    if (!std::filesystem::is_directory(samples))
        GTEST_SKIP() << test::samples_missing(samples);
    for (const SampleRow& row : kRows) {
        const std::filesystem::path folder = samples / row.folder;
        ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder.string();
        int files = 0;
        for (const auto& file : std::filesystem::recursive_directory_iterator(folder)) {
            if (!file.is_regular_file()) continue;
            ++files;
            const std::string input = test::read_file(file.path());
            for (const char* entry : row.entries) {
                const std::string where = std::string(entry) + " on " + file.path().filename().string();
                test::Harness h;
                h.cli();
                const auto r = h.run(
                    [entry](ImportContext& ctx, const std::string& path) { dispatch_import(ctx, entry, path); },
                    input);
                EXPECT_FALSE(r.busy_after) << where;
                EXPECT_TRUE(r.book_exists) << where;
                const bool complete =
                    r.book.starts_with("#titolo#\r\n") && (!row.trailer || r.book.ends_with("#origine#\r\n0|0|0|\r\n"));
                if (!complete) {
                    EXPECT_FALSE(r.boxes.empty()) << where << ": an incomplete book without a message";
                }
                for (const auto& box : h.ui.boxes)
                    EXPECT_TRUE(row.titles.contains(box.title)) << where << ": " << box.title << ": " << box.text;
            }
        }
        EXPECT_GT(files, 0) << folder.string();
    }
}

}  // namespace
}  // namespace qrb
