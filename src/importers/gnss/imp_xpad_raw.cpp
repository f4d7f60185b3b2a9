// Raw file of a GeoForce or X-PAD field controller. Every line is one record:
// its fields are cut at ",", the first names the record kind (exact case, no
// blanks); lines of any other kind are ignored. Every value field begins with
// a two-letter prefix naming it ("PT" before a point name); the prefix is
// removed wherever those two letters stand in the field, so that PTSPT1 gives
// S1. The rest is used as text, or read as a number where a number is meant.
//
//   JOB  the job: date, time, name (the book's title), note
//   PNT  a point by subtype: a GNSS base, a total-station set-up, a point by
//        latitude and longitude, or a known point by plane coordinates
//   GPS  a vector from a base (known from its own PNT record on) to a rover
//        point; COV and QTY complete the last vector with its covariance and
//        its PDOP
//   TPS  a reading from a set-up (known from its own PNT record on)
//   LMP  a reference point by latitude and longitude and by plane coordinates
//   GPO  a point placed by distance and offset from the line between two
//        reference points
//   GPD  a point placed by two distances from two reference points
//
// Everything is collected, then written: GNSS bases, set-ups, alignments,
// known points, levels, geographic points, reference points, the image
// folder beside the file, the trailer.
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "book/extra_tags.hpp"
#include "book/gnss.hpp"
#include "book/frames.hpp"
#include "common/failure.hpp"
#include "common/geodesy.hpp"
#include "common/number.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"
#include "importers/gnss/xpad_date.hpp"
#include "importers/rw5/rw5_records.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file XPAD/GeoForce";
constexpr const char* kBookTitle = "Importazione file XPAD/GeoForce";  // also of the nothing-found box
constexpr const char* kDefaultTitle = "Geomax XPAD / Leica GeoForce";
constexpr const char* kEmptyBase =
    "Il file XPAD/GeoForce contiene una base GPS senza nessuna lettura. Verrà ignorata nell'importazione";
constexpr const char* kEmptyStation = "Il file Geomax XPAD/GeoForce contiene una stazione celerimetrica senza "
                                      "nessuna lettura. Verrà ignorata nell'importazione";

// A value field: its number after the split and the prefix that leads it.
using Field = rw5::PrefixedField;

namespace job {
constexpr Field kDate{3, "DT"}, kTime{4, "HM"}, kName{5, "NM"}, kNote{7, "NT"};
constexpr std::string_view kNameSuffix = ".gfd";  // deleted from the name as well
}  // namespace job

namespace lmp {
constexpr Field kName{5, "GP"}, kLat{6, "LT"}, kLon{7, "LN"}, kHeight{8, "HT"}, kNorth{10, "NO"}, kEast{11, "ET"},
    kElevation{12, "EL"};
constexpr std::string_view kNote = "Rif";
constexpr std::string_view kCode = "PR";
}  // namespace lmp

namespace gps {
constexpr Field kBase{4, "BS"}, kPoint{5, "PT"}, kCode{6, "CD"}, kLat{7, "LT"}, kLon{8, "LN"}, kHeight{9, "HT"},
    kNote{14, "NT"};
constexpr float kPdop = 2;  // until a QTY record gives one
}  // namespace gps

namespace cov {
constexpr Field kTerms[] = {{2, "XX"}, {3, "XY"}, {4, "XZ"}, {5, "YY"}, {6, "YZ"}, {7, "ZZ"}};
}  // namespace cov

namespace qty {
constexpr Field kPdop{8, "PD"};
}  // namespace qty

namespace tps {
constexpr Field kInstrumentHeight{4, "IH"}, kStation{5, "ST"}, kPoint{6, "PT"}, kCode{7, "CD"}, kHz{8, "HA"},
    kV{9, "VA"}, kDistance{10, "SD"}, kTargetHeight{11, "TH"}, kNote{13, "NT"};
constexpr double kPi = 3.14159265358979;  // radians to gon: times 200, divided by this
}  // namespace tps

namespace gpo {
constexpr Field kPoint{4, "PT"}, kCode{5, "CD"}, kR1{6, "R1"}, kR2{7, "R2"}, kSide{8, "RP"}, kDistance{9, "DS"},
    kOffset{10, "OF"}, kHeightDifference{11, "HD"}, kNote{12, "NT"};
constexpr std::string_view kFromR1 = "N";  // the side flag of a line from R1 to R2
}  // namespace gpo

