#include <gtest/gtest.h>

#include <cmath>

#include "common/geodesy.hpp"

namespace qrb {
namespace {

TEST(ConvertAngle, Modes)
{
    const struct {
        float in;
        int mode;
        float out;
    } cases[] = {{90, 1, 100}, {180, 1, 200}, {90, 2, 90}, {200, 3, 3.14159265358979f}, {50, 0, 50}};
    for (const auto& c : cases) {
        float a = c.in;
        convert_angle(a, c.mode);
        EXPECT_EQ(a, c.out) << c.in << " mode " << c.mode;
    }
}

TEST(DmsToRadians, Cases)
{
    const double rho = 57.29577951308238;
    EXPECT_NEAR(dms_to_radians("45.3015"), (45 + 30 / 60.0 + 15 / 3600.0) / rho, 1e-15);
    EXPECT_NEAR(dms_to_radians("-45.3015"), -(45 + 30 / 60.0 + 15 / 3600.0) / rho, 1e-15);
    EXPECT_EQ(dms_to_radians(""), 0);
    // Whole minutes and no seconds: no minute lost to the binary fraction.
    EXPECT_NEAR(dms_to_radians("45.30"), 45.5 / rho, 1e-15);
    EXPECT_NEAR(dms_to_radians("12.0959"), (12 + 9 / 60.0 + 59 / 3600.0) / rho, 1e-15);
    EXPECT_NEAR(dms_to_radians("10.00005"), (10 + 0.5 / 3600.0) / rho, 1e-15);
}

TEST(Geodesy, RadiusAndEcef)
{
    EXPECT_EQ(prime_vertical_radius(0, 3), 6378137.0);
    EXPECT_EQ(prime_vertical_radius(0, 1), 6378388.0);
    EXPECT_EQ(prime_vertical_radius(0.5, 0), 0);
    EXPECT_EQ(prime_vertical_radius(0.5, 4), 0);

    double x = 0, y = 0, z = 0;
    geodetic_to_ecef(6378137.0, 100, 3, 0, 0, x, y, z);
    EXPECT_DOUBLE_EQ(x, 6378237.0);
    EXPECT_DOUBLE_EQ(y, 0);
    EXPECT_DOUBLE_EQ(z, 0);
    const double half_pi = std::acos(0.0) * 2 / 2;
    const double n = prime_vertical_radius(half_pi, 3);
    geodetic_to_ecef(n, 10, 3, half_pi, 0, x, y, z);
    EXPECT_DOUBLE_EQ(z, n * 0.99330562000985 + 10);
    z = 42;
    geodetic_to_ecef(n, 10, 9, half_pi, 0, x, y, z);
    EXPECT_EQ(z, 42);  // unknown ellipsoid: z untouched
}

TEST(Lookups, StationsAndBasesExactOthersFolded)
{
    StationTable stations;
    stations.add("P1").add_reading();
    stations.add("P2");
    stations.add("P1");
    EXPECT_FALSE(stations.find("p1"));
    const auto hit = stations.find("P1");
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->index, 0u);  // the first match
    EXPECT_EQ(hit->reading_count, 1u);
    stations.add("P9");
    EXPECT_EQ(stations.find("P9")->index, 3u);  // found after the table grew
    stations.rename(0, "P0");
    EXPECT_EQ(stations.find("P1")->index, 2u);  // renamed: the next of that name

    GnssBaseTable bases;
    const auto b1 = bases.find_or_add("b\xE0");  // Windows-1252 letters fold too
    EXPECT_EQ(b1.index, 0u);
    EXPECT_EQ(b1.vector_count, 0u);
    bases[0].add_vector();
    bases[0].add_vector();
    const auto again = bases.find_or_add("B\xC0");
    EXPECT_EQ(again.index, 0u);
    EXPECT_EQ(again.vector_count, 2u);
    EXPECT_EQ(bases.size(), 1u);
    EXPECT_EQ(bases[0].name, "b\xE0");
    EXPECT_FALSE(bases.find("B\xC0"));
    EXPECT_TRUE(bases.find("b\xE0"));

    GeoPointTable points;
    points.add({"P1", 0, 0, 100, 0, "", ""});
    const Ecef e = find_point_ecef("p1", points);
    EXPECT_DOUBLE_EQ(e.x, 6378237.0);
    const Ecef none = find_point_ecef("zz", points);
    EXPECT_EQ(none.x, 0);
    EXPECT_EQ(none.y, 0);
    EXPECT_EQ(none.z, 0);
}

TEST(Lookups, LinearOnLargeTables)
{
    StationTable stations;
    for (int k = 0; k < 200000; ++k) stations.add("S" + std::to_string(k));
    for (int k = 0; k < 200000; ++k) ASSERT_EQ(stations.find("S" + std::to_string(k))->index, std::size_t(k));
}

}  // namespace
}  // namespace qrb
