#include "importers/zeiss/type_blocks.hpp"

#include <cmath>

#include "common/number.hpp"
#include "common/text.hpp"

namespace qrb::zeiss {

namespace {

// The half-turn as the recorders' software writes it, not the full pi.
constexpr double kHalfTurn = 3.14159265358979;

// Zenith angle (gon) and slope distance to height difference and horizontal
// distance.
void to_reduced(Reading& r)
{
    const double z = static_cast<double>(r.v) * kHalfTurn / 200;
    const double d = r.dist;
    r.v = to_single(d * std::cos(z));
    r.dist = to_single(d * std::sin(z));
}

// Height difference and horizontal distance to zenith angle (gon) and slope
// distance; without a distance the line of sight is vertical.
void to_slope(Reading& r)
{
    const double dh = r.v;
    double e = r.dist != 0 ? std::atan(dh / static_cast<double>(r.dist)) : kHalfTurn / 2;
    if (e != kHalfTurn / 2) r.dist = to_single(static_cast<double>(r.dist) / std::cos(e));
    e = kHalfTurn / 2 - e;
    r.v = to_single(e * 200 / kHalfTurn);
}

}  // namespace

float height_difference(double recorded, const Heights& heights)
{
    return to_single(recorded - static_cast<double>(heights.instrument) + static_cast<double>(heights.target));
}

void store_blocks(Reading& reading, std::span<const TypeBlock> blocks, const Heights& heights, SurveyType type)
{
    // The distance is taken first, wherever its block stands, so that a
    // vertical block left of it is recomputed with it.
    for (const TypeBlock& b : blocks) {
        if (b.type == "SD" || b.type == "HD")
            reading.dist = single_val(b.value);
        else if (b.type == "Hz")
            reading.hz = single_val(b.value);
    }
    // Each vertical block in turn, with its own recomputation: a later one
    // overwrites the value, a recomputed distance stays.
    for (const TypeBlock& b : blocks) {
        if (b.type == "V1") {
            reading.v = single_val(b.value);
            if (type == SurveyType::ReducedHeight) to_reduced(reading);
        } else if (b.type == "h") {
            reading.v = height_difference(val(b.value), heights);
            if (type == SurveyType::SlopeZenith) to_slope(reading);
        }
    }
}

LineBlocks read_blocks(std::string_view line, const std::array<BlockColumns, 3>& columns)
{
    LineBlocks blocks;
    for (std::size_t k = 0; k < columns.size(); ++k) {
        const BlockColumns& c = columns[k];
        blocks[k].type = trim(mid(line, c.type, 2));
        blocks[k].value = trim(c.value_length > 0 ? mid(line, c.value, c.value_length) : mid(line, c.value));
    }
    return blocks;
}

void read_heights(std::string_view line, std::span<const HeightColumns> columns, Heights& heights)
{
    for (const HeightColumns& c : columns) {
        const std::string marker = mid(line, c.marker, 2);
        const bool target = marker == "th" || (c.point_markers && marker == "hp");
        const bool instrument = marker == "ih" || (c.point_markers && marker == "hs");
        if (!target && !instrument) continue;
        const float value = single_val(trim(mid(line, c.value, c.value_length)));
        (target ? heights.target : heights.instrument) = value;
    }
}

CollectThenWrite fixed_column_frame(const ImportOptions& options, const std::string& format, std::string note)
{
    CollectThenWrite frame(options, FailurePolicy::standard(format, "Importa file formato " + format),
                           "Importazione file formato " + format, std::move(note));
    frame.book.header.title = "Importazione file " + format;
    return frame;
}

void add_reading(StationRecord& station, std::string target, std::string code, const LineBlocks& blocks,
                 const Heights& heights, SurveyType type)
{
    Reading& r = station.add_reading();
    r.target = std::move(target);
    r.code = code.empty() ? std::string("nn") : std::move(code);
    r.target_height = heights.target;
    store_blocks(r, blocks, heights, type);
}

}  // namespace qrb::zeiss