namespace gpd {
constexpr Field kPoint{4, "PT"}, kCode{5, "CD"}, kR1{6, "R1"}, kD1{7, "D1"}, kV1{8, "V1"}, kR2{9, "R2"},
    kD2{10, "D2"}, kV2{11, "V2"}, kNote{12, "NT"};
}  // namespace gpd

namespace pnt {
constexpr Field kName{2, "NM"}, kCode{3, "CD"}, kNorth{4, "NO"}, kEast{5, "ET"}, kElevation{6, "EL"},
    kLat{7, "LT"}, kLon{8, "LN"}, kHeight{9, "HT"}, kNote{11, "NT"};
constexpr std::size_t kSubtype = 10;  // no prefix, compared exactly
enum class Kind { Base, Station, GeoPoint, KnownPoint };
constexpr std::pair<std::string_view, Kind> kSubtypes[] = {
    {"TPGPS_BASE", Kind::Base},
    {"TPTPS_STATION", Kind::Station},
    {"TPGPS_POINT", Kind::GeoPoint},
    {"TPGPS_HIDDEN_DISTDIST", Kind::GeoPoint},
    {"TPGPS_HIDDEN_ALIGNOFF", Kind::GeoPoint},
    {"TPUSER", Kind::KnownPoint},
};
}  // namespace pnt

// The text of a field less every occurrence of its prefix, or its number.
using rw5::dbl;
using rw5::single;
using rw5::text;

// Note and code of GPS, TPS and PNT records: a note field of only its prefix
// means "Nessuna"; a code field empty or of only its prefix takes the note.
std::string note_of(const Fields& f, Field note)
{
    return f[note.field] == note.prefix ? std::string("Nessuna") : text(f, note);
}
std::string code_of(const Fields& f, Field code, const std::string& note)
{
    const std::string_view raw = f[code.field];
    return raw.empty() || raw == code.prefix ? note : text(f, code);
}

// Note and code of GPO and GPD records: an empty note is "nn", an empty code
// takes the note.
std::pair<std::string, std::string> placement_note_and_code(const Fields& f, Field note_field, Field code_field)
{
    std::string note = text(f, note_field);
    if (note.empty()) note = "nn";
    std::string code = text(f, code_field);
    if (code.empty()) code = note;
    return {note, code};
}

// The height difference of a level line, from the placed point back to the
// reference point: the recorded one with its sign changed.
std::string negated(const std::string& height_difference) { return num_double(0.0 - val(height_difference)); }

Ecef position(const Fields& f, Field lat, Field lon, Field height)
{
    const Ecef p = wgs84_to_ecef(dbl(f, lat), dbl(f, lon), dbl(f, height));
    return {to_double(p.x), to_double(p.y), to_double(p.z)};
}

class XpadReader {
public:
    explicit XpadReader(std::string image_folder) { extra.image_folder = std::move(image_folder); }

    void read(Conversion& c, const StationTableOptions& book)
    {
        std::string line;
        while (c.in.next_line(line)) {
            line += ',';
            const Fields f = split_fields(line, ",");
            const std::string_view kind = f[1];
            if (kind == "JOB") read_job(f);
            else if (kind == "LMP") read_reference_point(c.state, f);
            else if (kind == "GPS") read_vector(c.state, f);
            else if (kind == "COV") read_covariance(c.state, f);
            else if (kind == "QTY") read_quality(c.state, f);
            else if (kind == "TPS") read_reading(c, book, f);
            else if (kind == "GPO") read_offset_placement(f);
            else if (kind == "GPD") read_intersection(f);
            else if (kind == "PNT") read_point(c.state, f);
        }
    }

    std::string job_title;
    std::string job_note;
    LocalDateTime job_time{1899, 12, 30, 0, 0};  // no JOB record: day zero
    ExtraTags extra;

private:
    void read_job(const Fields& f)
    {
        job_title = replace_all(text(f, job::kName), job::kNameSuffix, "");
        job_note = text(f, job::kNote);
        const auto when = read_job_date_time(text(f, job::kDate) + " " + text(f, job::kTime));
        if (!when) fail(kTypeMismatch);
        job_time = *when;
    }

