// Real Survey Controller recordings through both record layouts: a survey
// book or the converter's own message, never a crash.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "importers/importers.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

TEST(GnssSamples, SurveyControllerRecordings)
{
    const std::filesystem::path folder = std::filesystem::path(QRB_SAMPLES) / "trimble_dc";
    if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << test::samples_missing(folder);
    const std::set<std::string> own_titles{"Attenzione", "Importa file Trimble", "Importazione file Trimble dc",
                                           "Errore inaspettato"};
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        ++files;
        const std::string bytes = test::read_file(entry.path());
        for (const auto converter : {imp_dc, imp_dc6}) {
            test::Harness h;
            h.cli();
            const auto r = h.run(converter, bytes);
            const std::string name = entry.path().filename().string();
            EXPECT_TRUE(r.book_exists) << name;
            EXPECT_FALSE(r.busy_after) << name;
            if (r.book.empty()) {
                EXPECT_FALSE(r.boxes.empty()) << name << ": an empty book without a message";
            } else {
                EXPECT_EQ(r.book.rfind("#titolo#\r\nTrimble Survey Controller\r\n", 0), 0u) << name;
                EXPECT_TRUE(r.book.ends_with("#origine#\r\n0|0|0|\r\n")) << name;
            }
            for (const auto& box : h.ui.boxes) EXPECT_TRUE(own_titles.count(box.title)) << name << ": " << box.title;
        }
    }
    EXPECT_GT(files, 0);
}

}  // namespace
}  // namespace qrb
