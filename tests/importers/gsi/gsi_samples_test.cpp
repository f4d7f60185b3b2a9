#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "app/instrument_list.hpp"
#include "importers/importers.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

// Every public GSI recording through the list entries of these converters: a
// complete book, or only the converter's own boxes.
TEST(GsiSamples, ConvertOrFailWithTheConvertersOwnMessage)
{
    const std::set<std::string> kLw300Titles = {"Importa file Leica TCR", "Importazione file Leica TCR",
                                                "Importa file Leica GSI"};
    const struct {
        const char* entry;
        Converter convert;
        std::set<std::string> titles;  // the titles of the converter's boxes
    } converters[] = {
        {"Leica (Wild) Gre(4) (modif.)", &imp_gre4, {"Importa file Leica GRE 4", "Importazione file Leica GRE 4"}},
        {"Leica TCR 30x, 70x e 110x (GSI)",
         &imp_tcr_gsi,
         {"Importa file Leica TCR", "Importazione file Leica TCR", "Errore sul file"}},
        {"Stonex GSI",
         &imp_stonex_gsi,
         {"Importa file Stonex GSI", "Importazione file Stonex GSI", "Errore sul file", "Attenzione"}},
        {"Leica LW300 (TCR 30x, 70x e 110x)", &imp_lw300, kLw300Titles},
        {"Leica TOPOPRG (TCR xxx)", &imp_lw300, kLw300Titles},
        {"Leica TCR 1101 (modif.)", &imp_tcr1101, {"Importa file Leica TCR", "Importazione file Leica TCR"}},
    };
    for (const auto& c : converters) {
        const InstrumentEntry* entry = find_instrument(c.entry);
        ASSERT_NE(entry, nullptr) << c.entry;
        EXPECT_EQ(find_converter(entry->converter), c.convert) << c.entry;
    }
    const std::filesystem::path samples = std::filesystem::path(QRB_SAMPLES) / "leica_gsi";
    if (!std::filesystem::exists(samples)) GTEST_SKIP() << test::samples_missing(samples);
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(samples)) {
        if (!entry.is_regular_file()) continue;
        ++files;
        const std::string input = test::read_file(entry.path());
        for (const auto& c : converters) {
            const std::string where = std::string(c.entry) + " on " + entry.path().filename().string();
            test::Harness h;
            h.cli();
            const auto r = h.run(c.convert, input);
            EXPECT_TRUE(r.book_exists) << where;
            if (!r.book.empty()) {
                EXPECT_TRUE(r.book.starts_with("#titolo#\r\n")) << where;
                EXPECT_TRUE(r.book.ends_with("#origine#\r\n0|0|0|\r\n")) << where;
            } else {
                EXPECT_FALSE(r.boxes.empty()) << where;
            }
            for (const auto& box : h.ui.boxes) EXPECT_TRUE(c.titles.contains(box.title)) << where << ": " << box.title;
            EXPECT_FALSE(r.busy_after) << where;
        }
    }
    EXPECT_GT(files, 0);
}

}  // namespace
}  // namespace qrb
