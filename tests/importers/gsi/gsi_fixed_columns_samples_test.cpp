// The real GSI recordings through the fixed-column converters: each gives a
// survey book or one box of the converter's own failure handling.
#include <gtest/gtest.h>

#include <filesystem>

#include "importers/importers.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

TEST(GsiFixedColumnsSamples, ConvertOrFailWithOwnMessage)
{
    const std::filesystem::path folder = std::filesystem::path(QRB_SAMPLES) / "leica_gsi";
    if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << test::samples_missing(folder);
    const struct {
        const char* name;
        Converter converter;
    } converters[] = {
        {"imp_gif10", imp_gif10},
        {"imp_gif10_12", imp_gif10_12},
        {"imp_tca1100", imp_tca1100},
        {"imp_tca1100_tc1000", imp_tca1100_tc1000},
        {"imp_gre_gif12", imp_gre_gif12},
    };
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        ++files;
        const std::string input = test::read_file(entry.path());
        for (const auto& c : converters) {
            SCOPED_TRACE(std::string(c.name) + " on " + entry.path().filename().string());
            test::Harness h;
            h.cli();
            const auto r = h.run(c.converter, input);
            EXPECT_FALSE(r.busy_after);
            EXPECT_TRUE(r.book_exists);
            if (r.boxes.empty()) {
                EXPECT_TRUE(r.book.ends_with("#origine#\r\n0|0|0|\r\n"));
            } else {
                EXPECT_EQ(r.boxes.size(), 1u);
            }
        }
    }
    EXPECT_GT(files, 0);
}

}  // namespace
}  // namespace qrb