    void read_reference_point(WorkState& state, const Fields& f)
    {
        GeoPointRecord p;
        p.name = text(f, lmp::kName);
        p.lat = dbl(f, lmp::kLat);
        p.lon = dbl(f, lmp::kLon);
        p.h = dbl(f, lmp::kHeight);
        p.note = lmp::kNote;
        p.code = lmp::kCode;
        extra.add(ReferencePoint{p.name, text(f, lmp::kEast), text(f, lmp::kNorth), text(f, lmp::kElevation)});
        state.geo_point_table.add(std::move(p));
    }

    void read_vector(WorkState& state, const Fields& f)
    {
        GnssBaseTable& bases = state.gnss_base_table;
        const auto hit = bases.find(text(f, gps::kBase));
        if (!hit) return;
        current_base_ = hit->index;
        GnssBaseRecord& base = bases[hit->index];
        const Ecef rover = position(f, gps::kLat, gps::kLon, gps::kHeight);
        GnssVector& v = base.add_vector();
        v.point = text(f, gps::kPoint);
        v.dx = to_double(rover.x - base.x);
        v.dy = to_double(rover.y - base.y);
        v.dz = to_double(rover.z - base.z);
        v.note = note_of(f, gps::kNote);
        v.code = code_of(f, gps::kCode, v.note);
        v.pdop = gps::kPdop;
    }

    // The last vector of the base that the last base or vector record named.
    GnssVector* last_vector(WorkState& state) const
    {
        if (!current_base_) return nullptr;
        GnssBaseRecord& base = state.gnss_base_table[*current_base_];
        return base.vectors.empty() ? nullptr : &base.vectors.back();
    }

    void read_covariance(WorkState& state, const Fields& f) const
    {
        GnssVector* v = last_vector(state);
        if (!v) return;
        std::string terms;
        for (std::size_t k = 0; k < std::size(cov::kTerms); ++k) {
            if (k > 0) terms += ',';
            terms += text(f, cov::kTerms[k]);
        }
        v->covariance = std::move(terms);
    }

    void read_quality(WorkState& state, const Fields& f) const
    {
        if (GnssVector* v = last_vector(state)) v->pdop = single(f, qty::kPdop);
    }

    // A reading never changes after its line: it is made its book line at
    // once.
    static void read_reading(Conversion& c, const StationTableOptions& book, const Fields& f)
    {
        WorkState& state = c.state;
        const auto hit = state.station_table.find(text(f, tps::kStation));
        if (!hit) return;
        StationRecord& station = state.station_table[hit->index];
        // Every reading sets it again: the last one decides.
        station.height = single(f, tps::kInstrumentHeight);
        Reading r;
        r.target = text(f, tps::kPoint);
        r.hz = to_single(dbl(f, tps::kHz) * 200 / tps::kPi);
        r.v = to_single(dbl(f, tps::kV) * 200 / tps::kPi);
        r.dist = single(f, tps::kDistance);
        r.target_height = single(f, tps::kTargetHeight);
        r.note = note_of(f, tps::kNote);
        r.code = code_of(f, tps::kCode, r.note);
        finish_reading(station, r.view(), book, c.options.op_note);
    }

    void read_offset_placement(const Fields& f)
    {
        const auto [note, code] = placement_note_and_code(f, gpo::kNote, gpo::kCode);
        const std::string point = text(f, gpo::kPoint);
        std::string start = text(f, gpo::kR1);
        std::string end = text(f, gpo::kR2);
        if (text(f, gpo::kSide) != gpo::kFromR1) std::swap(start, end);
        const std::string height_difference = text(f, gpo::kHeightDifference);
        extra.add(AlignmentBlock{start, end, "0", kAlignmentOffset, point, text(f, gpo::kDistance),
                                 text(f, gpo::kOffset), note, code});
        if (!trim(height_difference).empty())
            extra.add(LevelBlock{start, "0.00", point, negated(height_difference), note});
    }

