// Storing the type/value blocks of a reading line and recomputing the reading
// for the survey type.
#include <gtest/gtest.h>

#include <cmath>

#include "importers/zeiss/type_blocks.hpp"

namespace qrb::zeiss {
namespace {

constexpr auto IZ = SurveyType::SlopeZenith;
constexpr auto OD = SurveyType::ReducedHeight;
constexpr auto Neither = SurveyType::Neither;

Reading stored(std::vector<TypeBlock> blocks, SurveyType type, Heights h = {})
{
    Reading r;
    store_blocks(r, blocks, h, type);
    return r;
}

TEST(TypeBlocks, Recomputation)
{
    const struct {
        const char* why;
        std::vector<TypeBlock> blocks;
        SurveyType type;
        Heights heights;
        float v;
        float dist;
    } cases[] = {
        {"OD: zenith 50 gon, slope 50", {{"SD", "50"}, {"V1", "50"}}, OD, {}, 35.35534f, 35.35534f},
        {"OD: the distance after the zenith gives the same", {{"V1", "50"}, {"SD", "50"}}, OD, {}, 35.35534f,
         35.35534f},
        {"IZ: level line", {{"HD", "100"}, {"h", "0"}}, IZ, {1.5f, 1.5f}, 100.0f, 100.0f},
        {"IZ: 45 degrees up", {{"HD", "100"}, {"h", "100"}}, IZ, {}, 50.0f, 141.4214f},
        {"IZ: the distance after the height difference", {{"h", "100"}, {"HD", "100"}}, IZ, {}, 50.0f, 141.4214f},
        {"IZ: no distance at all, vertical sight", {{"h", "5"}}, IZ, {}, 0.0f, 0.0f},
        {"IZ: zenith and slope stored as recorded", {{"V1", "98.5"}, {"SD", "10"}}, IZ, {}, 98.5f, 10.0f},
        {"OD: height difference corrected by the heights", {{"HD", "20"}, {"h", "1.2"}}, OD, {1.6f, 1.3f}, 0.9f,
         20.0f},
        {"neither: as recorded, the height difference corrected", {{"SD", "20"}, {"h", "1.2"}}, Neither,
         {1.6f, 1.3f}, 0.9f, 20.0f},
        {"neither: a zenith stays", {{"SD", "20"}, {"V1", "50"}}, Neither, {}, 50.0f, 20.0f},
        {"the later vertical block wins", {{"SD", "50"}, {"h", "3"}, {"V1", "50"}}, OD, {}, 35.35534f, 35.35534f},
        {"OD: a height difference after a zenith keeps the horizontal distance",
         {{"SD", "50"}, {"V1", "50"}, {"h", "3"}}, OD, {}, 3.0f, 35.35534f},
        {"IZ: a zenith after a height difference keeps the slope distance",
         {{"HD", "100"}, {"h", "100"}, {"V1", "98"}}, IZ, {}, 98.0f, 141.4214f},
        {"IZ: distance last, then zenith after the height difference",
         {{"h", "100"}, {"V1", "98"}, {"HD", "100"}}, IZ, {}, 98.0f, 141.4214f},
        {"other codes and other case store nothing", {{"th", "5"}, {"sd", "5"}, {"hz", "5"}, {"", "5"}, {"Z", "5"}},
         OD, {}, 0.0f, 0.0f},
        {"a unit after the number", {{"SD", "12.5 m"}, {"V1", "100 gon"}}, Neither, {}, 100.0f, 12.5f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const Reading r = stored(c.blocks, c.type, c.heights);
        EXPECT_NEAR(r.v, c.v, 2e-5);
        EXPECT_NEAR(r.dist, c.dist, 2e-4);
    }
}

TEST(TypeBlocks, HalfTurnIsNotFullPi)
{
    // A right-angle zenith leaves a height difference that is tiny, not 0.
    const Reading r = stored({{"SD", "100"}, {"V1", "100"}}, OD);
    EXPECT_EQ(r.dist, 100.0f);
    EXPECT_NE(r.v, 0.0f);
    EXPECT_LT(std::fabs(r.v), 1e-12);
}

TEST(TypeBlocks, HorizontalAngleNeverRecomputed)
{
    const Reading r = stored({{"Hz", "123.4567"}, {"SD", "10"}, {"V1", "100"}}, OD);
    EXPECT_FLOAT_EQ(r.hz, 123.4567f);
}

}  // namespace
}  // namespace qrb::zeiss
