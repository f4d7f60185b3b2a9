#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "importers/importers.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

// Every public GSI recording through every converter of a fixed-layout or
// word-index GSI entry: a complete book, or only the converter's own boxes.
TEST(GsiSamples, ConvertOrFailWithTheConvertersOwnMessage)
{
    const struct {
        const char* name;
        Converter convert;
        std::set<std::string> titles;  // the titles of the converter's boxes
    } converters[] = {
        {"imp_gre4", &imp_gre4, {"Importa file Leica GRE 4", "Importazione file Leica GRE 4"}},
        {"imp_tcr_gsi", &imp_tcr_gsi, {"Importa file Leica TCR", "Importazione file Leica TCR", "Errore sul file"}},
        {"imp_stonex_gsi",
         &imp_stonex_gsi,
         {"Importa file Stonex GSI", "Importazione file Stonex GSI", "Errore sul file", "Attenzione"}},
        {"imp_lw300", &imp_lw300, {"Importa file Leica TCR", "Importazione file Leica TCR", "Importa file Leica GSI"}},
        {"imp_tcr1101", &imp_tcr1101, {"Importa file Leica TCR", "Importazione file Leica TCR"}},
    };
    const std::filesystem::path samples = std::filesystem::path(QRB_SAMPLES) / "leica_gsi";
    if (!std::filesystem::exists(samples)) GTEST_SKIP() << "no samples";
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(samples)) {
        if (!entry.is_regular_file()) continue;
        ++files;
        const std::string input = test::read_file(entry.path());
        for (const auto& c : converters) {
            const std::string where = std::string(c.name) + " on " + entry.path().filename().string();
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