    void read_intersection(const Fields& f)
    {
        const auto [note, code] = placement_note_and_code(f, gpd::kNote, gpd::kCode);
        const std::string point = text(f, gpd::kPoint);
        const std::string r1 = text(f, gpd::kR1);
        const std::string r2 = text(f, gpd::kR2);
        extra.add(AlignmentBlock{r1, r2, "50", kIntersection, point, text(f, gpd::kD1), "0.00", note, code});
        extra.add(AlignmentBlock{r2, point, "0.00", kIntersection, point, text(f, gpd::kD2), "0.00", note, code});
        for (const auto& [reference, difference] : {std::pair{r1, text(f, gpd::kV1)}, std::pair{r2, text(f, gpd::kV2)}})
            if (!trim(difference).empty()) extra.add(LevelBlock{reference, "0.00", point, negated(difference), note});
    }

    void read_point(WorkState& state, const Fields& f)
    {
        const std::string_view subtype = f[pnt::kSubtype];
        for (const auto& [name, kind] : pnt::kSubtypes)
            if (name == subtype) return read_point(state, f, kind);
    }

    void read_point(WorkState& state, const Fields& f, pnt::Kind kind)
    {
        switch (kind) {
        case pnt::Kind::Base: {
            const Ecef p = position(f, pnt::kLat, pnt::kLon, pnt::kHeight);
            GnssBaseRecord& base = state.gnss_base_table.add(text(f, pnt::kName));
            base.note = note_of(f, pnt::kNote);
            base.x = p.x;
            base.y = p.y;
            base.z = p.z;
            current_base_ = state.gnss_base_table.size() - 1;
            return;
        }
        case pnt::Kind::Station:
            state.station_table.add(text(f, pnt::kName), 0, note_of(f, pnt::kNote));
            return;
        case pnt::Kind::GeoPoint: {
            GeoPointRecord p;
            p.name = text(f, pnt::kName);
            p.lat = dbl(f, pnt::kLat);
            p.lon = dbl(f, pnt::kLon);
            p.h = dbl(f, pnt::kHeight);
            p.note = note_of(f, pnt::kNote);
            p.code = code_of(f, pnt::kCode, p.note);
            state.geo_point_table.add(std::move(p));
            return;
        }
        case pnt::Kind::KnownPoint:
            // No default replaces an empty note or code here.
            state.known_points.push_back(RecordLine()
                                             .text(text(f, pnt::kName))
                                             .text(text(f, pnt::kEast))
                                             .text(text(f, pnt::kNorth))
                                             .text(text(f, pnt::kElevation))
                                             .text(text(f, pnt::kNote))
                                             .text(text(f, pnt::kCode))
                                             .empty()
                                             .str());
            return;
        }
    }

    std::optional<std::size_t> current_base_;
};

}  // namespace

void imp_xpad_raw(ImportContext& ctx, const std::string& input_path)
{
    CollectThenWrite frame(ctx.options, FailurePolicy::standard("SDR", kTitle), kBookTitle, "");
    XpadReader reader(image_folder_of(input_path));
    StationTableOptions& book = frame.book;
    book.nothing_found = StationTableOptions::NothingFound::StationsBasesKnownPoints;
    book.found_elsewhere = [&reader](const WorkState&) { return !reader.extra.alignments.empty(); };
    book.field6 = StationTableOptions::Field6::Note;
    book.field7 = StationTableOptions::Field7::Code;
    book.empty_station = StationTableOptions::EmptyStation::OwnWarning;
    book.empty_station_text = kEmptyStation;
    book.known_points = true;
    book.extra_tags = &reader.extra;
    book.write_gnss_bases = [&reader](Conversion& c) {
        GnssBookOptions gnss;
        gnss.shape = VectorShape::B;
        gnss.tail = VectorTail::Pdop;
        gnss.empty_base_text = kEmptyBase;
        gnss.date_time = gnss_date_time(reader.job_time);
        write_gnss_bases(c, gnss);
    };
    book.write_geo_points = write_geo_points;
    frame.before_writing = [&reader](StationTableOptions& o) {
        o.header.title = reader.job_title.empty() ? std::string(kDefaultTitle) : reader.job_title;
        o.header.note = reader.job_note;
    };
    frame.run(ctx, input_path, [&reader, &book](Conversion& c) { reader.read(c, book); });
}

}  // namespace qrb
