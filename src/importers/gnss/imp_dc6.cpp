// Survey Controller job file (.dc) in the record layout of version 6:
// total-station set-ups, GNSS bases with their baselines (covariance and
// PDOP) and points given by latitude, longitude and height.
#include <iterator>
#include <optional>

#include "book/gnss.hpp"
#include "common/geodesy.hpp"
#include "common/number.hpp"
#include "common/text.hpp"
#include "importers/gnss/trimble_dc.hpp"

namespace qrb {

namespace {

// "66" geographic point; column 85 "2": latitude and longitude in gon, else
// in degrees.
constexpr Column kGeoName{5, 16};
constexpr Column kLatitude{21, 16};
constexpr Column kLongitude{37, 16};
constexpr Column kGeoHeight{53, 16};
constexpr Column kGeoNote{69, 16};
constexpr Column kGeoUnit{85, 1};
// "73" base, "57" antenna height, "E2" antenna offset.
constexpr Column kBaseName{5, 16};
constexpr Column kAntennaHeight{5};
constexpr Column kAntennaOffset{99};
// "67" vector, "59" its covariance terms, "62" its PDOP.
constexpr Column kVectorPoint{5, 16};
constexpr Column kDx{21, 16};
constexpr Column kDy{37, 16};
constexpr Column kDz{53, 16};
constexpr Column kVectorNote{69, 16};
constexpr Column kCovariance[] = {{23, 16}, {39, 16}, {55, 16}, {71, 16}, {87, 16}, {103}};
constexpr Column kPdop{7, 16};

class Dc6Reader {
public:
    void read(Conversion& c)
    {
        total_station_.read(c, [this, &c](const std::string& code, const std::string& line) {
            if (code == "66")
                read_geo_point(c.state.geo_point_table, line);
            else if (code == "73")
                read_base(c.state, line);
            else if (code == "57")
                antenna_height_ = column_single(line, kAntennaHeight);
            else if (code == "67")
                read_vector(c.state.gnss_base_table, line);
            else if (code == "59")
                read_covariance(c.state.gnss_base_table, line);
            else if (code == "62")
                read_pdop(c.state.gnss_base_table, line);
            else if (code == "E2")
                antenna_offset_ = column_single(line, kAntennaOffset);
        });
    }

    const trimble_dc::TotalStationRecords& records() const { return total_station_; }

private:
    float rover_antenna_height() const { return antenna_height_ + antenna_offset_; }

    void read_geo_point(GeoPointTable& points, const std::string& line) const
    {
        GeoPointRecord p;
        p.name = column_trimmed(line, kGeoName);
        const double lat = column_value(line, kLatitude);
        const double lon = column_value(line, kLongitude);
        p.h = column_value(line, kGeoHeight);
        p.antenna_height = rover_antenna_height();
        p.note = column_trimmed(line, kGeoNote);
        const bool gon = column_view(line, kGeoUnit) == "2";
        p.lat = gon ? gon_to_radians(lat) : degrees_to_radians(lat);
        p.lon = gon ? gon_to_radians(lon) : degrees_to_radians(lon);
        points.add(std::move(p));
    }

    // A base met again (in any case) becomes current again, and its vectors
    // continue its numbering. Its position is that of the geographic point of
    // the same name read so far.
    void read_base(WorkState& state, const std::string& line)
    {
        const std::string name = column_trimmed(line, kBaseName);
        current_base_ = state.gnss_base_table.find_or_add(name).index;
        GnssBaseRecord& base = state.gnss_base_table[*current_base_];
        base.antenna_height = 0;
        const Ecef xyz = find_point_ecef(name, state.geo_point_table);
        base.x = xyz.x;
        base.y = xyz.y;
        base.z = xyz.z;
    }

    GnssBaseRecord* current_base(GnssBaseTable& bases) const
    {
        return current_base_ ? &bases[*current_base_] : nullptr;
    }

    // The last vector of the current base, if any.
    GnssVector* current_vector(GnssBaseTable& bases) const
    {
        GnssBaseRecord* base = current_base(bases);
        return base && !base->vectors.empty() ? &base->vectors.back() : nullptr;
    }

    void read_vector(GnssBaseTable& bases, const std::string& line) const
    {
        GnssBaseRecord* base = current_base(bases);
        if (!base) return;
        GnssVector& v = base->add_vector();
        v.point = column_trimmed(line, kVectorPoint);
        v.dx = column_value(line, kDx);
        v.dy = column_value(line, kDy);
        v.dz = column_value(line, kDz);
        v.antenna_height = rover_antenna_height();
        const std::string note = column_trimmed(line, kVectorNote);
        v.note = note.empty() ? "nn" : note;
        v.code = note.empty() ? "NN" : note;
        v.pdop = 3;
    }

    void read_covariance(GnssBaseTable& bases, const std::string& line) const
    {
        GnssVector* v = current_vector(bases);
        if (!v) return;
        // The six terms joined by ",", copied as text.
        std::string terms;
        for (std::size_t k = 0; k < std::size(kCovariance); ++k) {
            if (k > 0) terms += ',';
            terms += trim_view(column_view(line, kCovariance[k]));
        }
        v->covariance = std::move(terms);
    }

    void read_pdop(GnssBaseTable& bases, const std::string& line) const
    {
        if (GnssVector* v = current_vector(bases)) v->pdop = column_single(line, kPdop);
    }

    trimble_dc::TotalStationRecords total_station_;
    std::optional<std::size_t> current_base_;
    float antenna_height_ = 0;
    float antenna_offset_ = 0;
};

}  // namespace

void imp_dc6(ImportContext& ctx, const std::string& input_path)
{
    Dc6Reader reader;
    CollectThenWrite frame = trimble_dc::frame(
        ctx.options, FailurePolicy::standard("Trimble", trimble_dc::kTitle).without_subscript(), reader.records());
    frame.book.nothing_found = StationTableOptions::NothingFound::StationsBasesKnownGeoPoints;
    GnssBookOptions gnss;
    gnss.shape = VectorShape::B;
    gnss.tail = VectorTail::PdopTwo;
    gnss.date_time = {"11/10/2014", "13:13"};
    gnss.empty_base_text = "Il file Trimble dc contiene una stazione GPS senza nessuna baseline. Verrà "
                           "ignorata nell'importazione";
    frame.book.write_gnss_bases = gnss_bases_writer(std::move(gnss));
    frame.book.write_geo_points = write_geo_points;
    frame.run(ctx, input_path, [&reader](Conversion& c) { reader.read(c); });
}

}  // namespace qrb
