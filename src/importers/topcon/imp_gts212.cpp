// Topcon GTS 212 files: an optional job marker "LAVORO" on the first line
// with a title line after it, then for each station a line "STAZIONE...",
// one station line, a line "PUNTI..." and one line per measured point.
// Station and point lines hold values separated by ","; the first two are
// quoted (one character on each side, removed whatever it is).
//
//   station line  "name","note",-,-,instrument height
//   point line    "note","target",target height,distance,zenith,horizontal
//
// A marker may be the last line: the input simply ends there.
#include "book/survey_book.hpp"
#include "common/failure.hpp"
#include "common/number.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"
#include "importers/topcon/topcon_listing.hpp"

namespace qrb {

namespace {

constexpr topcon::ListingTexts kTexts{
    .default_title = "Topcon GTS 212",
    .note = "Importazione file formato Topcon GTS 212",
    .box_title = "Importazione file Topcon GTS 212",
};

constexpr std::string_view kJobMarker = "LAVORO";      // the whole first line
constexpr std::string_view kPointsMarker = "PUNTI";     // the start of a line
constexpr std::string_view kStationMarker = "STAZIONE"; // the start of a line

// Fields of a station line.
constexpr std::size_t kStationName = 1;
constexpr std::size_t kStationNote = 2;
constexpr std::size_t kStationHeight = 5;
// Fields of a point line.
constexpr std::size_t kPointNote = 1;
constexpr std::size_t kPointTarget = 2;
constexpr std::size_t kPointTargetHeight = 3;
constexpr std::size_t kPointDistance = 4;
constexpr std::size_t kPointZenith = 5;
constexpr std::size_t kPointHorizontal = 6;

// A quoted value without its first and last character; a value of fewer
// than two characters has no quotes to remove and fails (5).
std::string unquoted(std::string_view field)
{
    if (field.size() < 2) fail(kInvalidArgument);
    return std::string(field.substr(1, field.size() - 2));
}

// The title line: its first three values, quotes kept, joined by blanks;
// the text after its last "," is not a value.
std::string job_title(std::string_view line)
{
    const Fields f = split_fields(line, ",");
    return std::string(f[1]) + " " + std::string(f[2]) + " " + std::string(f[3]);
}

void add_station(StationTable& stations, const std::string& line)
{
    const std::string values = line + ",";
    const Fields f = split_fields(values, ",");
    std::string name = unquoted(f[kStationName]);
    std::string note = unquoted(f[kStationNote]);
    topcon::add_listing_station(stations, std::move(name), single_val(f[kStationHeight]), std::move(note));
}

void add_point(StationTable& stations, const std::string& line)
{
    // A point before the first station has no station to join.
    if (stations.empty()) return;
    const std::string values = line + ",";
    const Fields f = split_fields(values, ",");
    std::string note = unquoted(f[kPointNote]);
    std::string target = unquoted(f[kPointTarget]);
    Reading& r = stations.back().add_reading();
    r.target = std::move(target);
    r.code = std::move(note);
    r.target_height = single_val(f[kPointTargetHeight]);
    r.dist = single_val(f[kPointDistance]);
    r.v = single_val(f[kPointZenith]);
    r.hz = single_val(f[kPointHorizontal]);
}

void read_gts212(Conversion& c)
{
    std::string line;
    c.in.next_line(line);  // an empty file reads as one empty line
    if (ucase(trim(line)) == kJobMarker) {
        std::string title_line;
        c.in.next_line(title_line);
        topcon::write_listing_header(c, job_title(title_line), kTexts);
    } else {
        topcon::write_listing_header(c, kTexts.default_title, kTexts);
    }

    StationTable& stations = c.state.station_table;
    bool in_points = false;
    while (c.in.next_line(line)) {
        if (topcon::led_by(line, kPointsMarker)) {
            in_points = true;
            if (!c.in.next_line(line)) break;
        }
        if (topcon::led_by(line, kStationMarker)) {
            if (!c.in.next_line(line)) break;
            add_station(stations, line);
            in_points = false;
        }
        // An empty line among the points holds no point.
        if (in_points && !line.empty()) add_point(stations, line);
    }
}

}  // namespace

void imp_gts212(ImportContext& ctx, const std::string& input_path)
{
    topcon::listing_frame(ctx.options, kTexts).run(ctx, input_path, read_gts212);
}

}  // namespace qrb
