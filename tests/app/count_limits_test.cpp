// No count has a 16-bit limit: stations, readings, known points and GNSS
// vectors well beyond 32 767 all reach the book.
#include <gtest/gtest.h>

#include <string>

#include "importers/gsi/gsi_test_lines.hpp"
#include "importers/importers.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

using test::word8;

std::size_t count_lines(const std::string& book, const std::string& prefix)
{
    std::size_t n = 0;
    for (std::size_t at = 0; at < book.size();) {
        if (book.compare(at, prefix.size(), prefix) == 0) ++n;
        const std::size_t end = book.find("\r\n", at);
        if (end == std::string::npos) break;
        at = end + 2;
    }
    return n;
}

TEST(CountLimits, StationsReadingsAndKnownPointsBeyondSixteenBits)
{
    constexpr int kStations = 40000;
    constexpr int kReadings = 70000;
    std::string recording;
    auto station = [&recording](int name) {
        recording += word8("11", std::to_string(name)) + word8("84", "0") + word8("85", "0") + word8("86", "0") +
                     word8("88", "1500") + "\r\n";
    };
    // A reading with target coordinates is also a known point.
    auto reading = [&recording](int name) {
        recording += word8("11", std::to_string(name)) + word8("21", "10000000") + word8("22", "10000000") +
                     word8("31", "12345") + word8("81", "1000") + "\r\n";
    };
    station(kStations + 1);
    for (int k = 1; k <= kReadings; ++k) reading(k);
    for (int k = 1; k <= kStations; ++k) {
        station(k);
        reading(k);
    }

    test::Harness h;
    const auto r = h.run(imp_gsi, recording);
    EXPECT_EQ(count_lines(r.book, "#stazione#"), static_cast<std::size_t>(kStations + 1));
    EXPECT_EQ(count_lines(r.book, "#passnoto#"), static_cast<std::size_t>(kStations + kReadings));
    const std::size_t last = r.book.find("#stazione#\r\n");
    ASSERT_NE(last, std::string::npos);
    // The big station (complete long before the end) up to the next tag: its reading lines hold "|".
    std::size_t readings_of_last = 0;
    for (std::size_t at = r.book.find("\r\n", last + 12); at != std::string::npos;) {
        const std::size_t end = r.book.find("\r\n", at + 2);
        if (end == std::string::npos || r.book[at + 2] == '#') break;
        if (r.book.find('|', at + 2) < end) ++readings_of_last;
        at = end;
    }
    EXPECT_EQ(readings_of_last, static_cast<std::size_t>(kReadings));
}

TEST(CountLimits, GnssVectorsBeyondSixteenBits)
{
    constexpr int kVectors = 40000;
    std::string recording = "JB,NMLimiti,DT10-04-2024\r\nBP,PNB1,LA0.0000,LN0.0000,EL0.000,AG1.5\r\n";
    for (int k = 1; k <= kVectors; ++k) recording += "G1,B1,PN" + std::to_string(k) + ",DX1,DY2,DZ3\r\n";

    test::Harness h;
    const auto r = h.run(imp_survce_rw5, recording);
    EXPECT_EQ(count_lines(r.book, "#stazione_gps#"), 1u);
    std::size_t vectors = 0;
    for (int k : {1, kVectors / 2, kVectors})
        EXPECT_NE(r.book.find("\r\n" + std::to_string(k) + "|1|2|3|"), std::string::npos) << k;
    for (std::size_t at = 0; (at = r.book.find("|1|2|3|", at)) != std::string::npos; ++at) ++vectors;
    EXPECT_EQ(vectors, static_cast<std::size_t>(kVectors));
}

}  // namespace
}  // namespace qrb
