// Topcon GTS 3B printed listings: an optional job line "LAVORO..." first,
// then station lines led by "NUM. STAZ." and point lines led by "P.", any
// other line ignored. Names stand at fixed columns; the values after them are
// cut at single blanks, so a run of blanks between two printed columns gives
// empty fields and the field numbers count them.
//
//   station line  name in columns 12-19; from column 18, trimmed: field 4
//                 instrument height, field 6 note (the text after the last
//                 blank is no field)
//   point line    name in columns 4-11; from column 11, trimmed, with a blank
//                 appended: field 3 target height, 6 zenith, 9 horizontal
//                 angle, 12 distance, 14 note
#include "common/number.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"
#include "importers/topcon/topcon_listing.hpp"

namespace qrb {

namespace {

constexpr topcon::ListingTexts kTexts{
    .default_title = "Topcon GTS 3B",
    .note = "Importazione file formato Topcon GTS 3B",
    .box_title = "Importazione file Topcon GTS 3B",
};

constexpr std::string_view kJobLeader = "LAVORO";
constexpr std::string_view kStationLeader = "NUM. STAZ.";
constexpr std::string_view kPointLeader = "P.";

struct Columns {
    long long start;
    long long length;
};
constexpr Columns kStationName{12, 8};
constexpr long long kStationRest = 18;
constexpr Columns kPointName{4, 8};
constexpr long long kPointRest = 11;

// Fields of the rest of a station line.
constexpr std::size_t kStationHeight = 4;
constexpr std::size_t kStationNote = 6;
// Fields of the rest of a point line.
constexpr std::size_t kPointTargetHeight = 3;
constexpr std::size_t kPointZenith = 6;
constexpr std::size_t kPointHorizontal = 9;
constexpr std::size_t kPointDistance = 12;
constexpr std::size_t kPointNote = 14;

std::string name_at(std::string_view line, Columns columns) { return trim(mid(line, columns.start, columns.length)); }

void body_line(StationTable& stations, const std::string& line)
{
    if (topcon::led_by(line, kStationLeader)) {
        std::string name = name_at(line, kStationName);
        if (name.empty()) return;
        const std::string rest = trim(mid(line, kStationRest));
        const Fields f = split_fields(rest, " ");
        topcon::add_listing_station(stations, std::move(name), single_val(f[kStationHeight]),
                                    trim(f[kStationNote]));
    } else if (topcon::led_by(line, kPointLeader)) {
        std::string name = name_at(line, kPointName);
        // A point before the first station has no station to join.
        if (name.empty() || stations.empty()) return;
        const std::string rest = trim(mid(line, kPointRest)) + " ";
        const Fields f = split_fields(rest, " ");
        Reading& r = stations.back().add_reading();
        r.target = std::move(name);
        r.code = trim(f[kPointNote]);
        r.target_height = single_val(f[kPointTargetHeight]);
        r.v = single_val(f[kPointZenith]);
        r.hz = single_val(f[kPointHorizontal]);
        r.dist = single_val(f[kPointDistance]);
    }
}

void read_gts3b(Conversion& c)
{
    StationTable& stations = c.state.station_table;
    std::string line;
    const bool any = c.in.next_line(line);
    const std::string first = trim(line);
    if (topcon::led_by(first, kJobLeader)) {
        // The job's title: the line up to its first blank.
        topcon::write_listing_header(c, split_fields(first, " ")[1], kTexts);
    } else {
        topcon::write_listing_header(c, kTexts.default_title, kTexts);
        if (any) body_line(stations, first);
    }
    while (c.in.next_line(line)) body_line(stations, line);
}

}  // namespace

void imp_gts3b(ImportContext& ctx, const std::string& input_path)
{
    topcon::listing_frame(ctx.options, kTexts).run(ctx, input_path, read_gts3b);
}

}  // namespace qrb
