// Sokkia SDR2x recordings: total-station set-ups with their readings, known
// points, and GNSS bases with their vectors, in fixed-column records led by a
// two-character code.
//
//   "02" station:       5-8 name, 39-48 instrument height, 49- note
//   "03" target height: 5- value, kept until the next "03", across stations
//   "09" reading:       9-12 target, 13-22 distance, 23-32 vertical angle,
//                       33-42 horizontal angle, 43- note
//   "10" job:           5-20 job text, the book's note
//   "08", "18" known point: 5-8 name, 9-18 and 19-28 coordinates (written
//                       19-28 first), 29-38 height, 39- note, copied as text
//   "15" GNSS base:     5-8 name, 68-77 antenna height, 79- note
//   "19" base position: 6-21 latitude, 22-37 longitude (decimal degrees),
//                       38-47 ellipsoidal height; WGS84 geocentric X, Y, Z
//   "57" antenna height: 5- value, the default of the following vectors
//   "16" GNSS vector:   9-12 point, 13-22 dX, 23-32 dY, 33-42 dZ,
//                       43-52 antenna height (0: the default), 53- note
//
// A reading belongs to the station opened last and a vector (or position) to
// the base opened last; one that comes before any is skipped. Names of
// stations, bases, readings and vectors are whole numbers: a station or base
// without one stops the conversion, a reading or vector without one is
// "non_valido". Collect-then-write.
#include "book/gnss.hpp"
#include "book/station_table.hpp"
#include "common/geodesy.hpp"
#include "common/number.hpp"
#include "common/text.hpp"
#include "importers/sokkia/sdr_common.hpp"

namespace qrb {

namespace {

using sdr::field;
using sdr::trimmed;

constexpr sdr::FrameTexts kTexts{
    "Importa file Sokkia SDR2x", "Importazione file Sokkia SDR2x", "Importazione file SDR2x",
    "Il file Sokkia SDR contiene una stazione celerimetrica senza nessuna lettura. Verrà ignorata "
    "nell'importazione",
    "Sokkia SDR2x"};
constexpr const char* kNameTitle = "Importa file SDR2x";
constexpr const char* kInvalidName = "Nome stazione non valido.";
constexpr const char* kEmptyBase =
    "Il file Sokkia SDR contiene una stazione GPS senza nessuna lettura. Verrà ignorata nell'importazione";

constexpr Column kJob{5, 16};
constexpr Column kPointName{5, 4};
constexpr Column kFirstCoordinate{9, 10};
constexpr Column kSecondCoordinate{19, 10};
constexpr Column kPointHeight{29, 10};
constexpr Column kPointNote{39};
constexpr Column kBaseName{5, 4};
constexpr Column kBaseAntenna{68, 10};
constexpr Column kBaseNote{79};
constexpr Column kLatitude{6, 16};
constexpr Column kLongitude{22, 16};
constexpr Column kEllipsoidalHeight{38, 10};
constexpr Column kVectorPoint{9, 4};
constexpr Column kDx{13, 10};
constexpr Column kDy{23, 10};
constexpr Column kDz{33, 10};
constexpr Column kVectorAntenna{43, 10};
constexpr Column kVectorNote{53};
constexpr Column kDefaultAntenna{5};

double number(std::string_view line, Column c) { return val(field(line, c)); }
float single(std::string_view line, Column c) { return to_single(number(line, c)); }

// The whole number a name field holds, as text; empty for 0 (no name). A
// number beyond 16 bits fails with overflow.
std::string whole_name(std::string_view line, Column c)
{
    const std::int16_t whole = to_int16(val(trimmed(line, c)));
    return whole != 0 ? std::to_string(whole) : std::string();
}

std::string station_name(Conversion& conv, std::string_view line, Column c)
{
    std::string name = whole_name(line, c);
    if (name.empty()) {
        conv.box(kInvalidName, kNameTitle, Icon::Exclamation);
        throw StopConversion{};
    }
    return name;
}

std::string point_name(Conversion&, std::string_view line, Column c)
{
    std::string name = whole_name(line, c);
    return name.empty() ? "non_valido" : name;
}

constexpr sdr::TotalStationRules kTotalStation{
    {
        .station_name = {5, 4},
        .instrument_height = {39, 10},
        .station_note = {49},
        .target_height = {5},
        .target = {9, 4},
        .distance = {13, 10},
        .vertical = {23, 10},
        .horizontal = {33, 10},
        .reading_note = {43},
    },
    station_name,
    point_name,
};

struct Sdr2xState {
    float target_height = 0;
    float antenna_height = 0;  // default of the vectors
    std::string job;
};

void read_sdr2x(Conversion& c, Sdr2xState& s)
{
    GnssBaseTable& bases = c.state.gnss_base_table;
    std::string line;
    while (c.in.next_line(line)) {
        const std::string code = left(line, 2);
        if (sdr::read_total_station_record(c, code, line, kTotalStation, s.target_height)) continue;
        if (code == "10") {
            s.job = trimmed(line, kJob);
        } else if (code == "08" || code == "18") {
            c.state.known_points.push_back(
                sdr::known_point_text(line, kPointName, kSecondCoordinate, kFirstCoordinate, kPointHeight, kPointNote));
        } else if (code == "15") {
            const std::string name = station_name(c, line, kBaseName);
            GnssBaseRecord& base = bases.add(name);
            base.antenna_height = single(line, kBaseAntenna);
            base.note = sdr::note_or(line, kBaseNote, "stazione_gps");
        } else if (code == "19") {
            if (bases.empty()) continue;  // no base to place
            const double lat = degrees_to_radians(val(trimmed(line, kLatitude)));
            const double lon = degrees_to_radians(val(trimmed(line, kLongitude)));
            const Ecef p = wgs84_to_ecef(lat, lon, number(line, kEllipsoidalHeight));
            GnssBaseRecord& base = bases[bases.size() - 1];
            base.x = to_double(p.x);
            base.y = to_double(p.y);
            base.z = to_double(p.z);
        } else if (code == "57") {
            s.antenna_height = single(line, kDefaultAntenna);
        } else if (code == "16") {
            if (bases.empty()) continue;  // no base to belong to
            GnssVector v;
            v.point = point_name(c, line, kVectorPoint);
            v.dx = to_double(number(line, kDx));
            v.dy = to_double(number(line, kDy));
            v.dz = to_double(number(line, kDz));
            v.antenna_height = single(line, kVectorAntenna);
            if (v.antenna_height == 0) v.antenna_height = s.antenna_height;
            v.code = trimmed(line, kVectorNote);
            if (v.code.empty()) v.code = "nn";
            bases[bases.size() - 1].add_vector() = std::move(v);
        }
    }
}

}  // namespace

void imp_sdr2x(ImportContext& ctx, const std::string& input_path)
{
    Sdr2xState s;
    CollectThenWrite frame = sdr::collect_frame(ctx.options, kTexts, s.job);
    frame.book.nothing_found = StationTableOptions::NothingFound::StationsBasesKnownPoints;
    GnssBookOptions gnss;
    gnss.shape = VectorShape::A;
    gnss.tail = VectorTail::ThreeTwo;
    gnss.empty_base_text = kEmptyBase;
    frame.book.write_gnss_bases = gnss_bases_writer(std::move(gnss));
    frame.run(ctx, input_path, [&s](Conversion& c) { read_sdr2x(c, s); });
}

}  // namespace qrb
